#include "interchange/result.h"

#include <cstdio>
#include <random>

#include "platform/error.h"
#include "platform/files.h"
#include "platform/text.h"

namespace tts {

namespace {

constexpr const char* kPrefix = "ResultadoTempax";

// A name beside the target that no other file has, for writing the result
// before it replaces the target.
std::string temporaryPathFor(const std::string& target) {
  std::random_device seed;
  std::mt19937_64 random(seed());
  char suffix[24];
  std::snprintf(suffix, sizeof suffix, ".%012llx.tmp",
                static_cast<unsigned long long>(random() & 0xFFFFFFFFFFFFull));
  return target + suffix;
}

// Removes the temporary file unless it was moved over the target.
struct TemporaryFile {
  std::string path;
  bool moved = false;
  ~TemporaryFile() {
    if (!moved)
      files::removeQuietly(path);
  }
};

}  // namespace

xml::NodePtr IniciarResultado(std::unique_ptr<xml::Document>& doc, const std::string& chosenPath) {
  doc = xml::createDocument();
  doc->load(chosenPath);
  xml::NodePtr root = doc->documentElement();
  xml::NodePtr old = root->selectSingleNode("SALIDAS");
  if (!old) {
    throw Error("El archivo '" + files::pathForMessage(chosenPath) +
                "' no tiene el elemento SALIDAS dentro de su elemento raíz '" +
                ansiFromUtf8(root->name()) + "'");
  }
  root->removeChild(old);
  root->appendChild(doc->createElement("SALIDAS"));
  // The first SALIDAS again: the new one, unless the root held a second.
  xml::NodePtr output = root->selectSingleNode("SALIDAS");
  xml::NodePtr error = doc->createElement("ERROR");
  output->appendChild(error);
  AgregarSalida(*doc, error, "CN_ERROR", "0");
  AgregarSalida(*doc, error, "TE_ERROR", "Servicio finalizado Correctamente");
  return output;
}

void AgregarSalida(xml::Document& doc, const xml::NodePtr& parent, const std::string& name,
                   const std::string& text) {
  xml::NodePtr value = doc.createElement("salida");
  value->setAttribute("dato", utf8FromAnsi(name));
  value->setText(utf8FromAnsi(text));
  parent->appendChild(value);
}

xml::NodePtr AgregarEmpleado(xml::Document& doc, const xml::NodePtr& output, int number,
                             const std::string& xEmpleado, const std::string& fTomapos) {
  xml::NodePtr teacher = doc.createElement("listasal");
  teacher->setAttribute("seq", "EMPLEADO_" + std::to_string(number));
  output->appendChild(teacher);
  AgregarSalida(doc, teacher, "X_EMPLEADO", xEmpleado);
  AgregarSalida(doc, teacher, "F_TOMAPOS", fTomapos);
  return teacher;
}

xml::NodePtr AgregarActividad(xml::Document& doc, const xml::NodePtr& teacher, int number) {
  xml::NodePtr activity = doc.createElement("listasal");
  activity->setAttribute("seq", "ACTIVIDAD_" + std::to_string(number));
  teacher->appendChild(activity);
  return activity;
}

std::string resultPath(const std::string& chosenPath) {
  return files::folderPart(chosenPath) + kPrefix + files::namePart(chosenPath);
}

void GuardarResultado(const xml::Document& doc, const std::string& chosenPath) {
  const std::string target = resultPath(chosenPath);
  TemporaryFile temporary{temporaryPathFor(target)};
  doc.save(temporary.path);
  files::replace(temporary.path, target);
  temporary.moved = true;
}

}  // namespace tts
