// The indexed lookups against the plain scans on generated tables: duplicate
// keys, blank and letter-case variants, keys with blanks around them, slot
// keys with leading zeros. For every seed both must give the same lookups and
// the same result file, byte for byte.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "import/import_tables.h"
#include "platform/files.h"
#include "tests/import/import_fixture.h"

namespace tts::testing {
namespace {

const std::vector<std::string> kCodes = {"",   "A", "a",  "A ",  " A", "B", "A1",
                                         "a1", "1", "01", "O'N", "Ñ",  "ñ", "\t"};
// Few keys for ASIGT, so that its two scans often meet several matches.
const std::vector<std::string> kFewCodes = {"A", "a", "A ", "", "1", "01"};
const std::vector<std::string> kValues = {"", " ", "\t", "M1", "M2", "m1", "G439", "X&Y", "<b>"};
const std::vector<std::string> kDihos = {"11", "13", "103", "112", "1", "113", "1 3", "013", "23"};
const std::vector<int> kDays = {0, 1, 1, 2, 11};
const std::vector<int> kHours = {1, 2, 3, 12, 13};

class Generator {
 public:
  explicit Generator(unsigned seed) : random_(seed) {}

  const std::string& pick(const std::vector<std::string>& from) { return from[index(from.size())]; }
  int pick(const std::vector<int>& from) { return from[index(from.size())]; }
  size_t count(size_t most) { return index(most + 1); }

  School school() {
    School s;
    for (size_t i = count(5); i > 0; --i)
      s.proft.push_back({pick(kValues), pick(kValues), pick(kCodes)});
    for (size_t i = count(30); i > 0; --i) {
      s.soluc.push_back({pick(kCodes), pick(kDays), pick(kHours), pick(kCodes), pick(kCodes),
                         pick(kFewCodes), pick(kFewCodes), pick(kFewCodes), pick(kFewCodes)});
    }
    for (size_t i = count(12); i > 0; --i) {
      s.asignomt.push_back({pick(i % 2 ? kCodes : kFewCodes), pick(kValues)});
    }
    for (size_t i = count(12); i > 0; --i) {
      s.diashorast.push_back({pick(kDihos), pick(kValues), pick(kValues)});
    }
    for (size_t i = count(8); i > 0; --i)
      s.aulat.push_back({pick(kCodes), pick(kValues)});
    for (size_t i = count(8); i > 0; --i)
      s.grupost.push_back({pick(kCodes), pick(kValues)});
    for (size_t i = count(25); i > 0; --i) {
      s.asigt.push_back(
          {pick(kFewCodes), pick(kFewCodes), pick(kFewCodes), pick(kFewCodes), pick(kValues)});
    }
    return s;
  }

 private:
  size_t index(size_t size) { return std::uniform_int_distribution<size_t>(0, size - 1)(random_); }
  std::mt19937 random_;
};

std::string show(const std::optional<std::string>& value) {
  return value ? "[" + *value + "]" : "-";
}
std::string show(const std::optional<Slot>& slot) {
  return slot ? "[" + slot->weekday + "|" + slot->code + "]" : "-";
}

class ImportRandom : public ::testing::Test, public ImportFixture {};

TEST_F(ImportRandom, IndexedLookupsGiveWhatTheScansGive) {
  for (unsigned seed = 1; seed <= 150; ++seed) {
    SCOPED_TRACE("seed " + std::to_string(seed));
    Generator generate(seed);
    School school = generate.school();
    school.write(qtemp.path());
    {
      ImportTables tables(qtemp.path());
      auto scan = makeScanLookups(tables.lookupTables());
      auto indexed = makeIndexedLookups(tables.lookupTables());
      for (int query = 0; query < 40; ++query) {
        const std::string& code = generate.pick(kCodes);
        ASSERT_EQ(indexed->activity(code), scan->activity(code)) << "[" << code << "]";
        std::string key =
            std::to_string(generate.pick(kDays)) + std::to_string(generate.pick(kHours));
        if (query % 4 == 0)
          key = generate.pick(kDihos);
        ASSERT_EQ(show(indexed->slot(key)), show(scan->slot(key))) << key;
        ASSERT_EQ(show(indexed->room(code)), show(scan->room(code))) << "[" << code << "]";
        ASSERT_EQ(show(indexed->group(code)), show(scan->group(code))) << "[" << code << "]";
        SubjectKey subject{generate.pick(kFewCodes), generate.pick(kFewCodes),
                           generate.pick(kFewCodes), generate.pick(kFewCodes)};
        if (query % 2 == 0 && !school.asigt.empty()) {
          // Keys taken from ASIGT reach the second and third stages more often.
          const Assignment& a = school.asigt[generate.count(school.asigt.size() - 1)];
          subject = {a.casig, query % 3 == 0 ? a.cgrup : subject.codgrupo, a.nivel, a.curso};
        }
        ASSERT_EQ(show(indexed->subject(subject)), show(scan->subject(subject)))
            << "[" << subject.asig << "][" << subject.codgrupo << "][" << subject.nivel << "]["
            << subject.curso << "]";
      }
    }

    docs.write("horario.xml", document);
    ImportSummary byScan = import(makeScanLookups);
    const std::string scanned = docs.read("ResultadoTempaxhorario.xml");
    files::removeQuietly(resultPath);
    ImportSummary byIndex = import(makeIndexedLookups);
    ASSERT_EQ(docs.read("ResultadoTempaxhorario.xml"), scanned);
    ASSERT_EQ(byIndex.activities, byScan.activities);
    ASSERT_EQ(byIndex.subjectsNotFound, byScan.subjectsNotFound);
    ASSERT_EQ(byIndex.slotsNotFound + byIndex.roomsNotFound + byIndex.groupsNotFound,
              byScan.slotsNotFound + byScan.roomsNotFound + byScan.groupsNotFound);
  }
}

}  // namespace
}  // namespace tts::testing
