// Text helpers shared by every part of the system.
//
// The system's own text is 8-bit, in the ANSI code page (Windows: CP_ACP of the
// user's locale; elsewhere Windows-1252). Unicode travels as UTF-8 and is met only
// at the XML boundary.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tts {

// Removes every leading and trailing character whose code is 0 to 32.
std::string trim(std::string_view text);

// True when the text is empty after trim().
bool isBlank(std::string_view text);

// The system's text-to-integer conversion: optional leading blanks, optional "+"
// or "-", then decimal digits, or a hexadecimal number of at most eight digits
// introduced by "$", "x", "X", "0x" or "0X". Anything else (empty text, trailing
// blank, decimal point, a decimal number outside 32 bits) throws
// Error("'<text>' no es un valor entero válido").
int32_t toInteger(std::string_view text);

// The same conversion without throwing: false when toInteger() would throw.
bool tryToInteger(std::string_view text, int32_t& value);

// The conversion error's message for `text`, in the ANSI code page.
std::string conversionErrorMessage(std::string_view text);

// UTF-8 to the ANSI code page; a character the code page lacks becomes "?".
// Malformed UTF-8 sequences also become "?". Never throws.
std::string ansiFromUtf8(std::string_view utf8);

// The ANSI code page to UTF-8. Never throws.
std::string utf8FromAnsi(std::string_view ansi);

// True when the two texts are equal without regard to letter case, as the
// user's locale compares them: the whole texts, accented letters included ("ñ"
// and "Ñ" are equal, "a" and "á" are not). Windows asks the system
// (CompareStringA); elsewhere Windows-1252's letters are folded by our table.
bool equalIgnoringCase(std::string_view a, std::string_view b);

// ASCII lower-casing, as the command line's run names are compared.
std::string lowerAscii(std::string_view text);

}  // namespace tts
