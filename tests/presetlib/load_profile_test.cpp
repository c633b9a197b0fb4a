#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>

#include "common/temp_folder.h"
#include "presetlib/profile_record.h"

namespace {

// A block exactly the size the program owns, on the heap, so that a write past
// its end is caught by the address sanitizer. It starts filled with a pattern
// that no loaded value has, to show what the loader wrote.
std::unique_ptr<ProfileBlock> PatternedBlock() {
    std::unique_ptr<ProfileBlock> block(new ProfileBlock);
    std::memset(block.get(), 0xCD, sizeof(ProfileBlock));
    return block;
}

int Load(const std::string& folder, ProfileBlock& block) {
    EXPECT_EQ(LoadProfile(folder.c_str(), &block, "1"), 0);
    return block.count;
}

std::string Profile(const std::string& name, const std::string& more = "") {
    return "<?xml version=\"1.0\"?>\n<Profile><name>" + name + "</name>" + more + "</Profile>\n";
}

// Record of a profile with only the given texts, every other byte zero.
ProfileRecord ZeroRecord() {
    ProfileRecord record;
    std::memset(&record, 0, sizeof record);
    return record;
}

template <size_t N>
void Set(char (&field)[N], const char* text) {
    ASSERT_LT(std::strlen(text), N);
    std::strcpy(field, text);
}

void ExpectSameRecord(const ProfileRecord& actual, const ProfileRecord& expected) {
    for (size_t i = 0; i < sizeof(ProfileRecord); ++i) {
        const auto a = reinterpret_cast<const unsigned char*>(&actual)[i];
        const auto e = reinterpret_cast<const unsigned char*>(&expected)[i];
        if (a != e) {
            ADD_FAILURE() << "first difference at byte " << i << ": " << int(a) << " instead of "
                          << int(e);
            return;
        }
    }
}

const char kFullProfile[] = R"(<?xml version="1.0" encoding="utf-8"?>
<Profile>
  <name>MP3 - 128 kbps</name>
  <Group>MP3</Group>
  <ProgramID>7</ProgramID>
  <ProfileIcon>mp3</ProfileIcon>
  <GroupIcon>mp3group</GroupIcon>
  <VideoCodes>
    <VideoCC name="xvid"><Ovc>XVID</Ovc><VEncoderParam>-b 800</VEncoderParam><VFilterParam>scale</VFilterParam></VideoCC>
  </VideoCodes>
  <AudioCodes>
    <AudioCC name="MP3"><Oac>MP3LAME</Oac><AEncoderParam>-q 2</AEncoderParam><AFilterParam>af</AFilterParam></AudioCC>
    <AudioCC name="WAV"><Oac>WAV</Oac></AudioCC>
  </AudioCodes>
  <Resolution>320x240</Resolution>
  <FrameRate>25</FrameRate>
  <VideoBitrate>800</VideoBitrate>
  <AudioBitrate>64,128,192</AudioBitrate>
  <SampleRate>22050,44100</SampleRate>
  <Channel>1,2</Channel>
  <MediaType>audio</MediaType>
  <Default>
    <Volume>150</Volume>
    <AudioBitrate>128</AudioBitrate>
    <SampleRate>44100</SampleRate>
    <Channels>2</Channels>
    <AudioCodes>MP3</AudioCodes>
    <Oac>MP3LAME</Oac>
    <Ovc>XVID</Ovc>
    <Format>mp3</Format>
    <DisableMultithread>1</DisableMultithread>
  </Default>
</Profile>
)";

TEST(LoadProfileTest, FillsEveryFieldAndZeroesEveryOtherByte) {
    TempFolder folder;
    WriteFile(folder / "full.dat", kFullProfile);
    auto block = PatternedBlock();
    ASSERT_EQ(Load(folder.PathWithoutSlash(), *block), 1);

    ProfileRecord expected = ZeroRecord();
    Set(expected.name, "MP3 - 128 kbps");
    Set(expected.group, "MP3");
    expected.programId = 7;
    Set(expected.profileIcon, "mp3");
    Set(expected.groupIcon, "mp3group");
    Set(expected.resolution, "320x240");
    Set(expected.frameRate, "25");
    Set(expected.videoBitrate, "800");
    Set(expected.audioBitrateChoices, "64,128,192");
    Set(expected.sampleRateChoices, "22050,44100");
    Set(expected.channelChoices, "1,2");
    Set(expected.videoCodecs[0].name, "xvid");
    Set(expected.videoCodecs[0].ovc, "XVID");
    Set(expected.videoCodecs[0].encoderParam, "-b 800");
    Set(expected.videoCodecs[0].filterParam, "scale");
    expected.videoCodecCount = 1;
    Set(expected.audioCodecs[0].name, "MP3");
    Set(expected.audioCodecs[0].oac, "MP3LAME");
    Set(expected.audioCodecs[0].encoderParam, "-q 2");
    Set(expected.audioCodecs[0].filterParam, "af");
    Set(expected.audioCodecs[1].name, "WAV");
    Set(expected.audioCodecs[1].oac, "WAV");
    expected.audioCodecCount = 2;
    Set(expected.audioCodec, "MP3");
    expected.audioBitrate = 128;
    expected.sampleRate = 44100;
    expected.channels = 2;
    expected.volume = 150;
    Set(expected.oac, "MP3LAME");
    Set(expected.ovc, "XVID");
    Set(expected.format, "mp3");
    Set(expected.mediaType, "audio");
    expected.disableMultithread = 1;
    ExpectSameRecord(block->records[0], expected);
}

