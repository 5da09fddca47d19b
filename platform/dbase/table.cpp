#include "platform/dbase/table.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <optional>
#include <unordered_map>

#include "platform/dbase/cells.h"
#include "platform/dbase/filter.h"
#include "platform/dbase/layout.h"
#include "platform/dbase/messages.h"
#include "platform/dbase/table_file.h"
#include "platform/error.h"
#include "platform/files.h"
#include "platform/text.h"

namespace tts::dbase {

namespace {

constexpr size_t kNoField = static_cast<size_t>(-1);

char upper(char c) {
  return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

bool sameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size())
    return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (upper(a[i]) != upper(b[i]))
      return false;
  }
  return true;
}

std::string tableFileName(std::string name) {
  if (files::namePart(name).find('.') == std::string::npos)
    name += ".DBF";
  return name;
}

// Floats of these fields lose digits on disk, so a row of this session keeps
// the value as set beside its bytes.
bool keepsExact(const Field& field) {
  return field.encoding == Encoding::Digits && field.info.decimals > 0;
}

std::string fieldShape(const Field& field) {
  std::string shape = std::string(1, field.info.type) + " " + std::to_string(field.info.width);
  if (field.encoding == Encoding::Digits)
    shape += "." + std::to_string(field.info.decimals);
  return shape;
}

std::string floatConversionMessage(std::string_view text) {
  return "'" + std::string(text) + "' no es un valor de coma flotante válido";
}

}  // namespace

struct Table::Impl {
  std::string folder;
  std::string fileName;
  Access access;
  std::string path;
  std::string label;  // the path as messages show it

  std::unique_ptr<TableFile> file;
  std::vector<uint8_t> bytes;  // the file as read at open
  Layout layout;
  std::vector<FieldInfo> infos;
  size_t diskRows = 0;
  size_t deletedRows = 0;
  std::vector<uint8_t> added;                  // rows posted since open, encoded
  std::unordered_map<uint64_t, double> exact;  // (row, field) -> float as set

  size_t current = 0;  // row index; rowCount() at end-of-file

  // The row being appended.
  bool editing = false;
  bool modified = false;
  std::vector<uint8_t> scratch;
  std::vector<std::optional<double>> scratchExact;
  std::vector<bool> overflow;

  std::string filterText;
  std::optional<FilterExpression> filter;
  bool filtered = false;
  size_t filterField = kNoField;

  // The rows on disk grouped by the text of one field, built at the first
  // filtered move and kept while the table stays open (rows on disk never
  // change then; posted rows are tested one by one). A filter that changes for
  // every teacher then costs a look-up instead of a pass over the table.
  mutable size_t indexedField = kNoField;
  mutable std::unordered_map<std::string, std::vector<size_t>> rowsByText;

  Impl(std::string folderIn, std::string name, Access accessIn)
      : folder(std::move(folderIn)), fileName(tableFileName(std::move(name))), access(accessIn) {
    path = files::findEntry(folder, fileName);
    label = files::pathForMessage(path);
  }

  bool isOpen() const { return file != nullptr; }

  void requireOpen() const {
    if (!isOpen())
      throw Error(messages::notOpen(label));
  }

  size_t fieldCount() const { return layout.fields.size(); }
  size_t rowCount() const { return diskRows + added.size() / layout.recordLength; }

  const uint8_t* record(size_t row) const {
    if (row < diskRows)
      return bytes.data() + layout.headerLength + row * layout.recordLength;
    return added.data() + (row - diskRows) * layout.recordLength;
  }

  uint64_t exactKey(size_t row, size_t index) const { return row * fieldCount() + index; }

  const Field& field(int index) const {
    if (index < 0 || static_cast<size_t>(index) >= fieldCount()) {
      throw Error(messages::noField(label, "#" + std::to_string(index)));
    }
    return layout.fields[static_cast<size_t>(index)];
  }

  int indexOf(std::string_view name) const { return indexIn(layout, name); }

