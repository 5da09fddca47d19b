// Table files away from Windows: POSIX descriptors and flock.
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/dbase/messages.h"
#include "platform/dbase/table_file.h"
#include "platform/error.h"
#include "platform/files.h"
#include "platform/text.h"

namespace tts::dbase {

namespace {

constexpr intptr_t kClosed = -1;

std::string reason(int code) {
  return files::systemReason(static_cast<unsigned long>(code));
}

int fdOf(intptr_t handle) {
  return static_cast<int>(handle);
}

}  // namespace

TableFile::TableFile(const std::string& path, Access access)
    : label_(files::pathForMessage(path)), handle_(kClosed) {
  int fd = ::open(path.c_str(), O_RDWR | O_CLOEXEC);
  if (fd < 0 && access == Access::Shared && (errno == EACCES || errno == EROFS)) {
    fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    writable_ = false;
  }
  if (fd < 0) {
    if (errno == ENOENT || errno == ENOTDIR)
      throw Error(messages::missing(label_));
    throw Error(messages::cannotOpen(label_, reason(errno)));
  }
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    throw Error(messages::cannotOpen(label_, "no es un archivo"));
  }
  int operation = (access == Access::Exclusive ? LOCK_EX : LOCK_SH) | LOCK_NB;
  while (::flock(fd, operation) != 0) {
    if (errno == EINTR)
      continue;
    int code = errno;
    ::close(fd);
    if (code == EWOULDBLOCK)
      throw Error(messages::inUse(label_));
    throw Error(messages::cannotOpen(label_, reason(code)));
  }
  handle_ = fd;
}

TableFile::TableFile(const std::string& path)
    : label_(files::pathForMessage(path)), handle_(kClosed) {
  int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
  if (fd < 0)
    throw Error(messages::cannotCreate(label_, reason(errno)));
  while (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    if (errno == EINTR)
      continue;
    int code = errno;
    ::close(fd);
    if (code == EWOULDBLOCK)
      throw Error(messages::inUse(label_));
    throw Error(messages::cannotCreate(label_, reason(code)));
  }
  if (::ftruncate(fd, 0) != 0) {
    int code = errno;
    ::close(fd);
    throw Error(messages::cannotCreate(label_, reason(code)));
  }
  handle_ = fd;
}

TableFile::~TableFile() {
  if (handle_ != kClosed)
    ::close(fdOf(handle_));
}

std::vector<uint8_t> TableFile::readAll() {
  const int fd = fdOf(handle_);
  struct stat st {};
  if (::fstat(fd, &st) != 0)
    throw Error(messages::cannotRead(label_, reason(errno)));
  std::vector<uint8_t> bytes(static_cast<size_t>(st.st_size));
  size_t done = 0;
  while (done < bytes.size()) {
    ssize_t n = ::pread(fd, bytes.data() + done, bytes.size() - done, static_cast<off_t>(done));
    if (n < 0) {
      if (errno == EINTR)
        continue;
      throw Error(messages::cannotRead(label_, reason(errno)));
    }
    if (n == 0)
      break;  // shortened meanwhile: parse what is there
    done += static_cast<size_t>(n);
  }
  bytes.resize(done);
  return bytes;
}

void TableFile::write(uint64_t offset, const uint8_t* data, size_t size) {
  const int fd = fdOf(handle_);
  size_t done = 0;
  while (done < size) {
    ssize_t n = ::pwrite(fd, data + done, size - done, static_cast<off_t>(offset + done));
    if (n < 0) {
      if (errno == EINTR)
        continue;
      throw Error(messages::cannotWrite(label_, reason(errno)));
    }
    done += static_cast<size_t>(n);
  }
}

void TableFile::truncate(uint64_t size) {
  if (::ftruncate(fdOf(handle_), static_cast<off_t>(size)) != 0) {
    throw Error(messages::cannotWrite(label_, reason(errno)));
  }
}

void TableFile::close() {
  if (handle_ == kClosed)
    return;
  int fd = fdOf(handle_);
  handle_ = kClosed;
  if (::close(fd) != 0)
    throw Error(messages::cannotWrite(label_, reason(errno)));
}

}  // namespace tts::dbase
