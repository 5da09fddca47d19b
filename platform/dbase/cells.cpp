#include "platform/dbase/cells.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>

namespace tts::dbase {

namespace {

// Milliseconds in a day, and day numbers of fixed dates counted from
// 0001-01-01 = day 1 (the level-7 timestamp's origin).
constexpr double kMsPerDay = 86400000.0;
constexpr int64_t kDayOf18991230 = 693594;     // the engine's day 0 for floats
constexpr int64_t kJulianDayOfDay0 = 1721425;  // Julian day number of day 0

uint64_t be64(const uint8_t* p) {
  uint64_t value = 0;
  for (int i = 0; i < 8; ++i)
    value = (value << 8) | p[i];
  return value;
}

uint32_t be32(const uint8_t* p) {
  return (static_cast<uint32_t>(p[0]) << 24) | (static_cast<uint32_t>(p[1]) << 16) |
         (static_cast<uint32_t>(p[2]) << 8) | p[3];
}

uint64_t le64(const uint8_t* p) {
  uint64_t value = 0;
  for (int i = 7; i >= 0; --i)
    value = (value << 8) | p[i];
  return value;
}

uint32_t le32(const uint8_t* p) {
  return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
         (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

double bitsToDouble(uint64_t bits) {
  double value;
  std::memcpy(&value, &bits, sizeof value);
  return value;
}

uint64_t doubleToBits(double value) {
  uint64_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  return bits;
}

constexpr uint64_t kSign64 = uint64_t{1} << 63;

// The text of a text field: up to the first NUL, without trailing blanks.
size_t textLength(const uint8_t* p, size_t width) {
  const void* nul = std::memchr(p, 0, width);
  size_t n = nul ? static_cast<size_t>(static_cast<const uint8_t*>(nul) - p) : width;
  while (n > 0 && p[n - 1] == ' ')
    --n;
  return n;
}

bool isPad(uint8_t c) {
  return c == ' ' || c == 0;
}

// Digits of a numeric field without the padding on either side.
std::string_view digitsOf(const uint8_t* p, size_t width) {
  size_t begin = 0;
  size_t end = width;
  while (begin < end && isPad(p[begin]))
    ++begin;
  while (end > begin && isPad(p[end - 1]))
    --end;
  return std::string_view(reinterpret_cast<const char*>(p) + begin, end - begin);
}

bool allStars(std::string_view text) {
  return text.find_first_not_of('*') == std::string_view::npos;
}

struct Civil {
  int64_t year;
  int month;
  int day;
};

// Calendar date of a day count from 1970-01-01 (proleptic Gregorian).
Civil civilFromEpochDays(int64_t days) {
  days += 719468;
  const int64_t era = (days >= 0 ? days : days - 146096) / 146097;
  const int64_t dayOfEra = days - era * 146097;
  const int64_t yearOfEra =
      (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
  const int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
  const int64_t mp = (5 * dayOfYear + 2) / 153;
  const int day = static_cast<int>(dayOfYear - (153 * mp + 2) / 5 + 1);
  const int month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  return {yearOfEra + era * 400 + (month <= 2 ? 1 : 0), month, day};
}

// Day count from 1970-01-01 of a calendar date.
int64_t epochDaysFromCivil(int64_t year, int month, int day) {
  year -= month <= 2 ? 1 : 0;
  const int64_t era = (year >= 0 ? year : year - 399) / 400;
  const int64_t yearOfEra = year - era * 400;
  const int64_t dayOfYear = (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5 + day - 1;
  const int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
  return era * 146097 + dayOfEra - 719468;
}

constexpr int64_t kDayOf19700101 = 719163;  // in the 0001-01-01 = 1 count

// A moment as day number (0001-01-01 = 1) and milliseconds in the day. False
// when the field holds none or no sound moment.
bool momentOf(const Field& field, const uint8_t* p, int64_t& day, int64_t& ms) {
  if (field.encoding == Encoding::Timestamp) {
    uint64_t bits = be64(p);
    if (bits == 0)
      return false;
    // Real files hold the plain IEEE bits; the ordered form of 'O' fields sets
    // the sign bit of a positive value. Both read the same here.
    double total = bitsToDouble(bits & ~kSign64);
    if (!std::isfinite(total) || total < kMsPerDay || total > 4e17)
      return false;
    double whole = std::floor(total / kMsPerDay);
    day = static_cast<int64_t>(whole);
    ms = static_cast<int64_t>(std::llround(total - whole * kMsPerDay));
  } else {  // FoxDateTime
    uint32_t julian = le32(p);
    uint32_t millis = le32(p + 4);
    if (julian == 0 && millis == 0)
      return false;
    if (julian <= kJulianDayOfDay0)
      return false;
    day = static_cast<int64_t>(julian) - kJulianDayOfDay0;
    ms = millis;
  }
  if (ms >= 86400000) {
    day += ms / 86400000;
    ms %= 86400000;
  }
  return true;
}

// Day number (0001-01-01 = 1) of a D field; false when blank or not a date.
bool dateOf(const uint8_t* p, int64_t& day) {
  int values[8];
  for (int i = 0; i < 8; ++i) {
    if (p[i] < '0' || p[i] > '9')
      return false;
    values[i] = p[i] - '0';
  }
  int year = values[0] * 1000 + values[1] * 100 + values[2] * 10 + values[3];
  int month = values[4] * 10 + values[5];
  int dayOfMonth = values[6] * 10 + values[7];
  if (year == 0 || month < 1 || month > 12 || dayOfMonth < 1 || dayOfMonth > 31)
    return false;
  day = epochDaysFromCivil(year, month, dayOfMonth) + kDayOf19700101;
  return true;
}

std::string dateText(int64_t day) {
  Civil c = civilFromEpochDays(day - kDayOf19700101);
  char text[32];
  std::snprintf(text, sizeof text, "%02d/%02d/%04lld", c.day, c.month,
                static_cast<long long>(c.year));
  return text;
}

std::string momentText(int64_t day, int64_t ms) {
  const long long seconds = ms / 1000;
  char time[80];
  std::snprintf(time, sizeof time, " %02lld:%02lld:%02lld", seconds / 3600, seconds / 60 % 60,
                seconds % 60);
  return dateText(day) + time;
}

}  // namespace

std::string formatNumber(double value) {
  if (value == 0)
    return "0";
  char text[40];
  std::snprintf(text, sizeof text, "%.15g", value);
  std::string out = text;
  size_t e = out.find('e');
  if (e == std::string::npos)
    return out;
  // "1.5e-05" -> "1.5E-5", "1e+20" -> "1E20".
  std::string mantissa = out.substr(0, e);
  std::string exponent = out.substr(e + 1);
  std::string sign;
  if (!exponent.empty() && (exponent[0] == '+' || exponent[0] == '-')) {
    if (exponent[0] == '-')
      sign = "-";
    exponent.erase(0, 1);
  }
  size_t digits = exponent.find_first_not_of('0');
  exponent = digits == std::string::npos ? "0" : exponent.substr(digits);
  return mantissa + "E" + sign + exponent;
}

bool parseNumber(std::string_view text, double& value) {
  size_t i = 0;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }
  std::string_view rest = text.substr(i);
  // Only digits, one "." and an exponent: from_chars alone would also take
  // "inf", "nan" and hexadecimal forms.
  size_t digits = 0;
  size_t j = 0;
  while (j < rest.size() && rest[j] >= '0' && rest[j] <= '9')
    ++j, ++digits;
  if (j < rest.size() && rest[j] == '.') {
    ++j;
    while (j < rest.size() && rest[j] >= '0' && rest[j] <= '9')
      ++j, ++digits;
  }
  if (digits == 0)
    return false;
  if (j < rest.size() && (rest[j] == 'e' || rest[j] == 'E')) {
    size_t k = j + 1;
    if (k < rest.size() && (rest[k] == '+' || rest[k] == '-'))
      ++k;
    size_t expDigits = 0;
    while (k < rest.size() && rest[k] >= '0' && rest[k] <= '9')
      ++k, ++expDigits;
    if (expDigits == 0)
      return false;
    j = k;
  }
  if (j != rest.size())
    return false;
  double parsed = 0;
  auto [end, error] = std::from_chars(rest.data(), rest.data() + rest.size(), parsed);
  if (error != std::errc() || end != rest.data() + rest.size() || !std::isfinite(parsed)) {
    return false;
  }
  value = negative ? -parsed : parsed;
  return true;
}

CellNumber cellNumber(const Field& field, const uint8_t* record) {
  const uint8_t* p = record + field.offset;
  const auto width = static_cast<size_t>(field.info.width);
  CellNumber result;
  auto set = [&](double value) {
    result.kind = CellNumber::Value;
    result.value = value;
  };
  switch (field.encoding) {
    case Encoding::Digits: {
      std::string_view digits = digitsOf(p, width);
      if (digits.empty() || allStars(digits))
        break;
      double value = 0;
      if (parseNumber(digits, value)) {
        set(value);
      } else {
        result.kind = CellNumber::Invalid;
      }
      break;
    }
    case Encoding::Long: {
      uint32_t bits = be32(p);
      if (bits != 0)
        set(static_cast<int32_t>(bits ^ 0x80000000u));
      break;
    }
    case Encoding::Double: {
      uint64_t bits = be64(p);
      if (bits == 0)
        break;
      bits = (bits & kSign64) ? bits & ~kSign64 : ~bits;
      double value = bitsToDouble(bits);
      if (std::isfinite(value)) {
        set(value);
      } else {
        result.kind = CellNumber::Invalid;
      }
      break;
    }
    case Encoding::FoxInteger:
      set(static_cast<int32_t>(le32(p)));
      break;
    case Encoding::FoxDouble: {
      double value = bitsToDouble(le64(p));
      if (std::isfinite(value)) {
        set(value);
      } else {
        result.kind = CellNumber::Invalid;
      }
      break;
    }
    case Encoding::FoxCurrency:
      set(static_cast<double>(static_cast<int64_t>(le64(p))) / 10000.0);
      break;
    case Encoding::Logical: {
      int logical = cellLogical(field, record);
      if (logical >= 0)
        set(logical);
      break;
    }
    case Encoding::Date: {
      int64_t day = 0;
      if (dateOf(p, day)) {
        set(static_cast<double>(day - kDayOf18991230));
      } else if (!digitsOf(p, width).empty() && digitsOf(p, width) != "00000000") {
        result.kind = CellNumber::Invalid;
      }
      break;
    }
    case Encoding::Timestamp:
    case Encoding::FoxDateTime: {
      int64_t day = 0;
      int64_t ms = 0;
      if (momentOf(field, p, day, ms)) {
        set(static_cast<double>(day - kDayOf18991230) + static_cast<double>(ms) / kMsPerDay);
      }
      break;
    }
    case Encoding::Text:
    case Encoding::Skipped:
      break;
  }
  return result;
}

int cellLogical(const Field& field, const uint8_t* record) {
  switch (record[field.offset]) {
    case 'T':
    case 't':
    case 'Y':
    case 'y':
      return 1;
    case 'F':
    case 'f':
    case 'N':
    case 'n':
      return 0;
    default:
      return -1;
  }
}

std::string cellText(const Field& field, const uint8_t* record, CodePage page) {
  const uint8_t* p = record + field.offset;
  const auto width = static_cast<size_t>(field.info.width);
  switch (field.encoding) {
    case Encoding::Text: {
      std::string out;
      appendAnsi(out, p, textLength(p, width), page);
      return out;
    }
    case Encoding::Logical: {
      int logical = cellLogical(field, record);
      return logical < 0 ? std::string() : logical ? "True" : "False";
    }
    case Encoding::Date: {
      int64_t day = 0;
      if (dateOf(p, day))
        return dateText(day);
      std::string_view digits = digitsOf(p, width);
      return digits == "00000000" ? std::string() : std::string(digits);
    }
    case Encoding::Timestamp:
    case Encoding::FoxDateTime: {
      int64_t day = 0;
      int64_t ms = 0;
      return momentOf(field, p, day, ms) ? momentText(day, ms) : std::string();
    }
    case Encoding::Skipped:
      return std::string();
    default: {
      CellNumber number = cellNumber(field, record);
      if (number.kind == CellNumber::Value)
        return formatNumber(number.value);
      if (number.kind == CellNumber::Invalid && field.encoding == Encoding::Digits) {
        return std::string(digitsOf(p, width));
      }
      return std::string();
    }
  }
}

bool cellTextEquals(const Field& field, const uint8_t* record, CodePage page,
                    std::string_view value) {
  if (field.encoding == Encoding::Text && page == CodePage::Ansi1252) {
    const uint8_t* p = record + field.offset;
    size_t n = textLength(p, static_cast<size_t>(field.info.width));
    return n == value.size() && std::memcmp(p, value.data(), n) == 0;
  }
  return cellText(field, record, page) == value;
}

bool writable(const Field& field) {
  switch (field.encoding) {
    case Encoding::Text:
    case Encoding::Digits:
    case Encoding::Logical:
    case Encoding::Long:
    case Encoding::Double:
      return true;
    default:
      return false;
  }
}

void writeBlank(const Field& field, uint8_t* record) {
  uint8_t fill = ' ';
  switch (field.encoding) {
    case Encoding::Long:
    case Encoding::Double:
    case Encoding::Timestamp:
    case Encoding::FoxInteger:
    case Encoding::FoxDouble:
    case Encoding::FoxCurrency:
    case Encoding::FoxDateTime:
      fill = 0;
      break;
    default:
      break;
  }
  std::memset(record + field.offset, fill, static_cast<size_t>(field.info.width));
}

void writeText(const Field& field, uint8_t* record, std::string_view ansi, CodePage page) {
  uint8_t* p = record + field.offset;
  const auto width = static_cast<size_t>(field.info.width);
  size_t n = ansi.size() < width ? ansi.size() : width;
  for (size_t i = 0; i < n; ++i)
    p[i] = tableByteOf(ansi[i], page);
  std::memset(p + n, ' ', width - n);
}

bool writeNumber(const Field& field, uint8_t* record, double value) {
  if (!std::isfinite(value))
    return false;
  uint8_t* p = record + field.offset;
  const auto width = static_cast<size_t>(field.info.width);
  switch (field.encoding) {
    case Encoding::Digits: {
      char text[400];
      int n = std::snprintf(text, sizeof text, "%.*f", field.info.decimals, value);
      if (n <= 0 || static_cast<size_t>(n) >= sizeof text)
        return false;
      const char* digits = text;
      // A value that rounds to zero is written without its sign.
      if (text[0] == '-' && std::strspn(text + 1, "0.") == static_cast<size_t>(n - 1)) {
        ++digits;
        --n;
      }
      if (static_cast<size_t>(n) > width)
        return false;
      std::memset(p, ' ', width - static_cast<size_t>(n));
      std::memcpy(p + width - static_cast<size_t>(n), digits, static_cast<size_t>(n));
      return true;
    }
    case Encoding::Long: {
      double rounded = std::nearbyint(value);
      if (rounded < -2147483648.0 || rounded > 2147483647.0)
        return false;
      uint32_t bits = static_cast<uint32_t>(static_cast<int32_t>(rounded)) ^ 0x80000000u;
      for (int i = 0; i < 4; ++i)
        p[i] = static_cast<uint8_t>(bits >> (24 - 8 * i));
      return true;
    }
    case Encoding::Double: {
      uint64_t bits = doubleToBits(value == 0 ? 0.0 : value);
      bits = (bits & kSign64) ? ~bits : bits | kSign64;
      for (int i = 0; i < 8; ++i)
        p[i] = static_cast<uint8_t>(bits >> (56 - 8 * i));
      return true;
    }
    default:
      return false;
  }
}

void writeLogical(const Field& field, uint8_t* record, bool value) {
  record[field.offset] = value ? 'T' : 'F';
}

}  // namespace tts::dbase
