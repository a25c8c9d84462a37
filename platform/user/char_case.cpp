// CharUpperA and CharLowerA: in place on a string, or on one character passed in the low word
// of the pointer value. Only ASCII letters change case: UTF-8 sequences pass through intact.
#include "windows.h"

#include <cstdint>

namespace {

char to_upper(char c) {
    return c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c;
}

char to_lower(char c) {
    return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c;
}

template <char (*Convert)(char)> LPSTR convert(LPSTR text) {
    const auto value = reinterpret_cast<uintptr_t>(text);
    if (value <= 0xFFFF)
        return reinterpret_cast<LPSTR>(uintptr_t(uint8_t(Convert(char(value & 0xFF)))));
    for (char* p = text; *p; ++p)
        *p = Convert(*p);
    return text;
}

} // namespace

LPSTR WINAPI CharUpperA(LPSTR lpsz) {
    return convert<to_upper>(lpsz);
}

LPSTR WINAPI CharLowerA(LPSTR lpsz) {
    return convert<to_lower>(lpsz);
}
