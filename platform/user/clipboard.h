#pragma once

#include <string>
#include <string_view>

namespace mullion {

// The clipboard as the host sees it. A presenter that shares the host's clipboard registers a
// listener: it hears the text each time a program closes the clipboard after putting CF_TEXT
// on it, and hands text copied on the host back with set_clipboard_text_from_host().

// Called on the program's thread, outside the clipboard's lock, with the text in host form.
using ClipboardTextListener = void (*)(const std::string& host_text);
void set_clipboard_text_listener(ClipboardTextListener listener);

// Replaces the clipboard's contents by the host's text, with no owner. Does nothing while a
// program has the clipboard open (the host's next change will come through). The listener is
// not told.
void set_clipboard_text_from_host(std::string_view host_text);

// Line ends: the host separates lines with "\n", programs with "\r\n".
std::string host_text_to_clipboard(std::string_view host_text);
std::string clipboard_text_to_host(std::string_view text);

} // namespace mullion
