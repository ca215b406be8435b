#pragma once
// The C run-time's locale-dependent character functions with the Windows rules.
//
// glibc's functions of the same names differ where the system relies on Windows
// behaviour (the "C" locale maps every byte to the code unit of the same value;
// wchar_t holds UTF-16 units), so the system calls these instead. A Windows
// language name such as "english" selects UTF-8 narrow text with Unicode case
// mapping and classification; numbers always keep the "C" rules.

#include <clocale>
#include <cwchar>
#include <cwctype>

namespace crt {

// Sets (or, with a null name, queries) the locale of a category. "C" and ""
// select the byte-per-unit mode; any other name the UTF-8 mode. LC_NUMERIC never
// changes the decimal point. Returns the name now in force for the category.
const char* setlocale(int category, const char* name);

// Largest byte count of one character in the current narrow code page.
int mb_cur_max();

// One narrow character to one UTF-16 unit. Returns the bytes used, 0 for the
// terminating zero byte, -1 when no valid character starts at `s`.
int mbtowc(wchar_t* out, const char* s, size_t count);

// One UTF-16 unit to narrow bytes; returns the byte count or -1 when the unit has
// no representation in the current code page.
int wctomb(char* out, wchar_t unit);

int toupper(int c);
int tolower(int c);
int isspace(int c);
wint_t towupper(wint_t c);
wint_t towlower(wint_t c);
int iswspace(wint_t c);
// Letters, digits and punctuation; no blanks, line breaks or control characters.
int iswgraph(wint_t c);
int iswalnum(wint_t c);

}  // namespace crt

// Wide parsing functions that the Windows run-time has and glibc lacks.
int _wtoi(const wchar_t* text);
double _wtof(const wchar_t* text);
