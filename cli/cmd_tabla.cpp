// transtempax tabla ARCHIVO.DBF
//
// Shows a table as the table service reads it: a line with the file name and
// its counts, one line per field (name, type letter, width, decimals), a blank
// line, the field names and then one line per visible row, values trimmed and
// separated by " | " (no blanks at the end of a line). The table is opened shared, so looking at a
// table does not keep the timetable generator out.
#include <algorithm>

#include "cli/commands.h"
#include "platform/dbase/table.h"
#include "platform/files.h"
#include "platform/text.h"

namespace tts::cli {

namespace {

const char* const kSeparator = " | ";

std::string rightAligned(const std::string& text, size_t width) {
  return text.size() >= width ? text : std::string(width - text.size(), ' ') + text;
}

std::string leftAligned(const std::string& text, size_t width) {
  return text.size() >= width ? text : text + std::string(width - text.size(), ' ');
}

std::string fileArgument(const Args& args) {
  std::string file;
  for (const std::string& arg : args) {
    if (arg.size() > 1 && arg.front() == '-') {
      throw UsageError("Opción desconocida: " + files::pathForMessage(arg));
    }
    if (!file.empty())
      throw UsageError("Sobra el argumento: " + files::pathForMessage(arg));
    file = arg;
  }
  if (file.empty())
    throw UsageError("Falta la tabla (ARCHIVO.DBF)");
  return file;
}

}  // namespace

int runTabla(const Args& args, std::ostream& out) {
  const std::string file = fileArgument(args);
  dbase::Table table(files::folderPart(file), files::namePart(file), dbase::Access::Shared);
  table.open();
  const std::vector<dbase::FieldInfo>& fields = table.fields();

  size_t nameWidth = 0;
  for (const dbase::FieldInfo& f : fields)
    nameWidth = std::max(nameWidth, f.name.size());
  out << forTerminal(files::pathForMessage(files::namePart(table.path()))) << ": " << fields.size()
      << (fields.size() == 1 ? " campo, " : " campos, ") << table.recordCount()
      << (table.recordCount() == 1 ? " fila\n" : " filas\n");
  for (const dbase::FieldInfo& f : fields) {
    out << forTerminal(leftAligned(f.name, nameWidth)) << "  " << f.type << " "
        << rightAligned(std::to_string(f.width), 5) << " "
        << rightAligned(std::to_string(f.decimals), 2) << "\n";
  }
  out << "\n";

  std::string line;
  for (size_t i = 0; i < fields.size(); ++i)
    line += (i ? kSeparator : "") + fields[i].name;
  out << forTerminal(line) << "\n";
  const int count = static_cast<int>(fields.size());
  for (table.first(); !table.eof(); table.next()) {
    line.clear();
    for (int i = 0; i < count; ++i) {
      if (i)
        line += kSeparator;
      line += trim(table.asString(i));
    }
    // Empty values at the end leave no blanks behind.
    line.erase(line.find_last_not_of(' ') + 1);
    out << forTerminal(line) << "\n";
  }
  table.close();
  return kExitOk;
}

}  // namespace tts::cli
