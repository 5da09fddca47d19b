// UTF-16 at the Windows boundary (COM, wide Win32 calls). Windows builds only.
#pragma once

#include <string>
#include <string_view>

namespace tts {

// UTF-8 to UTF-16; a malformed sequence becomes U+FFFD.
std::wstring wideFromUtf8(std::string_view utf8);

// The ANSI code page (CP_ACP) to UTF-16, as Windows converts paths.
std::wstring wideFromAnsi(std::string_view ansi);

// UTF-16 (`length` units, no terminator needed) to UTF-8.
std::string utf8FromWide(const wchar_t* text, size_t length);

}  // namespace tts
