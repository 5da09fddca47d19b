// The table service: dBase tables of the timetable generator, our own reader
// and writer.
//
// Reading accepts dBase III+, IV, 5 and level 7 files and the FoxPro variants
// (field types C, N, F, L, D, I, O, @, +; memo fields are skipped). Writing
// produces the layout the generator's engine writes at level IV (see
// docs/dbase.md). Records marked deleted are never visible. Field names are
// matched without regard to letter case; a table file is found whatever the
// letter case of its name.
//
// Text is the system's 8-bit ANSI text. Every failure throws tts::Error with a
// Spanish message naming the table file and what went wrong; a damaged file
// gives that error, never a crash or a read past the data.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace tts::dbase {

enum class FieldType { String, Integer, Boolean, Float };

// A field to create: strings carry their size in characters.
struct FieldDef {
  std::string name;
  FieldType type = FieldType::String;
  int size = 0;
};

// A field as found in a table file.
struct FieldInfo {
  std::string name;  // as stored, upper case for our tables
  char type = 'C';   // the dBase type letter: C N F L D I O @ + M ...
  int width = 0;     // bytes on disk
  int decimals = 0;
};

enum class Access { Shared, Exclusive };

// Creates the table file at `path` (a full path ending in .DBF) with these
// fields in order and no rows, replacing a file of that name (found whatever
// its letter case). Throws naming the table: a field that cannot be written
// (name of 1 to 10 letters, digits or "_", unique; string size 1 to 254), a
// table held by another open, a file that cannot be written.
void createTable(const std::string& path, const std::vector<FieldDef>& fields);

// One table, opened and closed as the engine's table component is.
class Table {
 public:
  // `folder` holds the table; `name` is the table name with or without ".DBF".
  // The table starts closed.
  Table(std::string folder, std::string name, Access access);
  ~Table();  // closes, writing posted rows (a failure to write is not reported)
  Table(const Table&) = delete;
  Table& operator=(const Table&) = delete;

  // Opens the table (no-op when open): reads it and, for Exclusive, locks it
  // against every other open until close; a Shared open of a file that may not
  // be written reads only. Moves to the first visible row. Throws when missing,
  // held by another program, or damaged.
  void open();
  // Closes the table (no-op when closed), writing posted rows to disk first; a
  // row appended but not posted is dropped.
  void close();
  bool active() const;
  // The file's path as resolved (away from Windows: letter case as found on
  // disk).
  const std::string& path() const;

  // Everything below requires an open table and throws "no está abierta"
  // otherwise.

  // The fields of the table, in order.
  const std::vector<FieldInfo>& fields() const;
  // Index of a field by name (any letter case); throws naming table and field.
  int fieldIndex(std::string_view name) const;

  // Navigation over the visible rows (not deleted; passing the filter when
  // filtered), in record order. A pending appended row is posted first (or
  // dropped when nothing was set in it), as the engine does.
  void first();
  void next();
  bool eof() const;
  // Number of visible rows, ignoring the filter.
  size_t recordCount() const;

  // Filter "FIELD= 'value'" (a quote inside the value doubled); an empty text
  // lets every row pass. Switching the filter on or off, or changing the text
  // while it is on, moves to the first row that passes (or to end-of-file).
  // Throws on an expression of another form, and naming the field when the
  // table lacks it (when the filter is applied).
  void setFilter(std::string expression);
  void setFiltered(bool on);

  // Reading the current row. Text comes without its padding blanks; a numeric
  // field gives the plain number ("1", "2.5"); a logical one "True" or
  // "False"; a field without value reads as empty text, 0 or false. Throws at
  // end-of-file, and for a text that is not a number when read as a number.
  std::string asString(std::string_view field) const;
  std::string asString(int index) const;
  int32_t asInteger(std::string_view field) const;
  int32_t asInteger(int index) const;
  double asFloat(std::string_view field) const;
  double asFloat(int index) const;
  bool asBoolean(std::string_view field) const;
  bool asBoolean(int index) const;

  // Writing: append() starts a new row at the end and makes it current; the
  // set operations fill it (a string longer than the field is cut to its size);
  // post() keeps it. Values read back, before post() and after it until the
  // table is closed, are exactly the values set. A number that does not fit
  // its field throws at post(), naming table and field; the row stays pending.
  void append();
  void setString(std::string_view field, std::string_view value);
  void setInteger(std::string_view field, int32_t value);
  void setFloat(std::string_view field, double value);
  void setBoolean(std::string_view field, bool value);
  void post();

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace tts::dbase
