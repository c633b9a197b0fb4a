// Clock texts, the clip length of a task, the title of a path.

#include "converter/engine/clock_text.h"

#include <gtest/gtest.h>

#include "converter/engine/media_record.h"

namespace engine {
namespace {

TEST(ClockTextTest, ParseClockTextReadsByPosition) {
    const struct {
        const char* text;
        int64_t seconds;
    } cases[] = {
        {"00:03:25", 205},
        {"01:00:00", 3600},
        {"00:03:25.47", 227},  // seconds come from the last two characters
        {"99:59:59", 359999},
        {"", 0},
        {"ab:cd:ef", 0},
        {" 1:02:03", 3723},
        {"-1:00:00", -3600},
        {"5", 5 * 3600 + 5},  // one character is both the hours and the seconds
    };
    for (const auto& c : cases) EXPECT_EQ(ParseClockText(c.text), c.seconds) << c.text;
}

TEST(ClockTextTest, FormatClockAndMilliseconds) {
    EXPECT_EQ(FormatClock(3723456), "01:02:03");
    EXPECT_EQ(FormatClockMs(3723456), "01:02:03.456");
    EXPECT_EQ(FormatClock(0), "00:00:00");
    EXPECT_EQ(FormatClockMs(7), "00:00:00.007");
    EXPECT_EQ(FormatClock(100u * 3600 * 1000), "100:00:00");
    EXPECT_EQ(FormatClock(59999), "00:00:59");
    EXPECT_EQ(FormatClock(4294967295u), "1193:02:47");
}

TEST(ClockTextTest, NowMsMovesForward) {
    const uint32_t first = NowMs();
    const uint32_t second = NowMs();
    EXPECT_LT(second - first, 1000000u);  // differences are small and never negative
}

TEST(ClockTextTest, EncoderTimeInBothForms) {
    const struct {
        const char* text;
        std::optional<double> seconds;
    } cases[] = {
        {"12.50", 12.5},         {"  12.50 ", 12.5},      {"7", 7.0},
        {"00:01:02.50", 62.5},   {"01:00:00.00", 3600.0}, {"00:00:05", 5.0},
        {"-00:00:00.02", -0.02}, {"N/A", std::nullopt},   {"", std::nullopt},
        {"12:30", std::nullopt}, {"1.2.3", std::nullopt}, {"00:0x:05", std::nullopt},
    };
    for (const auto& c : cases) {
        const auto parsed = ParseEncoderTime(c.text);
        ASSERT_EQ(parsed.has_value(), c.seconds.has_value()) << c.text;
        if (parsed) {
            EXPECT_NEAR(*parsed, *c.seconds, 1e-9) << c.text;
        }
    }
}

TEST(MediaRecordTest, NewRecordTakesTitleAndTrimFromPathAndDuration) {
    const CMediaRecord record("/Music/live set.2024.flac", "00:03:25");
    EXPECT_EQ(record.title, "live set.2024");
    EXPECT_EQ(record.kind, 1);
    EXPECT_EQ(record.duration, "00:03:25");
    EXPECT_EQ(record.trimStart, "00:00:00");
    EXPECT_EQ(record.trimEnd, "00:03:25");
    EXPECT_EQ(record.outputPath, "");
}

TEST(MediaRecordTest, TitleIsTheNameBeforeItsLastDot) {
    EXPECT_EQ(TitleOf("/Music/a.avi"), "a");
    EXPECT_EQ(TitleOf("/Music/noext"), "noext");
    EXPECT_EQ(TitleOf("/Mu.sic/noext"), "noext");  // a dot in the folder does not count
    EXPECT_EQ(TitleOf("plain.wav"), "plain");
    EXPECT_EQ(TitleOf("/Music/Ünïcødé ☃.ogg"), "Ünïcødé ☃");
}

TEST(MediaRecordTest, ClipSecondsIsTheTrimmedLength) {
    const struct {
        const char* start;
        const char* end;
        int32_t seconds;
    } cases[] = {
        {"00:00:00", "00:03:25", 205},   {"00:01:00", "00:03:25", 145},
        {"00:03:25", "00:01:00", -145},  // end before start
        {"00:00:00", "00:00:00", 0},     {"", "", 0},
        {"00:00:00", "25:00:00", 3600},  // reduced modulo one day
        {"25:00:00", "00:00:00", -3600},
    };
    for (const auto& c : cases) {
        CMediaRecord record("/a.wav", "00:10:00");
        record.trimStart = c.start;
        record.trimEnd = c.end;
        EXPECT_EQ(ClipSeconds(record), c.seconds) << c.start << " - " << c.end;
    }
}

}  // namespace
}  // namespace engine
