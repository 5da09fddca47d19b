// The promises the fuzz targets hold the services to, one check per entry
// point. Each feeds the bytes to the entry point, reads everything it gives in
// every way the system reads it, and returns the promise that was broken, or
// an empty text. The fuzzers and the regression tests (tests/regress) share
// them, so a case found by fuzzing is replayed exactly.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace tts::fuzz {

// parseTable() on the bytes: throws tts::Error, or gives a layout under which
// every record and field stays inside the bytes; every cell is then read.
std::string checkLayout(std::span<const uint8_t> bytes);

// The bytes as FUZZ.DBF in `folder`, opened as a table: open() throws
// tts::Error, or every field of every row reads as text (never refused), as a
// number and as a logical value (refused only with tts::Error), and a filter
// on the first field passes exactly the rows holding the first row's value.
std::string checkTable(std::span<const uint8_t> bytes, const std::string& folder);

// The bytes as an interchange document in `folder`: loadDocument() throws
// tts::Error, or every value and name of every record of every list reads,
// trimmed, a position past a record's values is refused, and the result
// document is built and saved (or refused with tts::Error) and loads again,
// holding the value written into it.
std::string checkRecords(std::span<const uint8_t> bytes, const std::string& folder);

// toInteger() and tryToInteger() against a model of the conversion's grammar:
// the same texts accepted, the same values, the conversion message otherwise.
std::string checkToInteger(std::string_view text);

}  // namespace tts::fuzz
