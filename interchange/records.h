// Records and values of the interchange document.
//
// A list is a `listasal` child of /SERVICIO/SALIDAS chosen by its `seq`; its
// records are its `listasal` children; a record's values are its `salida`
// children, counted from position 0 in document order. Value texts come trimmed
// (codes 0 to 32 at both ends) and converted to the ANSI code page.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/xml.h"

namespace tts {

// The selection path of list `seq`: /SERVICIO/SALIDAS/listasal[@seq="seq"]/listasal
std::string listPath(const std::string& seq);

class Record {
 public:
  Record(std::string list, size_t number, std::vector<xml::NodePtr> values);

  // Name of the list the record belongs to ("MATERIAS").
  const std::string& list() const { return list_; }
  // The record's number in its list, counted from 1 (for messages).
  size_t number() const { return number_; }
  // How many values the record holds.
  size_t count() const { return values_.size(); }
  // The value at a position: trimmed, ANSI. Throws Error naming the list, the
  // record's number and the missing position when the record lacks it.
  std::string value(size_t position) const;
  // The `dato` name of the value at a position (ANSI, untrimmed), or nothing
  // when the value has no such attribute. Throws as value() does.
  std::optional<std::string> name(size_t position) const;

 private:
  void check(size_t position) const;
  std::string list_;
  size_t number_;
  std::vector<xml::NodePtr> values_;
};

// The records of list `seq` in document order (lists sharing the seq are read
// one after the other); none when the list is missing.
std::vector<Record> recordsOf(const xml::Document& doc, const std::string& seq);

// Loads an interchange document; throws Error naming the file when it is
// missing, not well-formed or has no root element.
std::unique_ptr<xml::Document> loadDocument(const std::string& path);

}  // namespace tts
