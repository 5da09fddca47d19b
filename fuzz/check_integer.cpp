// The whole-number conversion's model, written from its grammar: leading
// blanks, an optional sign, then decimal digits, or one of the hexadecimal
// prefixes "$", "x", "X", "0x", "0X" and hexadecimal digits of at most eight
// significant digits (leading zeros do not count), read as the 32 bits of a
// signed number.
#include <optional>
#include <string>

#include "fuzz/checks.h"
#include "platform/error.h"
#include "platform/text.h"

namespace tts::fuzz {
namespace {

int hexValue(char c) {
  if (c >= '0' && c <= '9')
    return c - '0';
  if (c >= 'a' && c <= 'f')
    return c - 'a' + 10;
  if (c >= 'A' && c <= 'F')
    return c - 'A' + 10;
  return -1;
}

// The model: decimal values are kept exactly (as a digit string compared with
// the limits), hexadecimal ones as the 32 bits of the number read as signed.
std::optional<int32_t> model(std::string_view text) {
  size_t i = 0;
  while (i < text.size() && text[i] == ' ')
    ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-'))
    negative = text[i++] == '-';
  std::string_view rest = text.substr(i);

  size_t prefix = 0;
  if (rest.size() >= 2 && rest[0] == '0' && (rest[1] == 'x' || rest[1] == 'X')) {
    prefix = 2;
  } else if (!rest.empty() && (rest[0] == '$' || rest[0] == 'x' || rest[0] == 'X')) {
    prefix = 1;
  }
  if (prefix > 0) {
    std::string_view digits = rest.substr(prefix);
    if (digits.empty())
      return std::nullopt;
    size_t significant = 0;
    uint64_t value = 0;
    bool leading = true;
    for (char c : digits) {
      const int d = hexValue(c);
      if (d < 0)
        return std::nullopt;
      if (leading && d == 0)
        continue;
      leading = false;
      if (++significant > 8)
        return std::nullopt;
      value = value * 16 + static_cast<uint64_t>(d);
    }
    uint32_t bits = static_cast<uint32_t>(value);
    if (negative)
      bits = ~bits + 1u;
    return static_cast<int32_t>(bits);
  }

  if (rest.empty())
    return std::nullopt;
  std::string digits;
  for (char c : rest) {
    if (c < '0' || c > '9')
      return std::nullopt;
    if (digits.empty() && c == '0')
      continue;
    digits += c;
  }
  const std::string limit = negative ? "2147483648" : "2147483647";
  if (digits.size() > limit.size() || (digits.size() == limit.size() && digits > limit)) {
    return std::nullopt;
  }
  int64_t value = 0;
  for (char c : digits)
    value = value * 10 + (c - '0');
  return static_cast<int32_t>(negative ? -value : value);
}

}  // namespace

std::string checkToInteger(std::string_view text) {
  const std::optional<int32_t> expected = model(text);
  int32_t value = 0;
  const bool accepted = tryToInteger(text, value);
  if (accepted != expected.has_value()) {
    return accepted ? "tryToInteger accepts a text the grammar refuses"
                    : "tryToInteger refuses a whole number";
  }
  if (accepted && value != *expected)
    return "tryToInteger gives another value";
  try {
    const int32_t thrown = toInteger(text);
    if (!expected)
      return "toInteger accepts a text the grammar refuses";
    if (thrown != *expected)
      return "toInteger gives another value";
  } catch (const Error& e) {
    if (expected)
      return "toInteger refuses a whole number";
    // what() is a C string: a text holding a NUL shows up to it.
    if (std::string(e.what()) != conversionErrorMessage(text).c_str()) {
      return "toInteger refuses with another message";
    }
  }
  return "";
}

}  // namespace tts::fuzz
