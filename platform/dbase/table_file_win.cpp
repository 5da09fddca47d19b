// Table files on Windows: CreateFile share modes keep the engine's rules.
#include <windows.h>

#include <cstdio>

#include "platform/dbase/messages.h"
#include "platform/dbase/table_file.h"
#include "platform/error.h"
#include "platform/files.h"

namespace tts::dbase {

namespace {

HANDLE handleOf(intptr_t handle) {
  return reinterpret_cast<HANDLE>(handle);
}

intptr_t closedHandle() {
  return reinterpret_cast<intptr_t>(INVALID_HANDLE_VALUE);
}

std::string reason(DWORD code) {
  return files::systemReason(static_cast<unsigned long>(code));
}

bool heldByOther(DWORD code) {
  return code == ERROR_SHARING_VIOLATION || code == ERROR_LOCK_VIOLATION;
}

}  // namespace

TableFile::TableFile(const std::string& path, Access access)
    : label_(files::pathForMessage(path)), handle_(closedHandle()) {
  const DWORD share = access == Access::Exclusive ? 0 : FILE_SHARE_READ | FILE_SHARE_WRITE;
  HANDLE h = CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, share, nullptr, OPEN_EXISTING,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE && access == Access::Shared &&
      GetLastError() == ERROR_ACCESS_DENIED) {
    h = CreateFileA(path.c_str(), GENERIC_READ, share, nullptr, OPEN_EXISTING,
                    FILE_ATTRIBUTE_NORMAL, nullptr);
    writable_ = false;
  }
  if (h == INVALID_HANDLE_VALUE) {
    DWORD code = GetLastError();
    if (code == ERROR_FILE_NOT_FOUND || code == ERROR_PATH_NOT_FOUND) {
      throw Error(messages::missing(label_));
    }
    if (heldByOther(code))
      throw Error(messages::inUse(label_));
    throw Error(messages::cannotOpen(label_, reason(code)));
  }
  handle_ = reinterpret_cast<intptr_t>(h);
}

TableFile::TableFile(const std::string& path)
    : label_(files::pathForMessage(path)), handle_(closedHandle()) {
  HANDLE h = CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) {
    DWORD code = GetLastError();
    if (heldByOther(code))
      throw Error(messages::inUse(label_));
    throw Error(messages::cannotCreate(label_, reason(code)));
  }
  handle_ = reinterpret_cast<intptr_t>(h);
}

TableFile::~TableFile() {
  if (handle_ != closedHandle())
    CloseHandle(handleOf(handle_));
}

std::vector<uint8_t> TableFile::readAll() {
  HANDLE h = handleOf(handle_);
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(h, &size))
    throw Error(messages::cannotRead(label_, reason(GetLastError())));
  std::vector<uint8_t> bytes(static_cast<size_t>(size.QuadPart));
  size_t done = 0;
  while (done < bytes.size()) {
    OVERLAPPED at{};
    at.Offset = static_cast<DWORD>(done);
    at.OffsetHigh = static_cast<DWORD>(static_cast<uint64_t>(done) >> 32);
    DWORD chunk =
        static_cast<DWORD>(bytes.size() - done < (1u << 24) ? bytes.size() - done : (1u << 24));
    DWORD n = 0;
    if (!ReadFile(h, bytes.data() + done, chunk, &n, &at)) {
      DWORD code = GetLastError();
      if (code == ERROR_HANDLE_EOF)
        break;
      throw Error(messages::cannotRead(label_, reason(code)));
    }
    if (n == 0)
      break;  // shortened meanwhile: parse what is there
    done += n;
  }
  bytes.resize(done);
  return bytes;
}

void TableFile::write(uint64_t offset, const uint8_t* data, size_t size) {
  HANDLE h = handleOf(handle_);
  size_t done = 0;
  while (done < size) {
    OVERLAPPED at{};
    uint64_t position = offset + done;
    at.Offset = static_cast<DWORD>(position);
    at.OffsetHigh = static_cast<DWORD>(position >> 32);
    DWORD chunk = static_cast<DWORD>(size - done < (1u << 24) ? size - done : (1u << 24));
    DWORD n = 0;
    if (!WriteFile(h, data + done, chunk, &n, &at)) {
      throw Error(messages::cannotWrite(label_, reason(GetLastError())));
    }
    done += n;
  }
}

void TableFile::truncate(uint64_t size) {
  HANDLE h = handleOf(handle_);
  LARGE_INTEGER position{};
  position.QuadPart = static_cast<LONGLONG>(size);
  if (!SetFilePointerEx(h, position, nullptr, FILE_BEGIN) || !SetEndOfFile(h)) {
    throw Error(messages::cannotWrite(label_, reason(GetLastError())));
  }
}

void TableFile::close() {
  if (handle_ == closedHandle())
    return;
  HANDLE h = handleOf(handle_);
  handle_ = closedHandle();
  if (!CloseHandle(h))
    throw Error(messages::cannotWrite(label_, reason(GetLastError())));
}

}  // namespace tts::dbase