TEST(LoadProfileTest, UnreadableFilesAndFoldersTakeNoSlot) {
    TempFolder folder;
    WriteFile(folder / "a.dat", Profile("from a"));
    WriteFile(folder / "b.dat", "not XML at all <<<");
    WriteFile(folder / "c.dat", Profile("from c"));
    WriteFile(folder / "d.txt", Profile("not a profile file"));
    std::filesystem::create_directory(folder / "x.dat");
    ASSERT_EQ(mkfifo((folder / "y.dat").c_str(), 0600), 0);
    auto block = PatternedBlock();

    ASSERT_EQ(Load(folder.PathWithoutSlash(), *block), 2);
    EXPECT_STREQ(block->records[0].name, "from a");
    EXPECT_STREQ(block->records[1].name, "from c");
}

TEST(LoadProfileTest, RecordsFollowTheFileNamesWithoutRegardToCase) {
    TempFolder folder;
    WriteFile(folder / "b.dat", Profile("b"));
    WriteFile(folder / "C.DAT", Profile("C"));
    WriteFile(folder / "A.dat", Profile("A"));
    WriteFile(folder / "a2.dat", Profile("a2"));
    auto block = PatternedBlock();

    ASSERT_EQ(Load(folder.PathWithoutSlash(), *block), 4);
    const char* expected[] = {"A", "a2", "b", "C"};
    for (int i = 0; i < 4; ++i) EXPECT_STREQ(block->records[i].name, expected[i]) << i;
}

TEST(LoadProfileTest, ProfileWithoutDefaultsOrWithAnotherRootStillCounts) {
    TempFolder folder;
    WriteFile(folder / "1.dat",
              Profile("no defaults", "<Group>G</Group><MediaType>audio</MediaType>"));
    WriteFile(folder / "2.dat",
              "<Preset><name>x</name><Default><Volume>5</Volume></Default></Preset>");
    // A root named like a value or like the defaults element is no profile either.
    WriteFile(folder / "3.dat", "<name>root text</name>");
    WriteFile(folder / "4.dat", "<Default><Volume>5</Volume><Format>mp3</Format></Default>");
    auto block = PatternedBlock();
    ASSERT_EQ(Load(folder.PathWithoutSlash(), *block), 4);

    ProfileRecord expected = ZeroRecord();
    Set(expected.name, "no defaults");
    Set(expected.group, "G");
    Set(expected.mediaType, "audio");
    ExpectSameRecord(block->records[0], expected);
    for (int i = 1; i < 4; ++i) ExpectSameRecord(block->records[i], ZeroRecord());
}

TEST(LoadProfileTest, ReadsIntegersFromTheirLeadingDigits) {
    struct Case {
        const char* text;
        int32_t value;
    };
    const Case cases[] = {
        {"12abc", 12},
        {"", 0},
        {"abc", 0},
        {"  42", 42},
        {"-7", -7},
        {"+5", 5},
        {"- 5", 0},
        {"0x1F", 0},
        {"2147483647", INT_MAX},
        {"2147483648", INT_MAX},
        {"99999999999999999999", INT_MAX},
        {"-2147483648", INT_MIN},
        {"-99999999999", INT_MIN},
    };
    for (const Case& c : cases) {
        TempFolder folder;
        WriteFile(folder / "p.dat", Profile("n", std::string("<ProgramID>") + c.text +
                                                     "</ProgramID><Default><Volume>" + c.text +
                                                     "</Volume></Default>"));
        auto block = PatternedBlock();
        ASSERT_EQ(Load(folder.PathWithoutSlash(), *block), 1);
        EXPECT_EQ(block->records[0].programId, c.value) << c.text;
        EXPECT_EQ(block->records[0].volume, c.value) << c.text;
    }
}

std::string AudioEntries(int count) {
    std::string entries = "<AudioCodes>";
    for (int i = 0; i < count; ++i) {
        const std::string n = std::to_string(i);
        entries += "<AudioCC name=\"codec" + n + "\"><Oac>OAC" + n + "</Oac></AudioCC>";
    }
    return entries + "</AudioCodes>";
}

