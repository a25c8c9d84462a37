// CMTView: shows the document's bitmap at its natural size in a scrolling view, realizing the
// document's palette first on palette displays.
#pragma once

#include "framework.h"

class CMTDoc;

class CMTView : public CScrollView {
    DECLARE_DYNCREATE(CMTView)

public:
    CMTDoc* GetDocument() const;

    // Sets the scroll size to the image's and hands the frame the statistics text.
    void OnInitialUpdate() override;
    void OnDraw(CDC* pDC) override;
};