  int indexIn(const Layout& where, std::string_view name) const {
    for (size_t i = 0; i < where.fields.size(); ++i) {
      if (sameName(where.fields[i].info.name, name))
        return static_cast<int>(i);
    }
    throw Error(messages::noField(label, name));
  }

  // The current row's bytes and, for rows of this session, the float as set.
  struct Cell {
    const uint8_t* record;
    std::optional<double> exact;
  };

  Cell cell(int index) const {
    requireOpen();
    const Field& f = field(index);
    const auto i = static_cast<size_t>(index);
    if (editing)
      return {scratch.data(), keepsExact(f) ? scratchExact[i] : std::nullopt};
    if (current >= rowCount())
      throw Error(messages::noCurrentRow(label));
    Cell c{record(current), std::nullopt};
    if (current >= diskRows && !exact.empty() && keepsExact(f)) {
      auto found = exact.find(exactKey(current, i));
      if (found != exact.end())
        c.exact = found->second;
    }
    return c;
  }

  std::string text(int index) const {
    Cell c = cell(index);
    if (c.exact)
      return formatNumber(*c.exact);
    return cellText(field(index), c.record, layout.codePage);
  }

  // The field as a number, converting text as the engine converts it.
  double number(int index) const {
    Cell c = cell(index);
    if (c.exact)
      return *c.exact;
    const Field& f = field(index);
    if (f.encoding == Encoding::Text) {
      std::string t = trim(cellText(f, c.record, layout.codePage));
      if (t.empty())
        return 0;
      double value = 0;
      if (!parseNumber(t, value)) {
        throw Error(messages::badValue(label, f.info.name, floatConversionMessage(t)));
      }
      return value;
    }
    CellNumber n = cellNumber(f, c.record);
    if (n.kind == CellNumber::Invalid) {
      throw Error(messages::badValue(
          label, f.info.name,
          "'" + cellText(f, c.record, layout.codePage) + "' no es un valor numérico válido"));
    }
    return n.kind == CellNumber::Value ? n.value : 0;
  }

  int32_t integer(int index) const {
    const Field& f = field(index);
    if (f.encoding == Encoding::Text) {
      Cell c = cell(index);
      std::string t = cellText(f, c.record, layout.codePage);
      if (t.empty())
        return 0;
      int32_t value = 0;
      if (!tryToInteger(t, value)) {
        throw Error(messages::badValue(label, f.info.name, conversionErrorMessage(t)));
      }
      return value;
    }
    double value = std::nearbyint(number(index));
    if (value < -2147483648.0 || value > 2147483647.0) {
      throw Error(messages::badValue(
          label, f.info.name,
          "el valor " + formatNumber(value) + " no cabe en un entero de 32 bits"));
    }
    return static_cast<int32_t>(value);
  }

  bool boolean(int index) const {
    const Field& f = field(index);
    if (f.encoding == Encoding::Logical)
      return cellLogical(f, cell(index).record) == 1;
    if (f.encoding == Encoding::Text) {
      std::string t = text(index);
      if (t.empty())
        return false;
      switch (t[0]) {
        case 'T':
        case 't':
        case 'Y':
        case 'y':
          return true;
        case 'F':
        case 'f':
        case 'N':
        case 'n':
          return false;
        default:
          throw Error(
              messages::badValue(label, f.info.name, "'" + t + "' no es un valor lógico válido"));
      }
    }
    return number(index) != 0;
  }

  // Filter and deletion: whether a row is visible.
  bool passes(size_t row) const {
    const uint8_t* r = record(row);
    if (row < diskRows && r[0] == kDeletedRecord)
      return false;
    if (filterField == kNoField)
      return true;
    const Field& f = layout.fields[filterField];
    if (row >= diskRows && !exact.empty() && keepsExact(f)) {
      auto found = exact.find(exactKey(row, filterField));
      if (found != exact.end())
        return formatNumber(found->second) == filter->value;
    }
    return cellTextEquals(f, r, layout.codePage, filter->value);
  }

