#pragma once

#include "controls/file_filter.h"
#include "windows.h"

#include <string>

namespace mullion {

// One run of the Open or Save As dialog for an OPENFILENAMEA: a file name edit, the files of
// the current directory that match the chosen filter, the directory's subdirectories and the
// drives, the filters in a list box, OK and Cancel. OK with a pattern filters the list, with a
// directory enters it, with a file checks the OFN_ flags' conditions (asking where they say
// to ask) and ends the dialog.
class FileDialog {
public:
    enum class Kind { open, save };

    // Control identifiers, those of the classic dialog where it had the control.
    static constexpr int file_name_edit_id = 1152;
    static constexpr int file_list_id = 1120;
    static constexpr int directory_list_id = 1121;
    static constexpr int directory_label_id = 1088;
    static constexpr int filter_list_id = 1136;

    FileDialog(OPENFILENAMEA& request, Kind kind);

    // TRUE when a file was chosen and written to the request; FALSE when the user cancelled or
    // the request was refused (error() then holds the CommDlgExtendedError code).
    BOOL run();
    DWORD error() const { return m_error; }

private:
    static INT_PTR CALLBACK dialog_procedure(HWND dialog, UINT message, WPARAM wParam,
                                             LPARAM lParam);
    void on_init(HWND dialog);
    void on_command(int id, int code);
    // The user pressed OK with the edit's text: true when the dialog ended.
    bool accept_text();
    // Checks the chosen path against the request's flags, asking the user where they say so.
    bool confirm_path(const std::string& path);
    // Writes the chosen path into the request; false when its buffer is too small.
    bool store_result(const std::string& path);
    void set_directory(const std::string& directory);
    void fill_lists();
    std::string current_patterns() const;
    std::string list_text(int list_id, int index) const;
    int message(const std::string& text, UINT type) const;

    OPENFILENAMEA& m_request;
    Kind m_kind;
    FileFilter m_filter;
    size_t m_filter_index = 0;
    // The patterns typed into the edit, replacing the filter's until another filter is chosen.
    std::string m_typed_patterns;
    std::string m_directory;
    HWND m_dialog = nullptr;
    DWORD m_error = 0;
};

} // namespace mullion
