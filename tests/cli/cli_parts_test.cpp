// The command-line converter's own parts: option parsing, the trim checks, the
// profile's audio choices and the progress line.

#include <gtest/gtest.h>

#include <cstring>

#include "cli/audio_choices.h"
#include "cli/cli_options.h"
#include "cli/progress_view.h"
#include "cli/terminal_text.h"
#include "cli/trim_times.h"

namespace cli {
namespace {

TEST(CommandLine, ReadsEveryOptionInItsForms) {
    const ParseResult parsed =
        ParseCommandLine({"-pMP3 Audio", "--output=/out", "--start", "00:00:01", "--end=00:00:02",
                          "a.wav", "--sample-rate", "44100", "--channels=1", "--bitrate", "128",
                          "--codec", "LAME", "--volume", "200%", "-q", "--", "-dash.wav", "-o"});
    ASSERT_EQ(parsed.error, "");
    const CliOptions& o = parsed.options;
    EXPECT_EQ(o.profile, "MP3 Audio");
    EXPECT_EQ(o.outputFolder, "/out");
    EXPECT_EQ(o.trimStart, "00:00:01");
    EXPECT_EQ(o.trimEnd, "00:00:02");
    EXPECT_EQ(o.sampleRate, "44100");
    EXPECT_EQ(o.channels, "1");
    EXPECT_EQ(o.bitrate, "128");
    EXPECT_EQ(o.codec, "LAME");
    EXPECT_EQ(o.volume, "200%");
    EXPECT_TRUE(o.quiet);
    EXPECT_EQ(o.files, (std::vector<std::string>{"a.wav", "-dash.wav", "-o"}));
}

TEST(CommandLine, RejectsWhatItCannotUse) {
    const std::vector<std::vector<std::string>> bad{
        {},                        // no files
        {"-q"},                    // still no files
        {"--bogus", "a.wav"},      // unknown option
        {"-x", "a.wav"},           // unknown short option
        {"a.wav", "-p"},           // value missing
        {"--quiet=yes", "a.wav"},  // a flag with a value
    };
    for (const auto& args : bad) {
        EXPECT_NE(ParseCommandLine(args).error, "") << ::testing::PrintToString(args);
    }
    for (const auto& fine : {"--help", "-h", "--version", "--list-profiles"}) {
        EXPECT_EQ(ParseCommandLine({fine}).error, "") << fine;
    }
}

TEST(TrimTimes, FollowsTheTrimDialogChecks) {
    struct Case {
        const char* start;
        const char* end;
        const char* total;
        TrimCheck expected;
    };
    const Case cases[] = {
        {"00:00:00", "00:03:25", "00:03:25", TrimCheck::kOk},
        {"00:00:10", "00:00:11", "00:03:25", TrimCheck::kOk},
        {"00:60:00", "99:00:00", "99:00:00", TrimCheck::kOk},  // 60 and any hours pass
        {"00:00:10", "00:00:10", "00:03:25", TrimCheck::kGreaterEndTime},
        {"00:00:10", "00:00:09", "00:03:25", TrimCheck::kGreaterEndTime},
        {"00:00:00", "00:03:26", "00:03:25", TrimCheck::kGreaterTotalTime},
        {"00:00:00", "00:00:01", "", TrimCheck::kGreaterTotalTime},
        {"00:61:00", "01:00:00", "02:00:00", TrimCheck::kErrTimeFormat},
        {"00:00:00", "00:00:61", "02:00:00", TrimCheck::kErrTimeFormat},
        {"0:00:00", "00:00:01", "02:00:00", TrimCheck::kErrTimeFormat},
        {"00-00-00", "00:00:01", "02:00:00", TrimCheck::kErrTimeFormat},
        {"00:00:0a", "00:00:01", "02:00:00", TrimCheck::kErrTimeFormat},  // digits only
        {"00:00:00", "00:00:01.5", "02:00:00", TrimCheck::kErrTimeFormat},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CheckTrimTimes(c.start, c.end, c.total), c.expected)
            << c.start << " " << c.end << " " << c.total;
    }
}

ProfileRecord SampleProfile() {
    ProfileRecord profile{};
    std::strcpy(profile.name, "Sample");
    std::strcpy(profile.sampleRateChoices, "22050,, 44100,48000,");
    std::strcpy(profile.channelChoices, "1,2");
    std::strcpy(profile.audioBitrateChoices, "64,128");
    std::strcpy(profile.audioCodecs[0].name, "LAME");
    std::strcpy(profile.audioCodecs[1].name, "Other");
    profile.audioCodecCount = 2;
    std::strcpy(profile.audioCodec, "LAME");
    profile.sampleRate = 44100;
    profile.channels = 2;
    profile.audioBitrate = 128;
    profile.volume = 150;
    return profile;
}

TEST(AudioChoices, SplitsAsTheSettingsDialogDoes) {
    EXPECT_EQ(SplitChoiceList("22050,, 44100,48000,"),
              (std::vector<std::string>{"22050", " 44100", "48000"}));
    EXPECT_EQ(SplitChoiceList(""), std::vector<std::string>{});
}

TEST(AudioChoices, StoresOfferedValues) {
    ProfileRecord profile = SampleProfile();
    CliOptions options;
    options.sampleRate = "44100";  // offered as " 44100"
    options.channels = "1";
    options.bitrate = "64";
    options.codec = "other";
    options.volume = "200%";
    EXPECT_EQ(ApplyAudioChoices(options, profile), "");
    EXPECT_EQ(profile.sampleRate, 44100);
    EXPECT_EQ(profile.channels, 1);
    EXPECT_EQ(profile.audioBitrate, 64);
    EXPECT_STREQ(profile.audioCodec, "Other");
    EXPECT_EQ(profile.volume, 200);

    // Without options the profile keeps its own values, volume 150 included.
    ProfileRecord untouched = SampleProfile();
    EXPECT_EQ(ApplyAudioChoices(CliOptions{}, untouched), "");
    const ProfileRecord fresh = SampleProfile();
    EXPECT_EQ(std::memcmp(&untouched, &fresh, sizeof fresh), 0);
}

TEST(AudioChoices, RefusesValuesNotOfferedAndListsTheChoices) {
    struct Case {
        std::optional<std::string> CliOptions::*field;
        const char* value;
        const char* listed;
    };
    const Case cases[] = {
        {&CliOptions::sampleRate, "32000", "22050,  44100, 48000"},
        {&CliOptions::sampleRate, "44100abc", "48000"},
        {&CliOptions::channels, "6", "1, 2"},
        {&CliOptions::bitrate, "-64", "64, 128"},
        {&CliOptions::codec, "LAM", "LAME, Other"},
        {&CliOptions::volume, "110", "25%, 50%, 75%, 100%, 150%, 200%, 250%, 300%, 400%"},
    };
    for (const auto& c : cases) {
        ProfileRecord profile = SampleProfile();
        CliOptions options;
        options.*(c.field) = c.value;
        const std::string error = ApplyAudioChoices(options, profile);
        EXPECT_NE(error.find(c.value), std::string::npos) << error;
        EXPECT_NE(error.find(c.listed), std::string::npos) << error;
    }
}

TEST(ProgressLine, BarsMoveAsInTheProgressWindow) {
    std::FILE* sink = std::tmpfile();
    ProgressView view(ProgressView::Mode::Plain, sink);
    view.TaskStarted("File [1/2]", "Creating a.mp3");
    view.Progress("t", 40, 20);
    view.Progress("t", 30, 15);  // neither bar moves back
    EXPECT_EQ(view.FileBar(), 40);
    EXPECT_EQ(view.BatchBar(), 20);
    view.FileDone();
    view.TaskStarted("File [2/2]", "Creating b.mp3");
    view.Progress("t", 3, 51);  // the file bar starts over after a finished task
    EXPECT_EQ(view.FileBar(), 3);
    view.Progress("t", 130, 120);  // beyond the clip: full bars
    EXPECT_EQ(view.FileBar(), 100);
    EXPECT_EQ(view.BatchBar(), 100);
    std::fclose(sink);
}

TEST(ProgressLine, FitsTheTerminalAndKeepsTheFileNameEnd) {
    std::FILE* sink = std::tmpfile();
    ProgressView view(ProgressView::Mode::Plain, sink);
    view.TaskStarted("File [3/12]", "Creating " + std::string(60, 'x') + " Grüße 東京.mp3");
    view.Progress("Elapsed time: 00:00:01 / Remaining time: 00:00:03", 25, 18);
    for (int columns : {40, 80, 200}) {
        const std::string line = view.ComposeLine(columns);
        EXPECT_LE(DisplayWidth(line), columns - 1) << line;
        EXPECT_EQ(line.rfind("File [3/12]", 0), 0u) << line;
        EXPECT_NE(line.find(" 25%"), std::string::npos) << line;
    }
    EXPECT_NE(view.ComposeLine(200).find("東京.mp3"), std::string::npos);
    EXPECT_NE(view.ComposeLine(200).find("Remaining time: 00:00:03"), std::string::npos);
    EXPECT_NE(view.ComposeLine(80).find("remaining 00:00:03"), std::string::npos);
    std::fclose(sink);
}

TEST(TerminalText, NamesCannotSteerTheTerminal) {
    EXPECT_EQ(Printable("a\033[2Jb\nc\rd"), "a?[2Jb?c?d");
    EXPECT_EQ(DisplayWidth("Grüße 東京"), 10);
    EXPECT_EQ(FitLeft("abcdef東京", 7), "...東京");
    EXPECT_EQ(FitLeft("abc", 7), "abc");
}

}  // namespace
}  // namespace cli
