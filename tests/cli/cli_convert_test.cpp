// quillon-convert end to end with the real encoder: every shipped profile,
// trimming, volume, unique names, stopping, video input, rejected files,
// hostile file names, usage errors and the settings-file defaults.

#include <gtest/gtest.h>
#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <ostream>
#include <thread>

#include "cli_test_support.h"
#include "converter/engine/encoder_command.h"
#include "platform/child_process.h"

// Test names and messages show a profile by its name, not its 7148 bytes.
void PrintTo(const ProfileRecord& profile, std::ostream* out) {
    *out << profile.name;
}

namespace clitest {
namespace {

namespace fs = std::filesystem;

const ProfileRecord* ProfileWithFormat(const std::string& format) {
    static const std::vector<ProfileRecord> profiles = ShippedProfiles();
    for (const auto& profile : profiles) {
        if (format == profile.format) return &profile;
    }
    return nullptr;
}

// Codec keywords that make the command carry the profile's own rate and channels.
bool KeywordSetsAudioValues(const std::string& keyword) {
    for (const char* known :
         {"mp3lame", "vorbis", "wav", "aac", "ac3", "flac", "m4a", "mp2", "au", "wmav1", "wmav2"}) {
        if (keyword == known) return true;
    }
    return false;
}

// The codec ffprobe reports for a profile: named by the keyword, else chosen by
// the encoder from the extension. Empty for an extension not listed here.
std::string ExpectedCodec(const ProfileRecord& profile) {
    const std::string keyword = engine::CodecKeyword(profile);
    if (keyword == "vorbis" || keyword == "wmav1" || keyword == "wmav2") return keyword;
    const std::string format = profile.format;
    const std::pair<const char*, const char*> byExtension[] = {
        {"mp3", "mp3"},   {"ogg", "vorbis"},   {"wav", "pcm_s16le"}, {"aac", "aac"},
        {"ac3", "ac3"},   {"flac", "flac"},    {"m4a", "aac"},       {"m4r", "aac"},
        {"mp2", "mp2"},   {"au", "pcm_s16be"}, {"wma", "wmav2"},     {"aiff", "pcm_s16be"},
        {"opus", "opus"}, {"mka", "vorbis"},
    };
    for (const auto& [extension, codec] : byExtension) {
        if (format == extension) return codec;
    }
    return "";
}

class ConvertTest : public testing::Test {
protected:
    void SetUp() override {
        mp3_ = ProfileWithFormat("mp3");
        wav_ = ProfileWithFormat("wav");
        ASSERT_NE(mp3_, nullptr) << "no shipped profile writes mp3";
        out_ = MakeFolder(tmp_, "out");
    }

