// tts_bench: times the export and the import on synthetic schools, against the
// import with plain scans (the reference lookups) and against the floor of
// reading the tables and writing the result without any lookup; checks the
// targets on the district-sized school and exits with 1 when one is missed.
//
//   tts_bench [--sizes small,large,district] [--seed N] [--runs N]
//             [--scan-runs N] [--keep]
//
// Each figure is the best of a few runs. Peak memory is measured per step in a
// fresh child process (this program again, with --peak).
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "bench/measure.h"
#include "bench/school.h"
#include "bench/steps.h"
#include "interchange/result.h"
#include "platform/error.h"
#include "platform/files.h"
#include "platform/text.h"

namespace tts::bench {
namespace {

// The targets, checked on the district-sized school.
constexpr double kMinScanRatio = 50;    // import at least this many times faster than scans
constexpr double kMaxFloorRatio = 3;    // import within this many times the floor
constexpr double kMaxSeconds = 1;       // export and import each
constexpr double kMaxMemoryRatio = 10;  // peak memory per byte of input
const char* const kTargetSize = "district";

struct Options {
  std::vector<std::string> sizes = shapeNames();
  uint32_t seed = 2024;
  int runs = 5;
  int scanRuns = 0;  // 0: 3, and 1 on the district-sized school
  bool keep = false;
};

struct Figures {
  double exportSeconds = 0, importSeconds = 0, scanSeconds = 0, floorSeconds = 0;
  uint64_t documentBytes = 0, tableBytes = 0;
  uint64_t peakExport = 0, peakImport = 0, peakFloor = 0, peakIdle = 0;
};

std::string fixed(double value, int decimals) {
  char text[32];
  std::snprintf(text, sizeof text, "%.*f", decimals, value);
  return text;
}

void line(const std::string& size, const std::string& what, const std::string& value) {
  std::string label = size + "  " + what;
  label.resize(std::max<size_t>(label.size(), 26), ' ');
  std::cout << label << value << "\n" << std::flush;
}

std::vector<uint8_t> resultBytes(const Folders& f) {
  return files::readAll(resultPath(f.document));
}

Figures measure(const SchoolShape& shape, const Options& options, const std::string& root) {
  const std::string schoolDir = files::join(root, shape.name);
  const Folders folders{files::join(schoolDir, kDocumentName), files::join(schoolDir, "qtemp")};
  std::filesystem::create_directories(folders.qtemp);
  const School school = makeSchool(shape, options.seed);
  std::cout << "school " << shape.name << ": " << shape.teachers << " teachers, " << shape.groups
            << " groups, " << shape.assignments << " assignments, " << shape.days << " days x "
            << shape.hours << " hours; " << school.soluc.size() << " SOLUC rows (seed "
            << options.seed << ")\n";
  writeSchool(school, folders.qtemp);  // SOLUC.DBF where the import reads it
  files::replace(files::join(folders.qtemp, kDocumentName), folders.document);

  Figures fig;
  const int runs = options.runs;
  const int scanRuns = options.scanRuns > 0 ? options.scanRuns : shape.name == kTargetSize ? 1 : 3;

  fig.exportSeconds = bestOf(runs, [&] { exportStep(folders); });
  line(shape.name, "export",
       fixed(fig.exportSeconds, 3) + " s  (load + six tables, best of " + std::to_string(runs) +
           ")");
  ResultShape result;
  fig.importSeconds = bestOf(runs, [&] { result = importStep(folders); });
  line(shape.name, "import",
       fixed(fig.importSeconds, 3) + " s  (" + std::to_string(result.teachers) + " teachers, " +
           std::to_string(result.activities) + " classes, best of " + std::to_string(runs) + ")");
  const std::vector<uint8_t> indexed = resultBytes(folders);
  fig.scanSeconds = bestOf(scanRuns, [&] { scanStep(folders); });
  line(shape.name, "import-scan",
       fixed(fig.scanSeconds, 3) + " s  (plain scans, best of " + std::to_string(scanRuns) + ")");
  if (resultBytes(folders) != indexed) {
    throw Error("the result documents of the indexed and the scanning import differ");
  }
  size_t fieldsRead = 0;
  fig.floorSeconds = bestOf(runs, [&] { fieldsRead = floorStep(folders, result); });
  line(shape.name, "floor",
       fixed(fig.floorSeconds, 3) + " s  (" + std::to_string(fieldsRead) +
           " fields read, same result size, best of " + std::to_string(runs) + ")");
  line(shape.name, "import/scan",
       fixed(fig.importSeconds / fig.scanSeconds, 4) + "  (" +
           fixed(fig.scanSeconds / fig.importSeconds, 1) + " times faster)");
  line(shape.name, "import/floor", fixed(fig.importSeconds / fig.floorSeconds, 2));

  fig.documentBytes = fileSize(folders.document);
  for (const char* table : kImportTables) {
    fig.tableBytes += fileSize(files::findEntry(folders.qtemp, std::string(table) + ".DBF"));
  }
  line(shape.name, "input",
       "document " + megabytes(fig.documentBytes) + " + tables " + megabytes(fig.tableBytes) +
           " = " + megabytes(fig.documentBytes + fig.tableBytes));
  auto child = [&](const std::string& step) {
    std::vector<std::string> args = {"--peak",
                                     step,
                                     folders.document,
                                     folders.qtemp,
                                     std::to_string(result.teachers),
                                     std::to_string(result.activities)};
    return peakOfChild(args, files::join(root, "peak.txt"));
  };
  fig.peakIdle = child("none");
  fig.peakExport = child("export");
  fig.peakImport = child("import");
  fig.peakFloor = child("floor");
  const double input = static_cast<double>(fig.documentBytes + fig.tableBytes);
  line(shape.name, "peak export",
       megabytes(fig.peakExport) + "  (" +
           fixed(static_cast<double>(fig.peakExport) / static_cast<double>(fig.documentBytes), 1) +
           " x document)");
  line(shape.name, "peak import",
       megabytes(fig.peakImport) + "  (" + fixed(static_cast<double>(fig.peakImport) / input, 1) +
           " x input)");
  line(shape.name, "peak floor", megabytes(fig.peakFloor));
  line(shape.name, "peak idle", megabytes(fig.peakIdle) + "  (the program doing nothing)");
  std::cout << "\n";
  return fig;
}

bool check(const std::string& what, bool ok, const std::string& value) {
  std::cout << "target  " << what << ": " << value << (ok ? "  ok" : "  MISSED") << "\n";
  return ok;
}

bool checkTargets(const Figures& f) {
  const double input = static_cast<double>(f.documentBytes + f.tableBytes);
  const double scanRatio = f.scanSeconds / f.importSeconds;
  const double floorRatio = f.importSeconds / f.floorSeconds;
  const double exportMemory =
      static_cast<double>(f.peakExport) / static_cast<double>(f.documentBytes);
  const double importMemory = static_cast<double>(f.peakImport) / input;
  bool ok = true;
  ok &= check("import at least 50 times faster than the plain scans", scanRatio >= kMinScanRatio,
              fixed(scanRatio, 1) + " times");
  ok &= check("import within 3 times the floor", floorRatio <= kMaxFloorRatio,
              fixed(floorRatio, 2) + " times");
  ok &= check("export under 1 s", f.exportSeconds < kMaxSeconds, fixed(f.exportSeconds, 3) + " s");
  ok &= check("import under 1 s", f.importSeconds < kMaxSeconds, fixed(f.importSeconds, 3) + " s");
  ok &= check("export peak memory under 10 times the document", exportMemory < kMaxMemoryRatio,
              fixed(exportMemory, 1) + " times");
  ok &= check("import peak memory under 10 times document and tables",
              importMemory < kMaxMemoryRatio, fixed(importMemory, 1) + " times");
  return ok;
}

// The child of peakOfChild(): one step, once.
int runPeakChild(const std::vector<std::string>& args) {
  if (args.size() != 6)
    return 2;
  const Folders folders{args[1], args[2]};
  const ResultShape shape{std::stoul(args[3]), std::stoul(args[4])};
  if (args[0] == "export")
    exportStep(folders);
  if (args[0] == "import")
    importStep(folders);
  if (args[0] == "floor")
    floorStep(folders, shape);
  reportPeak(args[5]);
  return 0;
}

int usage() {
  std::cerr << "usage: tts_bench [--sizes small,large,district] [--seed N] [--runs N]"
               " [--scan-runs N] [--keep]\n";
  return 2;
}

int run(const std::vector<std::string>& args) {
  if (!args.empty() && args[0] == "--peak") {
    return runPeakChild(std::vector<std::string>(args.begin() + 1, args.end()));
  }
  Options options;
  for (size_t i = 0; i < args.size(); ++i) {
    const bool hasValue = i + 1 < args.size();
    if (args[i] == "--keep") {
      options.keep = true;
    } else if (args[i] == "--sizes" && hasValue) {
      options.sizes.clear();
      std::stringstream list(args[++i]);
      for (std::string name; std::getline(list, name, ',');) {
        if (!shapeNamed(name))
          return usage();
        options.sizes.push_back(name);
      }
    } else if (args[i] == "--seed" && hasValue) {
      options.seed = static_cast<uint32_t>(std::stoul(args[++i]));
    } else if (args[i] == "--runs" && hasValue) {
      options.runs = std::stoi(args[++i]);
    } else if (args[i] == "--scan-runs" && hasValue) {
      options.scanRuns = std::stoi(args[++i]);
    } else {
      return usage();
    }
  }

  const char* tmp = std::getenv("TMPDIR");
  const std::string root = files::makeUniqueFolder(tmp && *tmp ? tmp : "/tmp", "tts_bench_");
  int code = 0;
  bool checked = false;
  try {
    for (const std::string& name : options.sizes) {
      const SchoolShape shape = *shapeNamed(name);
      const Figures figures = measure(shape, options, root);
      if (name == kTargetSize) {
        checked = true;
        if (!checkTargets(figures))
          code = 1;
      }
    }
  } catch (...) {
    if (!options.keep)
      files::removeTreeQuietly(root);
    throw;
  }
  if (!checked)
    std::cout << "targets not checked: they apply to the " << kTargetSize << " school\n";
  if (options.keep) {
    std::cout << "schools kept in " << root << "\n";
  } else {
    files::removeTreeQuietly(root);
  }
  return code;
}

}  // namespace
}  // namespace tts::bench

int main(int argc, char** argv) {
  try {
    return tts::bench::run(std::vector<std::string>(argv + 1, argv + argc));
  } catch (const tts::Error& e) {
    std::cerr << "tts_bench: " << tts::utf8FromAnsi(e.what()) << "\n";
  } catch (const std::exception& e) {
    std::cerr << "tts_bench: " << e.what() << "\n";
  }
  return 1;
}
