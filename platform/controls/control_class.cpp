#include "control_class.h"

namespace mullion {

void register_control_class(const char* name, WNDPROC procedure) {
    WNDCLASSEXA description{};
    description.cbSize = sizeof(description);
    description.style = CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW | CS_GLOBALCLASS;
    description.lpfnWndProc = procedure;
    description.cbWndExtra = sizeof(void*);
    description.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    description.lpszClassName = name;
    RegisterClassExA(&description);
}

} // namespace mullion