    TempFolder tmp_;
    std::string out_;
    const ProfileRecord* mp3_ = nullptr;
    const ProfileRecord* wav_ = nullptr;  // may be missing; tests then use mp3
};

// ---------------------------------------------------------------- every profile

class EveryProfile : public testing::TestWithParam<ProfileRecord> {};

TEST(ShippedProfiles, AreThere) {
    EXPECT_GT(ShippedProfiles().size(), 0u);
}

TEST_P(EveryProfile, ConvertsAToneToItsFormat) {
    const ProfileRecord& profile = GetParam();
    std::string mediaType = profile.mediaType;
    std::transform(mediaType.begin(), mediaType.end(), mediaType.begin(),
                   [](unsigned char c) { return std::tolower(c); });
    if (mediaType != "audio") GTEST_SKIP() << profile.name << " is not an audio profile";

    TempFolder tmp;
    const std::string out = MakeFolder(tmp, "out");
    MakeTone(tmp / "tone.wav", 2);
    const RunResult run = RunConverter({"-p", profile.name, "-o", out, tmp / "tone.wav"});
    ASSERT_EQ(run.exitCode, 0) << run.output;

    // One file, under the profile's extension only (m4r: no .m4a left behind).
    ASSERT_EQ(FilesIn(out), std::vector<std::string>{"tone." + std::string(profile.format)});
    const MediaInfo info = Probe(out + "/tone." + profile.format);
    ASSERT_TRUE(info.ok);
    ASSERT_EQ(info.streams.size(), 1u);
    const StreamInfo& audio = info.streams[0];
    EXPECT_EQ(audio.codecType, "audio");
    if (const std::string codec = ExpectedCodec(profile); !codec.empty()) {
        EXPECT_EQ(audio.codecName, codec);
    }
    const std::string keyword = engine::CodecKeyword(profile);
    if (KeywordSetsAudioValues(keyword)) {
        EXPECT_EQ(audio.sampleRate, profile.sampleRate);
        EXPECT_EQ(audio.channels, keyword == "vorbis" ? 2 : profile.channels);
    } else {  // the encoder keeps the input's values
        EXPECT_EQ(audio.sampleRate, 44100);
        EXPECT_EQ(audio.channels, 2);
    }
    EXPECT_NEAR(info.duration, 2.0, 0.15);
}

std::string ParamName(const testing::TestParamInfo<ProfileRecord>& info) {
    std::string name = std::to_string(info.index) + "_";
    for (const char* c = info.param.name; *c != '\0'; ++c) {
        name += std::isalnum(static_cast<unsigned char>(*c)) ? *c : '_';
    }
    return name;
}

INSTANTIATE_TEST_SUITE_P(Shipped, EveryProfile, testing::ValuesIn(ShippedProfiles()), ParamName);
GTEST_ALLOW_UNINSTANTIATED_PARAMETERIZED_TEST(EveryProfile);

// ---------------------------------------------------------------- one profile

TEST_F(ConvertTest, TrimGivesTheAskedLength) {
    const ProfileRecord& profile = wav_ != nullptr ? *wav_ : *mp3_;
    MakeTone(tmp_ / "tone.wav", 3);
    struct Case {
        std::vector<std::string> trim;
        double length;
    };
    const Case cases[] = {
        {{"--start", "00:00:01", "--end", "00:00:02"}, 1.0},
        {{"--start", "00:00:01"}, 2.0},
        {{"--end", "00:00:02"}, 2.0},
    };
    for (const auto& c : cases) {
        const std::string out = MakeFolder(tmp_, "trim" + std::to_string(&c - cases));
        std::vector<std::string> args{"-p", profile.name, "-o", out};
        args.insert(args.end(), c.trim.begin(), c.trim.end());
        args.push_back(tmp_ / "tone.wav");
        const RunResult run = RunConverter(args);
        ASSERT_EQ(run.exitCode, 0) << run.output;
        EXPECT_NEAR(Probe(out + "/tone." + profile.format).duration, c.length, 0.1)
            << testing::PrintToString(c.trim);
    }
}

TEST_F(ConvertTest, TrimBeyondAFilesLengthRejectsThatFileOnly) {
    MakeTone(tmp_ / "short.wav", 1);
    MakeTone(tmp_ / "long.wav", 3);
    const RunResult run = RunConverter(
        {"-p", mp3_->name, "-o", out_, "--end", "00:00:02", tmp_ / "short.wav", tmp_ / "long.wav"});
    EXPECT_EQ(run.exitCode, 1) << run.output;
    EXPECT_NE(run.output.find("short.wav"), std::string::npos) << run.output;
    EXPECT_EQ(FilesIn(out_), std::vector<std::string>{"long.mp3"});
}

TEST_F(ConvertTest, DoubleVolumeIsLouder) {
    const ProfileRecord& profile = wav_ != nullptr ? *wav_ : *mp3_;
    MakeTone(tmp_ / "tone.wav", 2);
    double mean[2] = {};
    for (int i = 0; i < 2; ++i) {
        const std::string out = MakeFolder(tmp_, i == 0 ? "normal" : "double");
        const RunResult run = RunConverter({"-p", profile.name, "-o", out, "--volume",
                                            i == 0 ? "100" : "200%", tmp_ / "tone.wav"});
        ASSERT_EQ(run.exitCode, 0) << run.output;
        mean[i] = MeanVolume(out + "/tone." + profile.format);
    }
    // The encoder's level for 200 % is 356 of its normal 256, about 2.9 dB more.
    EXPECT_GT(mean[0], -100);
    EXPECT_GT(mean[1] - mean[0], 2.0) << mean[0] << " dB vs " << mean[1] << " dB";
}

TEST_F(ConvertTest, SecondRunNumbersItsFilesAndLeavesTheFirstOnes) {
    MakeTone(tmp_ / "a.wav", 2, 440);
    MakeTone(tmp_ / "b.wav", 2, 880);
    const std::vector<std::string> args{"-p", mp3_->name,     "-o",
                                        out_, tmp_ / "a.wav", tmp_ / "b.wav"};
    const RunResult first = RunConverter(args);
    ASSERT_EQ(first.exitCode, 0) << first.output;
    // Without a terminal: one plain line per finished task.
    EXPECT_NE(first.output.find("[1/2] converted: " + (tmp_ / "a.wav") + " -> " + out_ + "/a.mp3"),
              std::string::npos)
        << first.output;
    EXPECT_NE(first.output.find("[2/2] converted: "), std::string::npos) << first.output;
    const std::string a = ReadFile(out_ + "/a.mp3");
    const std::string b = ReadFile(out_ + "/b.mp3");

    const RunResult second = RunConverter(args);
    ASSERT_EQ(second.exitCode, 0) << second.output;
    EXPECT_EQ(FilesIn(out_), (std::vector<std::string>{"a(1).mp3", "a.mp3", "b(1).mp3", "b.mp3"}));
    EXPECT_EQ(ReadFile(out_ + "/a.mp3"), a);
    EXPECT_EQ(ReadFile(out_ + "/b.mp3"), b);
    EXPECT_EQ(Probe(out_ + "/a(1).mp3").streams.size(), 1u);
}

TEST_F(ConvertTest, StopEndsTheEncoderAndDeletesItsOutput) {
    // Ten minutes of 8 kHz tone take seconds to convert: long enough to stop midway.
    MakeMedia(tmp_ / "long.wav", {"sine=frequency=440:duration=600:sample_rate=8000"},
              {"-ac", "1"});
    MakeTone(tmp_ / "next.wav", 1);
    for (int signalNumber : {SIGINT, SIGTERM, SIGHUP}) {
        platform::ChildProcess converter;
        ASSERT_TRUE(converter.Start(
            ConverterPath(), {"-p", mp3_->name, "-o", out_, tmp_ / "long.wav", tmp_ / "next.wav"}));
        const std::string partial = out_ + "/long.mp3";
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
        std::error_code ec;
        while (!(fs::exists(partial, ec) && fs::file_size(partial, ec) > 0) &&
               std::chrono::steady_clock::now() < deadline) {
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        ASSERT_TRUE(fs::exists(partial, ec)) << "the encoder never started writing";
        ASSERT_EQ(kill(converter.Pid(), signalNumber), 0);

        std::string output;
        char buffer[1024];
        for (long got; (got = converter.Read(buffer, sizeof buffer, 30000)) > 0;) {
            output.append(buffer, static_cast<std::size_t>(got));
        }
        EXPECT_EQ(converter.Wait(), 130) << output;
        EXPECT_EQ(FilesIn(out_), std::vector<std::string>{}) << output;  // next.wav never started
        EXPECT_EQ(ProcessesMentioning(tmp_.PathWithoutSlash()), std::vector<int>{});
    }
}

TEST_F(ConvertTest, VideoGivesAudioOnly) {
    MakeMedia(tmp_ / "clip.mp4", {"testsrc=duration=2:size=160x120:rate=10", "sine=duration=2"},
              {"-c:v", "mpeg4", "-c:a", "aac", "-shortest"});
    const RunResult run = RunConverter({"-p", mp3_->name, "-o", out_, tmp_ / "clip.mp4"});
    ASSERT_EQ(run.exitCode, 0) << run.output;
    const MediaInfo info = Probe(out_ + "/clip.mp3");
    ASSERT_EQ(info.streams.size(), 1u);
    EXPECT_EQ(info.streams[0].codecType, "audio");
}

TEST_F(ConvertTest, ProblemFilesAreNamedAndTheOthersStillConvert) {
    std::string noise(8000, '\0');
    for (std::size_t i = 0; i < noise.size(); ++i) noise[i] = static_cast<char>((i * 7919) % 251);
    std::ofstream(tmp_ / "x.mp3", std::ios::binary) << noise;
    MakeMedia(tmp_ / "silent.mp4", {"testsrc=duration=1:size=160x120:rate=10"}, {"-c:v", "mpeg4"});
    MakeTone(tmp_ / "good.wav", 1);

    const RunResult run =
        RunConverter({"-p", mp3_->name, "-o", out_, tmp_ / "x.mp3", tmp_ / "missing.wav",
                      tmp_ / "silent.mp4", tmp_ / "good.wav"});
    EXPECT_EQ(run.exitCode, 1) << run.output;
    // Both are turned away by the probe, before anything converts them.
    for (const char* name : {"x.mp3", "missing.wav"}) {
        EXPECT_NE(run.output.find("quillon-convert: " + (tmp_ / name) + ": "), std::string::npos)
            << name << "\n"
            << run.output;
        EXPECT_NE(run.output.find("rejected: " + (tmp_ / name) + ": "), std::string::npos)
            << name << "\n"
            << run.output;
    }
    // A video without sound is probed fine but has nothing to convert.
    EXPECT_NE(run.output.find("does not contain audio stream"), std::string::npos) << run.output;
    EXPECT_NE(run.output.find("failed: " + (tmp_ / "silent.mp4")), std::string::npos) << run.output;
    EXPECT_EQ(FilesIn(out_), std::vector<std::string>{"good.mp3"});
}

TEST_F(ConvertTest, HostileNamesConvertAndRunNothing) {
    const std::vector<std::string> names{
        "a\"; touch x; \".wav", "$(touch y).wav", "`touch z`.wav", "Grüße 東京.wav", "-dash.wav",
        "with  spaces .wav",    "it's.wav",
    };
    for (const auto& name : names) MakeTone(tmp_ / name, 1);
    // Relative names from inside the folder, so a leading '-' and the current
    // folder both matter.
    std::vector<std::string> args{
        "-C", tmp_.PathWithoutSlash(), ConverterPath(), "-p", mp3_->name, "-o", "out", "--"};
    args.insert(args.end(), names.begin(), names.end());
    const RunResult run = RunProgram("/usr/bin/env", args);
    EXPECT_EQ(run.exitCode, 0) << run.output;

    std::vector<std::string> expected;
    for (const auto& name : names) expected.push_back(name.substr(0, name.size() - 4) + ".mp3");
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(FilesIn(out_), expected) << run.output;
    for (const char* planted : {"x", "y", "z"}) {
        EXPECT_FALSE(fs::exists(tmp_ / planted)) << planted;
        EXPECT_FALSE(fs::exists(out_ + "/" + planted)) << planted;
        EXPECT_FALSE(fs::exists(fs::current_path() / planted)) << planted;
    }
}

TEST_F(ConvertTest, UsageErrorsExitWithTwoAndConvertNothing) {
    MakeTone(tmp_ / "tone.wav", 1);
    const std::string tone = tmp_ / "tone.wav";
    const std::string mp3 = mp3_->name;
    struct Case {
        std::vector<std::string> args;
        std::string says;
    };
    const Case cases[] = {
        {{}, "no input files"},
        {{"--frobnicate", tone}, "unknown option --frobnicate"},
        {{"-p", "No Such Profile", "-o", out_, tone}, "No Such Profile"},
        {{"-p", mp3, "-o", out_, "--sample-rate", "12345", tone}, "choose one of"},
        {{"-p", mp3, "-o", out_, "--channels", "9", tone}, "--channels 9"},
        {{"-p", mp3, "-o", out_, "--bitrate", "7", tone}, "--bitrate 7"},
        {{"-p", mp3, "-o", out_, "--codec", "nonsense", tone}, "--codec nonsense"},
        {{"-p", mp3, "-o", out_, "--volume", "110", tone}, "400%"},
        {{"-p", mp3, "-o", out_, "--start", "0:00:01", tone}, "0:00:01"},
        {{"-p", mp3, "-o", out_, "--end", "00:61:00", tone}, "00:61:00"},
        {{"-p", mp3, "-o", out_, "--start", "00:00:02", "--end", "00:00:01", tone}, "later"},
        {{"-p", mp3, "-o", tmp_ / "nowhere", tone}, tmp_ / "nowhere"},
        {{"-p", mp3, "-o", tone, tone}, "does not exist"},  // a file is no folder
        {{"-p", mp3, "-o"}, "needs a value"},
    };
    for (const auto& c : cases) {
        const RunResult run = RunConverter(c.args);
        EXPECT_EQ(run.exitCode, 2) << testing::PrintToString(c.args) << "\n" << run.output;
        EXPECT_NE(run.output.find(c.says), std::string::npos)
            << testing::PrintToString(c.args) << "\n"
            << run.output;
    }
    EXPECT_EQ(FilesIn(out_), std::vector<std::string>{});
    EXPECT_FALSE(fs::exists(tmp_ / "nowhere"));
}

TEST(ListProfiles, ShowsEveryProfileUnderItsGroupInPickerOrder) {
    const RunResult run = RunConverter({"--list-profiles"});
    ASSERT_EQ(run.exitCode, 0) << run.output;
    // Expected text: groups in order of first appearance, profiles in record order.
    std::vector<std::pair<std::string, std::vector<std::string>>> groups;
    for (const auto& profile : ShippedProfiles()) {
        auto found = std::find_if(groups.begin(), groups.end(),
                                  [&](const auto& g) { return g.first == profile.group; });
        if (found == groups.end()) found = groups.insert(groups.end(), {profile.group, {}});
        found->second.push_back(profile.name);
    }
    std::string expected;
    for (const auto& [group, names] : groups) {
        expected += group + "\n";
        for (const auto& name : names) expected += "  " + name + "\n";
    }
    std::string shown = run.output;
    const std::string marker = "  (default)";
    if (auto at = shown.find(marker); at != std::string::npos) shown.erase(at, marker.size());
    EXPECT_EQ(shown, expected);
}

// ---------------------------------------------------------------- settings defaults

// A program folder of its own (copied program and libraries, linked data), so
// that a test can give it a Config.ini without touching the build folder's.
class OwnProgramFolder : public testing::Test {
protected:
    void SetUp() override {
        program_ = MakeFolder(tmp_, "program");
        const fs::path build = QUILLON_BUILD_DIR;
        for (const auto& entry : fs::directory_iterator(build)) {
            const std::string name = entry.path().filename().string();
            if (name == "quillon-convert" ||
                (name.rfind("lib", 0) == 0 && name.find(".so") != std::string::npos)) {
                fs::copy(entry.path(), program_ + "/" + name);
            }
        }
        for (const char* data : {"Profiles", "Lang", "codecs"}) {
            fs::create_directory_symlink(build / data, program_ + "/" + data);
        }
        home_ = MakeFolder(tmp_, "home");
    }

    // Runs the copied converter with HOME in the temp folder.
    RunResult RunOwn(const std::vector<std::string>& args) {
        std::vector<std::string> all{"-u", "XDG_DOCUMENTS_DIR", "HOME=" + home_,
                                     "XDG_CONFIG_HOME=" + home_ + "/.config",
                                     program_ + "/quillon-convert"};
        all.insert(all.end(), args.begin(), args.end());
        return RunProgram("/usr/bin/env", all);
    }

    TempFolder tmp_;
    std::string program_;
    std::string home_;
};

TEST_F(OwnProgramFolder, WithoutSettingsUsesTheFirstProfileAndTheDocumentsFolder) {
    MakeTone(tmp_ / "tone.wav", 1);
    const RunResult run = RunOwn({tmp_ / "tone.wav"});
    ASSERT_EQ(run.exitCode, 0) << run.output;
    const std::string folder = home_ + "/Documents/Quillon Audio Outputs";
    EXPECT_EQ(FilesIn(folder),
              std::vector<std::string>{"tone." + std::string(ShippedProfiles()[0].format)});

    // The log got the banner lines and the encoder's command.
    std::string log;
    for (const auto& name : FilesIn(program_ + "/Scribe"))
        log += ReadFile(program_ + "/Scribe/" + name);
    EXPECT_NE(log.find("Start quillon-convert"), std::string::npos) << log;
    EXPECT_NE(log.find("Quit quillon-convert"), std::string::npos) << log;
    EXPECT_NE(log.find("codecs/coder\" -i \"" + (tmp_ / "tone.wav") + "\""), std::string::npos)
        << log;
}

TEST_F(OwnProgramFolder, SettingsChooseProfileAndOutputFolder) {
    const std::vector<ProfileRecord> profiles = ShippedProfiles();
    const ProfileRecord& last = profiles.back();
    const std::string defOutput = MakeFolder(tmp_, "chosen");
    std::ofstream(program_ + "/Config.ini")
        << "[System]\nDefOutput=" << defOutput << "\nDefProfile=" << last.name << "\n";
    MakeTone(tmp_ / "tone.wav", 1);
    const RunResult run = RunOwn({tmp_ / "tone.wav"});
    ASSERT_EQ(run.exitCode, 0) << run.output;
    EXPECT_EQ(FilesIn(defOutput), std::vector<std::string>{"tone." + std::string(last.format)});
    EXPECT_FALSE(fs::exists(home_ + "/Documents"));

    // A set output folder that is missing is reported, not created.
    std::ofstream(program_ + "/Config.ini") << "[System]\nDefOutput=" << tmp_ / "gone"
                                            << "\n";
    const RunResult missing = RunOwn({tmp_ / "tone.wav"});
    EXPECT_EQ(missing.exitCode, 2) << missing.output;
    EXPECT_NE(missing.output.find(tmp_ / "gone"), std::string::npos) << missing.output;
    EXPECT_FALSE(fs::exists(tmp_ / "gone"));
    EXPECT_FALSE(fs::exists(home_ + "/Documents"));
}

TEST_F(OwnProgramFolder, WithoutTheEncoderTheBatchFailsAndSaysSo) {
    fs::remove(program_ + "/codecs");
    MakeTone(tmp_ / "a.wav", 1);
    MakeTone(tmp_ / "b.wav", 1);
    const std::string out = MakeFolder(tmp_, "out");
    const RunResult run = RunOwn({"-o", out, tmp_ / "a.wav", tmp_ / "b.wav"});
    EXPECT_EQ(run.exitCode, 1) << run.output;
    EXPECT_NE(run.output.find("The conversion failed."), std::string::npos) << run.output;
    EXPECT_NE(run.output.find("failed: " + (tmp_ / "a.wav")), std::string::npos) << run.output;
    EXPECT_NE(run.output.find("not converted: " + (tmp_ / "b.wav")), std::string::npos)
        << run.output;
    EXPECT_EQ(FilesIn(out), std::vector<std::string>{});
}

}  // namespace
}  // namespace clitest
