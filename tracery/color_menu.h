// The colour menu's owner-drawn items: each colour command (130 to 137) shows a swatch of its
// colour, a one-pixel frame in the highlight colour when selected, and the system check mark
// when it is the current colour. The frames of both programs forward WM_MEASUREITEM and
// WM_DRAWITEM here.
#pragma once

#include <framework.h>

// Turns the colour items, wherever they lie among the menu's popups, into owner-drawn items
// with the same identifiers and no item data.
void MakeColorItemsOwnerDrawn(CMenu* pMenu);

// Four menu-bar heights wide and one high.
void MeasureColorItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct);

void DrawColorItem(LPDRAWITEMSTRUCT lpDrawItemStruct);
