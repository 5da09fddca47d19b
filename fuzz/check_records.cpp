#include <memory>
#include <string>
#include <vector>

#include "fuzz/checks.h"
#include "interchange/records.h"
#include "interchange/result.h"
#include "platform/error.h"
#include "platform/files.h"

namespace tts::fuzz {
namespace {

const char* const kLists[] = {"MATERIAS",    "PROFESORES", "AULAS", "GRUPOS",
                              "ASIGNATURAS", "TRAMOS",     "CENTRO"};

bool trimmed(const std::string& text) {
  if (text.empty())
    return true;
  return static_cast<unsigned char>(text.front()) > 32 &&
         static_cast<unsigned char>(text.back()) > 32;
}

// Plain text: no control characters but tab and line feed, which every XML
// reader keeps as they are.
bool plain(const std::string& text) {
  for (char c : text) {
    if (static_cast<unsigned char>(c) < 32 && c != '\t' && c != '\n')
      return false;
  }
  return true;
}

// The saved result loads again, and its activity list holds the value.
std::string readsBack(const std::string& saved, const std::string& value) {
  std::unique_ptr<xml::Document> doc;
  try {
    doc = loadDocument(saved);
  } catch (const Error&) {
    return "the saved result does not load";
  }
  if (!plain(value) || doc->documentElement()->name() != "SERVICIO")
    return "";
  for (const Record& activity : recordsOf(*doc, "EMPLEADO_1")) {
    if (activity.count() == 1 && activity.name(0) == "X_ACTIVIDAD" && activity.value(0) == value) {
      return "";
    }
  }
  return "the value saved does not read back";
}

}  // namespace

std::string checkRecords(std::span<const uint8_t> bytes, const std::string& folder) {
  const std::string path = files::join(folder, "fuzz.xml");
  files::writeAll(path, std::vector<uint8_t>(bytes.begin(), bytes.end()));
  std::unique_ptr<xml::Document> doc;
  try {
    doc = loadDocument(path);
  } catch (const Error&) {
    return "";
  }
  std::string someValue;
  for (const char* list : kLists) {
    for (const Record& record : recordsOf(*doc, list)) {
      for (size_t i = 0; i < record.count(); ++i) {
        std::string value;
        try {
          value = record.value(i);
          (void)record.name(i);
        } catch (const Error&) {
          return "a value inside the record was refused";
        }
        if (!trimmed(value))
          return "a value came untrimmed";
        if (someValue.empty())
          someValue = value;
      }
      bool refused = false;
      try {
        (void)record.value(record.count());
      } catch (const Error&) {
        refused = true;
      }
      if (!refused)
        return "a position past the values was read";
    }
  }
  try {
    std::unique_ptr<xml::Document> result;
    xml::NodePtr output = IniciarResultado(result, path);
    xml::NodePtr teacher = AgregarEmpleado(*result, output, 1, someValue, "01/09/2024");
    AgregarSalida(*result, AgregarActividad(*result, teacher, 1), "X_ACTIVIDAD", someValue);
    GuardarResultado(*result, path);
  } catch (const Error&) {
    return "";  // refused: no well-formed root with SALIDAS, or text the encoding lacks
  }
  return readsBack(resultPath(path), someValue);
}

}  // namespace tts::fuzz
