#pragma once
#include <string>

// The program's three narrow encodings and UTF-16: UTF-8 (server replies, URLs), code page 936
// (the program's Chinese texts and the catalogue's names prepared for display) and the
// system's ANSI code page (registry and UI boundaries). A null or empty text, or one the
// system cannot convert, gives empty text.
namespace platform {

// The code page of the program's Chinese texts, whatever the system's ANSI code page is.
inline constexpr unsigned kDisplayCodePage = 936;

// UTF-8 (from the server) to code page 936, through UTF-16.
std::string Utf8ToDisplayText(const char* utf8);
inline std::string Utf8ToDisplayText(const std::string& utf8) { return Utf8ToDisplayText(utf8.c_str()); }
// Code page 936 back to UTF-8; used where display texts go back out to the server or a file.
std::string DisplayTextToUtf8(const std::string& gbk);
// Code page 936 to UTF-16 for the UI: the same text on a system of any ANSI code page.
std::wstring DisplayTextToWide(const std::string& gbk);

std::string WideToAnsi(const wchar_t* wide);
std::wstring AnsiToWide(const char* ansi);

std::wstring Utf8ToWide(const std::string& utf8);
std::string WideToUtf8(const wchar_t* wide);

}  // namespace platform