  // The visible rows on disk whose filter field reads as the filter's value,
  // in record order.
  const std::vector<size_t>& diskRowsPassing() const {
    if (indexedField != filterField) {
      rowsByText.clear();
      const Field& f = layout.fields[filterField];
      for (size_t row = 0; row < diskRows; ++row) {
        const uint8_t* r = record(row);
        if (r[0] != kDeletedRecord)
          rowsByText[cellText(f, r, layout.codePage)].push_back(row);
      }
      indexedField = filterField;
    }
    static const std::vector<size_t> kNone;
    auto found = rowsByText.find(filter->value);
    return found == rowsByText.end() ? kNone : found->second;
  }

  void forgetRowIndex() {
    indexedField = kNoField;
    rowsByText.clear();
  }

  size_t seek(size_t from) const {
    const size_t rows = rowCount();
    if (filterField != kNoField && from < diskRows) {
      const std::vector<size_t>& passing = diskRowsPassing();
      auto next = std::lower_bound(passing.begin(), passing.end(), from);
      if (next != passing.end())
        return *next;
      from = diskRows;
    }
    while (from < rows && !passes(from))
      ++from;
    return from;
  }

  // The field the filter compares in a table of this layout; none when no
  // filter applies.
  size_t filterFieldIn(const Layout& where, bool on) const {
    if (!on || !filter)
      return kNoField;
    return static_cast<size_t>(indexIn(where, filter->field));
  }

  void applyFilter(bool on) {
    size_t index = filterFieldIn(layout, on);
    browseMode();
    filtered = on;
    filterField = index;
    current = seek(0);
  }

  // As the engine leaves a pending row when moving: posted when something was
  // set in it, dropped otherwise.
  void browseMode() {
    if (!editing)
      return;
    if (modified) {
      post();
    } else {
      editing = false;
    }
  }

  void post() {
    requireOpen();
    if (!editing)
      throw Error(messages::notEditing(label));
    for (size_t i = 0; i < fieldCount(); ++i) {
      if (!overflow[i])
        continue;
      const Field& f = layout.fields[i];
      throw Error(messages::cannotStore(
          label, f.info.name,
          "el número " + formatNumber(*scratchExact[i]) + " no cabe en un campo " + fieldShape(f)));
    }
    const size_t row = rowCount();
    added.insert(added.end(), scratch.begin(), scratch.end());
    for (size_t i = 0; i < fieldCount(); ++i) {
      if (scratchExact[i] && keepsExact(layout.fields[i]))
        exact[exactKey(row, i)] = *scratchExact[i];
    }
    editing = false;
    current = row;
  }

  // The pending row's field, ready to be set.
  const Field& settable(std::string_view name, size_t& index) {
    requireOpen();
    if (!editing)
      throw Error(messages::notEditing(label));
    index = static_cast<size_t>(indexOf(name));
    const Field& f = layout.fields[index];
    if (!writable(f)) {
      throw Error(messages::cannotStore(
          label, f.info.name,
          "los campos de tipo " + std::string(1, f.info.type) + " no se pueden escribir"));
    }
    modified = true;
    return f;
  }

  void storeNumber(const Field& f, size_t index, double value) {
    if (f.encoding == Encoding::Text) {
      writeText(f, scratch.data(), formatNumber(value), layout.codePage);
      return;
    }
    if (f.encoding == Encoding::Logical) {
      writeLogical(f, scratch.data(), value != 0);
      return;
    }
    if (f.encoding == Encoding::Digits && f.info.decimals == 0)
      value = std::nearbyint(value);
    scratchExact[index] = value;
    overflow[index] = !writeNumber(f, scratch.data(), value);
  }

  void storeBlank(const Field& f, size_t index) {
    writeBlank(f, scratch.data());
    scratchExact[index].reset();
    overflow[index] = false;
  }
};

void createTable(const std::string& path, const std::vector<FieldDef>& fields) {
  const std::string resolved = files::findEntry(files::folderPart(path), files::namePart(path));
  const Layout layout = layoutFor(fields, files::pathForMessage(resolved));
  std::vector<uint8_t> bytes = headerBytes(layout, 0, today());
  bytes.push_back(kEndOfData);
  TableFile file(resolved);
  file.write(0, bytes.data(), bytes.size());
  file.close();
}

