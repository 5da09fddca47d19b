#include "platform/dbase/filter.h"

namespace tts::dbase {

namespace {

bool isBlank(char c) {
  return c == ' ' || c == '\t';
}

bool isNameChar(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_';
}

}  // namespace

std::optional<FilterExpression> parseFilter(std::string_view expression) {
  size_t i = 0;
  const size_t n = expression.size();
  auto skipBlanks = [&] {
    while (i < n && isBlank(expression[i]))
      ++i;
  };
  FilterExpression result;
  skipBlanks();
  while (i < n && isNameChar(expression[i]))
    result.field += expression[i++];
  if (result.field.empty())
    return std::nullopt;
  skipBlanks();
  if (i >= n || expression[i] != '=')
    return std::nullopt;
  ++i;
  skipBlanks();
  if (i >= n || expression[i] != '\'')
    return std::nullopt;
  ++i;
  for (;;) {
    if (i >= n)
      return std::nullopt;  // no closing quote
    char c = expression[i++];
    if (c != '\'') {
      result.value += c;
      continue;
    }
    if (i < n && expression[i] == '\'') {
      result.value += '\'';
      ++i;
      continue;
    }
    break;
  }
  skipBlanks();
  if (i != n)
    return std::nullopt;
  return result;
}

}  // namespace tts::dbase
