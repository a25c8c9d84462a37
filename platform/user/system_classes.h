#pragma once

namespace mullion {

// Registers the window classes every program can use without registering them: the desktop,
// dialogs ("#32770"), menus ("#32768"), and the standard controls. Called once, the first time
// a class is looked up. Each area registers its own classes.
void register_system_classes();

void register_dialog_class();     // user/dialog*.cpp
void register_menu_classes();     // user/menu*.cpp
void register_static_class();     // controls/static*.cpp
void register_button_class();     // controls/button*.cpp
void register_edit_class();       // controls/edit*.cpp
void register_scroll_bar_class(); // controls/scroll_bar*.cpp
void register_tab_class();        // controls/tab*.cpp
void register_list_box_class();   // controls/list_box*.cpp
void register_tree_view_class();  // controls/tree_view*.cpp

} // namespace mullion
