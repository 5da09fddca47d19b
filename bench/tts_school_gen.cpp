// tts_school_gen SIZE SEED OUTDIR: writes a synthetic school (escuela.xml and
// SOLUC.DBF) of the named size into OUTDIR, the same school for the same seed.
#include <charconv>
#include <iostream>
#include <string>
#include <string_view>

#include "bench/school.h"
#include "platform/error.h"
#include "platform/files.h"
#include "platform/text.h"

namespace {

void usage() {
  std::cerr << "usage: tts_school_gen SIZE SEED OUTDIR\n  SIZE:";
  for (const std::string& name : tts::bench::shapeNames())
    std::cerr << " " << name;
  std::cerr << "\n";
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    usage();
    return 2;
  }
  const auto shape = tts::bench::shapeNamed(argv[1]);
  const std::string_view seedText = argv[2];
  uint32_t seed = 0;
  const auto parsed = std::from_chars(seedText.data(), seedText.data() + seedText.size(), seed);
  if (!shape || parsed.ec != std::errc() || parsed.ptr != seedText.data() + seedText.size()) {
    usage();
    return 2;
  }
  try {
    if (!tts::files::isFolder(argv[3])) {
      std::cerr << "no such folder: " << argv[3] << "\n";
      return 1;
    }
    const tts::bench::School school = tts::bench::makeSchool(*shape, seed);
    tts::bench::writeSchool(school, argv[3]);
    size_t records = 0;
    for (const auto& list : school.lists)
      records += list.records.size();
    std::cout << shape->name << ": " << records << " records, " << school.soluc.size()
              << " SOLUC rows\n";
  } catch (const tts::Error& e) {
    std::cerr << tts::utf8FromAnsi(e.what()) << "\n";
    return 1;
  }
  return 0;
}