TEST(LoadProfileTest, CodecEntriesFillSlotsInDocumentOrderUpToTheRecordsRoom) {
    for (int entries : {3, 10, 12}) {
        TempFolder folder;
        WriteFile(folder / "p.dat", Profile("n", AudioEntries(entries)));
        auto block = PatternedBlock();
        ASSERT_EQ(Load(folder.PathWithoutSlash(), *block), 1);

        ProfileRecord expected = ZeroRecord();
        Set(expected.name, "n");
        const int kept = std::min(entries, kMaxCodecEntries);
        for (int i = 0; i < kept; ++i) {
            Set(expected.audioCodecs[i].name, ("codec" + std::to_string(i)).c_str());
            Set(expected.audioCodecs[i].oac, ("OAC" + std::to_string(i)).c_str());
        }
        expected.audioCodecCount = kept;
        ExpectSameRecord(block->records[0], expected);
    }
}

std::string Repeat(const std::string& piece, int times) {
    std::string text;
    for (int i = 0; i < times; ++i) text += piece;
    return text;
}

TEST(LoadProfileTest, LongTextsAreCutBeforeACharacterThatDoesNotFit) {
    struct Case {
        const char* what;
        std::string text;    // written into "name", 128 bytes of room
        std::string stored;  // at most 127 bytes, whole characters only
    };
    const Case cases[] = {
        {"fits exactly", Repeat("a", 127), Repeat("a", 127)},
        {"ASCII", Repeat("a", 200), Repeat("a", 127)},
        {"two-byte", Repeat("\xc3\xa9", 100), Repeat("\xc3\xa9", 63)},
        {"three-byte", Repeat("\xe2\x82\xac", 50), Repeat("\xe2\x82\xac", 42)},
        {"four-byte", "a" + Repeat("\xf0\x9f\x8e\xb5", 40), "a" + Repeat("\xf0\x9f\x8e\xb5", 31)},
        {"ends on a boundary", Repeat("a", 125) + "\xc3\xa9" + "b", Repeat("a", 125) + "\xc3\xa9"},
    };
    for (const Case& c : cases) {
        TempFolder folder;
        WriteFile(folder / "p.dat", Profile(c.text));
        auto block = PatternedBlock();
        ASSERT_EQ(Load(folder.PathWithoutSlash(), *block), 1);

        ProfileRecord expected = ZeroRecord();
        Set(expected.name, c.stored.c_str());
        ExpectSameRecord(block->records[0], expected);
    }

    // A codec entry's texts are cut the same way within the entry.
    TempFolder folder;
    WriteFile(folder / "p.dat",
              Profile("n", "<AudioCodes><AudioCC name=\"" + Repeat("\xc3\xa9", 20) + "\"><Oac>" +
                               Repeat("x", 40) + "</Oac></AudioCC></AudioCodes>"));
    auto block = PatternedBlock();
    ASSERT_EQ(Load(folder.PathWithoutSlash(), *block), 1);
    EXPECT_EQ(std::string(block->records[0].audioCodecs[0].name), Repeat("\xc3\xa9", 15));
    EXPECT_EQ(std::string(block->records[0].audioCodecs[0].oac), Repeat("x", 31));
}

TEST(LoadProfileTest, FillsNoMoreRecordsThanTheBlockHolds) {
    TempFolder folder;
    char name[32];
    for (int i = 0; i < kProfileBlockCapacity + 2; ++i) {
        std::snprintf(name, sizeof name, "p%03d", i);
        WriteFile(folder / (std::string(name) + ".dat"), Profile(name));
    }
    auto block = PatternedBlock();
    ASSERT_EQ(Load(folder.PathWithoutSlash(), *block), kProfileBlockCapacity);
    EXPECT_STREQ(block->records[0].name, "p000");
    EXPECT_STREQ(block->records[kProfileBlockCapacity - 1].name, "p127");
}

TEST(LoadProfileTest, AcceptsTheFolderWithTrailingAndDoubledSeparators) {
    TempFolder folder;
    std::filesystem::create_directory(folder / "Profiles");
    WriteFile(folder / "Profiles/a.dat", Profile("a"));
    const std::string root = folder.PathWithoutSlash();
    for (const std::string& text :
         {root + "/Profiles", root + "/Profiles/", root + "//Profiles/", root + "/Profiles//"}) {
        auto block = PatternedBlock();
        EXPECT_EQ(Load(text, *block), 1) << text;
        EXPECT_STREQ(block->records[0].name, "a") << text;
    }
}

TEST(LoadProfileTest, EmptyOrMissingFolderGivesNoProfiles) {
    TempFolder folder;
    std::filesystem::create_directory(folder / "empty");
    for (const std::string& text : {folder / "empty", folder / "missing/", std::string()}) {
        auto block = PatternedBlock();
        EXPECT_EQ(Load(text, *block), 0) << text;
    }
    auto block = PatternedBlock();
    EXPECT_EQ(LoadProfile(nullptr, block.get(), "1"), 0);
    EXPECT_EQ(block->count, 0);
    EXPECT_EQ(LoadProfile(folder.PathWithoutSlash().c_str(), nullptr, "1"), 0);
}

}  // namespace
