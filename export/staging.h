// The staging folder of one export run, and the commit that puts its tables
// in place.
//
// The builders write into a new folder inside the working folder (so that
// every move is a rename on one volume). commit() swaps the staged tables in;
// until then the working folder is untouched, and a run that never commits
// leaves no trace: the staging folder goes with the object.
#pragma once

#include <string>
#include <vector>

namespace tts::exporting {

class Staging {
 public:
  // Creates the staging folder inside `workingFolder`. Throws Error "No existe
  // la carpeta de trabajo '...'" when that folder is missing, and the file
  // service's error when it cannot be written.
  explicit Staging(std::string workingFolder);
  // Removes the staging folder, unless a failed commit left old tables in it.
  ~Staging();
  Staging(const Staging&) = delete;
  Staging& operator=(const Staging&) = delete;

  const std::string& workingFolder() const { return working_; }
  // Where the builders write their tables.
  const std::string& folder() const { return folder_; }

  // Replaces, for each table T of `tables`, the working folder's T.DBF and
  // T.MDX (found whatever their letter case) by the staged T.DBF; the old
  // files are removed. All or nothing: when a step fails, what was moved is
  // moved back and Error is thrown naming the table.
  void commit(const std::vector<std::string>& tables);

 private:
  std::string working_;
  std::string folder_;
  bool keep_ = false;
};

}  // namespace tts::exporting
