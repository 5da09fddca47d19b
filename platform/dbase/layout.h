// The on-disk layout of a dBase table: parsing a file's header from bytes in
// memory, and the header our writer produces.
//
// parseTable() is the byte-source seam: it takes the whole file as bytes and
// a name for messages, checks every number of the header against the others
// and against the data, and returns a layout under which every record read
// stays inside the bytes. A damaged file throws tts::Error
// "La tabla '<name>' está dañada: <what is wrong>".
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "platform/dbase/codepage.h"
#include "platform/dbase/table.h"

namespace tts::dbase {

// Format facts, each named once.
inline constexpr size_t kHeaderSize = 32;         // fixed header of every level
inline constexpr size_t kDescriptorSize = 32;     // field descriptor, levels III+ to 5
inline constexpr size_t kLevel7Descriptors = 68;  // first descriptor at level 7
inline constexpr size_t kLevel7DescriptorSize = 48;
inline constexpr size_t kLevel7DriverName = 32;  // language-driver name, bytes 32-63
inline constexpr uint8_t kDescriptorEnd = 0x0D;  // ends the field descriptors
inline constexpr uint8_t kEndOfData = 0x1A;      // follows the last record
inline constexpr uint8_t kLiveRecord = ' ';      // record flag byte
inline constexpr uint8_t kDeletedRecord = '*';
inline constexpr size_t kMaxFieldName = 10;   // characters of a name, levels III+ to 5
inline constexpr uint8_t kOurVersion = 0x03;  // dBase III+/IV, no memo file
inline constexpr uint8_t kOurDriver = 0x58;   // DBWINWE0: Windows-1252, read as such by all
inline constexpr int kIntegerWidth = 11;      // the engine's integer: N 11.0
inline constexpr int kFloatWidth = 20;        // the engine's float: N 20.4
inline constexpr int kFloatDecimals = 4;
inline constexpr int kMaxStringSize = 254;

// How a field's bytes are read.
enum class Encoding {
  Text,         // C: code-page text, padded with blanks (or NULs)
  Digits,       // N, F: an ASCII number, right-aligned
  Logical,      // L: T t Y y / F f N n; "?" or blank = no value
  Date,         // D: YYYYMMDD
  Long,         // I, + (level 7): 4 bytes big-endian, sign bit flipped
  Double,       // O (level 7): 8 bytes big-endian, ordered bits
  Timestamp,    // @ (level 7): 8 bytes big-endian, milliseconds since 0001-01-01
  FoxInteger,   // I (Visual FoxPro): 4 bytes little-endian
  FoxDouble,    // B (Visual FoxPro): 8 bytes little-endian IEEE
  FoxCurrency,  // Y (Visual FoxPro): 8 bytes little-endian, ten-thousandths
  FoxDateTime,  // T (Visual FoxPro): Julian day and milliseconds, little-endian
  Skipped,      // memo and system fields (M, B, G, P, W, 0): no value is read
};

// A field as the reader and writer use it.
struct Field {
  FieldInfo info;
  Encoding encoding = Encoding::Text;
  uint32_t offset = 0;  // from the start of the record (the flag byte is at 0)
};

struct Layout {
  uint8_t version = kOurVersion;
  CodePage codePage = CodePage::Ansi1252;
  uint32_t headerLength = 0;  // offset of the first record
  uint32_t recordLength = 0;  // flag byte and fields
  uint32_t recordCount = 0;   // records present (up to an early end marker)
  std::vector<Field> fields;
};

// Parses a whole table file; throws when the bytes are not a sound table.
Layout parseTable(std::span<const uint8_t> bytes, const std::string& name);

// The layout of a new table of ours with these fields; throws naming the table
// and the field when a definition cannot be written.
Layout layoutFor(const std::vector<FieldDef>& defs, const std::string& name);

// Date of the last update as the header holds it: year - 1900, month, day.
struct HeaderDate {
  uint8_t year = 0;
  uint8_t month = 1;
  uint8_t day = 1;
};

// Today's date, local time.
HeaderDate today();

// The header of a table of ours (32 + 32 * fields + 1 bytes).
std::vector<uint8_t> headerBytes(const Layout& layout, uint32_t recordCount, HeaderDate date);

// Writes the date and the record count into the first 8 bytes of a header.
void stampHeader(uint8_t* header, uint32_t recordCount, HeaderDate date);

}  // namespace tts::dbase
