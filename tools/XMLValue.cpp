#include "tools/XMLValue.h"

#include "engine/kernel/StringHelpers.h"
#include "platform/Crt.h"

namespace GameTools {

namespace {

bool IsTokenCharacter(wchar_t c) {
    return crt::iswalnum(static_cast<wint_t>(c)) != 0 || c == L'+' || c == L'-' || c == L'.';
}

}  // namespace

XMLValue::XMLValue(const std::wstring& text) : state_(kWideCurrent), wide_(text) {}

void XMLValue::SetString(const std::string& text) {
    narrow_ = text;
    state_ = kNarrowCurrent;
}

void XMLValue::SetWideString(const std::wstring& text) {
    wide_ = text;
    state_ = kWideCurrent;
}

const std::string& XMLValue::GetString() const {
    if (state_ == kWideCurrent) {
        Vantor::ToNarrow(wide_, narrow_);
        state_ = kBothCurrent;
    }
    return narrow_;
}

const std::wstring& XMLValue::GetWideString() const {
    if (state_ == kNarrowCurrent) {
        Vantor::ToWide(narrow_, wide_);
        state_ = kBothCurrent;
    }
    return wide_;
}

int XMLValue::GetInt() const { return ReadsWide() ? Vantor::ToInt(wide_) : Vantor::ToInt(narrow_); }

bool XMLValue::GetBool() const { return GetInt() != 0; }

float XMLValue::GetFloat() const { return ReadsWide() ? Vantor::ToFloat(wide_) : Vantor::ToFloat(narrow_); }

Vantor::Vector2 XMLValue::GetFloat2() const {
    float numbers[2] = {};
    GetFloats(numbers, 2);
    return {numbers[0], numbers[1]};
}

Vantor::Vector4 XMLValue::GetFloat4() const {
    float numbers[4] = {};
    GetFloats(numbers, 4);
    return {numbers[0], numbers[1], numbers[2], numbers[3]};
}

Vantor::Vector2i XMLValue::GetInt2() const {
    int numbers[2] = {};
    GetInts(numbers, 2);
    return {numbers[0], numbers[1]};
}

void XMLValue::GetFloats(float* out, unsigned count) const {
    ReadTokens(out, count, [](const std::wstring& token) { return Vantor::ToFloat(token); });
}

void XMLValue::GetInts(int* out, unsigned count) const {
    ReadTokens(out, count, [](const std::wstring& token) { return Vantor::ToInt(token); });
}

// Tokens are cut from the wide form so that a multibyte character counts as one
// character whichever form is current; the state stays as it is.
template <class Number, class Convert>
void XMLValue::ReadTokens(Number* out, unsigned count, Convert convert) const {
    std::wstring converted;
    if (state_ == kNarrowCurrent) Vantor::ToWide(narrow_, converted);
    const std::wstring& text = state_ == kNarrowCurrent ? converted : wide_;
    unsigned stored = 0;
    std::wstring token;
    for (std::size_t i = 0; i <= text.size() && stored < count; ++i) {
        if (i < text.size() && IsTokenCharacter(text[i])) {
            token += text[i];
        } else if (!token.empty()) {
            out[stored++] = convert(token);
            token.clear();
        }
    }
}

}  // namespace GameTools
