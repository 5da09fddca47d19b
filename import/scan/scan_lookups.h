// The lookups as plain scans: every lookup goes to its table's first record
// and tests record after record, reading each field by name, until the first
// match or the end. Slow on purpose; it is the reference the indexed lookups
// are tested against and the baseline they are measured against. Not part of
// the programs.
#pragma once

#include <memory>

#include "import/lookups.h"

namespace tts {

// Lookups that scan the tables at every call.
std::unique_ptr<Lookups> makeScanLookups(const LookupTables& tables);

}  // namespace tts
