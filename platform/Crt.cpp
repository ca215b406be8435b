#include "platform/Crt.h"

#include <climits>
#include <cstdlib>
#include <cwchar>
#include <locale.h>
#include <string>

namespace {

struct LocaleState {
    bool utf8 = false;          // LC_CTYPE: narrow text is UTF-8
    std::string ctypeName = "C";
    std::string collateName = "C";
};

LocaleState& State() {
    static LocaleState state;
    return state;
}

// Unicode character classes for the UTF-8 mode, independent of the process locale.
locale_t UnicodeLocale() {
    static locale_t loc = newlocale(LC_CTYPE_MASK, "C.UTF-8", nullptr);
    return loc;
}

bool IsAsciiUpper(int c) { return c >= 'A' && c <= 'Z'; }
bool IsAsciiLower(int c) { return c >= 'a' && c <= 'z'; }
bool IsAsciiSpace(int c) { return c == ' ' || (c >= 0x09 && c <= 0x0D); }
bool IsAsciiGraph(int c) { return c > ' ' && c < 0x7F; }
bool IsAsciiAlnum(int c) { return IsAsciiUpper(c) || IsAsciiLower(c) || (c >= '0' && c <= '9'); }

}  // namespace

namespace crt {

const char* setlocale(int category, const char* name) {
    LocaleState& s = State();
    if (name) {
        std::string chosen = (name[0] == 0) ? "C" : name;
        if (category == LC_ALL || category == LC_CTYPE) {
            s.ctypeName = chosen;
            s.utf8 = chosen != "C";
        }
        if (category == LC_ALL || category == LC_COLLATE) s.collateName = chosen;
    }
    return category == LC_COLLATE ? s.collateName.c_str() : s.ctypeName.c_str();
}

int mb_cur_max() { return State().utf8 ? 4 : 1; }

int mbtowc(wchar_t* out, const char* s, size_t count) {
    if (!s || count == 0) return -1;
    unsigned char lead = static_cast<unsigned char>(s[0]);
    if (lead == 0) {
        if (out) *out = 0;
        return 0;
    }
    if (!State().utf8 || lead < 0x80) {
        if (out) *out = static_cast<wchar_t>(lead);
        return 1;
    }
    int extra = (lead & 0xE0) == 0xC0 ? 1 : (lead & 0xF0) == 0xE0 ? 2 : -1;
    if (extra < 0 || static_cast<size_t>(extra) >= count) return -1;  // non-BMP has no single unit
    char32_t cp = extra == 1 ? (lead & 0x1F) : (lead & 0x0F);
    for (int k = 1; k <= extra; ++k) {
        unsigned char c = static_cast<unsigned char>(s[k]);
        if ((c & 0xC0) != 0x80) return -1;
        cp = (cp << 6) | (c & 0x3F);
    }
    bool overlong = (extra == 1 && cp < 0x80) || (extra == 2 && cp < 0x800);
    if (overlong || (cp >= 0xD800 && cp <= 0xDFFF)) return -1;
    if (out) *out = static_cast<wchar_t>(cp);
    return extra + 1;
}

int wctomb(char* out, wchar_t unit) {
    char32_t cp = static_cast<char32_t>(unit);
    if (!State().utf8) {
        if (cp > 0xFF) return -1;
        out[0] = static_cast<char>(cp);
        return 1;
    }
    if (cp > 0xFFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return -1;
    if (cp < 0x80) {
        out[0] = static_cast<char>(cp);
        return 1;
    }
    if (cp < 0x800) {
        out[0] = static_cast<char>(0xC0 | (cp >> 6));
        out[1] = static_cast<char>(0x80 | (cp & 0x3F));
        return 2;
    }
    out[0] = static_cast<char>(0xE0 | (cp >> 12));
    out[1] = static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out[2] = static_cast<char>(0x80 | (cp & 0x3F));
    return 3;
}

// Narrow case mapping and classification touch single bytes: ASCII in both modes,
// since bytes above 0x7F are parts of multibyte characters in the UTF-8 mode.
int toupper(int c) { return IsAsciiLower(c) ? c - 'a' + 'A' : c; }
int tolower(int c) { return IsAsciiUpper(c) ? c - 'A' + 'a' : c; }
int isspace(int c) { return IsAsciiSpace(c) ? 1 : 0; }

wint_t towupper(wint_t c) {
    if (State().utf8 && c > 0x7F) return towupper_l(c, UnicodeLocale());
    return IsAsciiLower(static_cast<int>(c)) ? c - 'a' + 'A' : c;
}

wint_t towlower(wint_t c) {
    if (State().utf8 && c > 0x7F) return towlower_l(c, UnicodeLocale());
    return IsAsciiUpper(static_cast<int>(c)) ? c - 'A' + 'a' : c;
}

int iswspace(wint_t c) {
    if (State().utf8 && c > 0x7F) return iswspace_l(c, UnicodeLocale()) ? 1 : 0;
    return IsAsciiSpace(static_cast<int>(c)) ? 1 : 0;
}

int iswgraph(wint_t c) {
    if (State().utf8 && c > 0x7F) return iswgraph_l(c, UnicodeLocale()) ? 1 : 0;
    return IsAsciiGraph(static_cast<int>(c)) ? 1 : 0;
}

int iswalnum(wint_t c) {
    if (State().utf8 && c > 0x7F) return iswalnum_l(c, UnicodeLocale()) ? 1 : 0;
    return IsAsciiAlnum(static_cast<int>(c)) ? 1 : 0;
}

}  // namespace crt

int _wtoi(const wchar_t* text) {
    long value = std::wcstol(text, nullptr, 10);
    if (value > INT_MAX) return INT_MAX;
    if (value < INT_MIN) return INT_MIN;
    return static_cast<int>(value);
}

double _wtof(const wchar_t* text) { return std::wcstod(text, nullptr); }
