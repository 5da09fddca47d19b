// The Spanish texts of the table service's errors, in one place. `table` is
// the table file as it goes into a message (files::pathForMessage).
#pragma once

#include <string>
#include <string_view>

namespace tts::dbase::messages {

std::string missing(const std::string& table);  // No se encuentra la tabla '...'
std::string inUse(const std::string& table);    // La tabla '...' está en uso por otro programa
std::string cannotOpen(const std::string& table, const std::string& why);
std::string cannotRead(const std::string& table, const std::string& why);
std::string cannotWrite(const std::string& table, const std::string& why);
std::string cannotCreate(const std::string& table, const std::string& why);
std::string damaged(const std::string& table, const std::string& what);
std::string noField(const std::string& table, std::string_view field);
std::string notOpen(const std::string& table);
std::string noCurrentRow(const std::string& table);
std::string notEditing(const std::string& table);
std::string readOnly(const std::string& table);
std::string badFilter(const std::string& table, std::string_view expression);
// A value of the current row that cannot be read as asked.
std::string badValue(const std::string& table, std::string_view field, const std::string& what);
// A value that cannot be stored in its field.
std::string cannotStore(const std::string& table, std::string_view field, const std::string& what);

}  // namespace tts::dbase::messages
