// Lines of the encoder's output, its time= field and the probe's report.

#include "converter/engine/encoder_output.h"

#include <gtest/gtest.h>

#include "converter/engine/media_probe.h"

namespace engine {
namespace {

TEST(EncoderLineSplitterTest, SplitsOnCarriageReturnAndNewline) {
    EncoderLineSplitter splitter;
    // Progress lines end with '\r', others with '\n' (as the encoder writes them).
    const auto lines = splitter.Feed(
        "Stream #0:0: Audio\nsize=N/A time=00:00:00.02 bitrate=N/A speed=N/A    \r"
        "size=N/A time=00:00:05.00 bitrate=N/A speed=2.97e+03x    \r\nvideo:0kB au");
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0], "Stream #0:0: Audio");
    EXPECT_EQ(lines[2], "size=N/A time=00:00:05.00 bitrate=N/A speed=2.97e+03x    ");
    EXPECT_TRUE(splitter.Feed("dio:431kB").empty());
    EXPECT_EQ(splitter.Finish(), "video:0kB audio:431kB");
    EXPECT_EQ(splitter.Finish(), std::nullopt);
}

TEST(EncoderLineSplitterTest, TimeFieldAcrossTwoReadsIsKept) {
    EncoderLineSplitter splitter;
    EXPECT_TRUE(splitter.Feed("size=     235kB ti").empty());
    const auto lines = splitter.Feed("me=00:00:30.01 bitrate=  64.1kbits/s speed= 257x    \r");
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(ParseTimeField(lines[0]), 30.01);
}

TEST(EncoderLineSplitterTest, OverlongLineComesOutInPieces) {
    EncoderLineSplitter splitter;
    const std::string longLine(EncoderLineSplitter::kMaxLineLength + 10, 'x');
    const auto lines = splitter.Feed(longLine + "\n");
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].size(), EncoderLineSplitter::kMaxLineLength);
    EXPECT_EQ(lines[1].size(), 10u);
}

TEST(ParseTimeFieldTest, RealEncoderLines) {
    const struct {
        const char* line;
        std::optional<double> seconds;
    } cases[] = {
        // The encoder of this system (clock form).
        {"size=N/A time=00:00:00.02 bitrate=N/A speed=N/A    ", 0.02},
        {"size=N/A time=00:00:05.00 bitrate=N/A speed=2.97e+03x    ", 5.0},
        {"size=       0kB time=00:00:00.00 bitrate=N/A speed=N/A    ", 0.0},
        {"size=     235kB time=00:00:30.01 bitrate=  64.1kbits/s speed= 257x    ", 30.01},
        {"size=    1024kB time=01:02:03.50 bitrate= 135.3kbits/s speed=41.2x", 3723.5},
        {"size=N/A time=-00:00:00.02 bitrate=N/A speed=N/A", -0.02},
        // Older encoders: seconds.
        {"size= 1024kB time=12.50 bitrate= 670.2kbits/s", 12.5},
        {"size= 1024kB time=12.50bitrate= 670.2kbits/s", 12.5},
        // Nothing usable.
        {"size=N/A time=N/A bitrate=N/A speed=N/A", std::nullopt},
        {"size= 1024kB time=", std::nullopt},
        {"  Duration: 00:00:30.04, start: 0.025057, bitrate: 64 kb/s", std::nullopt},
    };
    for (const auto& c : cases) {
        const auto seconds = ParseTimeField(c.line);
        ASSERT_EQ(seconds.has_value(), c.seconds.has_value()) << c.line;
        if (seconds) {
            EXPECT_NEAR(*seconds, *c.seconds, 1e-9) << c.line;
        }
    }
}

TEST(ProbeReportScannerTest, ReportLinesGiveTheResult) {
    const struct {
        std::vector<std::string> lines;
        std::string result;
    } cases[] = {
        {{"Input #0, mp3, from 'a.mp3':",
          "  Duration: 00:03:25.47, start: 0.000000, bitrate: 64 kb/s"},
         "00:03:25"},
        {{"  Duration: N/A, bitrate: N/A"}, "00:05:00"},
        {{"  Duration: 00:3"}, "00:3"},  // a short value is taken as it is
        {{"/nonexist.wav: No such file or directory"}, "no such file or directory"},
        {{"x.wav: no such file or directory"}, "no such file or directory"},
        {{"junk.wav: Invalid data found when processing input"}, "Unknown format"},
        {{"junk.wav: Unknown format"}, "Unknown format"},
        {{"[mp3 @ 0x5580] Could not find codec parameters for stream 0 (Audio: mp3, 0 channels)",
          "x.mp3: could not find codec parameters"},
         "could not find codec parameters"},
        // A warning about one stream does not reject a file whose report has a duration.
        {{"[mov @ 0x1] Could not find codec parameters for stream 1 (Video: none): unknown codec",
          "Input #0, mov,mp4,m4a,3gp,3g2,mj2, from 'a.m4a':",
          "  Duration: 00:00:04.00, start: 0.000000, bitrate: 130 kb/s"},
         "00:00:04"},
        {{"ffmpeg version 5.1", "At least one output file must be specified"}, ""},
        {{}, ""},
    };
    for (const auto& c : cases) {
        ProbeReportScanner scanner;
        bool settled = false;
        for (const std::string& line : c.lines) settled = scanner.FeedLine(line) || settled;
        EXPECT_EQ(scanner.Result(), c.result) << (c.lines.empty() ? "" : c.lines.back());
        EXPECT_EQ(settled, !c.result.empty() && !IsProbeError(c.result))
            << (c.lines.empty() ? "" : c.lines.back());
    }
}

TEST(ProbeReportScannerTest, DurationAcrossTwoReadsIsFound) {
    EncoderLineSplitter splitter;
    ProbeReportScanner scanner;
    bool settled = false;
    for (const char* chunk : {"Input #0, wav, from 'a.wav':\n  Durat", "ion: 00:03:25.47, start"}) {
        for (const std::string& line : splitter.Feed(chunk))
            settled = scanner.FeedLine(line) || settled;
    }
    EXPECT_FALSE(settled);  // the line is not complete yet
    for (const std::string& line : splitter.Feed(": 0.000000\n")) settled = scanner.FeedLine(line);
    EXPECT_TRUE(settled);
    EXPECT_EQ(scanner.Result(), "00:03:25");
}

TEST(ProbeReportScannerTest, ErrorTextsAreTheRejectingOnes) {
    EXPECT_TRUE(IsProbeError("Unknown format"));
    EXPECT_TRUE(IsProbeError("could not find codec parameters"));
    EXPECT_TRUE(IsProbeError("no such file or directory"));
    EXPECT_FALSE(IsProbeError("00:05:00"));
    EXPECT_FALSE(IsProbeError(""));
}

}  // namespace
}  // namespace engine
