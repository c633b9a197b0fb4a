// The encoder's command: its readable text, its argument vector, the output names.

#include "converter/engine/encoder_command.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "engine_test_support.h"
#include "platform/program_folder.h"

namespace engine {
namespace {

using enginetest::MakeProfile;

class EncoderCommandTest : public ::testing::Test {
protected:
    void SetUp() override { platform::SetProgramFolder("/App/"); }
    void TearDown() override { platform::SetProgramFolder(""); }

    EncoderCommand Build(const ProfileRecord& profile, CMediaRecord& task,
                         const std::string& folder = "/Out") {
        job_.profile = profile;
        job_.outputFolder = folder;
        return BuildEncoderCommand(job_, task);
    }

    ConversionJob job_;
};

TEST_F(EncoderCommandTest, WorkedExampleComesOutExactly) {
    CMediaRecord task("/Music/a.avi", "00:03:25");
    const EncoderCommand command = Build(MakeProfile("mp3lame", "mp3", 128, 44100, 2, 100), task);
    EXPECT_EQ(command.text,
              "\"/App/codecs/coder\" -i \"/Music/a.avi\" -vn -ar 44100 -ac 2 -ab 128000       "
              "\"/Out/a.mp3\"");
    EXPECT_EQ(command.program, "/App/codecs/coder");
    const std::vector<std::string> args = {"-n",  "-i",     "/Music/a.avi", "-vn",
                                           "-ar", "44100",  "-ac",          "2",
                                           "-ab", "128000", "/Out/a.mp3"};
    EXPECT_EQ(command.args, args);
    EXPECT_EQ(command.encoderOutputPath, "/Out/a.mp3");
    EXPECT_EQ(task.outputPath, "/Out/a.mp3");
}

TEST_F(EncoderCommandTest, CodecKeywordChoosesTheAudioClause) {
    const struct {
        const char* oac;
        const char* clause;  // between "-vn" and the two blanks of the start slot
    } cases[] = {
        {"mp3lame", " -ar 44100 -ac 1 -ab 96000"},
        {"MP3LAME", " -ar 44100 -ac 1 -ab 96000"},
        {"vorbis", "  -acodec vorbis -ar 44100 -ac 2 -aq 40 -strict -2"},
        {"wav", "  -ar 44100 -ac 1 -ab 96000"},
        {"aac", "  -ar 44100 -ac 1 -ab 96000"},
        {"ac3", "  -ar 44100 -ac 1 -ab 96000"},
        {"flac", "  -ar 44100 -ac 1 -ab 96000"},
        {"m4a", "  -ar 44100 -ac 1 -ab 96000"},
        {"mp2", "  -ar 44100 -ac 1 -ab 96000"},
        {"au", "  -ar 44100 -ac 1 -ab 96000"},
        {"wmav1", "  -acodec wmav1 -ar 44100 -ac 1 -ab 96000"},
        {"wmav2", "  -acodec wmav2 -ar 44100 -ac 1 -ab 96000"},
        {"opus", " "},
        {"", " "},
    };
    for (const auto& c : cases) {
        CMediaRecord task("/Music/a.avi", "00:03:25");
        const EncoderCommand command = Build(MakeProfile(c.oac, "mp3", 96, 44100, 1), task);
        const std::string expected = "\"/App/codecs/coder\" -i \"/Music/a.avi\" -vn" +
                                     std::string(c.clause) + "       \"/Out/a.mp3\"";
        EXPECT_EQ(command.text, expected) << c.oac;
        // The argument vector carries the same words.
        std::string joined;
        for (std::size_t i = 4; i + 1 < command.args.size(); ++i) joined += " " + command.args[i];
        std::string clauseWords = c.clause;
        while (!clauseWords.empty() && clauseWords.back() == ' ') clauseWords.pop_back();
        while (clauseWords.starts_with("  ")) clauseWords.erase(0, 1);
        EXPECT_EQ(joined, clauseWords) << c.oac;
    }
}

TEST_F(EncoderCommandTest, CodecEntryIsFoundByNameOrIsTheFirst) {
    ProfileRecord profile = MakeProfile("mp3lame");
    enginetest::SetField(profile.audioCodecs[1].name, "Ogg");
    enginetest::SetField(profile.audioCodecs[1].oac, "vorbis");
    profile.audioCodecCount = 2;
    enginetest::SetField(profile.audioCodec, "Ogg");
    EXPECT_EQ(CodecKeyword(profile), "vorbis");
    enginetest::SetField(profile.audioCodec, "ogg");  // names compare with case
    EXPECT_EQ(CodecKeyword(profile), "mp3lame");
    enginetest::SetField(profile.audioCodec, "Ogg");
    profile.audioCodecCount = 1;  // entry 1 lies beyond the count
    EXPECT_EQ(CodecKeyword(profile), "mp3lame");
    profile.audioCodecCount = 0;
    EXPECT_EQ(CodecKeyword(profile), "mp3lame");
    profile.audioCodecCount = 1000;  // a damaged count reads no further than the entries
    EXPECT_EQ(CodecKeyword(profile), "vorbis");
}

TEST(VorbisQualityTest, Table) {
    const std::pair<int, int> cases[] = {{64, 25},   {80, 30},   {96, 40},  {128, 50},
                                         {192, 100}, {256, 150}, {112, 60}, {0, 60}};
    for (const auto& [bitrate, quality] : cases) EXPECT_EQ(VorbisQuality(bitrate), quality);
}

TEST_F(EncoderCommandTest, TrimAndVolumeClauses) {
    const struct {
        const char* start;
        const char* end;
        int volume;
        const char* slots;  // the three optional slots with their blanks
        std::vector<std::string> words;
    } cases[] = {
        {"00:00:00", "00:03:25", 100, "      ", {}},
        {"00:00:30", "00:03:25", 100, "   -ss 00:00:30    ", {"-ss", "00:00:30"}},
        {"00:00:00", "00:01:00", 100, "     -t 60  ", {"-t", "60"}},
        {"00:00:30", "00:01:00", 100, "   -ss 00:00:30   -t 30  ", {"-ss", "00:00:30", "-t", "30"}},
        {"00:00:00", "00:03:25", 150, "       -vol 306", {"-vol", "306"}},
        {"00:00:00", "00:03:25", 25, "       -vol 181", {"-vol", "181"}},
        {"00:00:00", "00:03:25", 400, "       -vol 556", {"-vol", "556"}},
    };
    for (const auto& c : cases) {
        CMediaRecord task("/Music/a.avi", "00:03:25");
        task.trimStart = c.start;
        task.trimEnd = c.end;
        const EncoderCommand command =
            Build(MakeProfile("mp3lame", "mp3", 128, 44100, 2, c.volume), task);
        EXPECT_EQ(command.text,
                  "\"/App/codecs/coder\" -i \"/Music/a.avi\" -vn -ar 44100 -ac 2 "
                  "-ab 128000" +
                      std::string(c.slots) + " \"/Out/a.mp3\"")
            << c.start << " " << c.end << " " << c.volume;
        const std::vector<std::string> words(command.args.begin() + 10, command.args.end() - 1);
        EXPECT_EQ(words, c.words);
    }
}

TEST_F(EncoderCommandTest, MediaTypeOtherThanAudioGivesNoCommand) {
    ProfileRecord profile = MakeProfile();
    enginetest::SetField(profile.mediaType, "Audio");
    CMediaRecord task("/Music/a.avi", "00:03:25");
    EXPECT_FALSE(Build(profile, task).text.empty());
    enginetest::SetField(profile.mediaType, "video");
    const EncoderCommand command = Build(profile, task);
    EXPECT_TRUE(command.text.empty());
    EXPECT_TRUE(command.program.empty());
    EXPECT_TRUE(command.args.empty());
    EXPECT_EQ(task.outputPath, "/Out/a.mp3");  // the output name is still settled
}

TEST_F(EncoderCommandTest, OutputFolderGetsOneSlash) {
    CMediaRecord task("/Music/a.avi", "00:03:25");
    EXPECT_EQ(Build(MakeProfile(), task, "/Out/").encoderOutputPath, "/Out/a.mp3");
    EXPECT_EQ(Build(MakeProfile(), task, "/Out").encoderOutputPath, "/Out/a.mp3");
}

TEST_F(EncoderCommandTest, PathsThatCouldReadAsOptionsKeepEveryByte) {
    CMediaRecord task("-x; $(touch y) `z` \"q\".wav", "00:00:05");
    const EncoderCommand command = Build(MakeProfile(), task, "-out");
    EXPECT_EQ(command.args[2], "file:-x; $(touch y) `z` \"q\".wav");
    EXPECT_EQ(command.args.back(), "file:-out/-x; $(touch y) `z` \"q\".mp3");
    EXPECT_EQ(task.outputPath, "-out/-x; $(touch y) `z` \"q\".mp3");
    EXPECT_EQ(EncoderPathArgument("/abs/-a.wav"), "/abs/-a.wav");
    EXPECT_EQ(EncoderPathArgument("http:x.wav"), "file:http:x.wav");
}

TEST(MakeUniquePathTest, CountsUpPastEveryExistingName) {
    TempFolder temp;
    const std::string out = temp.Path();
    EXPECT_EQ(MakeUniquePath(out + "a.mp3"), out + "a.mp3");
    WriteFile(out + "a.mp3", "x");
    WriteFile(out + "a(1).mp3", "x");
    EXPECT_EQ(MakeUniquePath(out + "a.mp3"), out + "a(2).mp3");
    mkdir((out + "a(2).mp3").c_str(), 0755);  // a folder of that name counts too
    EXPECT_EQ(MakeUniquePath(out + "a.mp3"), out + "a(3).mp3");
    // Candidates come from the path given, not from the previous candidate.
    EXPECT_EQ(MakeUniquePath(out + "a(1).mp3"), out + "a(1)(1).mp3");
    WriteFile(out + "noext", "x");
    EXPECT_EQ(MakeUniquePath(out + "noext"), out + "noext(1)");
}

TEST_F(EncoderCommandTest, ExistingOutputsAreNeverReused) {
    TempFolder temp;
    WriteFile(temp.Path() + "a.mp3", "keep");
    WriteFile(temp.Path() + "a(1).mp3", "keep");
    CMediaRecord task("/Music/a.avi", "00:03:25");
    const EncoderCommand command = Build(MakeProfile(), task, temp.Path());
    EXPECT_EQ(command.encoderOutputPath, temp.Path() + "a(2).mp3");
    EXPECT_EQ(task.outputPath, temp.Path() + "a(2).mp3");
}

TEST_F(EncoderCommandTest, M4rIsWrittenAsM4aAndNamedM4r) {
    TempFolder temp;
    CMediaRecord task("/Music/a.avi", "00:03:25");
    EncoderCommand command = Build(MakeProfile("aac", "m4r"), task, temp.Path());
    EXPECT_EQ(command.encoderOutputPath, temp.Path() + "a.m4a");
    EXPECT_EQ(task.outputPath, temp.Path() + "a.m4r");
    EXPECT_TRUE(command.text.ends_with(" \"" + temp.Path() + "a.m4a\""));

    WriteFile(temp.Path() + "a.m4a", "x");
    WriteFile(temp.Path() + "a.m4r", "x");
    WriteFile(temp.Path() + "a(1).m4r", "x");
    command = Build(MakeProfile("aac", "m4r"), task, temp.Path());
    EXPECT_EQ(command.encoderOutputPath, temp.Path() + "a(1).m4a");
    EXPECT_EQ(task.outputPath, temp.Path() + "a(2).m4r");
}

}  // namespace
}  // namespace engine
