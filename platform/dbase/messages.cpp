#include "platform/dbase/messages.h"

namespace tts::dbase::messages {

namespace {

std::string quoted(std::string_view text) {
  return "'" + std::string(text) + "'";
}

}  // namespace

std::string missing(const std::string& table) {
  return "No se encuentra la tabla " + quoted(table);
}

std::string inUse(const std::string& table) {
  return "La tabla " + quoted(table) + " está en uso por otro programa";
}

std::string cannotOpen(const std::string& table, const std::string& why) {
  return "No se puede abrir la tabla " + quoted(table) + ": " + why;
}

std::string cannotRead(const std::string& table, const std::string& why) {
  return "No se puede leer la tabla " + quoted(table) + ": " + why;
}

std::string cannotWrite(const std::string& table, const std::string& why) {
  return "No se puede escribir la tabla " + quoted(table) + ": " + why;
}

std::string cannotCreate(const std::string& table, const std::string& why) {
  return "No se puede crear la tabla " + quoted(table) + ": " + why;
}

std::string damaged(const std::string& table, const std::string& what) {
  return "La tabla " + quoted(table) + " está dañada: " + what;
}

std::string noField(const std::string& table, std::string_view field) {
  return "La tabla " + quoted(table) + " no tiene el campo " + quoted(field);
}

std::string notOpen(const std::string& table) {
  return "La tabla " + quoted(table) + " no está abierta";
}

std::string noCurrentRow(const std::string& table) {
  return "La tabla " + quoted(table) + " no tiene fila actual (fin de la tabla)";
}

std::string notEditing(const std::string& table) {
  return "La tabla " + quoted(table) + " no tiene ninguna fila nueva en edición";
}

std::string readOnly(const std::string& table) {
  return "La tabla " + quoted(table) + " está abierta solo para lectura";
}

std::string badFilter(const std::string& table, std::string_view expression) {
  return "Filtro no válido para la tabla " + quoted(table) + ": " + quoted(expression) +
         " (se esperaba CAMPO= 'valor')";
}

std::string badValue(const std::string& table, std::string_view field, const std::string& what) {
  return what + " (campo " + quoted(field) + " de la tabla " + quoted(table) + ")";
}

std::string cannotStore(const std::string& table, std::string_view field, const std::string& what) {
  return "No se puede guardar en el campo " + quoted(field) + " de la tabla " + quoted(table) +
         ": " + what;
}

}  // namespace tts::dbase::messages
