// The dialog template of a property page as the sheet uses it: the page's caption and size,
// and the template itself restyled as a child control parent without caption or border.
#pragma once

#include "cstring.h"
#include "rect.h"

#include <optional>
#include <vector>

namespace framework {

struct PageTemplate {
    std::vector<BYTE> bytes;
    CString caption;
    CSize size; // in dialog units
};

// Reads a DLGTEMPLATE or DLGTEMPLATEEX image of `length` bytes; nullopt when it is truncated
// or its caption is not terminated within it.
std::optional<PageTemplate> ReadPageTemplate(const BYTE* data, size_t length);

// The style a page's window gets whatever its template says.
DWORD PageStyle(DWORD templateStyle);

} // namespace framework
