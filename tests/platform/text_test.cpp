#include <gtest/gtest.h>

#include "platform/text.h"
#include "tests/support/testing.h"

namespace tts {
namespace {

TEST(Trim, RemovesCodesUpTo32AtBothEndsOnly) {
  EXPECT_EQ(trim("\t\n  a b\r\n\x01"), "a b");
  EXPECT_EQ(trim(std::string("\0x\0", 3)), "x");
  EXPECT_EQ(trim(" \t\r\n"), "");
  EXPECT_EQ(trim("ñ "), "ñ");
  EXPECT_TRUE(isBlank(" \t\x1f"));
  EXPECT_TRUE(isBlank(""));
  EXPECT_FALSE(isBlank(" . "));
}

struct IntegerCase {
  const char* text;
  int32_t value;
};

class ToIntegerAccepts : public ::testing::TestWithParam<IntegerCase> {};

TEST_P(ToIntegerAccepts, Value) {
  EXPECT_EQ(toInteger(GetParam().text), GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ToIntegerAccepts,
    ::testing::Values(IntegerCase{"0", 0}, IntegerCase{"55", 55}, IntegerCase{"  7", 7},
                      IntegerCase{"+12", 12}, IntegerCase{"-3", -3}, IntegerCase{"007", 7},
                      IntegerCase{"2147483647", INT32_MAX}, IntegerCase{"-2147483648", INT32_MIN},
                      IntegerCase{"$1A2B", 0x1A2B}, IntegerCase{"$1a2b", 0x1A2B},
                      IntegerCase{"x10", 16}, IntegerCase{"X10", 16}, IntegerCase{"0x10", 16},
                      IntegerCase{"0X10", 16}, IntegerCase{"$FFFFFFFF", -1},
                      IntegerCase{"$000000001", 1}, IntegerCase{"-$10", -16}));

class ToIntegerRejects : public ::testing::TestWithParam<const char*> {};

TEST_P(ToIntegerRejects, WithTheConversionMessage) {
  const char* text = GetParam();
  EXPECT_THROW_MSG(toInteger(text), std::string("'") + text + "' no es un valor entero válido");
}

INSTANTIATE_TEST_SUITE_P(Cases, ToIntegerRejects,
                         ::testing::Values("", " ", "5 ", "1.5", "2147483648", "-2147483649", "12a",
                                           "$", "$0x1A2B", "$$1", "$123456789", "0x", "\t5", "--1",
                                           "+", "55min"));

TEST(ToInteger, MessageIsTheSystemsText) {
  // The message is 8-bit ANSI text: "á" is one byte, 0xE1.
  EXPECT_EQ(conversionErrorMessage("x"), "'x' no es un valor entero v\xE1lido");
}

TEST(AnsiConversion, WesternLettersRoundTrip) {
  const std::string utf8 =
      "\xC3\xB1\xC3\x91\xC3\xA1\xC3\xA9\xC3\xAD\xC3\xB3\xC3\xBA\xC3\xBC\xE2\x82\xAC";
  const std::string ansi = "\xF1\xD1\xE1\xE9\xED\xF3\xFA\xFC\x80";
  EXPECT_EQ(ansiFromUtf8(utf8), ansi);
  EXPECT_EQ(utf8FromAnsi(ansi), utf8);
}

TEST(AnsiConversion, UnrepresentableBecomesQuestionMark) {
  EXPECT_EQ(ansiFromUtf8("a\xE4\xB8\xAD"
                         "b"),
            "a?b");  // CJK
  EXPECT_EQ(ansiFromUtf8("\xC5\x81"
                         "odz"),
            "?odz");                                 // Polish L with stroke
  EXPECT_EQ(ansiFromUtf8("\xF0\x9F\x98\x80"), "?");  // emoji, 4 bytes
}

TEST(EqualIgnoringCase, WholeTextsAccentedLettersIncluded) {
  struct Case {
    std::string a;
    std::string b;
    bool same;
  };
  const Case cases[] = {
      {"MAT1", "mat1", true},
      {"", "", true},
      {"Espa\xF1ol", "ESPA\xD1OL", true},  // ñ Ñ
      {"F\xCDSICA", "f\xEDsica", true},    // Í í
      {"\xC1LGEBRA", "\xE1lgebra", true},  // Á á
      {"\xDC"
       "B",
       "\xFC"
       "b",
       true},                                   // Ü ü
      {"ALGEBRA", "\xC1LGEBRA", false},         // an accent makes another code
      {"MAT1", "MAT1 ", false},                 // whole codes: no blank is ignored
      {"MATEMATICAS1", "MATEMATICAS2", false},  // beyond the field's ten characters
      {"MAT", "MATE", false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(equalIgnoringCase(c.a, c.b), c.same) << c.a << " / " << c.b;
    EXPECT_EQ(equalIgnoringCase(c.b, c.a), c.same) << c.b << " / " << c.a;
  }
}

TEST(LowerAscii, OnlyAsciiLetters) {
  EXPECT_EQ(lowerAscii("EXPORTAR Ñ"), "exportar \xD1");
}

}  // namespace
}  // namespace tts
