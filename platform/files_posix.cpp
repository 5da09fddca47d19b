// File-system helpers away from Windows (POSIX, UTF-8 paths).
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <strings.h>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <random>

#include "platform/error.h"
#include "platform/files.h"
#include "platform/text.h"

namespace tts::files {

namespace {

std::string quoted(const std::string& path) {
  return "'" + pathForMessage(path) + "'";
}

std::string reason() {
  return systemReason(static_cast<unsigned long>(errno));
}

}  // namespace

std::string systemReason(unsigned long code) {
  switch (static_cast<int>(code)) {
    case ENOENT:
      return "no existe";
    case ENOTDIR:
      return "la carpeta no existe";
    case EACCES:
    case EPERM:
      return "acceso denegado";
    case EROFS:
      return "el disco es de solo lectura";
    case ENOSPC:
      return "no queda espacio en el disco";
    case EISDIR:
      return "es una carpeta";
    case EBUSY:
    case ETXTBSY:
      return "está en uso por otro programa";
    default:
      return ansiFromUtf8(std::strerror(static_cast<int>(code)));
  }
}

std::string pathForMessage(const std::string& path) {
  return ansiFromUtf8(path);
}

std::string join(const std::string& folder, const std::string& name) {
  if (folder.empty())
    return name;
  if (folder.back() == '/')
    return folder + name;
  return folder + "/" + name;
}

bool exists(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool isFolder(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

std::string findEntry(const std::string& folder, const std::string& name) {
  std::string exact = join(folder, name);
  struct stat st {};
  if (::lstat(exact.c_str(), &st) == 0)
    return exact;
  for (const std::string& entry : list(folder)) {
    if (::strcasecmp(entry.c_str(), name.c_str()) == 0)
      return join(folder, entry);
  }
  return exact;
}

bool removeQuietly(const std::string& path) {
  return ::unlink(path.c_str()) == 0;
}

std::vector<uint8_t> readAll(const std::string& path) {
  int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0)
    throw Error("No se puede leer el archivo " + quoted(path) + ": " + reason());
  std::vector<uint8_t> bytes;
  uint8_t buffer[65536];
  for (;;) {
    ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n < 0) {
      if (errno == EINTR)
        continue;
      std::string why = reason();
      ::close(fd);
      throw Error("No se puede leer el archivo " + quoted(path) + ": " + why);
    }
    if (n == 0)
      break;
    bytes.insert(bytes.end(), buffer, buffer + n);
  }
  ::close(fd);
  return bytes;
}

void writeAll(const std::string& path, const std::vector<uint8_t>& bytes) {
  int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
  if (fd < 0)
    throw Error("No se puede escribir el archivo " + quoted(path) + ": " + reason());
  size_t done = 0;
  while (done < bytes.size()) {
    ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0) {
      if (errno == EINTR)
        continue;
      std::string why = reason();
      ::close(fd);
      throw Error("No se puede escribir el archivo " + quoted(path) + ": " + why);
    }
    done += static_cast<size_t>(n);
  }
  if (::close(fd) != 0) {
    throw Error("No se puede escribir el archivo " + quoted(path) + ": " + reason());
  }
}

void replace(const std::string& from, const std::string& to) {
  if (::rename(from.c_str(), to.c_str()) != 0) {
    throw Error("No se puede reemplazar el archivo " + quoted(to) + " por " + quoted(from) + ": " +
                reason());
  }
}

std::string makeUniqueFolder(const std::string& parent, const std::string& prefix) {
  std::random_device seed;
  std::mt19937_64 random(seed());
  for (int attempt = 0; attempt < 100; ++attempt) {
    char suffix[17];
    std::snprintf(suffix, sizeof suffix, "%016llx", static_cast<unsigned long long>(random()));
    std::string path = join(parent, prefix + suffix);
    if (::mkdir(path.c_str(), 0777) == 0)
      return path;
    if (errno != EEXIST)
      break;
  }
  throw Error("No se puede crear una carpeta en " + quoted(parent) + ": " + reason());
}

void removeTreeQuietly(const std::string& path) {
  std::error_code ignored;
  std::filesystem::remove_all(path, ignored);
}

std::vector<std::string> list(const std::string& folder) {
  std::vector<std::string> names;
  DIR* dir = ::opendir(folder.empty() ? "." : folder.c_str());
  if (!dir)
    return names;
  while (dirent* entry = ::readdir(dir)) {
    std::string name = entry->d_name;
    if (name != "." && name != "..")
      names.push_back(name);
  }
  ::closedir(dir);
  return names;
}

std::string folderPart(const std::string& path) {
  size_t cut = path.find_last_of('/');
  return cut == std::string::npos ? std::string() : path.substr(0, cut + 1);
}

std::string namePart(const std::string& path) {
  return path.substr(folderPart(path).size());
}

}  // namespace tts::files
