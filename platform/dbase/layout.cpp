#include "platform/dbase/layout.h"

#include <cstdio>
#include <ctime>

#include "platform/dbase/messages.h"
#include "platform/error.h"

namespace tts::dbase {

namespace {

uint16_t le16(const uint8_t* p) {
  return static_cast<uint16_t>(p[0] | (p[1] << 8));
}

uint32_t le32(const uint8_t* p) {
  return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
         (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

void putLe16(uint8_t* p, uint32_t value) {
  p[0] = static_cast<uint8_t>(value);
  p[1] = static_cast<uint8_t>(value >> 8);
}

void putLe32(uint8_t* p, uint32_t value) {
  for (int i = 0; i < 4; ++i)
    p[i] = static_cast<uint8_t>(value >> (8 * i));
}

std::string hexByte(uint8_t byte) {
  char text[8];
  std::snprintf(text, sizeof text, "0x%02X", byte);
  return text;
}

std::string number(uint64_t value) {
  return std::to_string(value);
}

// The three families of files we read. They share the fixed header; they
// differ in the descriptors (level 7) and in some type letters (Visual FoxPro).
enum class Family { Dbase, Level7, VisualFox };

bool familyOf(uint8_t version, Family& family) {
  if (version == 0x30 || version == 0x31 || version == 0x32) {
    family = Family::VisualFox;
    return true;
  }
  if (version == 0xF5 || (version & 0x07) == 3) {  // III+, IV, 5, FoxPro 2, with or without memo
    family = Family::Dbase;
    return true;
  }
  if ((version & 0x07) == 4) {
    family = Family::Level7;
    return true;
  }
  return false;
}

bool encodingOf(char type, Family family, Encoding& encoding) {
  const bool fox = family == Family::VisualFox;
  switch (type) {
    case 'C':
      encoding = Encoding::Text;
      return true;
    case 'N':
    case 'F':
      encoding = Encoding::Digits;
      return true;
    case 'L':
      encoding = Encoding::Logical;
      return true;
    case 'D':
      encoding = Encoding::Date;
      return true;
    case 'I':
      encoding = fox ? Encoding::FoxInteger : Encoding::Long;
      return true;
    case '+':
      encoding = Encoding::Long;
      return !fox;
    case 'O':
      encoding = Encoding::Double;
      return !fox;
    case '@':
      encoding = Encoding::Timestamp;
      return !fox;
    case 'B':
      encoding = fox ? Encoding::FoxDouble : Encoding::Skipped;
      return true;
    case 'Y':
      encoding = Encoding::FoxCurrency;
      return fox;
    case 'T':
      encoding = Encoding::FoxDateTime;
      return fox;
    case 'M':
    case 'G':
      encoding = Encoding::Skipped;
      return true;
    case 'P':
    case 'W':
    case '0':
      encoding = Encoding::Skipped;
      return fox;
    default:
      return false;
  }
}

// Width a binary field must have; 0 when any width is sound.
int fixedWidth(Encoding encoding) {
  switch (encoding) {
    case Encoding::Long:
    case Encoding::FoxInteger:
      return 4;
    case Encoding::Date:
    case Encoding::Double:
    case Encoding::Timestamp:
    case Encoding::FoxDouble:
    case Encoding::FoxCurrency:
    case Encoding::FoxDateTime:
      return 8;
    default:
      return 0;
  }
}

std::string nameAt(const uint8_t* p, size_t size) {
  size_t n = 0;
  while (n < size && p[n] != 0)
    ++n;
  while (n > 0 && p[n - 1] == ' ')
    --n;
  return std::string(reinterpret_cast<const char*>(p), n);
}

bool validName(const std::string& name) {
  if (name.empty() || name.size() > kMaxFieldName)
    return false;
  for (char c : name) {
    bool ok =
        (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_';
    if (!ok)
      return false;
  }
  return true;
}

std::string upperAscii(const std::string& text) {
  std::string out = text;
  for (char& c : out) {
    if (c >= 'a' && c <= 'z')
      c = static_cast<char>(c - 'a' + 'A');
  }
  return out;
}

}  // namespace

Layout parseTable(std::span<const uint8_t> bytes, const std::string& name) {
  auto fail = [&](const std::string& what) -> void { throw Error(messages::damaged(name, what)); };
  const size_t size = bytes.size();
  const uint8_t* b = bytes.data();
  if (size < kHeaderSize) {
    fail("el archivo tiene " + number(size) + " bytes y la cabecera de una tabla dBase tiene " +
         number(kHeaderSize));
  }

  Layout layout;
  layout.version = b[0];
  Family family = Family::Dbase;
  if (!familyOf(layout.version, family)) {
    fail("versión de dBase desconocida (" + hexByte(layout.version) + " en el primer byte)");
  }
  uint32_t declaredCount = le32(b + 4);
  layout.headerLength = le16(b + 8);
  layout.recordLength = le16(b + 10);
  if (layout.headerLength > size) {
    fail("la cabecera declara " + number(layout.headerLength) + " bytes y el archivo tiene " +
         number(size));
  }

  const bool level7 = family == Family::Level7;
  size_t position = level7 ? kLevel7Descriptors : kHeaderSize;
  const size_t descriptorSize = level7 ? kLevel7DescriptorSize : kDescriptorSize;
  if (level7) {
    if (layout.headerLength < kLevel7Descriptors) {
      fail("la cabecera de nivel 7 declara " + number(layout.headerLength) + " bytes, menos de " +
           number(kLevel7Descriptors));
    }
    std::string driver = nameAt(b + kLevel7DriverName, 32);
    layout.codePage = driver.empty() ? codePageOfDriverByte(b[29]) : codePageOfDriverName(driver);
  } else {
    layout.codePage = codePageOfDriverByte(b[29]);
  }

  uint32_t offset = 1;  // after the record's flag byte
  for (;;) {
    if (position >= layout.headerLength) {
      fail("la cabecera de " + number(layout.headerLength) +
           " bytes termina antes del fin de las descripciones de campos (0x0D)");
    }
    if (b[position] == kDescriptorEnd)
      break;
    if (position + descriptorSize > layout.headerLength) {
      fail("la cabecera de " + number(layout.headerLength) +
           " bytes es más corta que sus descripciones de campos");
    }
    const uint8_t* d = b + position;
    Field field;
    if (level7) {
      field.info.name = nameAt(d, 32);
      field.info.type = static_cast<char>(d[32]);
      field.info.width = d[33];
      field.info.decimals = d[34];
    } else {
      field.info.name = nameAt(d, kMaxFieldName + 1);
      field.info.type = static_cast<char>(d[11]);
      field.info.width = d[16];
      field.info.decimals = d[17];
    }
    const std::string label =
        "el campo " + number(layout.fields.size() + 1) + " ('" + field.info.name + "')";
    if (!encodingOf(field.info.type, family, field.encoding)) {
      fail(label + " es de un tipo desconocido (" + hexByte(static_cast<uint8_t>(field.info.type)) +
           ")");
    }
    if (field.encoding == Encoding::Text && !level7 && field.info.decimals != 0) {
      // Clipper and FoxPro keep the high byte of a long text's width there.
      field.info.width += 256 * field.info.decimals;
      field.info.decimals = 0;
    }
    if (field.info.width == 0)
      fail(label + " tiene anchura 0");
    int fixed = fixedWidth(field.encoding);
    if (fixed != 0 && field.info.width != fixed) {
      fail(label + " de tipo " + std::string(1, field.info.type) + " tiene anchura " +
           number(static_cast<uint64_t>(field.info.width)) + " y debe tener " +
           number(static_cast<uint64_t>(fixed)));
    }
    field.offset = offset;
    offset += static_cast<uint32_t>(field.info.width);
    layout.fields.push_back(std::move(field));
    position += descriptorSize;
  }

  if (offset != layout.recordLength) {
    fail("la longitud de registro declarada (" + number(layout.recordLength) +
         ") no es la de sus campos más la marca de borrado (" + number(offset) + ")");
  }
  const uint64_t available = (size - layout.headerLength) / layout.recordLength;
  if (declaredCount > available) {
    fail("declara " + number(declaredCount) + " registros y el archivo solo tiene datos para " +
         number(available));
  }
  // Some writers end the data early with the end marker on a record boundary.
  layout.recordCount = declaredCount;
  for (uint32_t i = 0; i < declaredCount; ++i) {
    if (b[layout.headerLength + static_cast<size_t>(i) * layout.recordLength] == kEndOfData) {
      layout.recordCount = i;
      break;
    }
  }
  return layout;
}

Layout layoutFor(const std::vector<FieldDef>& defs, const std::string& name) {
  auto fail = [&](const std::string& what) -> void {
    throw Error(messages::cannotCreate(name, what));
  };
  if (defs.empty())
    fail("una tabla necesita al menos un campo");
  Layout layout;
  layout.version = kOurVersion;
  layout.codePage = CodePage::Ansi1252;
  layout.headerLength = static_cast<uint32_t>(kHeaderSize + kDescriptorSize * defs.size() + 1);
  uint32_t offset = 1;
  for (const FieldDef& def : defs) {
    if (!validName(def.name)) {
      fail("el nombre de campo '" + def.name + "' no es válido (de 1 a " + number(kMaxFieldName) +
           " letras, cifras o '_')");
    }
    Field field;
    field.info.name = upperAscii(def.name);
    for (const Field& other : layout.fields) {
      if (other.info.name == field.info.name)
        fail("el campo '" + def.name + "' está repetido");
    }
    switch (def.type) {
      case FieldType::String:
        if (def.size < 1 || def.size > kMaxStringSize) {
          fail("el campo '" + def.name + "' tiene un tamaño no válido (" +
               std::to_string(def.size) + "; de 1 a " + std::to_string(kMaxStringSize) + ")");
        }
        field.info.type = 'C';
        field.info.width = def.size;
        field.encoding = Encoding::Text;
        break;
      case FieldType::Integer:
        field.info.type = 'N';
        field.info.width = kIntegerWidth;
        field.encoding = Encoding::Digits;
        break;
      case FieldType::Boolean:
        field.info.type = 'L';
        field.info.width = 1;
        field.encoding = Encoding::Logical;
        break;
      case FieldType::Float:
        field.info.type = 'N';
        field.info.width = kFloatWidth;
        field.info.decimals = kFloatDecimals;
        field.encoding = Encoding::Digits;
        break;
    }
    field.offset = offset;
    offset += static_cast<uint32_t>(field.info.width);
    layout.fields.push_back(std::move(field));
  }
  if (offset > 0xFFFF)
    fail("los campos ocupan más de 65535 bytes por registro");
  layout.recordLength = offset;
  return layout;
}

HeaderDate today() {
  std::time_t now = std::time(nullptr);
  const std::tm* local = std::localtime(&now);
  HeaderDate date;
  if (local) {
    date.year = static_cast<uint8_t>(local->tm_year);
    date.month = static_cast<uint8_t>(local->tm_mon + 1);
    date.day = static_cast<uint8_t>(local->tm_mday);
  }
  return date;
}

std::vector<uint8_t> headerBytes(const Layout& layout, uint32_t recordCount, HeaderDate date) {
  std::vector<uint8_t> header(kHeaderSize + kDescriptorSize * layout.fields.size() + 1, 0);
  header[0] = layout.version;
  stampHeader(header.data(), recordCount, date);
  putLe16(header.data() + 8, static_cast<uint32_t>(header.size()));
  putLe16(header.data() + 10, layout.recordLength);
  header[28] = 0;  // no production index: the engine would look for the .MDX
  header[29] = kOurDriver;
  uint8_t* d = header.data() + kHeaderSize;
  for (const Field& field : layout.fields) {
    for (size_t i = 0; i < field.info.name.size() && i < kMaxFieldName; ++i) {
      d[i] = static_cast<uint8_t>(field.info.name[i]);
    }
    d[11] = static_cast<uint8_t>(field.info.type);
    d[16] = static_cast<uint8_t>(field.info.width);
    d[17] = static_cast<uint8_t>(field.info.decimals);
    d += kDescriptorSize;
  }
  *d = kDescriptorEnd;
  return header;
}

void stampHeader(uint8_t* header, uint32_t recordCount, HeaderDate date) {
  header[1] = date.year;
  header[2] = date.month;
  header[3] = date.day;
  putLe32(header + 4, recordCount);
}

}  // namespace tts::dbase
