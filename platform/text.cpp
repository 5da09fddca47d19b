#include "platform/text.h"

#include <cstdint>

#include "platform/error.h"

namespace tts {

namespace {

bool isTrimmable(char c) {
  return static_cast<unsigned char>(c) <= 32;
}

int hexDigit(char c) {
  if (c >= '0' && c <= '9')
    return c - '0';
  if (c >= 'a' && c <= 'f')
    return c - 'a' + 10;
  if (c >= 'A' && c <= 'F')
    return c - 'A' + 10;
  return -1;
}

}  // namespace

std::string trim(std::string_view text) {
  size_t begin = 0;
  size_t end = text.size();
  while (begin < end && isTrimmable(text[begin]))
    ++begin;
  while (end > begin && isTrimmable(text[end - 1]))
    --end;
  return std::string(text.substr(begin, end - begin));
}

bool isBlank(std::string_view text) {
  for (char c : text) {
    if (!isTrimmable(c))
      return false;
  }
  return true;
}

std::string conversionErrorMessage(std::string_view text) {
  return "'" + std::string(text) + "' no es un valor entero válido";
}

bool tryToInteger(std::string_view text, int32_t& result) {
  size_t i = 0;
  while (i < text.size() && text[i] == ' ')
    ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }
  std::string_view rest = text.substr(i);
  auto fail = [] { return false; };

  size_t digitsFrom = 0;
  bool hex = false;
  if (!rest.empty() && (rest[0] == '$' || rest[0] == 'x' || rest[0] == 'X')) {
    hex = true;
    digitsFrom = 1;
  } else if (rest.size() >= 2 && rest[0] == '0' && (rest[1] == 'x' || rest[1] == 'X')) {
    hex = true;
    digitsFrom = 2;
  }
  std::string_view digits = rest.substr(digitsFrom);
  if (digits.empty())
    return fail();

  if (hex) {
    // At most eight significant digits: the bits of a 32-bit number, read as
    // signed. Leading zeros do not count.
    size_t significant = digits.find_first_not_of('0');
    if (significant != std::string_view::npos && digits.size() - significant > 8)
      return fail();
    uint32_t value = 0;
    for (char c : digits) {
      int d = hexDigit(c);
      if (d < 0)
        return fail();
      value = value * 16u + static_cast<uint32_t>(d);
    }
    result = static_cast<int32_t>(negative ? 0u - value : value);
    return true;
  }

  int64_t value = 0;
  for (char c : digits) {
    if (c < '0' || c > '9')
      return fail();
    value = value * 10 + (c - '0');
    if (value > 2147483648LL)
      return fail();
  }
  if (negative)
    value = -value;
  if (value > INT32_MAX || value < INT32_MIN)
    return fail();
  result = static_cast<int32_t>(value);
  return true;
}

int32_t toInteger(std::string_view text) {
  int32_t value = 0;
  if (!tryToInteger(text, value))
    throw Error(conversionErrorMessage(text));
  return value;
}

std::string lowerAscii(std::string_view text) {
  std::string out(text);
  for (char& c : out) {
    if (c >= 'A' && c <= 'Z')
      c = static_cast<char>(c - 'A' + 'a');
  }
  return out;
}

}  // namespace tts
