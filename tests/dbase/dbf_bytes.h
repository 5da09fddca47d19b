// Hand-made dBase files for the tests: a small builder of header, field
// descriptors and records, so each fixture shows the bytes it is about.
#pragma once

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace tts::testing {

// Text left-aligned and blank-padded to `width`.
inline std::string padded(const std::string& text, size_t width, char pad = ' ') {
  std::string out = text.substr(0, width);
  out.append(width - out.size(), pad);
  return out;
}

// Text right-aligned in `width` (numbers).
inline std::string right(const std::string& text, size_t width) {
  return std::string(width - text.size(), ' ') + text;
}

// Level 7 long: big-endian with the sign bit flipped.
inline std::string level7Long(int32_t value) {
  uint32_t bits = static_cast<uint32_t>(value) ^ 0x80000000u;
  std::string out(4, '\0');
  for (int i = 0; i < 4; ++i)
    out[static_cast<size_t>(i)] = static_cast<char>(bits >> (24 - 8 * i));
  return out;
}

// Level 7 double: big-endian, sign bit set for values >= 0, all bits
// inverted for negative ones.
inline std::string level7Double(double value) {
  uint64_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  bits = (bits >> 63) ? ~bits : bits | (uint64_t{1} << 63);
  std::string out(8, '\0');
  for (int i = 0; i < 8; ++i)
    out[static_cast<size_t>(i)] = static_cast<char>(bits >> (56 - 8 * i));
  return out;
}

// Big-endian IEEE bits of a double (the level 7 timestamp as real files hold it).
inline std::string bigEndianDouble(double value) {
  uint64_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  std::string out(8, '\0');
  for (int i = 0; i < 8; ++i)
    out[static_cast<size_t>(i)] = static_cast<char>(bits >> (56 - 8 * i));
  return out;
}

inline std::string littleEndian32(uint32_t value) {
  std::string out(4, '\0');
  for (int i = 0; i < 4; ++i)
    out[static_cast<size_t>(i)] = static_cast<char>(value >> (8 * i));
  return out;
}

class DbfBytes {
 public:
  struct Column {
    std::string name;
    char type;
    int width;
    int decimals;
  };

  DbfBytes& version(uint8_t v) {
    version_ = v;
    return *this;
  }
  DbfBytes& driver(uint8_t d) {
    driver_ = d;
    return *this;
  }
  // Level 7 layout (version 0x04) with this language-driver name.
  DbfBytes& level7(const std::string& driverName) {
    version_ = 0x04;
    level7_ = true;
    driverName_ = driverName;
    driver_ = 0;
    return *this;
  }
  DbfBytes& field(const std::string& name, char type, int width, int decimals = 0) {
    fields_.push_back({name, type, width, decimals});
    return *this;
  }
  // One record: the flag byte and the fields' bytes as given.
  DbfBytes& record(const std::string& fieldBytes, char flag = ' ') {
    records_.push_back(std::string(1, flag) + fieldBytes);
    return *this;
  }
  // Bytes after the descriptors' end marker, covered by the header length.
  DbfBytes& afterDescriptors(const std::string& bytes) {
    extra_ = bytes;
    return *this;
  }
  DbfBytes& endMarker(bool on) {
    endMarker_ = on;
    return *this;
  }

  size_t headerLength() const {
    size_t descriptors = level7_ ? 68 + 48 * fields_.size() : 32 + 32 * fields_.size();
    return descriptors + 1 + extra_.size();
  }
  size_t recordLength() const {
    size_t n = 1;
    for (const Column& f : fields_)
      n += static_cast<size_t>(f.width);
    return n;
  }

  std::string build() const {
    std::string out(32, '\0');
    out[0] = static_cast<char>(version_);
    out[1] = 124;
    out[2] = 3;
    out[3] = 5;
    put32(out, 4, static_cast<uint32_t>(records_.size()));
    put16(out, 8, static_cast<uint32_t>(headerLength()));
    put16(out, 10, static_cast<uint32_t>(recordLength()));
    out[29] = static_cast<char>(driver_);
    if (level7_)
      out += padded(driverName_, 32, '\0') + std::string(4, '\0');
    for (const Column& f : fields_) {
      if (level7_) {
        std::string d(48, '\0');
        d.replace(0, f.name.size(), f.name);
        d[32] = f.type;
        d[33] = static_cast<char>(f.width);
        d[34] = static_cast<char>(f.decimals);
        out += d;
      } else {
        std::string d(32, '\0');
        d.replace(0, f.name.size(), f.name);
        d[11] = f.type;
        d[16] = static_cast<char>(f.width & 0xFF);
        // Text wider than 255: the high byte goes where decimals are (Clipper).
        d[17] = static_cast<char>(f.type == 'C' ? f.width >> 8 : f.decimals);
        out += d;
      }
    }
    out += '\x0D';
    out += extra_;
    for (const std::string& r : records_)
      out += r;
    if (endMarker_)
      out += '\x1A';
    return out;
  }

  static void put16(std::string& s, size_t at, uint32_t v) {
    s[at] = static_cast<char>(v & 0xFF);
    s[at + 1] = static_cast<char>((v >> 8) & 0xFF);
  }
  static void put32(std::string& s, size_t at, uint32_t v) {
    for (size_t i = 0; i < 4; ++i)
      s[at + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
  }

 private:
  uint8_t version_ = 0x03;
  uint8_t driver_ = 0x58;
  bool level7_ = false;
  std::string driverName_;
  std::vector<Column> fields_;
  std::vector<std::string> records_;
  std::string extra_;
  bool endMarker_ = true;
};

}  // namespace tts::testing
