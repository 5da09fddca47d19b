#include "app/mask_rules.h"

namespace tts::app::mask {

namespace {

bool isDigit(char c) {
  return c >= '0' && c <= '9';
}

// Empties the digit places of the selection; the caret goes to its start.
State cleared(State s) {
  for (size_t i = s.selStart; i < s.selEnd && i < kLength; ++i) {
    if (i != kColon)
      s.text[i] = kBlank;
  }
  s.selEnd = s.selStart;
  return s;
}

State normalised(const State& state) {
  State s{editText(state.text), state.selStart, state.selEnd};
  if (s.selStart > kLength)
    s.selStart = kLength;
  if (s.selEnd > kLength)
    s.selEnd = kLength;
  if (s.selEnd < s.selStart)
    s.selEnd = s.selStart;
  return s;
}

State caretAt(State s, size_t place) {
  s.selStart = s.selEnd = place;
  return s;
}

}  // namespace

std::string editText(std::string_view text) {
  std::string edit(kLength, kBlank);
  for (size_t i = 0; i < kLength && i < text.size(); ++i) {
    if (i != kColon && isDigit(text[i]))
      edit[i] = text[i];
  }
  edit[kColon] = ':';
  return edit;
}

std::string valueText(std::string_view edit) {
  std::string value(edit);
  for (char& c : value) {
    if (c == kBlank)
      c = ' ';
  }
  return value;
}

bool isComplete(std::string_view edit) {
  return edit.size() == kLength && (isDigit(edit[0]) || edit[0] == kBlank) && isDigit(edit[1]) &&
         edit[kColon] == ':' && isDigit(edit[3]) && isDigit(edit[4]);
}

std::optional<State> type(const State& state, char c) {
  State s = cleared(normalised(state));
  size_t place = s.selStart;
  if (isDigit(c)) {
    if (place == kColon)
      ++place;
    if (place >= kLength)
      return std::nullopt;
    s.text[place] = c;
    ++place;
    if (place == kColon)
      ++place;
    return caretAt(s, place);
  }
  if (c == ':') {
    // Typed after two hour digits, the ":" is simply passed over.
    if (place > kColon + 1)
      return std::nullopt;
    if (s.text[1] == kBlank && isDigit(s.text[0])) {
      s.text[1] = s.text[0];
      s.text[0] = kBlank;
    }
    return caretAt(s, kColon + 1);
  }
  if (c == ' ' && place == 0) {
    s.text[0] = kBlank;
    return caretAt(s, 1);
  }
  return std::nullopt;
}

std::optional<State> backspace(const State& state) {
  State s = normalised(state);
  if (s.selStart != s.selEnd)
    return cleared(s);
  if (s.selStart == 0)
    return std::nullopt;
  size_t place = s.selStart - 1;
  if (place == kColon)
    --place;
  s.text[place] = kBlank;
  return caretAt(s, place);
}

std::optional<State> erase(const State& state) {
  State s = normalised(state);
  if (s.selStart != s.selEnd)
    return cleared(s);
  size_t place = s.selStart;
  if (place == kColon)
    ++place;
  if (place >= kLength)
    return std::nullopt;
  s.text[place] = kBlank;
  return caretAt(s, place);
}

}  // namespace tts::app::mask
