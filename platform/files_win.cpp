// File-system helpers on Windows (ANSI paths, Win32 calls).
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <random>

#include "platform/error.h"
#include "platform/files.h"

namespace tts::files {

namespace {

std::string quoted(const std::string& path) {
  return "'" + path + "'";
}

std::string reason(DWORD code) {
  return systemReason(code);
}

bool isSeparator(char c) {
  return c == '\\' || c == '/' || c == ':';
}

struct Handle {
  HANDLE h;
  ~Handle() {
    if (h != INVALID_HANDLE_VALUE)
      CloseHandle(h);
  }
};

}  // namespace

std::string systemReason(unsigned long code) {
  switch (code) {
    case ERROR_FILE_NOT_FOUND:
      return "no existe";
    case ERROR_PATH_NOT_FOUND:
      return "la carpeta no existe";
    case ERROR_ACCESS_DENIED:
      return "acceso denegado";
    case ERROR_WRITE_PROTECT:
      return "el disco es de solo lectura";
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
      return "no queda espacio en el disco";
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
      return "está en uso por otro programa";
    default: {
      char text[64];
      std::snprintf(text, sizeof text, "error %lu del sistema", static_cast<unsigned long>(code));
      return text;
    }
  }
}

std::string pathForMessage(const std::string& path) {
  return path;
}

std::string join(const std::string& folder, const std::string& name) {
  if (folder.empty())
    return name;
  if (isSeparator(folder.back()))
    return folder + name;
  return folder + "\\" + name;
}

bool exists(const std::string& path) {
  DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool isFolder(const std::string& path) {
  DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::string findEntry(const std::string& folder, const std::string& name) {
  return join(folder, name);
}

bool removeQuietly(const std::string& path) {
  return DeleteFileA(path.c_str()) != 0;
}

std::vector<uint8_t> readAll(const std::string& path) {
  Handle file{CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                          OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)};
  if (file.h == INVALID_HANDLE_VALUE) {
    throw Error("No se puede leer el archivo " + quoted(path) + ": " + reason(GetLastError()));
  }
  std::vector<uint8_t> bytes;
  uint8_t buffer[65536];
  for (;;) {
    DWORD n = 0;
    if (!ReadFile(file.h, buffer, sizeof buffer, &n, nullptr)) {
      throw Error("No se puede leer el archivo " + quoted(path) + ": " + reason(GetLastError()));
    }
    if (n == 0)
      break;
    bytes.insert(bytes.end(), buffer, buffer + n);
  }
  return bytes;
}

void writeAll(const std::string& path, const std::vector<uint8_t>& bytes) {
  Handle file{CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                          FILE_ATTRIBUTE_NORMAL, nullptr)};
  if (file.h == INVALID_HANDLE_VALUE) {
    throw Error("No se puede escribir el archivo " + quoted(path) + ": " + reason(GetLastError()));
  }
  size_t done = 0;
  while (done < bytes.size()) {
    DWORD n = 0;
    DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1u << 20));
    if (!WriteFile(file.h, bytes.data() + done, chunk, &n, nullptr)) {
      throw Error("No se puede escribir el archivo " + quoted(path) + ": " +
                  reason(GetLastError()));
    }
    done += n;
  }
}

void replace(const std::string& from, const std::string& to) {
  if (!MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    throw Error("No se puede reemplazar el archivo " + quoted(to) + " por " + quoted(from) + ": " +
                reason(GetLastError()));
  }
}

std::string makeUniqueFolder(const std::string& parent, const std::string& prefix) {
  std::random_device seed;
  std::mt19937_64 random(seed());
  DWORD last = 0;
  for (int attempt = 0; attempt < 100; ++attempt) {
    char suffix[17];
    std::snprintf(suffix, sizeof suffix, "%016llx", static_cast<unsigned long long>(random()));
    std::string path = join(parent, prefix + suffix);
    if (CreateDirectoryA(path.c_str(), nullptr))
      return path;
    last = GetLastError();
    if (last != ERROR_ALREADY_EXISTS)
      break;
  }
  throw Error("No se puede crear una carpeta en " + quoted(parent) + ": " + reason(last));
}

void removeTreeQuietly(const std::string& path) {
  for (const std::string& name : list(path)) {
    std::string child = join(path, name);
    if (isFolder(child)) {
      removeTreeQuietly(child);
    } else {
      SetFileAttributesA(child.c_str(), FILE_ATTRIBUTE_NORMAL);
      DeleteFileA(child.c_str());
    }
  }
  RemoveDirectoryA(path.c_str());
}

std::vector<std::string> list(const std::string& folder) {
  std::vector<std::string> names;
  WIN32_FIND_DATAA data;
  HANDLE find = FindFirstFileA(join(folder.empty() ? "." : folder, "*").c_str(), &data);
  if (find == INVALID_HANDLE_VALUE)
    return names;
  do {
    std::string name = data.cFileName;
    if (name != "." && name != "..")
      names.push_back(name);
  } while (FindNextFileA(find, &data));
  FindClose(find);
  return names;
}

std::string folderPart(const std::string& path) {
  size_t cut = path.find_last_of("\\/:");
  return cut == std::string::npos ? std::string() : path.substr(0, cut + 1);
}

std::string namePart(const std::string& path) {
  return path.substr(folderPart(path).size());
}

}  // namespace tts::files
