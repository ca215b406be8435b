#include "engine/kernel/StringHelpers.h"

#include <algorithm>
#include <cerrno>
#include <cfloat>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cwchar>

#include "platform/Crt.h"
#include "platform/MessageBox.h"

namespace Vantor {

namespace {

// long is 64 bits here and 32 bits on the system the data was written for; keep
// the 32-bit saturation of strtol.
int SaturateToInt(long value) {
    return static_cast<int>(std::clamp<long>(value, INT_MIN, INT_MAX));
}

// Converting a double beyond the float range is undefined in C++; give the
// infinity that the float conversion of the run-time gives.
float NarrowToFloat(double value) {
    if (std::fabs(value) > FLT_MAX && std::isfinite(value)) {
        return value > 0 ? INFINITY : -INFINITY;
    }
    return static_cast<float>(value);
}

// The classification functions take the byte's value, never a negative char.
bool IsBlank(char c) { return crt::isspace(static_cast<unsigned char>(c)) != 0; }
bool IsBlank(wchar_t c) { return crt::iswspace(static_cast<wint_t>(c)) != 0; }

template <class Text>
void TrimRightOf(Text& text) {
    while (!text.empty() && IsBlank(text.back())) text.pop_back();
}

template <class Text>
void TrimLeftOf(Text& text) {
    auto firstKept = std::find_if(text.begin(), text.end(), [](auto c) { return !IsBlank(c); });
    text.erase(text.begin(), firstKept);
}

template <class Text>
void ReplaceAllOf(Text& text, const Text& search, const Text& replacement) {
    if (search.empty()) return;
    for (size_t pos = text.find(search); pos != Text::npos; pos = text.find(search, pos + replacement.size())) {
        text.replace(pos, search.size(), replacement);
    }
}

// Builds "%0.<precision><conversion>", or "%<conversion>" when plain, and prints
// the value with it. The result is as long as the value needs.
template <class Value>
std::string Format(char conversion, int precision, bool plain, Value value) {
    std::string format = plain ? std::string("%") : "%0." + std::to_string(std::max(precision, 0));
    format += conversion;
    int length = std::snprintf(nullptr, 0, format.c_str(), value);
    if (length <= 0) return std::string();
    std::string text(static_cast<size_t>(length), '\0');
    std::snprintf(text.data(), text.size() + 1, format.c_str(), value);
    return text;
}

}  // namespace

float ToFloat(const char* text) { return text ? NarrowToFloat(std::atof(text)) : 0.0f; }
float ToFloat(const wchar_t* text) { return text ? NarrowToFloat(_wtof(text)) : 0.0f; }
float ToFloat(const std::string& text) { return ToFloat(text.c_str()); }
float ToFloat(const std::wstring& text) { return ToFloat(text.c_str()); }

int ToInt(const char* text, int radix) {
    return text ? SaturateToInt(std::strtol(text, nullptr, radix)) : 0;
}

int ToInt(const wchar_t* text, int radix) {
    if (!text) return 0;
    return radix == 10 ? _wtoi(text) : SaturateToInt(std::wcstol(text, nullptr, radix));
}

int ToInt(const std::string& text, int radix) { return ToInt(text.c_str(), radix); }
int ToInt(const std::wstring& text, int radix) { return ToInt(text.c_str(), radix); }

unsigned int ToUnsigned(const char* text, int radix) {
    if (!text) return 0;
    errno = 0;
    unsigned long long parsed = std::strtoull(text, nullptr, radix);
    bool overflow = errno == ERANGE;
    // strtoul negates a value written with a minus sign; the 32-bit range applies
    // to the digits themselves.
    const char* first = text;
    while (IsBlank(*first)) ++first;
    bool negative = *first == '-';
    unsigned long long magnitude = negative ? 0ULL - parsed : parsed;
    if (overflow || magnitude > UINT_MAX) return UINT_MAX;
    unsigned int value = static_cast<unsigned int>(magnitude);
    return negative ? 0u - value : value;
}

unsigned int ToUnsigned(const std::string& text, int radix) { return ToUnsigned(text.c_str(), radix); }

bool ToBool(const char* text) { return ToInt(text, 10) != 0; }
bool ToBool(const wchar_t* text) { return ToInt(text, 10) != 0; }
bool ToBool(const std::string& text) { return ToInt(text, 10) != 0; }
bool ToBool(const std::wstring& text) { return ToInt(text, 10) != 0; }

void MakeUpper(std::string& text) {
    for (char& c : text) c = static_cast<char>(crt::toupper(static_cast<unsigned char>(c)));
}

void MakeUpper(std::wstring& text) {
    for (wchar_t& c : text) c = static_cast<wchar_t>(crt::towupper(static_cast<wint_t>(c)));
}

void MakeLower(std::string& text) {
    for (char& c : text) c = static_cast<char>(crt::tolower(static_cast<unsigned char>(c)));
}

void MakeLower(std::wstring& text) {
    for (wchar_t& c : text) c = static_cast<wchar_t>(crt::towlower(static_cast<wint_t>(c)));
}

std::string ToUpper(const std::string& text) {
    std::string copy = text;
    MakeUpper(copy);
    return copy;
}

std::string ToLower(const std::string& text) {
    std::string copy = text;
    MakeLower(copy);
    return copy;
}

std::wstring ToLower(const std::wstring& text) {
    std::wstring copy = text;
    MakeLower(copy);
    return copy;
}

void TrimRight(std::string& text) { TrimRightOf(text); }
void TrimRight(std::wstring& text) { TrimRightOf(text); }
void TrimLeft(std::string& text) { TrimLeftOf(text); }
void TrimLeft(std::wstring& text) { TrimLeftOf(text); }

void TrimLeft(std::string& text, char character) {
    text.erase(0, std::min(text.find_first_not_of(character), text.size()));
}

void Trim(std::string& text) {
    TrimLeft(text);
    TrimRight(text);
}

std::string TrimmedRight(const std::string& text) {
    std::string copy = text;
    TrimRight(copy);
    return copy;
}

std::wstring TrimmedRight(const std::wstring& text) {
    std::wstring copy = text;
    TrimRight(copy);
    return copy;
}

std::wstring TrimmedLeft(const std::wstring& text) {
    std::wstring copy = text;
    TrimLeft(copy);
    return copy;
}

std::wstring Trimmed(const std::wstring& text) { return TrimmedLeft(TrimmedRight(text)); }

void ReplaceAll(std::string& text, const std::string& search, const std::string& replacement) {
    ReplaceAllOf(text, search, replacement);
}

void ReplaceAll(std::wstring& text, const std::wstring& search, const std::wstring& replacement) {
    ReplaceAllOf(text, search, replacement);
}

std::wstring Replaced(const std::wstring& text, const std::wstring& search, const std::wstring& replacement) {
    std::wstring copy = text;
    ReplaceAll(copy, search, replacement);
    return copy;
}

void RemoveAll(std::string& text, const std::string& search) { ReplaceAll(text, search, std::string()); }

std::wstring Removed(const std::wstring& text, const std::wstring& search) {
    return Replaced(text, search, std::wstring());
}

void ReplaceAllNoCase(std::wstring& text, const std::wstring& search, const std::wstring& replacement) {
    if (search.empty()) return;
    // The lower-case copy receives the same replacements, so positions stay aligned.
    std::wstring lowerText = ToLower(text);
    const std::wstring lowerSearch = ToLower(search);
    for (size_t pos = lowerText.find(lowerSearch); pos != std::wstring::npos;
         pos = lowerText.find(lowerSearch, pos + replacement.size())) {
        text.replace(pos, search.size(), replacement);
        lowerText.replace(pos, search.size(), replacement);
    }
}

std::wstring ReplacedNoCase(const std::wstring& text, const std::wstring& search, const std::wstring& replacement) {
    std::wstring copy = text;
    ReplaceAllNoCase(copy, search, replacement);
    return copy;
}

void ToWide(const std::string& text, std::wstring& out) {
    out.clear();
    const size_t maxBytes = static_cast<size_t>(crt::mb_cur_max());
    size_t pos = 0;
    while (pos < text.size()) {
        wchar_t unit = 0;
        int used = crt::mbtowc(&unit, text.data() + pos, std::min(maxBytes, text.size() - pos));
        if (used == 0) break;  // a zero byte ends the text
        if (used < 0) {
            ++pos;  // no character starts here: skip the byte
            continue;
        }
        out.push_back(unit);
        pos += static_cast<size_t>(used);
    }
}

std::wstring ToWide(const std::string& text) {
    std::wstring out;
    ToWide(text, out);
    return out;
}

void ToNarrow(const std::wstring& text, std::string& out) {
    out.clear();
    std::string bytes(static_cast<size_t>(crt::mb_cur_max()), '\0');
    for (wchar_t unit : text) {
        if (unit == 0) break;
        int count = crt::wctomb(bytes.data(), unit);
        if (count > 0) out.append(bytes.data(), static_cast<size_t>(count));
    }
}

std::string QuotedPath(const std::wstring& path) { return "\"" + ToNarrow(path) + "\""; }

std::string ToNarrow(const std::wstring& text) {
    std::string out;
    ToNarrow(text, out);
    return out;
}

std::string ToString(bool value) { return value ? "1" : "0"; }
std::string ToString(float value, int decimals) { return Format('f', decimals, false, static_cast<double>(value)); }
std::string ToString(unsigned int value, int digits) { return Format('u', digits, digits <= 0, value); }
std::string ToString(int value, int digits) { return Format('i', digits, digits <= 0, value); }

std::wstring ToWideString(float value, int decimals) { return ToWide(ToString(value, decimals)); }
std::wstring ToWideString(unsigned int value, int digits) { return ToWide(ToString(value, digits)); }
std::wstring ToWideString(int value, int digits) { return ToWide(ToString(value, digits)); }

int ShowMessageBox(const std::wstring& text, const std::wstring& caption, int icon, int buttons) {
    UINT style = 0;
    switch (icon) {
    case 0: style |= MB_ICONINFORMATION; break;
    case 1: style |= MB_ICONHAND; break;
    case 2: style |= MB_ICONQUESTION; break;
    default: break;
    }
    switch (buttons) {
    case 1: style |= MB_OKCANCEL; break;
    case 2: style |= MB_YESNO; break;
    case 3: style |= MB_YESNOCANCEL; break;
    default: style |= MB_OK; break;
    }
    int answer = MessageBoxW(nullptr, text.c_str(), caption.c_str(), style);
    switch (buttons) {
    case 1: return answer == IDCANCEL ? 1 : 0;
    case 2: return answer == IDNO ? 1 : 0;
    case 3: return answer == IDCANCEL ? 2 : answer == IDNO ? 1 : 0;
    default: return 0;
    }
}

}  // namespace Vantor
