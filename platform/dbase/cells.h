// One field of one record: its bytes read as text, number or logical value,
// and values written into them. Every function stays inside the field's bytes
// (the layout checked the record against the file) and never throws.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/dbase/codepage.h"
#include "platform/dbase/layout.h"

namespace tts::dbase {

// A field's content as a number: none (a blank field), a value, or bytes that
// are not a number.
struct CellNumber {
  enum Kind { None, Value, Invalid } kind = None;
  double value = 0;
};

// The field as text, as the engine shows it: text without its padding, a
// number plain ("1", "2.5"), a logical value "True" or "False", a date
// "DD/MM/YYYY", a timestamp "DD/MM/YYYY HH:MM:SS"; empty when the field holds
// no value. Digits that are not a number come back as they stand, trimmed.
std::string cellText(const Field& field, const uint8_t* record, CodePage page);

// True when cellText() would return exactly `value` (without building it for
// text fields).
bool cellTextEquals(const Field& field, const uint8_t* record, CodePage page,
                    std::string_view value);

// The field as a number. Logical fields give 1 or 0; dates and timestamps the
// engine's day number (days since 1899-12-30). Text fields are not numbers
// here: the table converts their text.
CellNumber cellNumber(const Field& field, const uint8_t* record);

// The field as a logical value: 1 (true), 0 (false) or -1 (no value). Only for
// logical fields.
int cellLogical(const Field& field, const uint8_t* record);

// A float as the engine writes it as text: up to 15 significant digits, no
// trailing zeros, "E" for exponents ("1", "2.5", "1.01666666666667", "1E-5").
std::string formatNumber(double value);

// Strict decimal number: optional sign, digits with an optional "." and an
// optional exponent; nothing before or after it.
bool parseNumber(std::string_view text, double& value);

// True when values of this field can be written by us.
bool writable(const Field& field);

// Fills the field with "no value" (blanks, or zeros for binary fields).
void writeBlank(const Field& field, uint8_t* record);

// ANSI text, cut to the field's width, converted to `page`, blank-padded.
void writeText(const Field& field, uint8_t* record, std::string_view ansi, CodePage page);

// A number in the field's encoding; false (field untouched) when it does not
// fit: too many digits for the width, outside 32 bits, not finite.
bool writeNumber(const Field& field, uint8_t* record, double value);

// A logical value: "T" or "F".
void writeLogical(const Field& field, uint8_t* record, bool value);

}  // namespace tts::dbase
