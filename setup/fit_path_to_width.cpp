#include "fit_path_to_width.h"

#include <string>
#include <vector>

namespace {

// The text split into whole UTF-8 characters, so that shortening never cuts one apart.
std::vector<std::string> SplitCharacters(const CString& strText) {
    std::vector<std::string> characters;
    LPCSTR p = strText;
    while (*p != '\0') {
        LPCSTR pStart = p++;
        while ((static_cast<unsigned char>(*p) & 0xC0) == 0x80)
            ++p;
        characters.emplace_back(pStart, p);
    }
    return characters;
}

class CTextMeasure {
public:
    CTextMeasure(HWND hwnd) : m_hwnd(hwnd), m_hdc(GetDC(hwnd)) {}
    ~CTextMeasure() {
        if (m_hdc)
            ReleaseDC(m_hwnd, m_hdc);
    }
    CTextMeasure(const CTextMeasure&) = delete;
    CTextMeasure& operator=(const CTextMeasure&) = delete;

    bool IsAvailable() const { return m_hdc != nullptr; }
    int Width(const std::string& text) const {
        SIZE size = {0, 0};
        GetTextExtentPoint32A(m_hdc, text.c_str(), static_cast<int>(text.size()), &size);
        return size.cx;
    }

private:
    HWND m_hwnd;
    HDC m_hdc;
};

std::string Join(const std::vector<std::string>& head, const std::vector<std::string>& tail) {
    std::string text;
    for (const std::string& character : head)
        text += character;
    text += "...";
    for (const std::string& character : tail)
        text += character;
    return text;
}

} // namespace

CString FitPathToWidth(const CString& strText, HWND hwnd, int cxWidth) {
    if (cxWidth <= 9 || strText.IsEmpty())
        return CString();
    const CTextMeasure measure(hwnd);
    if (!measure.IsAvailable())
        return CString();
    if (measure.Width(static_cast<LPCSTR>(strText)) <= cxWidth)
        return strText;

    // The three characters around the middle become "...".
    const std::vector<std::string> characters = SplitCharacters(strText);
    const int nCount = static_cast<int>(characters.size());
    const int nHead = nCount >= 3 ? nCount / 2 - 1 : 0;
    const int nTail = nCount >= 3 ? nCount - nHead - 3 : 0;
    std::vector<std::string> head(characters.begin(), characters.begin() + nHead);
    std::vector<std::string> tail(characters.end() - nTail, characters.end());

    std::string text = Join(head, tail);
    while (measure.Width(text) > cxWidth && (!head.empty() || !tail.empty())) {
        if (!tail.empty())
            tail.erase(tail.begin());
        if (!head.empty())
            head.pop_back();
        text = Join(head, tail);
    }
    return CString(text.c_str());
}
