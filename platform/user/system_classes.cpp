#include "system_classes.h"

namespace mullion {

void register_system_classes() {
    register_dialog_class();
    register_menu_classes();
    register_static_class();
    register_button_class();
}

} // namespace mullion