Table::Table(std::string folder, std::string name, Access access)
    : impl_(std::make_unique<Impl>(std::move(folder), std::move(name), access)) {}

Table::~Table() {
  try {
    close();
  } catch (...) {
    // A destructor reports nothing; callers that need the outcome call close().
  }
}

void Table::open() {
  Impl& t = *impl_;
  if (t.isOpen())
    return;
  t.path = files::findEntry(t.folder, t.fileName);
  t.label = files::pathForMessage(t.path);
  auto file = std::make_unique<TableFile>(t.path, t.access);
  std::vector<uint8_t> bytes = file->readAll();
  Layout layout = parseTable(bytes, t.label);
  const size_t filterField = t.filterFieldIn(layout, t.filtered);

  t.bytes = std::move(bytes);
  t.layout = std::move(layout);
  t.infos.clear();
  for (const Field& f : t.layout.fields)
    t.infos.push_back(f.info);
  t.diskRows = t.layout.recordCount;
  t.deletedRows = 0;
  for (size_t row = 0; row < t.diskRows; ++row) {
    if (t.record(row)[0] == kDeletedRecord)
      ++t.deletedRows;
  }
  t.added.clear();
  t.exact.clear();
  t.forgetRowIndex();
  t.editing = false;
  t.filterField = filterField;
  t.file = std::move(file);
  t.current = t.seek(0);
}

void Table::close() {
  Impl& t = *impl_;
  if (!t.isOpen())
    return;
  std::unique_ptr<TableFile> file = std::move(t.file);
  std::vector<uint8_t> added = std::move(t.added);
  const size_t rows = t.diskRows + added.size() / t.layout.recordLength;
  const uint64_t dataEnd =
      t.layout.headerLength + static_cast<uint64_t>(t.diskRows) * t.layout.recordLength;
  uint8_t header[8];
  std::memcpy(header, t.bytes.data(), sizeof header);
  t.bytes.clear();
  t.bytes.shrink_to_fit();
  t.forgetRowIndex();
  t.added.clear();
  t.exact.clear();
  t.editing = false;
  t.diskRows = 0;
  t.current = 0;
  if (!added.empty()) {
    added.push_back(kEndOfData);
    // Records first, then the count: a write cut short leaves the old table.
    file->write(dataEnd, added.data(), added.size());
    file->truncate(dataEnd + added.size());
    stampHeader(header, static_cast<uint32_t>(rows), today());
    file->write(0, header, sizeof header);
  }
  file->close();
}

bool Table::active() const {
  return impl_->isOpen();
}

const std::string& Table::path() const {
  return impl_->path;
}

const std::vector<FieldInfo>& Table::fields() const {
  impl_->requireOpen();
  return impl_->infos;
}

int Table::fieldIndex(std::string_view name) const {
  impl_->requireOpen();
  return impl_->indexOf(name);
}

void Table::first() {
  Impl& t = *impl_;
  t.requireOpen();
  t.browseMode();
  t.current = t.seek(0);
}

void Table::next() {
  Impl& t = *impl_;
  t.requireOpen();
  t.browseMode();
  if (t.current < t.rowCount())
    t.current = t.seek(t.current + 1);
}

bool Table::eof() const {
  const Impl& t = *impl_;
  t.requireOpen();
  return !t.editing && t.current >= t.rowCount();
}

size_t Table::recordCount() const {
  const Impl& t = *impl_;
  t.requireOpen();
  return t.rowCount() - t.deletedRows;
}

