#include "page_template.h"

#include <cstring>

namespace framework {

namespace {

constexpr size_t kPlainHeaderSize = 18;    // style, extended style, count, x, y, cx, cy
constexpr size_t kExtendedHeaderSize = 26; // version, signature, help id, then as above

// A little-endian reader that refuses to run past the end.
class TemplateReader {
public:
    TemplateReader(const BYTE* data, size_t length) : m_data(data), m_length(length) {}

    bool Word(WORD& value) {
        if (m_at + 2 > m_length)
            return false;
        value = WORD(m_data[m_at] | (m_data[m_at + 1] << 8));
        m_at += 2;
        return true;
    }
    bool Dword(DWORD& value, size_t at) const {
        if (at + 4 > m_length)
            return false;
        std::memcpy(&value, m_data + at, 4);
        return true;
    }
    bool Short(short& value, size_t at) const {
        if (at + 2 > m_length)
            return false;
        value = short(WORD(m_data[at] | (m_data[at + 1] << 8)));
        return true;
    }
    void Seek(size_t at) { m_at = at; }

    // A name field: 0 for none, 0xFFFF and an ordinal, or a zero-terminated UTF-16 string.
    bool SkipNameOrOrdinal() {
        WORD first = 0;
        if (!Word(first))
            return false;
        if (first == 0)
            return true;
        if (first == 0xFFFF) {
            WORD ordinal = 0;
            return Word(ordinal);
        }
        for (WORD unit = first; unit != 0;)
            if (!Word(unit))
                return false;
        return true;
    }
    bool String(std::u16string& text) {
        for (;;) {
            WORD unit = 0;
            if (!Word(unit))
                return false;
            if (unit == 0)
                return true;
            text.push_back(char16_t(unit));
        }
    }

private:
    const BYTE* m_data;
    size_t m_length;
    size_t m_at = 0;
};

CString ToUtf8(const std::u16string& text) {
    CString result;
    if (text.empty())
        return result;
    const int length = ::WideCharToMultiByte(CP_UTF8, 0, text.data(), int(text.size()), nullptr, 0,
                                             nullptr, nullptr);
    if (length <= 0)
        return result;
    ::WideCharToMultiByte(CP_UTF8, 0, text.data(), int(text.size()), result.GetBuffer(length),
                          length, nullptr, nullptr);
    result.ReleaseBuffer(length);
    return result;
}

} // namespace

DWORD PageStyle(DWORD templateStyle) {
    const DWORD removed = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_DISABLED |
                          WS_VISIBLE | DS_MODALFRAME | DS_CENTER;
    return (templateStyle & ~removed) | WS_CHILD | DS_CONTROL;
}

std::optional<PageTemplate> ReadPageTemplate(const BYTE* data, size_t length) {
    if (!data)
        return std::nullopt;
    TemplateReader reader(data, length);
    WORD version = 0;
    WORD signature = 0;
    if (!reader.Word(version) || !reader.Word(signature))
        return std::nullopt;
    const bool extended = version == 1 && signature == 0xFFFF;
    const size_t styleAt = extended ? 12 : 0;
    const size_t sizeAt = extended ? 22 : 14;
    DWORD style = 0;
    short cx = 0;
    short cy = 0;
    if (!reader.Dword(style, styleAt) || !reader.Short(cx, sizeAt) || !reader.Short(cy, sizeAt + 2))
        return std::nullopt;
    reader.Seek(extended ? kExtendedHeaderSize : kPlainHeaderSize);
    std::u16string caption;
    if (!reader.SkipNameOrOrdinal() || !reader.SkipNameOrOrdinal() || !reader.String(caption))
        return std::nullopt;

    PageTemplate page;
    page.bytes.assign(data, data + length);
    const DWORD pageStyle = PageStyle(style);
    std::memcpy(page.bytes.data() + styleAt, &pageStyle, 4);
    page.caption = ToUtf8(caption);
    page.size = CSize(cx, cy);
    return page;
}

} // namespace framework
