#include "platform/xml/encoding.h"

#include <algorithm>
#include <cstdio>

#include "platform/error.h"
#include "platform/text.h"
#include "platform/xml/messages.h"

namespace tts::xml {

namespace {

constexpr char32_t kInvalid = 0xFFFFFFFF;

// Unicode of the bytes 0x80 to 0x9F in Windows-1252. The five bytes the code
// page leaves undefined stand for the C1 control of the same number, as Windows
// converts them, so every byte of such a file survives loading and saving.
constexpr char32_t kWindows1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

// The eight places where ISO-8859-15 differs from ISO-8859-1.
struct Latin9Change {
  uint8_t byte;
  char32_t cp;
};
constexpr Latin9Change kLatin9[8] = {{0xA4, 0x20AC}, {0xA6, 0x0160}, {0xA8, 0x0161},
                                     {0xB4, 0x017D}, {0xB8, 0x017E}, {0xBC, 0x0152},
                                     {0xBD, 0x0153}, {0xBE, 0x0178}};

bool isEightBit(Encoding e) {
  return e == Encoding::Latin1 || e == Encoding::Windows1252 || e == Encoding::Latin9 ||
         e == Encoding::Ascii;
}

char32_t unicodeOf(Encoding e, uint8_t byte) {
  if (byte < 0x80)
    return byte;
  switch (e) {
    case Encoding::Windows1252:
      return byte < 0xA0 ? kWindows1252High[byte - 0x80] : byte;
    case Encoding::Latin9:
      for (const auto& change : kLatin9) {
        if (change.byte == byte)
          return change.cp;
      }
      return byte;
    case Encoding::Ascii:
      return kInvalid;
    default:
      return byte;
  }
}

// The byte that stands for `cp` in an 8-bit encoding, or -1.
int byteOf(Encoding e, char32_t cp) {
  if (cp < 0x80)
    return static_cast<int>(cp);
  switch (e) {
    case Encoding::Latin1:
      return cp <= 0xFF ? static_cast<int>(cp) : -1;
    case Encoding::Windows1252:
      if (cp >= 0xA0 && cp <= 0xFF)
        return static_cast<int>(cp);
      for (int i = 0; i < 32; ++i) {
        if (kWindows1252High[i] == cp)
          return 0x80 + i;
      }
      return -1;
    case Encoding::Latin9:
      for (const auto& change : kLatin9) {
        if (change.cp == cp)
          return change.byte;
        if (change.byte == cp)
          return -1;
      }
      return cp >= 0xA0 && cp <= 0xFF ? static_cast<int>(cp) : -1;
    default:
      return -1;
  }
}

void appendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

// Decodes the UTF-8 sequence at text[i]; sets `length`. kInvalid for a
// malformed, overlong or surrogate sequence.
char32_t nextUtf8(std::string_view text, size_t i, size_t& length) {
  auto b = static_cast<unsigned char>(text[i]);
  length = 1;
  if (b < 0x80)
    return b;
  size_t n = b >= 0xF0 ? 4 : b >= 0xE0 ? 3 : b >= 0xC2 ? 2 : 0;
  if (n == 0 || b > 0xF4 || i + n > text.size())
    return kInvalid;
  char32_t cp = b & (0x7F >> n);
  for (size_t k = 1; k < n; ++k) {
    auto c = static_cast<unsigned char>(text[i + k]);
    if ((c & 0xC0) != 0x80)
      return kInvalid;
    cp = (cp << 6) | (c & 0x3F);
  }
  static constexpr char32_t kLeast[5] = {0, 0, 0x80, 0x800, 0x10000};
  if (cp < kLeast[n] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
    return kInvalid;
  length = n;
  return cp;
}

bool startsWith(const std::vector<uint8_t>& bytes, std::initializer_list<uint8_t> prefix) {
  return bytes.size() >= prefix.size() && std::equal(prefix.begin(), prefix.end(), bytes.begin());
}

bool isBlankByte(uint8_t c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// The value of the encoding pseudo-attribute of an XML declaration at the start
// of ASCII-compatible bytes; empty when there is none.
std::string declaredEncoding(const std::vector<uint8_t>& bytes, size_t from) {
  static constexpr char kOpen[] = "<?xml";
  size_t i = from;
  for (const char* p = kOpen; *p; ++p, ++i) {
    if (i >= bytes.size() || bytes[i] != static_cast<uint8_t>(*p))
      return {};
  }
  if (i >= bytes.size() || !isBlankByte(bytes[i]))
    return {};
  const size_t limit = std::min(bytes.size(), from + 1024);
  std::string declaration;
  for (; i + 1 < limit && !(bytes[i] == '?' && bytes[i + 1] == '>'); ++i) {
    declaration += static_cast<char>(bytes[i]);
  }
  size_t at = declaration.find("encoding");
  if (at == std::string::npos)
    return {};
  size_t j = at + 8;
  auto skipBlanks = [&] {
    while (j < declaration.size() && isBlankByte(static_cast<uint8_t>(declaration[j])))
      ++j;
  };
  skipBlanks();
  if (j >= declaration.size() || declaration[j] != '=')
    return {};
  ++j;
  skipBlanks();
  if (j >= declaration.size() || (declaration[j] != '"' && declaration[j] != '\''))
    return {};
  char quote = declaration[j++];
  size_t end = declaration.find(quote, j);
  if (end == std::string::npos)
    return {};
  return declaration.substr(j, end - j);
}

struct Alias {
  const char* name;
  Encoding encoding;
};
constexpr Alias kAliases[] = {
    {"utf-8", Encoding::Utf8},
    {"utf8", Encoding::Utf8},
    {"iso-8859-1", Encoding::Latin1},
    {"iso8859-1", Encoding::Latin1},
    {"iso_8859-1", Encoding::Latin1},
    {"iso-ir-100", Encoding::Latin1},
    {"latin1", Encoding::Latin1},
    {"latin-1", Encoding::Latin1},
    {"l1", Encoding::Latin1},
    {"cp819", Encoding::Latin1},
    {"ibm819", Encoding::Latin1},
    {"csisolatin1", Encoding::Latin1},
    {"windows-1252", Encoding::Windows1252},
    {"cp1252", Encoding::Windows1252},
    {"x-cp1252", Encoding::Windows1252},
    {"iso-8859-15", Encoding::Latin9},
    {"iso8859-15", Encoding::Latin9},
    {"iso_8859-15", Encoding::Latin9},
    {"latin-9", Encoding::Latin9},
    {"latin9", Encoding::Latin9},
    {"us-ascii", Encoding::Ascii},
    {"ascii", Encoding::Ascii},
};

std::string quoted(const std::string& text) {
  return "'" + text + "'";
}

std::string bytesNotValid(const FileEncoding& encoding) {
  return "contiene bytes que no son texto válido en la codificación " + encoding.name;
}

std::string decodeUtf8(const std::vector<uint8_t>& bytes, const FileEncoding& encoding,
                       const std::string& path) {
  size_t from = encoding.bom ? 3 : 0;
  std::string_view text(reinterpret_cast<const char*>(bytes.data()) + from, bytes.size() - from);
  size_t i = 0;
  while (i < text.size()) {
    if (static_cast<unsigned char>(text[i]) < 0x80) {
      ++i;
      continue;
    }
    size_t length = 0;
    if (nextUtf8(text, i, length) == kInvalid) {
      Position at = positionOf(text, i);
      throw Error(notValidMessage(path, bytesNotValid(encoding), at.line, at.column));
    }
    i += length;
  }
  return std::string(text);
}

std::string decodeUtf16(const std::vector<uint8_t>& bytes, const FileEncoding& encoding,
                        const std::string& path) {
  const bool little = encoding.encoding == Encoding::Utf16Le;
  std::string out;
  out.reserve(bytes.size() / 2);
  auto unitAt = [&](size_t i) -> char32_t {
    return little ? static_cast<char32_t>(bytes[i] | (bytes[i + 1] << 8))
                  : static_cast<char32_t>((bytes[i] << 8) | bytes[i + 1]);
  };
  auto fail = [&] {
    Position at = positionOf(out, out.size());
    throw Error(notValidMessage(path, bytesNotValid(encoding), at.line, at.column));
  };
  size_t i = encoding.bom ? 2 : 0;
  while (i < bytes.size()) {
    if (i + 1 >= bytes.size())
      fail();
    char32_t unit = unitAt(i);
    i += 2;
    if (unit >= 0xDC00 && unit <= 0xDFFF)
      fail();
    if (unit >= 0xD800 && unit <= 0xDBFF) {
      if (i + 1 >= bytes.size())
        fail();
      char32_t low = unitAt(i);
      if (low < 0xDC00 || low > 0xDFFF)
        fail();
      i += 2;
      unit = 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00);
    }
    appendUtf8(out, unit);
  }
  return out;
}

std::string decodeEightBit(const std::vector<uint8_t>& bytes, const FileEncoding& encoding,
                           const std::string& path) {
  std::string out;
  out.reserve(bytes.size() + bytes.size() / 8);
  for (uint8_t byte : bytes) {
    char32_t cp = unicodeOf(encoding.encoding, byte);
    if (cp == kInvalid) {
      Position at = positionOf(out, out.size());
      throw Error(notValidMessage(path, bytesNotValid(encoding), at.line, at.column));
    }
    appendUtf8(out, cp);
  }
  return out;
}

std::vector<uint8_t> encodeUtf16(std::string_view xml, const FileEncoding& encoding,
                                 const std::string& path) {
  const bool little = encoding.encoding == Encoding::Utf16Le;
  std::vector<uint8_t> out;
  out.reserve(xml.size() * 2 + 2);
  auto put = [&](char32_t unit) {
    auto hi = static_cast<uint8_t>(unit >> 8);
    auto lo = static_cast<uint8_t>(unit & 0xFF);
    out.push_back(little ? lo : hi);
    out.push_back(little ? hi : lo);
  };
  put(0xFEFF);
  size_t i = 0;
  while (i < xml.size()) {
    size_t length = 0;
    char32_t cp = nextUtf8(xml, i, length);
    if (cp == kInvalid)
      throw Error(notSavedMessage(path, "contiene texto que no es UTF-8 válido"));
    if (cp >= 0x10000) {
      put(0xD800 + ((cp - 0x10000) >> 10));
      put(0xDC00 + ((cp - 0x10000) & 0x3FF));
    } else {
      put(cp);
    }
    i += length;
  }
  return out;
}

// Where the serializer's output stands, for what a character it cannot write
// may become.
enum class Context { Text, Tag, Attribute, Comment, CData, Instruction, Doctype };

std::vector<uint8_t> encodeEightBit(std::string_view xml, const FileEncoding& encoding,
                                    const std::string& path) {
  std::vector<uint8_t> out;
  out.reserve(xml.size());
  auto put = [&](std::string_view s) { out.insert(out.end(), s.begin(), s.end()); };
  auto at = [&](size_t i, std::string_view s) { return xml.substr(i, s.size()) == s; };

  Context context = Context::Text;
  char quote = 0;
  int depth = 0;
  size_t i = 0;
  while (i < xml.size()) {
    const char c = xml[i];
    if (static_cast<unsigned char>(c) >= 0x80) {
      size_t length = 0;
      char32_t cp = nextUtf8(xml, i, length);
      if (cp == kInvalid) {
        throw Error(notSavedMessage(path, "contiene texto que no es UTF-8 válido"));
      }
      int byte = byteOf(encoding.encoding, cp);
      if (byte >= 0) {
        out.push_back(static_cast<uint8_t>(byte));
      } else if (context == Context::Text || context == Context::Attribute) {
        put("&#" + std::to_string(static_cast<uint32_t>(cp)) + ";");
      } else {
        char code[16];
        std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(cp));
        throw Error(notSavedMessage(path, std::string("el carácter ") + code +
                                              " de un nombre o una marca no existe en la "
                                              "codificación " +
                                              encoding.name));
      }
      i += length;
      continue;
    }
    size_t take = 1;
    auto enter = [&](Context next, size_t length) {
      context = next;
      take = length;
    };
    switch (context) {
      case Context::Text:
        if (at(i, "<!--")) {
          enter(Context::Comment, 4);
        } else if (at(i, "<![CDATA[")) {
          enter(Context::CData, 9);
        } else if (at(i, "<?")) {
          enter(Context::Instruction, 2);
        } else if (at(i, "<!")) {
          enter(Context::Doctype, 2);
          depth = 0;
          quote = 0;
        } else if (c == '<') {
          enter(Context::Tag, 1);
        }
        break;
      case Context::Tag:
        if (c == '"' || c == '\'') {
          enter(Context::Attribute, 1);
          quote = c;
        } else if (c == '>') {
          enter(Context::Text, 1);
        }
        break;
      case Context::Attribute:
        if (c == quote)
          enter(Context::Tag, 1);
        break;
      case Context::Comment:
        if (at(i, "-->"))
          enter(Context::Text, 3);
        break;
      case Context::CData:
        if (at(i, "]]>"))
          enter(Context::Text, 3);
        break;
      case Context::Instruction:
        if (at(i, "?>"))
          enter(Context::Text, 2);
        break;
      case Context::Doctype:
        if (quote != 0) {
          if (c == quote)
            quote = 0;
        } else if (c == '"' || c == '\'') {
          quote = c;
        } else if (c == '[') {
          ++depth;
        } else if (c == ']') {
          --depth;
        } else if (c == '>' && depth <= 0) {
          enter(Context::Text, 1);
        }
        break;
    }
    put(xml.substr(i, take));
    i += take;
  }
  return out;
}

}  // namespace

FileEncoding detectEncoding(const std::vector<uint8_t>& bytes, const std::string& path) {
  if (startsWith(bytes, {0xEF, 0xBB, 0xBF}))
    return {Encoding::Utf8, true, "UTF-8"};
  if (startsWith(bytes, {0xFF, 0xFE}))
    return {Encoding::Utf16Le, true, "UTF-16"};
  if (startsWith(bytes, {0xFE, 0xFF}))
    return {Encoding::Utf16Be, true, "UTF-16"};
  if (startsWith(bytes, {0x3C, 0x00, 0x3F, 0x00}))
    return {Encoding::Utf16Le, false, "UTF-16"};
  if (startsWith(bytes, {0x00, 0x3C, 0x00, 0x3F}))
    return {Encoding::Utf16Be, false, "UTF-16"};

  std::string declared = declaredEncoding(bytes, 0);
  if (declared.empty())
    return {};
  const std::string key = lowerAscii(declared);
  for (const Alias& alias : kAliases) {
    if (key == alias.name)
      return {alias.encoding, false, declared, true};
  }
  if (key.rfind("utf-16", 0) == 0 || key.rfind("ucs-2", 0) == 0) {
    throw Error(notValidMessage(
        path, "declara la codificación " + quoted(declared) + " pero no está escrito en ella"));
  }
  throw Error(notValidMessage(path, "declara la codificación " + quoted(declared) +
                                        ", que el sistema no sabe leer (lee UTF-8, UTF-16, "
                                        "ISO-8859-1, ISO-8859-15, windows-1252 y US-ASCII)"));
}

std::string decodeToUtf8(const std::vector<uint8_t>& bytes, const FileEncoding& encoding,
                         const std::string& path) {
  switch (encoding.encoding) {
    case Encoding::Utf8:
      return decodeUtf8(bytes, encoding, path);
    case Encoding::Utf16Le:
    case Encoding::Utf16Be:
      return decodeUtf16(bytes, encoding, path);
    default:
      return decodeEightBit(bytes, encoding, path);
  }
}

std::vector<uint8_t> encodeFromUtf8(std::string_view xml, const FileEncoding& encoding,
                                    const std::string& path) {
  if (isEightBit(encoding.encoding))
    return encodeEightBit(xml, encoding, path);
  if (encoding.encoding != Encoding::Utf8)
    return encodeUtf16(xml, encoding, path);
  std::vector<uint8_t> out;
  out.reserve(xml.size() + 3);
  if (encoding.bom)
    out.insert(out.end(), {0xEF, 0xBB, 0xBF});
  out.insert(out.end(), xml.begin(), xml.end());
  return out;
}

std::string withDeclaredEncoding(std::string xml, const FileEncoding& encoding) {
  if (!encoding.declared)
    return xml;
  const std::string attribute = " encoding=\"" + encoding.name + "\"";
  if (xml.rfind("<?xml", 0) != 0)
    return "<?xml version=\"1.0\"" + attribute + "?>\r\n" + xml;
  const size_t end = xml.find("?>");
  if (end == std::string::npos)
    return xml;
  if (xml.substr(0, end).find("encoding") != std::string::npos)
    return xml;
  // The encoding follows the version, whose value ends at its second quote.
  size_t at = 5;
  const size_t version = xml.find("version", 5);
  if (version < end) {
    const size_t open = xml.find_first_of("\"'", version);
    const size_t close = open < end ? xml.find(xml[open], open + 1) : std::string::npos;
    if (close < end)
      at = close + 1;
  }
  xml.insert(at, attribute);
  return xml;
}

Position positionOf(std::string_view utf8, size_t offset) {
  offset = std::min(offset, utf8.size());
  Position at{1, 1};
  for (size_t i = 0; i < offset; ++i) {
    const auto c = static_cast<unsigned char>(utf8[i]);
    if (c == '\n') {
      ++at.line;
      at.column = 1;
    } else if ((c & 0xC0) != 0x80) {
      ++at.column;
    }
  }
  return at;
}

}  // namespace tts::xml