void Table::setFilter(std::string expression) {
  Impl& t = *impl_;
  std::optional<FilterExpression> parsed;
  if (!isBlank(expression)) {
    parsed = parseFilter(expression);
    if (!parsed)
      throw Error(messages::badFilter(t.label, expression));
  }
  const bool apply = t.isOpen() && t.filtered;
  // The field is checked before anything changes.
  const size_t index = apply && parsed ? static_cast<size_t>(t.indexOf(parsed->field)) : kNoField;
  if (apply)
    t.browseMode();
  t.filterText = std::move(expression);
  t.filter = std::move(parsed);
  if (apply) {
    t.filterField = index;
    t.current = t.seek(0);
  }
}

void Table::setFiltered(bool on) {
  Impl& t = *impl_;
  if (t.isOpen()) {
    t.applyFilter(on);
  } else {
    t.filtered = on;
  }
}

std::string Table::asString(std::string_view field) const {
  return impl_->text(fieldIndex(field));
}
std::string Table::asString(int index) const {
  return impl_->text(index);
}
int32_t Table::asInteger(std::string_view field) const {
  return impl_->integer(fieldIndex(field));
}
int32_t Table::asInteger(int index) const {
  return impl_->integer(index);
}
double Table::asFloat(std::string_view field) const {
  return impl_->number(fieldIndex(field));
}
double Table::asFloat(int index) const {
  return impl_->number(index);
}
bool Table::asBoolean(std::string_view field) const {
  return impl_->boolean(fieldIndex(field));
}
bool Table::asBoolean(int index) const {
  return impl_->boolean(index);
}

void Table::append() {
  Impl& t = *impl_;
  t.requireOpen();
  if (!t.file->writable())
    throw Error(messages::readOnly(t.label));
  t.browseMode();
  t.scratch.assign(t.layout.recordLength, ' ');
  t.scratch[0] = kLiveRecord;
  for (const Field& f : t.layout.fields)
    writeBlank(f, t.scratch.data());
  t.scratchExact.assign(t.fieldCount(), std::nullopt);
  t.overflow.assign(t.fieldCount(), false);
  t.editing = true;
  t.modified = false;
}

void Table::setString(std::string_view field, std::string_view value) {
  Impl& t = *impl_;
  size_t index = 0;
  const Field& f = t.settable(field, index);
  switch (f.encoding) {
    case Encoding::Text:
      writeText(f, t.scratch.data(), value, t.layout.codePage);
      return;
    case Encoding::Logical: {
      std::string v = trim(value);
      if (v.empty()) {
        t.storeBlank(f, index);
      } else if (std::strchr("TtYy", v[0])) {
        writeLogical(f, t.scratch.data(), true);
      } else if (std::strchr("FfNn", v[0])) {
        writeLogical(f, t.scratch.data(), false);
      } else {
        throw Error(messages::cannotStore(t.label, f.info.name,
                                          "'" + v + "' no es un valor lógico válido"));
      }
      return;
    }
    default: {
      std::string v = trim(value);
      double number = 0;
      if (v.empty()) {
        t.storeBlank(f, index);
      } else if (parseNumber(v, number)) {
        t.storeNumber(f, index, number);
      } else {
        throw Error(messages::cannotStore(t.label, f.info.name, floatConversionMessage(v)));
      }
    }
  }
}

void Table::setInteger(std::string_view field, int32_t value) {
  Impl& t = *impl_;
  size_t index = 0;
  const Field& f = t.settable(field, index);
  t.storeNumber(f, index, value);
}

void Table::setFloat(std::string_view field, double value) {
  Impl& t = *impl_;
  size_t index = 0;
  const Field& f = t.settable(field, index);
  t.storeNumber(f, index, value);
}

void Table::setBoolean(std::string_view field, bool value) {
  Impl& t = *impl_;
  size_t index = 0;
  const Field& f = t.settable(field, index);
  if (f.encoding == Encoding::Text) {
    writeText(f, t.scratch.data(), value ? "T" : "F", t.layout.codePage);
  } else if (f.encoding == Encoding::Logical) {
    writeLogical(f, t.scratch.data(), value);
  } else {
    t.storeNumber(f, index, value ? 1 : 0);
  }
}

void Table::post() {
  impl_->post();
}

}  // namespace tts::dbase
