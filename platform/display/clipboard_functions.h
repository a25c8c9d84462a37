#pragma once

// The clipboard and the global memory blocks that carry its data belong to parts of the
// library that a build may not have yet: they are referenced weakly, so that without them the
// scripted driver's clip step reports that it is not supported instead of keeping the library
// from linking.

#include "windows.h"

#pragma weak OpenClipboard
#pragma weak EmptyClipboard
#pragma weak SetClipboardData
#pragma weak CloseClipboard
#pragma weak GlobalAlloc
#pragma weak GlobalLock
#pragma weak GlobalUnlock
#pragma weak GlobalFree

namespace mullion {

inline bool clipboard_functions_present() {
    return OpenClipboard && EmptyClipboard && SetClipboardData && CloseClipboard && GlobalAlloc &&
           GlobalLock && GlobalUnlock && GlobalFree;
}

} // namespace mullion
