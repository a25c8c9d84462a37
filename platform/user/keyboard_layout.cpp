#include "keyboard_layout.h"

namespace mullion {

namespace {

struct ScanCode {
    UINT virtual_key;
    UINT scan_code;
    bool extended;
};

// Scan codes of the keys that are not letters or digits.
constexpr ScanCode scan_codes[] = {
    {VK_ESCAPE, 0x01, false},     {VK_OEM_MINUS, 0x0C, false}, {VK_OEM_PLUS, 0x0D, false},
    {VK_BACK, 0x0E, false},       {VK_TAB, 0x0F, false},       {VK_OEM_4, 0x1A, false},
    {VK_OEM_6, 0x1B, false},      {VK_RETURN, 0x1C, false},    {VK_CONTROL, 0x1D, false},
    {VK_LCONTROL, 0x1D, false},   {VK_RCONTROL, 0x1D, true},   {VK_OEM_1, 0x27, false},
    {VK_OEM_7, 0x28, false},      {VK_OEM_3, 0x29, false},     {VK_SHIFT, 0x2A, false},
    {VK_LSHIFT, 0x2A, false},     {VK_OEM_5, 0x2B, false},     {VK_OEM_COMMA, 0x33, false},
    {VK_OEM_PERIOD, 0x34, false}, {VK_OEM_2, 0x35, false},     {VK_RSHIFT, 0x36, false},
    {VK_MULTIPLY, 0x37, false},   {VK_MENU, 0x38, false},      {VK_LMENU, 0x38, false},
    {VK_RMENU, 0x38, true},       {VK_SPACE, 0x39, false},     {VK_CAPITAL, 0x3A, false},
    {VK_NUMLOCK, 0x45, true},     {VK_SCROLL, 0x46, false},    {VK_NUMPAD7, 0x47, false},
    {VK_NUMPAD8, 0x48, false},    {VK_NUMPAD9, 0x49, false},   {VK_SUBTRACT, 0x4A, false},
    {VK_NUMPAD4, 0x4B, false},    {VK_NUMPAD5, 0x4C, false},   {VK_NUMPAD6, 0x4D, false},
    {VK_ADD, 0x4E, false},        {VK_NUMPAD1, 0x4F, false},   {VK_NUMPAD2, 0x50, false},
    {VK_NUMPAD3, 0x51, false},    {VK_NUMPAD0, 0x52, false},   {VK_DECIMAL, 0x53, false},
    {VK_F11, 0x57, false},        {VK_F12, 0x58, false},       {VK_HOME, 0x47, true},
    {VK_UP, 0x48, true},          {VK_PRIOR, 0x49, true},      {VK_LEFT, 0x4B, true},
    {VK_RIGHT, 0x4D, true},       {VK_END, 0x4F, true},        {VK_DOWN, 0x50, true},
    {VK_NEXT, 0x51, true},        {VK_INSERT, 0x52, true},     {VK_DELETE, 0x53, true},
    {VK_DIVIDE, 0x35, true},      {VK_SNAPSHOT, 0x37, true},   {VK_LWIN, 0x5B, true},
    {VK_RWIN, 0x5C, true},        {VK_APPS, 0x5D, true},
};

// Letters in keyboard order, row by row, with the scan code of each row's first letter.
struct LetterRow {
    const char* letters;
    UINT first_scan_code;
};
constexpr LetterRow letter_rows[] = {{"QWERTYUIOP", 0x10}, {"ASDFGHJKL", 0x1E}, {"ZXCVBNM", 0x2C}};

const ScanCode* find_scan_code(UINT virtual_key) {
    for (const ScanCode& entry : scan_codes) {
        if (entry.virtual_key == virtual_key)
            return &entry;
    }
    return nullptr;
}

// Punctuation keys of the US layout: unshifted and shifted characters.
struct PunctuationKey {
    UINT virtual_key;
    char plain, shifted;
};
constexpr PunctuationKey punctuation_keys[] = {
    {VK_OEM_1, ';', ':'},     {VK_OEM_PLUS, '=', '+'},   {VK_OEM_COMMA, ',', '<'},
    {VK_OEM_MINUS, '-', '_'}, {VK_OEM_PERIOD, '.', '>'}, {VK_OEM_2, '/', '?'},
    {VK_OEM_3, '`', '~'},     {VK_OEM_4, '[', '{'},      {VK_OEM_5, '\\', '|'},
    {VK_OEM_6, ']', '}'},     {VK_OEM_7, '\'', '"'},
};

constexpr char shifted_digits[] = ")!@#$%^&*(";

std::optional<char> control_character(UINT virtual_key) {
    if (virtual_key >= 'A' && virtual_key <= 'Z')
        return static_cast<char>(virtual_key - 'A' + 1);
    switch (virtual_key) {
    case VK_OEM_4: // Ctrl+[
        return '\x1b';
    case VK_OEM_5: // Ctrl+backslash
        return '\x1c';
    case VK_OEM_6: // Ctrl+]
        return '\x1d';
    case VK_RETURN: // Ctrl+Enter: line feed
        return '\n';
    case VK_BACK: // Ctrl+Backspace: delete
        return '\x7f';
    case VK_SPACE:
        return ' ';
    case VK_ESCAPE:
        return '\x1b';
    default:
        return std::nullopt;
    }
}

} // namespace

UINT KeyboardLayout::scan_code(UINT virtual_key) {
    if (virtual_key >= '1' && virtual_key <= '9')
        return 0x02 + (virtual_key - '1');
    if (virtual_key == '0')
        return 0x0B;
    if (virtual_key >= VK_F1 && virtual_key <= VK_F10)
        return 0x3B + (virtual_key - VK_F1);
    if (virtual_key >= 'A' && virtual_key <= 'Z') {
        for (const LetterRow& row : letter_rows) {
            for (UINT i = 0; row.letters[i]; ++i) {
                if (static_cast<UINT>(row.letters[i]) == virtual_key)
                    return row.first_scan_code + i;
            }
        }
    }
    const ScanCode* entry = find_scan_code(virtual_key);
    return entry ? entry->scan_code : 0;
}

bool KeyboardLayout::is_extended(UINT virtual_key) {
    const ScanCode* entry = find_scan_code(virtual_key);
    return entry && entry->extended;
}

std::optional<char> KeyboardLayout::character(UINT virtual_key, bool shift, bool control,
                                              bool caps_lock) {
    if (control)
        return control_character(virtual_key);
    if (virtual_key >= 'A' && virtual_key <= 'Z') {
        const bool upper = shift != caps_lock;
        return static_cast<char>(upper ? virtual_key : virtual_key - 'A' + 'a');
    }
    if (virtual_key >= '0' && virtual_key <= '9')
        return shift ? shifted_digits[virtual_key - '0'] : static_cast<char>(virtual_key);
    if (virtual_key >= VK_NUMPAD0 && virtual_key <= VK_NUMPAD9)
        return static_cast<char>('0' + (virtual_key - VK_NUMPAD0));
    for (const PunctuationKey& key : punctuation_keys) {
        if (key.virtual_key == virtual_key)
            return shift ? key.shifted : key.plain;
    }
    switch (virtual_key) {
    case VK_SPACE:
        return ' ';
    case VK_RETURN:
        return '\r';
    case VK_TAB:
        return '\t';
    case VK_BACK:
        return '\b';
    case VK_ESCAPE:
        return '\x1b';
    case VK_MULTIPLY:
        return '*';
    case VK_ADD:
        return '+';
    case VK_SUBTRACT:
        return '-';
    case VK_DECIMAL:
        return '.';
    case VK_DIVIDE:
        return '/';
    default:
        return std::nullopt;
    }
}

} // namespace mullion
