// The result document of the import.
//
// The chosen interchange document, loaded whole, with its root's first SALIDAS
// replaced by a new SALIDAS appended last, which holds the fixed ERROR element
// and one EMPLEADO_n list per teacher with one ACTIVIDAD_m list per class.
// Names and texts given here are the system's ANSI text; they are converted to
// Unicode on the way into the document.
#pragma once

#include <memory>
#include <string>

#include "platform/xml.h"

namespace tts {

// Creates and loads the document at `chosenPath` into `doc`, replaces its
// output section and writes the ERROR element; returns the output section.
// Throws Error naming the file when it does not load or its root has no
// SALIDAS child.
xml::NodePtr IniciarResultado(std::unique_ptr<xml::Document>& doc, const std::string& chosenPath);

// Appends <salida dato="name">text</salida> as the parent's last child.
void AgregarSalida(xml::Document& doc, const xml::NodePtr& parent, const std::string& name,
                   const std::string& text);

// Appends the teacher list EMPLEADO_<number> with its X_EMPLEADO and F_TOMAPOS
// values; returns it.
xml::NodePtr AgregarEmpleado(xml::Document& doc, const xml::NodePtr& output, int number,
                             const std::string& xEmpleado, const std::string& fTomapos);

// Appends the activity list ACTIVIDAD_<number> to a teacher list; returns it.
xml::NodePtr AgregarActividad(xml::Document& doc, const xml::NodePtr& teacher, int number);

// The result path: the chosen file's folder, "ResultadoTempax", its name.
std::string resultPath(const std::string& chosenPath);

// Saves the document under resultPath(chosenPath), atomically: written beside
// the target under a temporary name and moved over it only when complete, so a
// failed save leaves an older result as it was.
void GuardarResultado(const xml::Document& doc, const std::string& chosenPath);

}  // namespace tts
