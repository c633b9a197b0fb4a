// The profiles and the icon catalogue as shipped in the program folder.

#include <gtest/gtest.h>
#include <strings.h>

#include <filesystem>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "presetlib/profile_record.h"
#include "xml/xml_parse.h"

namespace {

const std::string kProgramFolder = QUILLON_BUILD_DIR;

std::vector<std::string> Choices(const char* list) {
    std::vector<std::string> choices;
    std::string piece;
    for (const char* c = list;; ++c) {
        if (*c == ',' || *c == '\0') {
            if (!piece.empty()) choices.push_back(piece);
            piece.clear();
            if (*c == '\0') break;
        } else {
            piece += *c;
        }
    }
    return choices;
}

// The entry the audio settings dialog selects for a value: the first one that
// begins with it, letters compared without regard to case.
std::string FirstBeginningWith(const std::vector<std::string>& entries, const std::string& value) {
    for (const std::string& entry : entries) {
        if (strncasecmp(entry.c_str(), value.c_str(), value.size()) == 0) return entry;
    }
    return "(none)";
}

class ShippedProfilesTest : public testing::Test {
protected:
    void SetUp() override {
        block.reset(new ProfileBlock{});
        ASSERT_EQ(LoadProfile((kProgramFolder + "/Profiles/").c_str(), block.get(), "1"), 0);
    }

    std::unique_ptr<ProfileBlock> block;
};

TEST_F(ShippedProfilesTest, EveryProfileFileGivesAProfile) {
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(kProgramFolder + "/Profiles")) {
        if (entry.is_regular_file() && entry.path().extension() == ".dat") ++files;
    }
    EXPECT_GE(files, 15);
    EXPECT_EQ(block->count, files);
}

TEST_F(ShippedProfilesTest, GroupsComeInAFixedOrderAndHoldTheirProfilesTogether) {
    std::vector<std::string> groups;
    for (int i = 0; i < block->count; ++i) {
        const std::string group = block->records[i].group;
        if (groups.empty() || groups.back() != group) groups.push_back(group);
    }
    const std::vector<std::string> expected = {"MP3 Audio",        "Windows Media Audio",
                                               "AAC and iPhone",   "OGG Vorbis",
                                               "Lossless and PCM", "AC3 and MP2"};
    EXPECT_EQ(groups, expected);
}

TEST_F(ShippedProfilesTest, EveryProfileConvertsWithDefaultsFromItsOwnChoices) {
    const std::set<std::string> keywords = {"mp3lame", "vorbis", "wav", "aac",   "ac3",  "flac",
                                            "m4a",     "mp2",    "au",  "wmav1", "wmav2"};
    std::set<std::string> names;
    for (int i = 0; i < block->count; ++i) {
        const ProfileRecord& p = block->records[i];
        SCOPED_TRACE(p.name);
        EXPECT_NE(p.name[0], '\0');
        EXPECT_TRUE(names.insert(p.name).second) << "profile names select the default profile";
        EXPECT_NE(p.group[0], '\0');
        EXPECT_NE(p.format[0], '\0');
        EXPECT_STREQ(p.mediaType, "audio");
        EXPECT_EQ(p.volume, 100);

        ASSERT_GE(p.audioCodecCount, 1);
        std::vector<std::string> codecNames;
        for (int k = 0; k < p.audioCodecCount; ++k) {
            codecNames.push_back(p.audioCodecs[k].name);
            std::string keyword = p.audioCodecs[k].oac;
            for (char& c : keyword)
                c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
            EXPECT_TRUE(keywords.count(keyword)) << p.audioCodecs[k].oac;
        }
        EXPECT_EQ(FirstBeginningWith(codecNames, p.audioCodec), p.audioCodec);

        // Each default is offered, and is the entry the settings dialog selects for it.
        EXPECT_EQ(FirstBeginningWith(Choices(p.sampleRateChoices), std::to_string(p.sampleRate)),
                  std::to_string(p.sampleRate));
        EXPECT_EQ(FirstBeginningWith(Choices(p.channelChoices), std::to_string(p.channels)),
                  std::to_string(p.channels));
        EXPECT_EQ(
            FirstBeginningWith(Choices(p.audioBitrateChoices), std::to_string(p.audioBitrate)),
            std::to_string(p.audioBitrate));
    }
}

TEST_F(ShippedProfilesTest, EveryIconKeyHasAPictureInTheCatalogue) {
    XMLParse catalogue;
    ASSERT_TRUE(catalogue.LoadDocument(kProgramFolder + "/Profiles/icon/Config.xml"));
    const XMLNode list = catalogue.SelectNode(XMLNode(), "IconList", 0);
    ASSERT_TRUE(list);
    std::map<std::string, std::string> pictures;
    std::set<std::string> kinds;
    for (int i = 0; i < catalogue.CountNodes("Icon", list); ++i) {
        const XMLNode icon = catalogue.SelectNode(list, "Icon", i);
        std::string key, path;
        ASSERT_TRUE(catalogue.GetNodeText("Name", icon, key));
        ASSERT_TRUE(catalogue.GetNodeText("Path", icon, path));
        EXPECT_TRUE(std::filesystem::is_regular_file(kProgramFolder + "/" + path)) << path;
        pictures.emplace(key, path);
        kinds.insert(std::filesystem::path(path).extension().string());
    }
    EXPECT_EQ(kinds, (std::set<std::string>{".bmp", ".gif", ".ico", ".jpg"}));

    for (int i = 0; i < block->count; ++i) {
        const ProfileRecord& p = block->records[i];
        EXPECT_TRUE(pictures.count(p.profileIcon)) << p.name << ": " << p.profileIcon;
        EXPECT_TRUE(pictures.count(p.groupIcon)) << p.name << ": " << p.groupIcon;
    }
}

}  // namespace
