// Exclusive and shared opens, as the import and the export use them: an
// exclusive open keeps every other open out until it closes.
#include "platform/dbase/table.h"
#include "platform/files.h"
#include "tests/support/testing.h"

namespace tts::dbase {
namespace {

using tts::testing::TempFolder;

class DbaseAccess : public ::testing::Test {
 protected:
  void SetUp() override {
    createTable(dir.file("SOLUC.DBF"), {{"PROF", FieldType::String, 10}});
    Table table(dir.path(), "SOLUC", Access::Shared);
    table.open();
    table.append();
    table.setString("PROF", "ANA");
    table.post();
    table.close();
  }
  std::string inUse() const {
    return "La tabla '" + files::pathForMessage(dir.file("SOLUC.DBF")) +
           "' está en uso por otro programa";
  }
  TempFolder dir;
};

TEST_F(DbaseAccess, ExclusiveOpenKeepsEveryOtherOpenOutUntilClosed) {
  Table holder(dir.path(), "SOLUC", Access::Exclusive);
  holder.open();
  for (Access second : {Access::Exclusive, Access::Shared}) {
    Table other(dir.path(), "SOLUC", second);
    EXPECT_THROW_MSG(other.open(), inUse());
    EXPECT_FALSE(other.active());
  }
  EXPECT_THROW_MSG(createTable(dir.file("SOLUC.DBF"), {{"X", FieldType::Integer, 0}}), inUse());
  EXPECT_EQ(holder.asString("PROF"), "ANA");  // the holder is untouched

  holder.close();
  Table other(dir.path(), "SOLUC", Access::Exclusive);
  other.open();
  EXPECT_EQ(other.asString("PROF"), "ANA");
}

TEST_F(DbaseAccess, SharedOpensAdmitEachOtherButNoExclusiveOne) {
  Table first(dir.path(), "SOLUC", Access::Shared);
  Table second(dir.path(), "SOLUC", Access::Shared);
  first.open();
  second.open();
  EXPECT_EQ(first.asString("PROF"), "ANA");
  EXPECT_EQ(second.asString("PROF"), "ANA");
  Table exclusive(dir.path(), "SOLUC", Access::Exclusive);
  EXPECT_THROW_MSG(exclusive.open(), inUse());
  first.close();
  EXPECT_THROW_MSG(exclusive.open(), inUse());
  second.close();
  exclusive.open();
  EXPECT_TRUE(exclusive.active());
}

TEST_F(DbaseAccess, DestroyingTheTableReleasesTheFile) {
  {
    Table holder(dir.path(), "SOLUC", Access::Exclusive);
    holder.open();
  }
  Table other(dir.path(), "SOLUC", Access::Exclusive);
  other.open();
  EXPECT_TRUE(other.active());
}

}  // namespace
}  // namespace tts::dbase
