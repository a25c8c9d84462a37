#include "system_classes.h"

namespace mullion {

void register_system_classes() {
    register_dialog_class();
    register_menu_classes();
    register_static_class();
    register_button_class();
    register_edit_class();
    register_scroll_bar_class();
    register_tab_class();
    register_list_box_class();
    register_tree_view_class();
}

} // namespace mullion
