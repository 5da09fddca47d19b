// A test fixture that runs the import over a School in its own folders: the
// working folder of the tables and the folder of the chosen document.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "import/import_run.h"
#include "import/lookups.h"
#include "import/scan/scan_lookups.h"
#include "tests/import/school.h"
#include "tests/support/testing.h"

namespace tts::testing {

// The two ways of serving the lookups; every walk test runs with both.
struct Strategy {
  const char* name;
  LookupsFactory make;
};
inline const Strategy kStrategies[] = {{"Indexed", makeIndexedLookups}, {"Scan", makeScanLookups}};

class ImportFixture {
 public:
  ImportFixture();

  // Writes the school's tables and the document, runs the import with
  // `strategy`, and returns the result's output section (see resultLines).
  std::vector<std::string> run(const School& school, const LookupsFactory& strategy,
                               bool withNames = false);

  // Runs the import on what is already in the folders.
  ImportSummary import(const LookupsFactory& strategy = makeIndexedLookups);

  TempFolder qtemp;        // the working folder of the tables
  TempFolder docs;         // where the chosen document lives
  std::string docPath;     // the chosen document
  std::string resultPath;  // where its result goes
  std::string document = sampleDocument();
  ImportSummary summary;
};

}  // namespace tts::testing
