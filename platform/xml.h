// The XML document service: one interface, two back ends.
//
// Windows builds use the platform's XML component ("Microsoft.XMLDOM") through
// COM; every other build uses pugixml. Names and texts pass as UTF-8; paths are
// native narrow strings (see files.h). Paths for selection are the subset the
// system uses: child steps from the root, one attribute-equality test, and a
// relative child name ("salida", "SALIDAS").
//
// Every failure throws tts::Error with a Spanish message (naming the file for
// load and save). A selection that finds nothing is no failure.
//
// Files in UTF-8, UTF-16, ISO-8859-1, ISO-8859-15, windows-1252 and US-ASCII
// are read; a file is saved in the encoding it declared, with its prolog, and a
// character that encoding lacks is written as a numeric character reference.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace tts::xml {

class Node;
using NodePtr = std::shared_ptr<Node>;

// An element of a document. Handles stay valid while their document lives.
class Node {
 public:
  virtual ~Node() = default;

  // The element's name.
  virtual std::string name() const = 0;
  // Matching nodes, in document order, for a path relative to this element.
  virtual std::vector<NodePtr> selectNodes(const std::string& path) const = 0;
  // The first matching node, or null.
  virtual NodePtr selectSingleNode(const std::string& path) const = 0;
  // Text content: all text inside the element, nested elements' included, in
  // document order.
  virtual std::string text() const = 0;
  // The attribute's value, or nothing when the element lacks it.
  virtual std::optional<std::string> attribute(const std::string& name) const = 0;

  // Sets (adds or replaces) an attribute.
  virtual void setAttribute(const std::string& name, const std::string& value) = 0;
  // Replaces the element's content by this text (escaped on saving); an empty
  // text leaves the element without content.
  virtual void setText(const std::string& text) = 0;
  // Appends a node created by the same document as the last child.
  virtual void appendChild(const NodePtr& child) = 0;
  // Removes a child; throws Error when `child` is null or not a child.
  virtual void removeChild(const NodePtr& child) = 0;
};

class Document {
 public:
  virtual ~Document() = default;

  // Loads the file, replacing the content. Throws Error naming the file when
  // it is missing or unreadable, declares an encoding the system does not read,
  // is not well-formed, or has no root element.
  virtual void load(const std::string& path) = 0;
  // Matching nodes, in document order, for an absolute path.
  virtual std::vector<NodePtr> selectNodes(const std::string& path) const = 0;
  // The root element, or null for an empty document.
  virtual NodePtr documentElement() const = 0;
  // A new element outside the tree.
  virtual NodePtr createElement(const std::string& name) = 0;
  // Writes the whole document to the file, replacing it, in the encoding that
  // the document declares (UTF-8 when it declares none). Throws Error naming
  // the file.
  virtual void save(const std::string& path) const = 0;
};

// A new, empty document of this build's back end. On Windows this first
// initialises COM on the calling thread (apartment-threaded) unless the thread
// has done so already.
std::unique_ptr<Document> createDocument();

}  // namespace tts::xml
