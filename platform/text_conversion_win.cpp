#include "platform/text_conversion.h"

#include <windows.h>

namespace platform {

namespace {

std::wstring MultiByteToWide(UINT codePage, const char* text) {
  if (!text || !*text) return {};
  int length = MultiByteToWideChar(codePage, 0, text, -1, nullptr, 0);
  if (length <= 1) return {};
  std::wstring wide(static_cast<size_t>(length), L'\0');
  MultiByteToWideChar(codePage, 0, text, -1, &wide[0], length);
  wide.resize(static_cast<size_t>(length - 1));
  return wide;
}

std::string WideToMultiByte(UINT codePage, const wchar_t* wide) {
  if (!wide || !*wide) return {};
  int length = WideCharToMultiByte(codePage, 0, wide, -1, nullptr, 0, nullptr, nullptr);
  if (length <= 1) return {};
  std::string text(static_cast<size_t>(length), '\0');
  WideCharToMultiByte(codePage, 0, wide, -1, &text[0], length, nullptr, nullptr);
  text.resize(static_cast<size_t>(length - 1));
  return text;
}

}  // namespace

std::string Utf8ToDisplayText(const char* utf8) {
  return WideToMultiByte(kDisplayCodePage, MultiByteToWide(CP_UTF8, utf8).c_str());
}

std::string DisplayTextToUtf8(const std::string& gbk) {
  return WideToMultiByte(CP_UTF8, MultiByteToWide(kDisplayCodePage, gbk.c_str()).c_str());
}

std::wstring DisplayTextToWide(const std::string& gbk) {
  return MultiByteToWide(kDisplayCodePage, gbk.c_str());
}

std::string WideToAnsi(const wchar_t* wide) { return WideToMultiByte(CP_ACP, wide); }
std::wstring AnsiToWide(const char* ansi) { return MultiByteToWide(CP_ACP, ansi); }

std::wstring Utf8ToWide(const std::string& utf8) { return MultiByteToWide(CP_UTF8, utf8.c_str()); }
std::string WideToUtf8(const wchar_t* wide) { return WideToMultiByte(CP_UTF8, wide); }

}  // namespace platform
