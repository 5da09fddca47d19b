// The file of an open table, held for as long as the table is open, with the
// engine's sharing rules: an exclusive open keeps every other open of the file
// out (Windows: share mode 0; elsewhere flock LOCK_EX, which a shared open's
// LOCK_SH respects), a shared open admits other shared opens. One
// implementation per platform (table_file_posix.cpp, table_file_win.cpp).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/dbase/table.h"

namespace tts::dbase {

class TableFile {
 public:
  // Opens an existing table file; a shared open that may not write falls back
  // to reading only. Throws "No se encuentra la tabla", "está en uso" or the
  // reason it cannot be opened.
  TableFile(const std::string& path, Access access);
  // Creates the file, or empties an existing one, under an exclusive hold.
  // Throws "está en uso" or the reason it cannot be created.
  explicit TableFile(const std::string& path);
  ~TableFile();
  TableFile(const TableFile&) = delete;
  TableFile& operator=(const TableFile&) = delete;

  // The whole file, in one read from its start.
  std::vector<uint8_t> readAll();
  // Writes bytes at an offset; throws "No se puede escribir la tabla".
  void write(uint64_t offset, const uint8_t* data, size_t size);
  // Cuts the file to `size` bytes.
  void truncate(uint64_t size);
  // Gives the file up, releasing the hold; throws when the system reports
  // that written bytes could not be kept.
  void close();
  // False when the file was opened for reading only.
  bool writable() const { return writable_; }

 private:
  std::string label_;  // the path as it goes into messages
  intptr_t handle_;
  bool writable_ = true;
};

}  // namespace tts::dbase
