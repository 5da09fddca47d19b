#include "bench/measure.h"

#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>

#include "platform/error.h"
#include "platform/files.h"

extern char** environ;

namespace tts::bench {

double bestOf(int runs, const std::function<void()>& work) {
  double best = 0;
  for (int i = 0; i < std::max(runs, 1); ++i) {
    const auto start = std::chrono::steady_clock::now();
    work();
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    if (i == 0 || took.count() < best)
      best = took.count();
  }
  return best;
}

uint64_t peakOfChild(const std::vector<std::string>& args, const std::string& reportFile) {
  const std::string self = "/proc/self/exe";
  std::vector<char*> argv;
  argv.push_back(const_cast<char*>(self.c_str()));
  for (const std::string& a : args)
    argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(const_cast<char*>(reportFile.c_str()));
  argv.push_back(nullptr);
  pid_t pid = 0;
  const int failed = posix_spawn(&pid, self.c_str(), nullptr, nullptr, argv.data(), environ);
  if (failed != 0)
    throw Error(std::string("cannot start the measuring child: ") + std::strerror(failed));
  int status = 0;
  while (waitpid(pid, &status, 0) < 0) {
    if (errno != EINTR)
      throw Error(std::string("waitpid: ") + std::strerror(errno));
  }
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
    throw Error("the measuring child failed: " + args.front());
  }
  const std::vector<uint8_t> report = files::readAll(reportFile);
  return std::stoull(std::string(report.begin(), report.end()));
}

void reportPeak(const std::string& reportFile) {
  std::ifstream status("/proc/self/status");
  uint64_t kilobytes = 0;
  for (std::string line; std::getline(status, line);) {
    if (line.rfind("VmHWM:", 0) == 0)
      kilobytes = std::stoull(line.substr(6));
  }
  if (kilobytes == 0)
    throw Error("no VmHWM in /proc/self/status");
  const std::string text = std::to_string(kilobytes * 1024);
  files::writeAll(reportFile, std::vector<uint8_t>(text.begin(), text.end()));
}

uint64_t fileSize(const std::string& path) {
  struct stat st {};
  if (stat(path.c_str(), &st) != 0)
    return 0;
  return static_cast<uint64_t>(st.st_size);
}

std::string megabytes(uint64_t bytes) {
  char text[32];
  std::snprintf(text, sizeof text, "%.1f MB", static_cast<double>(bytes) / 1e6);
  return text;
}

}  // namespace tts::bench
