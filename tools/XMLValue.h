#pragma once
// The text of an XML attribute or element, kept in narrow and wide form. Only one
// form may be current; the other is converted on demand with the kernel's
// ToNarrow / ToWide (current C locale) and then both stay current until the next
// change. Numbers, flags and short number lists are read straight from the text.

#include <string>

#include "engine/kernel/Vector2.h"
#include "engine/kernel/Vector2i.h"
#include "engine/kernel/Vector4.h"

namespace GameTools {

class XMLValue {
public:
    // Which form of the text is current.
    static constexpr int kNarrowCurrent = 0;
    static constexpr int kWideCurrent = 1;
    static constexpr int kBothCurrent = 2;

    // Empty text, both forms current.
    XMLValue() = default;
    explicit XMLValue(const std::wstring& text);
    virtual ~XMLValue() = default;
    XMLValue(const XMLValue&) = default;
    XMLValue& operator=(const XMLValue&) = default;

    void SetString(const std::string& text);
    void SetWideString(const std::wstring& text);
    // Each converts the other form once when only that one is current.
    const std::string& GetString() const;
    const std::wstring& GetWideString() const;
    int GetState() const { return state_; }

    // Leading decimal integer (blanks skipped, optional sign, saturated), 0 without one.
    int GetInt() const;
    // GetInt() != 0: only numbers count, so "true" is false.
    bool GetBool() const;
    float GetFloat() const;
    // Numbers read as the first tokens of the text (see GetFloats), the rest 0.
    Vantor::Vector2 GetFloat2() const;
    Vantor::Vector4 GetFloat4() const;
    Vantor::Vector2i GetInt2() const;
    // The text cut into tokens (runs of letters, digits, '+', '-' and '.'); the first
    // `count` tokens are converted into out[0..count-1]. Outputs without a token keep
    // what they held.
    void GetFloats(float* out, unsigned count) const;
    void GetInts(int* out, unsigned count) const;

private:
    // The numeric readers take the wide text only while it alone is current.
    bool ReadsWide() const { return state_ == kWideCurrent; }
    template <class Number, class Convert>
    void ReadTokens(Number* out, unsigned count, Convert convert) const;

    // Conversion caches: the getters fill the form that is not current.
    mutable int state_ = kBothCurrent;
    mutable std::string narrow_;
    mutable std::wstring wide_;
};

}  // namespace GameTools
