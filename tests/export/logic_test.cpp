// The export's pure rules: time texts, slot codes, the start-time check, the
// SESIONES text and the sameness of subject codes.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "export/sessions.h"
#include "export/start_time.h"
#include "export/time_text.h"
#include "tests/support/testing.h"

namespace tts::exporting {
namespace {

TEST(TimeText, HoursDoNotWrapAndKeepTheirLastTwoDigits) {
  struct Case {
    int64_t minutes;
    const char* text;
  };
  const Case cases[] = {{0, "00:00"},    {480, "08:00"},  {535, "08:55"},  {1439, "23:59"},
                        {1455, "24:15"}, {5999, "99:59"}, {6000, "00:00"}, {6065, "01:05"},
                        {-5, "00:-5"},   {-65, "-1:-5"},  {61, "01:01"}};
  for (const Case& c : cases)
    EXPECT_EQ(timeText(c.minutes), c.text) << c.minutes;
}

TEST(TimeText, MinuteCountReadsCharactersOneTwoAndFourFive) {
  EXPECT_EQ(minuteCount("08:55"), 535);
  EXPECT_EQ(minuteCount(" 8:00"), 480);  // the edit's text without the optional digit
  EXPECT_EQ(minuteCount("23:30"), 1410);
  EXPECT_EQ(minuteCount("10.20"), 620);  // the third character is not looked at
  EXPECT_THROW_MSG(minuteCount(""), "'' no es un valor entero v\xE1lido");
  EXPECT_THROW_MSG(minuteCount("08"), "'' no es un valor entero v\xE1lido");
  EXPECT_THROW_MSG(minuteCount("8:00"), "'8:' no es un valor entero v\xE1lido");
  EXPECT_THROW_MSG(minuteCount("08:5 "), "'5 ' no es un valor entero v\xE1lido");
}

TEST(SlotCode, DayDigitAndHourCharacters) {
  struct Case {
    const char* code;
    const char* day;
    const char* hour;
  };
  const Case cases[] = {{"L1", "1", "1"}, {"M2", "2", "2"}, {"X3", "3", "3"},    {"J10", "4", "10"},
                        {"V5", "5", "5"}, {"S6", "6", "6"}, {"D7", "7", "7"},    {"L01", "1", "01"},
                        {"l1", "l", "1"}, {"Q4", "Q", "4"}, {"L123", "1", "12"}, {"L", "1", ""},
                        {"", "", ""}};
  for (const Case& c : cases) {
    EXPECT_EQ(dayDigit(c.code), c.day) << c.code;
    EXPECT_EQ(hourCharacters(c.code), c.hour) << c.code;
  }
}

HourTable durations(const std::vector<std::string>& minutes) {
  HourTable table;
  for (size_t i = 0; i < minutes.size(); ++i)
    table[i] = minutes[i];
  return table;
}

TEST(StartTimes, DerivedFromTheHourJustBelow) {
  const HourTable starts = deriveStartTimes("08:00", durations({"55", "55", "30"}));
  EXPECT_EQ(starts[0], "08:00");
  EXPECT_EQ(starts[1], "08:55");
  EXPECT_EQ(starts[2], "09:50");
  for (size_t k = 3; k < starts.size(); ++k)
    EXPECT_EQ(starts[k], "") << k + 1;

  EXPECT_EQ(deriveStartTimes("23:30", durations({"45", "45"}))[1], "24:15");
  // Hour 1 keeps the text as given; derived starts have two hour digits.
  const HourTable blank = deriveStartTimes(" 8:00", durations({"55", "55"}));
  EXPECT_EQ(blank[0], " 8:00");
  EXPECT_EQ(blank[1], "08:55");
  // Hour 1 always starts, even when no Monday hour 1 exists.
  EXPECT_EQ(deriveStartTimes("09:15", HourTable{})[0], "09:15");
}

TEST(StartTimes, AGapOrAMissingFirstHourFailsOnAnEmptyText) {
  const char* empty = "'' no es un valor entero v\xE1lido";
  EXPECT_THROW_MSG(deriveStartTimes("08:00", durations({"55", "55", "", "40"})), empty);
  EXPECT_THROW_MSG(deriveStartTimes("08:00", durations({"", "55"})), empty);
  EXPECT_THROW_MSG(deriveStartTimes("08:00", durations({"55min", "55"})),
                   "'55min' no es un valor entero v\xE1lido");
  // A bad duration of the last present hour is read by no one here.
  EXPECT_NO_THROW(deriveStartTimes("08:00", durations({"55", "5.5"})));
}

TEST(StartTimeCheck, HoursUpTo23AndMinutesUpTo59) {
  struct Case {
    const char* text;
    bool accepted;
  };
  const Case cases[] = {{"00:00", true},  {"23:59", true},  {" 8:00", true},  {"08:00", true},
                        {"24:00", false}, {"12:60", false}, {"99:99", false}, {"-1:00", true},
                        {"24:xx", false}};  // minutes are not read once the hours fail
  for (const Case& c : cases)
    EXPECT_EQ(startTimeInRange(c.text), c.accepted) << c.text;
  EXPECT_THROW_MSG(startTimeInRange("ab:00"), "'ab' no es un valor entero v\xE1lido");
  EXPECT_THROW_MSG(startTimeInRange("08:  "), "'  ' no es un valor entero v\xE1lido");
}

TEST(StartTimeDialogLoop, AsksAgainWhileOutOfRangeAndCutsToFiveCharacters) {
  std::vector<std::string> answers = {"24:00", "12:60", "07:45 y algo"};
  size_t asked = 0;
  const std::string start = askStartTime([&] { return answers.at(asked++); });
  EXPECT_EQ(start, "07:45");
  EXPECT_EQ(asked, 3u);
}

TEST(StartTimeDialogLoop, AConversionErrorEndsTheLoop) {
  size_t asked = 0;
  EXPECT_THROW_MSG(askStartTime([&] {
                     ++asked;
                     return std::string("xx:00");
                   }),
                   "'xx' no es un valor entero v\xE1lido");
  EXPECT_EQ(asked, 1u);
  EXPECT_THROW_MSG(askStartTime([] { return std::string(); }),
                   "'' no es un valor entero v\xE1lido");
}

TEST(Sessions, CeilingOfTheHoursWithThirteenSingleSessionsAtMost) {
  struct Case {
    double hours;
    std::string text;
  };
  const std::string thirteen(13, '1');
  const Case cases[] = {{1.0, "1"},
                        {61.0 / 60, "11"},
                        {2.0, "11"},
                        {12.25, thirteen},
                        {13.0, thirteen},
                        {781.0 / 60, "1" + thirteen},
                        {14.0, "1" + thirteen},
                        {15.0, "2" + thirteen},
                        {30.0, "17" + thirteen},
                        {2147483647.0 / 60, "35791382" + thirteen}};
  for (const Case& c : cases)
    EXPECT_EQ(sessionsText(c.hours), c.text) << c.hours;
}

}  // namespace
}  // namespace tts::exporting
