// The window program's testable pieces: command line, host handle, error
// report text, mask rules, default extension, status file, help path.
#include <gtest/gtest.h>

#include <cstdlib>

#include <string>
#include <vector>

#include "app/application.h"
#include "app/command_line.h"
#include "app/error_report.h"
#include "app/help.h"
#include "app/mask_rules.h"
#include "app/open_dialog.h"
#include "app/status_file.h"
#include "tests/support/testing.h"

namespace tts::app {
namespace {

struct SplitCase {
  const char* line;
  std::vector<std::string> parameters;
};

class SplitParameters : public ::testing::TestWithParam<SplitCase> {};

TEST_P(SplitParameters, AsTheRuntimeSplitsThem) {
  EXPECT_EQ(splitParameters(GetParam().line), GetParam().parameters);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SplitParameters,
    ::testing::Values(SplitCase{"prog.exe", {}}, SplitCase{"", {}},
                      SplitCase{"prog.exe exportar 1A2B", {"exportar", "1A2B"}},
                      SplitCase{"\"C:\\Program Files\\T\\prog.exe\" importar 1a2b",
                                {"importar", "1a2b"}},
                      SplitCase{"prog.exe\t exportar  \t 0 ", {"exportar", "0"}},
                      SplitCase{"prog.exe \"exportar\" \"1a 2b\"", {"exportar", "1a 2b"}},
                      SplitCase{"prog.exe ex\"por tar\"x y", {"expor tarx", "y"}},
                      // Backslashes are plain characters, quotes are never escaped.
                      SplitCase{"prog.exe a\\\"b c\\\" d", {"a\\b c\\", "d"}},
                      // Empty "" pairs between items vanish; an unclosed quote runs to the end.
                      SplitCase{"prog.exe \"\" exportar \"\"\"\" 12", {"exportar", "12"}},
                      SplitCase{"prog.exe \"abierto hasta el fin", {"abierto hasta el fin"}},
                      SplitCase{"prog.exe uno dos tres", {"uno", "dos", "tres"}},
                      SplitCase{"prog.exe \xF1u 1", {"\xF1u", "1"}}));

TEST(HostHandleValue, IsHexadecimalAfterADollar) {
  EXPECT_EQ(hostHandleValue("1A2B"), 0x1A2B);
  EXPECT_EQ(hostHandleValue("1a2b"), 0x1A2B);
  EXPECT_EQ(hostHandleValue("0"), 0);
  EXPECT_EQ(hostHandleValue("0000000010020"), 0x10020);
  EXPECT_THROW_MSG(hostHandleValue("0x1A"), "'$0x1A' no es un valor entero válido");
  EXPECT_THROW_MSG(hostHandleValue("$1A"), "'$$1A' no es un valor entero válido");
  EXPECT_THROW_MSG(hostHandleValue("12G"), "'$12G' no es un valor entero válido");
  EXPECT_THROW_MSG(hostHandleValue(""), "'$' no es un valor entero válido");
  EXPECT_THROW_MSG(hostHandleValue("123456789"), "'$123456789' no es un valor entero válido");
}

TEST(ErrorReport, AppendsAFullStopOnlyWhenMissing) {
  EXPECT_EQ(withFullStop("'' no es un valor entero válido"), "'' no es un valor entero válido.");
  EXPECT_EQ(withFullStop("Fin."), "Fin.");
  EXPECT_EQ(withFullStop("¿Qué?"), "¿Qué?.");
  EXPECT_EQ(withFullStop(""), "");
}

// ---- mask "!90:00;1;_" ----

TEST(Mask, LaysAnyTextOnItsPlaces) {
  EXPECT_EQ(mask::editText("08:00"), "08:00");
  EXPECT_EQ(mask::editText(" 8:00"), "_8:00");
  EXPECT_EQ(mask::editText("8:0"), "8_:__");
  EXPECT_EQ(mask::editText("ab-cd9"), "__:__");
  EXPECT_EQ(mask::editText(""), "__:__");
  EXPECT_EQ(mask::valueText("_8:00"), " 8:00");
  EXPECT_EQ(mask::valueText("1_:__"), "1 :  ");
}

TEST(Mask, CompleteNeedsEveryRequiredDigit) {
  for (const char* good : {"08:00", "_8:00", "23:59", "99:99"}) {
    EXPECT_TRUE(mask::isComplete(good)) << good;
  }
  for (const char* bad : {"8_:00", "08:0_", "08:_0", "__:__", "08-00", "08:00 ", " 8:00", ""}) {
    EXPECT_FALSE(mask::isComplete(bad)) << bad;
  }
}

// Keys typed from a state; '\b' is backspace and '\x7f' delete.
struct TypingCase {
  const char* start;
  size_t selStart;
  size_t selEnd;
  const char* keys;
  const char* text;  // nullptr: the last key is refused
  size_t caret;
};

class MaskTyping : public ::testing::TestWithParam<TypingCase> {};

TEST_P(MaskTyping, GivesTextAndCaret) {
  const TypingCase& c = GetParam();
  std::optional<mask::State> s = mask::State{c.start, c.selStart, c.selEnd};
  for (const char* k = c.keys; *k && s; ++k) {
    if (*k == '\b') {
      s = mask::backspace(*s);
    } else if (*k == '\x7f') {
      s = mask::erase(*s);
    } else {
      s = mask::type(*s, *k);
    }
  }
  if (!c.text) {
    EXPECT_FALSE(s.has_value());
    return;
  }
  ASSERT_TRUE(s.has_value());
  EXPECT_EQ(s->text, c.text);
  EXPECT_EQ(s->selStart, c.caret);
  EXPECT_EQ(s->selEnd, c.caret);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, MaskTyping,
    ::testing::Values(
        // Digits overwrite and jump the fixed ":".
        TypingCase{"08:00", 0, 5, "0730", "07:30", 5},
        TypingCase{"08:00", 0, 0, "0930", "09:30", 5}, TypingCase{"08:00", 1, 1, "9", "09:00", 3},
        // A ":" after one hour digit moves it right: the optional place stays empty.
        TypingCase{"08:00", 0, 5, "7:45", "_7:45", 5}, TypingCase{"08:00", 0, 5, "7", "7_:__", 1},
        TypingCase{"08:00", 0, 0, " 7:45", "_7:45", 5},
        // Refused keys.
        TypingCase{"08:00", 5, 5, "1", nullptr, 0}, TypingCase{"08:00", 0, 0, "a", nullptr, 0},
        TypingCase{"08:00", 4, 4, ":", nullptr, 0}, TypingCase{"08:00", 0, 5, "07:30", "07:30", 5},
        TypingCase{"08:00", 0, 0, "\b", nullptr, 0}, TypingCase{"08:00", 5, 5, "\x7f", nullptr, 0},
        // Backspace and delete empty places and skip the ":".
        TypingCase{"08:00", 3, 3, "\b", "0_:00", 1}, TypingCase{"08:00", 5, 5, "\b\b", "08:__", 3},
        TypingCase{"08:00", 2, 2, "\x7f", "08:_0", 3}, TypingCase{"08:00", 1, 4, "\b", "0_:_0", 1},
        // A text set from outside is laid on the mask before the key.
        TypingCase{"7", 1, 1, "5", "75:__", 3}));

TEST(DefaultExtension, AddedOnlyToANameWithout) {
  EXPECT_EQ(withDefaultExtension("C:\\QTEMP\\scolvia\\escuela"), "C:\\QTEMP\\scolvia\\escuela.xml");
  EXPECT_EQ(withDefaultExtension("C:\\QTEMP\\scolvia\\escuela.xml"),
            "C:\\QTEMP\\scolvia\\escuela.xml");
  EXPECT_EQ(withDefaultExtension("C:\\QTEMP\\scolvia\\escuela.XML"),
            "C:\\QTEMP\\scolvia\\escuela.XML");
  EXPECT_EQ(withDefaultExtension("C:\\datos.v2\\escuela"), "C:\\datos.v2\\escuela.xml");
  EXPECT_EQ(withDefaultExtension("C:\\a\\b.txt"), "C:\\a\\b.txt");
}

// ---- status file ----

TEST(StatusFile, SitsBesideTheExecutable) {
  EXPECT_EQ(statusFilePath("C:\\Tempaxin\\TransTempaxScolvia.exe"), "C:\\Tempaxin\\Tempaxin.ini");
  EXPECT_EQ(helpFilePath("SCOLVIA.chm", "C:\\Tempaxin\\TransTempaxScolvia.exe"),
            "C:\\Tempaxin\\SCOLVIA.chm");
  EXPECT_EQ(helpFilePath("D:\\ayuda\\SCOLVIA.chm", "C:\\Tempaxin\\T.exe"),
            "D:\\ayuda\\SCOLVIA.chm");
}

TEST(StatusFile, CreatesTheFileWithTheSectionAndKey) {
  tts::testing::TempFolder folder;
  writeStatus(folder.file("Tempaxin.ini"), 1);
  EXPECT_EQ(folder.read("Tempaxin.ini"), "[Transformadores]\r\nTransformado=1\r\n");
  writeStatus(folder.file("Tempaxin.ini"), -1);
  EXPECT_EQ(folder.read("Tempaxin.ini"), "[Transformadores]\r\nTransformado=-1\r\n");
}

TEST(StatusFile, KeepsEveryOtherSectionAndKey) {
  tts::testing::TempFolder folder;
  folder.write("Tempaxin.ini",
               "[Centro]\r\nNombre=IES Sur\r\n[Transformadores]\r\nOtro=7\r\nTransformado=1\r\n"
               "Ultimo=x\r\n[Fin]\r\nk=v\r\n");
  writeStatus(folder.file("Tempaxin.ini"), 0);
  EXPECT_EQ(folder.read("Tempaxin.ini"),
            "[Centro]\r\nNombre=IES Sur\r\n[Transformadores]\r\nOtro=7\r\nTransformado=0\r\n"
            "Ultimo=x\r\n[Fin]\r\nk=v\r\n");
}

TEST(StatusFile, AFileThatCannotBeWrittenIsAnErrorNamingIt) {
  tts::testing::TempFolder folder;
  std::string path = folder.file("no-existe\\Tempaxin.ini");
  EXPECT_THROW_MSG(writeStatus(path, 1), "No se puede escribir el archivo de estado " + path);
}

// The help file the build compiles: its contents and its topic of context 1
// open; a context it lacks and a missing file open nothing.
TEST(Help, OpensTheBuiltFileAtItsContentsAndContextOne) {
  const char* built = std::getenv("TTS_HELP_FILE");
  if (!built || !*built)
    GTEST_SKIP() << "built without chmcmd";
  std::string path = built;
  if (path[0] == '/') {
    path = "Z:" + path;
    for (char& c : path) {
      if (c == '/')
        c = '\\';
    }
  }
  std::string saved = application().helpFile;
  application().helpFile = path;
  EXPECT_NE(showHelpContents(nullptr), nullptr);
  EXPECT_NE(showHelpContext(nullptr, 1), nullptr);
  EXPECT_EQ(showHelpContext(nullptr, 4711), nullptr);
  closeHelp();
  application().helpFile = "C:\\no-existe\\SCOLVIA.chm";
  EXPECT_EQ(showHelpContents(nullptr), nullptr);
  closeHelp();
  application().helpFile = saved;
}

}  // namespace
}  // namespace tts::app
