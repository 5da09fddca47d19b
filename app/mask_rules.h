// The rules of the start-time edit's mask "!90:00;1;_", as pure functions.
//
// Five places: an optional hour digit, a required hour digit, the fixed ":",
// two required minute digits. While editing, an empty place shows "_". The
// text read from the edit shows an empty place as a blank, so an hour typed
// with one digit reads " 8:00" (the optional digit, on the left, left out).
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tts::app::mask {

inline constexpr size_t kLength = 5;  // places in the mask
inline constexpr size_t kColon = 2;   // place of the fixed ":"
inline constexpr char kBlank = '_';   // an empty place while editing

// What the edit holds while the user edits: its five places and the selection
// [selStart, selEnd) (a caret when equal).
struct State {
  std::string text;
  size_t selStart = 0;
  size_t selEnd = 0;
};

// Any text laid out on the mask's five places: digits stay in digit places,
// anything else there becomes a blank, the ":" is put in its place.
std::string editText(std::string_view text);

// The edit's text as the program reads it: empty places as blanks.
std::string valueText(std::string_view edit);

// True when every required place holds a digit and the optional one holds a
// digit or is empty.
bool isComplete(std::string_view edit);

// Typing `c`: a digit overwrites the next digit place (the selection is
// emptied first) and the caret moves past it and past the ":"; a ":" typed in
// the hour (or just after it) moves a single hour digit to the right (" 8")
// and goes on to the minutes; a blank empties the optional place. Nothing else is accepted
// (nothing is returned; the edit beeps).
std::optional<State> type(const State& state, char c);

// Backspace: empties the selection, or the digit place before the caret.
std::optional<State> backspace(const State& state);

// Delete: empties the selection, or the digit place at the caret.
std::optional<State> erase(const State& state);

}  // namespace tts::app::mask
