// The filter expressions the table service understands: FIELD= 'value', the
// value in single quotes with any quote inside it doubled. A row passes when
// the field's text (as the table reads it) equals the value exactly.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tts::dbase {

struct FilterExpression {
  std::string field;
  std::string value;
};

// The parts of `expression`, or nothing when it has another form. Blanks are
// allowed around the name, the "=" and the quoted value.
std::optional<FilterExpression> parseFilter(std::string_view expression);

}  // namespace tts::dbase
