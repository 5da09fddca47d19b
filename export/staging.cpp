#include "export/staging.h"

#include "platform/error.h"
#include "platform/files.h"
#include "platform/text.h"

namespace tts::exporting {

namespace {

// Prefixes of our folders: the staging folder in the working folder, and
// inside it the folder that holds the replaced tables until the commit ends.
const char* const kStagingPrefix = "~exportacion-";
const char* const kAsidePrefix = "anteriores-";

std::string quoted(const std::string& path) {
  return "'" + files::pathForMessage(path) + "'";
}

struct Move {
  std::string from;
  std::string to;
};

// The names of table T's files in `folder`: T.DBF and T.MDX whatever their
// letter case (on a case-sensitive disk there may be more than one of each).
// Only regular files: anything else under such a name is left alone, and the
// commit then fails on it.
std::vector<std::string> tableFilesIn(const std::string& folder, const std::string& table) {
  const std::string dbf = lowerAscii(table + ".DBF");
  const std::string mdx = lowerAscii(table + ".MDX");
  std::vector<std::string> names;
  for (const std::string& name : files::list(folder)) {
    std::string lower = lowerAscii(name);
    if ((lower == dbf || lower == mdx) && files::exists(files::join(folder, name))) {
      names.push_back(name);
    }
  }
  return names;
}

// Undoes the moves, last first, and tells whether every one came back.
bool undo(const std::vector<Move>& done) {
  bool all = true;
  for (auto move = done.rbegin(); move != done.rend(); ++move) {
    try {
      files::replace(move->to, move->from);
    } catch (const Error&) {
      // Keep putting back the others; the caller reports what stayed away.
      all = false;
    }
  }
  return all;
}

}  // namespace

Staging::Staging(std::string workingFolder) : working_(std::move(workingFolder)) {
  if (!files::isFolder(working_)) {
    throw Error("No existe la carpeta de trabajo " + quoted(working_));
  }
  folder_ = files::makeUniqueFolder(working_, kStagingPrefix);
}

Staging::~Staging() {
  if (!keep_)
    files::removeTreeQuietly(folder_);
}

void Staging::commit(const std::vector<std::string>& tables) {
  const std::string aside = files::makeUniqueFolder(folder_, kAsidePrefix);
  std::vector<Move> done;
  std::string table;
  try {
    // First every old file out of the way, so that a table held open by the
    // timetable generator stops the commit before any new table is in place.
    for (const std::string& name : tables) {
      table = name;
      for (const std::string& file : tableFilesIn(working_, name)) {
        Move move{files::join(working_, file), files::join(aside, file)};
        files::replace(move.from, move.to);
        done.push_back(move);
      }
    }
    for (const std::string& name : tables) {
      table = name;
      Move move{files::join(folder_, name + ".DBF"), files::join(working_, name + ".DBF")};
      files::replace(move.from, move.to);
      done.push_back(move);
    }
  } catch (const Error& e) {
    // The commit's own cleanup: the working folder goes back to what it was
    // before the error is reported.
    std::string message = "No se puede sustituir la tabla " + table + " en " + quoted(working_) +
                          " (" + e.what() + ")";
    if (undo(done))
      throw Error(message + "; la carpeta de trabajo queda como estaba");
    keep_ = true;
    throw Error(message + "; no se pudo reponer todo: las tablas anteriores están en " +
                quoted(aside));
  }
  files::removeTreeQuietly(folder_);
}

}  // namespace tts::exporting
