#include "interchange/records.h"

#include "platform/error.h"
#include "platform/text.h"

namespace tts {

namespace {

std::string valuesHeld(size_t count) {
  if (count == 0)
    return "el registro no tiene valores";
  if (count == 1)
    return "el registro tiene 1 valor, en la posición 0";
  return "el registro tiene " + std::to_string(count) + " valores, en las posiciones 0 a " +
         std::to_string(count - 1);
}

}  // namespace

std::string listPath(const std::string& seq) {
  return "/SERVICIO/SALIDAS/listasal[@seq=\"" + utf8FromAnsi(seq) + "\"]/listasal";
}

Record::Record(std::string list, size_t number, std::vector<xml::NodePtr> values)
    : list_(std::move(list)), number_(number), values_(std::move(values)) {}

void Record::check(size_t position) const {
  if (position < values_.size())
    return;
  throw Error("La lista " + list_ + ", registro " + std::to_string(number_) +
              ", no tiene el valor de la posición " + std::to_string(position) + ": " +
              valuesHeld(values_.size()));
}

std::string Record::value(size_t position) const {
  check(position);
  return ansiFromUtf8(trim(values_[position]->text()));
}

std::optional<std::string> Record::name(size_t position) const {
  check(position);
  auto dato = values_[position]->attribute("dato");
  if (!dato)
    return std::nullopt;
  return ansiFromUtf8(*dato);
}

std::vector<Record> recordsOf(const xml::Document& doc, const std::string& seq) {
  std::vector<xml::NodePtr> nodes = doc.selectNodes(listPath(seq));
  std::vector<Record> records;
  records.reserve(nodes.size());
  for (size_t i = 0; i < nodes.size(); ++i) {
    records.emplace_back(seq, i + 1, nodes[i]->selectNodes("salida"));
  }
  return records;
}

std::unique_ptr<xml::Document> loadDocument(const std::string& path) {
  auto doc = xml::createDocument();
  doc->load(path);
  return doc;
}

}  // namespace tts
