#pragma once
// Text helpers used by every layer: parsing numbers and flags, case, trimming,
// replacing, narrow/wide conversion, number formatting and the modal message box.
//
// Narrow text is in the run-time's current multibyte code page, wide text holds
// UTF-16 units. Classification, case mapping and conversion follow the locale set
// through crt::setlocale; numbers always use "." as the decimal separator.

#include <string>

namespace Vantor {

// Parsing: leading blanks and a sign are accepted, parsing stops at the first
// character that does not fit, a text without a number (or a null pointer) gives 0.
float ToFloat(const char* text);
float ToFloat(const wchar_t* text);
float ToFloat(const std::string& text);
float ToFloat(const std::wstring& text);

// Radix 0 lets a "0x" or "0" prefix choose. Saturates to the 32-bit range.
int ToInt(const char* text, int radix = 10);
int ToInt(const wchar_t* text, int radix = 10);
int ToInt(const std::string& text, int radix = 10);
int ToInt(const std::wstring& text, int radix = 10);

// A minus sign negates modulo 2^32; values beyond 32 bits saturate to 0xFFFFFFFF.
unsigned int ToUnsigned(const char* text, int radix = 10);
unsigned int ToUnsigned(const std::string& text, int radix = 10);

// True when the text starts with a non-zero decimal number.
bool ToBool(const char* text);
bool ToBool(const wchar_t* text);
bool ToBool(const std::string& text);
bool ToBool(const std::wstring& text);

// Case mapping, one character (byte or unit) at a time.
void MakeUpper(std::string& text);
void MakeUpper(std::wstring& text);
void MakeLower(std::string& text);
void MakeLower(std::wstring& text);
std::string ToUpper(const std::string& text);
std::string ToLower(const std::string& text);
std::wstring ToLower(const std::wstring& text);

// Trimming of blanks (isspace / iswspace).
void TrimRight(std::string& text);
void TrimRight(std::wstring& text);
void TrimLeft(std::string& text);
void TrimLeft(std::wstring& text);
// Removes leading copies of one character.
void TrimLeft(std::string& text, char character);
void Trim(std::string& text);
std::string TrimmedRight(const std::string& text);
std::wstring TrimmedRight(const std::wstring& text);
std::wstring TrimmedLeft(const std::wstring& text);
std::wstring Trimmed(const std::wstring& text);

// Replaces every occurrence; the search goes on after the inserted text, so the
// replacement is never searched again. An empty search text changes nothing.
void ReplaceAll(std::string& text, const std::string& search, const std::string& replacement);
void ReplaceAll(std::wstring& text, const std::wstring& search, const std::wstring& replacement);
std::wstring Replaced(const std::wstring& text, const std::wstring& search, const std::wstring& replacement);
void RemoveAll(std::string& text, const std::string& search);
std::wstring Removed(const std::wstring& text, const std::wstring& search);
// The same, with the search text compared without regard to case.
void ReplaceAllNoCase(std::wstring& text, const std::wstring& search, const std::wstring& replacement);
std::wstring ReplacedNoCase(const std::wstring& text, const std::wstring& search, const std::wstring& replacement);

// Conversion up to the first zero character; characters without a representation
// in the other form are dropped.
void ToWide(const std::string& text, std::wstring& out);
std::wstring ToWide(const std::string& text);
void ToNarrow(const std::wstring& text, std::string& out);
std::string ToNarrow(const std::wstring& text);
// A file name as log lines show it: narrow text between double quotes.
std::string QuotedPath(const std::wstring& path);

// Number formatting: floats with a fixed count of decimals, integers with at least
// that many digits (zero-padded after the sign; 0 means plain).
std::string ToString(bool value);
std::string ToString(float value, int decimals);
std::string ToString(unsigned int value, int digits);
std::string ToString(int value, int digits);
std::wstring ToWideString(float value, int decimals);
std::wstring ToWideString(unsigned int value, int digits);
std::wstring ToWideString(int value, int digits);

// Modal message box without an owner window.
// icon: 0 information, 1 error, 2 question, other none.
// buttons: 0 OK, 1 OK/Cancel, 2 Yes/No, 3 Yes/No/Cancel, other OK.
// Result: 0 for OK or Yes, 1 for Cancel (OK/Cancel) or No, 2 for Cancel (Yes/No/Cancel).
int ShowMessageBox(const std::wstring& text, const std::wstring& caption, int icon, int buttons);

}  // namespace Vantor
