// Measuring: the best wall-clock time of a few runs, the peak memory of a step
// run alone in a fresh process, and file sizes.
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace tts::bench {

// Runs `work` `runs` times (at least once) and returns the shortest time, in
// seconds.
double bestOf(int runs, const std::function<void()>& work);

// Runs this program again with `args` followed by a report file, and returns
// the peak resident memory the child wrote there with reportPeak(). Throws
// Error when the child cannot start or does not exit with 0.
uint64_t peakOfChild(const std::vector<std::string>& args, const std::string& reportFile);

// Writes this process's peak resident memory in bytes into the file: the
// high-water mark of its own address space (VmHWM). getrusage's ru_maxrss is
// not used for it: Linux carries the parent's peak across fork and exec into
// the child's ru_maxrss.
void reportPeak(const std::string& reportFile);

// Size of a file in bytes; 0 when it is missing.
uint64_t fileSize(const std::string& path);

// Bytes in MB (10^6), with one decimal, for the report.
std::string megabytes(uint64_t bytes);

}  // namespace tts::bench
