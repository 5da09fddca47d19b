// ANSI code page conversions on Windows: the platform's own, with CP_ACP.
#include <windows.h>

#include <string>

#include "platform/text.h"
#include "platform/wide_win.h"

namespace tts {

namespace {

std::wstring wide(UINT codePage, std::string_view text) {
  if (text.empty())
    return {};
  int n = MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring out(static_cast<size_t>(n), L'\0');
  MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), out.data(), n);
  return out;
}

std::string narrow(UINT codePage, const std::wstring& text) {
  if (text.empty())
    return {};
  // No "best fit": a character the code page lacks becomes "?", never a
  // look-alike letter.
  const bool utf8 = codePage == CP_UTF8;
  const char* defaultChar = utf8 ? nullptr : "?";
  const DWORD flags = utf8 ? 0 : WC_NO_BEST_FIT_CHARS;
  int n = WideCharToMultiByte(codePage, flags, text.data(), static_cast<int>(text.size()), nullptr,
                              0, defaultChar, nullptr);
  std::string out(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(codePage, flags, text.data(), static_cast<int>(text.size()), out.data(), n,
                      defaultChar, nullptr);
  return out;
}

}  // namespace

std::wstring wideFromUtf8(std::string_view utf8) {
  return wide(CP_UTF8, utf8);
}

std::wstring wideFromAnsi(std::string_view ansi) {
  return wide(CP_ACP, ansi);
}

std::string utf8FromWide(const wchar_t* text, size_t length) {
  return narrow(CP_UTF8, std::wstring(text, length));
}

std::string ansiFromUtf8(std::string_view utf8) {
  // A character beyond the 16-bit range arrives as a surrogate pair; it is one
  // character, so it becomes one "?".
  std::wstring text = wide(CP_UTF8, utf8);
  std::wstring single;
  single.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    wchar_t c = text[i];
    if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
        text[i + 1] <= 0xDFFF) {
      single += L'?';
      ++i;
    } else {
      single += c;
    }
  }
  return narrow(CP_ACP, single);
}

std::string utf8FromAnsi(std::string_view ansi) {
  return narrow(CP_UTF8, wide(CP_ACP, ansi));
}

bool equalIgnoringCase(std::string_view a, std::string_view b) {
  // With explicit lengths, so inner NULs count and two empty texts are equal.
  // A failed call (0) counts as different.
  return CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.data(), static_cast<int>(a.size()),
                        b.data(), static_cast<int>(b.size())) == CSTR_EQUAL;
}

}  // namespace tts
