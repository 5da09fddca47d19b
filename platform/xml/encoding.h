// Character encodings of XML files, for both back ends.
//
// A file's encoding comes from its byte-order mark, else from the encoding its
// XML declaration names, else it is UTF-8. Loading decodes the file into UTF-8
// (the parser's one encoding); saving encodes the parser's UTF-8 output back
// into the file's encoding. A character that an 8-bit encoding cannot hold is
// written as a numeric character reference, so no character is ever lost.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tts::xml {

enum class Encoding { Utf8, Utf16Le, Utf16Be, Latin1, Windows1252, Latin9, Ascii };

struct FileEncoding {
  Encoding encoding = Encoding::Utf8;
  bool bom = false;            // the file starts with a byte-order mark
  std::string name = "UTF-8";  // as the declaration writes it, for messages
  bool declared = false;       // the XML declaration names the encoding
};

// The encoding of a file's bytes. Throws Error naming the file when the
// declaration names an encoding the system does not handle.
FileEncoding detectEncoding(const std::vector<uint8_t>& bytes, const std::string& path);

// The file's bytes (byte-order mark included or not) as UTF-8. Throws Error
// naming the file, with line and column, at the first byte sequence that is not
// valid in the encoding.
std::string decodeToUtf8(const std::vector<uint8_t>& bytes, const FileEncoding& encoding,
                         const std::string& path);

// Serialized XML in UTF-8 as the bytes of the file's encoding (with a
// byte-order mark when the file had one; always for UTF-16). In an 8-bit
// encoding, a character it lacks becomes a numeric character reference in text
// and attribute values; one in a name, comment, CDATA section, processing
// instruction or document type throws Error naming the file (text loaded from
// such a file always fits it; only new names and text can fall outside).
std::vector<uint8_t> encodeFromUtf8(std::string_view xml, const FileEncoding& encoding,
                                    const std::string& path);

// Serialized XML in UTF-8 whose XML declaration names the file's encoding
// again, where the file's declaration named it and a serializer left it out.
std::string withDeclaredEncoding(std::string xml, const FileEncoding& encoding);

// Line and column (both from 1, columns in characters) of a byte offset in
// UTF-8 text.
struct Position {
  size_t line;
  size_t column;
};
Position positionOf(std::string_view utf8, size_t offset);

}  // namespace tts::xml
