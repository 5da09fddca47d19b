// ANSI code page conversions away from Windows: Windows-1252.
#include <cstdint>

#include "platform/text.h"

namespace tts {

namespace {

// Unicode of the bytes 0x80 to 0x9F in Windows-1252. The five bytes the code
// page leaves undefined map to the C1 control of the same number, as Windows
// itself converts them, so every byte survives a round trip.
constexpr char32_t kHigh[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char32_t unicodeOf(unsigned char byte) {
  if (byte >= 0x80 && byte < 0xA0)
    return kHigh[byte - 0x80];
  return byte;
}

char ansiOf(char32_t cp) {
  if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF))
    return static_cast<char>(cp);
  for (int i = 0; i < 32; ++i) {
    if (kHigh[i] == cp)
      return static_cast<char>(0x80 + i);
  }
  return '?';
}

void appendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

// The small letter of a Windows-1252 capital; every other byte is itself.
unsigned char folded(unsigned char c) {
  if (c >= 'A' && c <= 'Z')
    return static_cast<unsigned char>(c + 0x20);
  // À to Þ, except the multiplication sign ×.
  if (c >= 0xC0 && c <= 0xDE && c != 0xD7)
    return static_cast<unsigned char>(c + 0x20);
  switch (c) {
    case 0x8A:
      return 0x9A;  // Š š
    case 0x8C:
      return 0x9C;  // Œ œ
    case 0x8E:
      return 0x9E;  // Ž ž
    case 0x9F:
      return 0xFF;  // Ÿ ÿ
    default:
      return c;
  }
}

}  // namespace

bool equalIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size())
    return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (folded(static_cast<unsigned char>(a[i])) != folded(static_cast<unsigned char>(b[i]))) {
      return false;
    }
  }
  return true;
}

std::string ansiFromUtf8(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  size_t i = 0;
  while (i < utf8.size()) {
    auto b = static_cast<unsigned char>(utf8[i]);
    if (b < 0x80) {
      out += static_cast<char>(b);
      ++i;
      continue;
    }
    int length = b >= 0xF0 ? 4 : b >= 0xE0 ? 3 : b >= 0xC0 ? 2 : 0;
    if (length == 0 || b >= 0xF8 || i + static_cast<size_t>(length) > utf8.size()) {
      out += '?';
      ++i;
      continue;
    }
    char32_t cp = b & (0x7F >> length);
    bool ok = true;
    for (int k = 1; k < length; ++k) {
      auto c = static_cast<unsigned char>(utf8[i + static_cast<size_t>(k)]);
      if ((c & 0xC0) != 0x80) {
        ok = false;
        break;
      }
      cp = (cp << 6) | (c & 0x3F);
    }
    if (!ok) {
      out += '?';
      ++i;
      continue;
    }
    out += ansiOf(cp);
    i += static_cast<size_t>(length);
  }
  return out;
}

std::string utf8FromAnsi(std::string_view ansi) {
  std::string out;
  out.reserve(ansi.size() + ansi.size() / 4);
  for (char c : ansi)
    appendUtf8(out, unicodeOf(static_cast<unsigned char>(c)));
  return out;
}

}  // namespace tts
