// Code pages of dBase text: which one a table declares, and conversion between
// it and the system's 8-bit ANSI text (Windows-1252).
//
// Tables in an OEM code page (437, 850) are converted byte by byte; a character
// that Windows-1252 lacks becomes "?". Never throws.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace tts::dbase {

enum class CodePage { Ansi1252, Oem437, Oem850 };

// The code page of a language-driver byte (header byte 29); unknown bytes and
// 0 ("none declared") are taken as Windows-1252, the engine's own default.
CodePage codePageOfDriverByte(uint8_t driver);

// The code page of a level-7 language-driver name ("DBWINWE0", "DB850ES0"...);
// unknown or empty names are taken as Windows-1252.
CodePage codePageOfDriverName(std::string_view name);

// Number of the code page (1252, 437, 850), for messages and documentation.
int codePageNumber(CodePage page);

// Appends `size` bytes of table text in `page` to `out` as ANSI text.
void appendAnsi(std::string& out, const uint8_t* bytes, size_t size, CodePage page);

// The table byte for one ANSI character; "?" when `page` lacks it.
uint8_t tableByteOf(char ansi, CodePage page);

}  // namespace tts::dbase
