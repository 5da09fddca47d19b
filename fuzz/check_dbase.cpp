#include <string>
#include <vector>

#include "fuzz/checks.h"
#include "platform/dbase/cells.h"
#include "platform/dbase/layout.h"
#include "platform/dbase/table.h"
#include "platform/error.h"
#include "platform/files.h"

namespace tts::fuzz {
namespace {

// Runs a read that may refuse with tts::Error; true when it did.
template <typename F>
bool refuses(F&& read) {
  try {
    read();
    return false;
  } catch (const Error&) {
    return true;
  }
}

std::string quotedForFilter(const std::string& value) {
  std::string quoted = "'";
  for (char c : value) {
    if (c == '\'')
      quoted += '\'';
    quoted += c;
  }
  return quoted + "'";
}

}  // namespace

std::string checkLayout(std::span<const uint8_t> bytes) {
  dbase::Layout layout;
  if (refuses([&] { layout = dbase::parseTable(bytes, "FUZZ.DBF"); }))
    return "";
  const uint64_t end =
      uint64_t{layout.headerLength} + uint64_t{layout.recordCount} * uint64_t{layout.recordLength};
  if (end > bytes.size())
    return "the records reach past the bytes";
  for (const dbase::Field& field : layout.fields) {
    if (field.offset < 1)
      return "a field lies over the flag byte";
    if (field.info.width < 0)
      return "a field has a negative width";
    if (uint64_t{field.offset} + static_cast<uint64_t>(field.info.width) > layout.recordLength) {
      return "a field reaches past its record";
    }
  }
  for (uint32_t r = 0; r < layout.recordCount; ++r) {
    const uint8_t* record = bytes.data() + layout.headerLength + uint64_t{r} * layout.recordLength;
    for (const dbase::Field& field : layout.fields) {
      const std::string text = dbase::cellText(field, record, layout.codePage);
      if (!dbase::cellTextEquals(field, record, layout.codePage, text)) {
        return "cellTextEquals disagrees with cellText";
      }
      (void)dbase::cellNumber(field, record);
      if (field.encoding == dbase::Encoding::Logical)
        (void)dbase::cellLogical(field, record);
    }
  }
  return "";
}

std::string checkTable(std::span<const uint8_t> bytes, const std::string& folder) {
  files::writeAll(files::join(folder, "FUZZ.DBF"),
                  std::vector<uint8_t>(bytes.begin(), bytes.end()));
  dbase::Table table(folder, "FUZZ", dbase::Access::Shared);
  if (refuses([&] { table.open(); }))
    return "";
  const int fields = static_cast<int>(table.fields().size());
  std::string firstValue;
  size_t rows = 0;
  for (table.first(); !table.eof(); table.next(), ++rows) {
    for (int f = 0; f < fields; ++f) {
      std::string text;
      if (refuses([&] { text = table.asString(f); }))
        return "asString refused a field of a row";
      if (f == 0 && rows == 0)
        firstValue = text;
      refuses([&] { (void)table.asInteger(f); });
      refuses([&] { (void)table.asFloat(f); });
      refuses([&] { (void)table.asBoolean(f); });
    }
  }
  if (rows != table.recordCount())
    return "the rows visited are not the rows counted";
  if (rows > 0 && fields > 0) {
    const std::string filter = table.fields()[0].name + "= " + quotedForFilter(firstValue);
    const bool refused = refuses([&] {
      table.setFilter(filter);
      table.setFiltered(true);
    });
    if (!refused) {
      size_t passing = 0;
      for (; !table.eof(); table.next(), ++passing) {
        if (table.asString(0) != firstValue)
          return "a row passed the filter without its value";
      }
      if (passing == 0)
        return "the filter lost the row it was made from";
    }
  }
  table.close();
  return "";
}

}  // namespace tts::fuzz
