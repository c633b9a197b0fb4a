#include "lingo/lingo.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdio>
#include <filesystem>
#include <pugixml.hpp>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "common/temp_folder.h"
#include "platform/program_folder.h"

namespace fs = std::filesystem;

namespace {

// Every pair the program looks up.
const std::vector<std::pair<const char*, const char*>> kProgramKeys = {
    {"MainUI", "treeSource"},
    {"MainUI", "treeLength"},
    {"MainUI", "treeStartTime"},
    {"MainUI", "treeEndTime"},
    {"MainUI", "stSubTitle"},
    {"MainUI", "stAudioTrack"},
    {"MainUI", "stProfile"},
    {"MainUI", "stOutput"},
    {"MainUI", "btnBrowse"},
    {"MainUI", "btnSetting"},
    {"MainUI", "btnOpen"},
    {"MsgBox", "Info"},
    {"MsgBox", "UnknownFormat"},
    {"MsgBox", "DirNotExist"},
    {"MsgBox", "ConvertFailed"},
    {"MsgBox", "StopConvert"},
    {"MsgBox", "ErrTimeFormat"},
    {"MsgBox", "GreaterEndTime"},
    {"MsgBox", "GreaterTotalTime"},
    {"MsgBox", "ConvertFinished"},
    {"DlgConverting", "Title"},
    {"DlgConverting", "chkOpenDir"},
    {"DlgConverting", "chkTurnOff"},
    {"DlgConverting", "btnStop"},
    {"DlgConverting", "CreatingFile"},
    {"DlgConverting", "File"},
};

// A program folder of the test's own, with a Lang/ folder, removed afterwards.
class LingoTest : public testing::Test {
protected:
    void SetUp() override {
        fs::create_directories(root_ / "Lang");
        platform::SetProgramFolder(root_.string());
    }
    void TearDown() override { platform::SetProgramFolder(""); }

    void CopyShipped(const std::string& file) {
        fs::copy_file(fs::path(QUILLON_SOURCE_DIR) / "data/Lang" / file, root_ / "Lang" / file);
    }
    void WriteFile(const fs::path& relative, const std::string& text) {
        fs::create_directories((root_ / relative).parent_path());
        ::WriteFile(root_ / relative, text);
    }
    // A language file with one MainUI text.
    void WriteLanguage(const fs::path& relative, const std::string& name,
                       const std::string& source) {
        WriteFile(relative, "<Language name=\"" + name +
                                "\"><Section name=\"MainUI\"><Text key=\"treeSource\">" + source +
                                "</Text></Section></Language>");
    }

    TempFolder folder_;
    const fs::path root_{folder_.PathWithoutSlash()};
};

std::string Text(const char* section, const char* key) {
    return GetLanguageText(section, key);
}

TEST_F(LingoTest, ShippedLanguagesLoadWithEnglishFirstAndDamagedFilesSkipped) {
    CopyShipped("English.xml");
    CopyShipped("Deutsch.xml");
    WriteFile("Lang/Broken.xml", "<Language name=\"Broken\"><Section name=\"MainUI\">");
    WriteFile("Lang/Other.xml", "<Profile name=\"x\"/>");
    WriteFile("Lang/Empty.xml", "");
    WriteFile("Lang/readme.txt", "not a language");

    // The backslash form is what the program passes.
    EXPECT_EQ(InitLanguages("Lang\\*.xml"), 2);
    EXPECT_EQ(GetLanguageCount(), 2);
    // Loaded but not selected yet: the key comes back.
    EXPECT_EQ(Text("MainUI", "treeSource"), "treeSource");

    ASSERT_EQ(SelectLanguage(0), 1);
    EXPECT_EQ(Text("MainUI", "treeSource"), "Source");
    EXPECT_EQ(Text("MainUI", "btnBrowse"), "Browse...");
    EXPECT_EQ(Text("MsgBox", "StopConvert"), "Are you sure you want to stop the conversion?");

    ASSERT_EQ(SelectLanguage(1), 1);
    EXPECT_EQ(Text("MainUI", "treeSource"), "Quelle");
    EXPECT_EQ(Text("MainUI", "btnOpen"),
              "\xC3\x96"
              "ffnen");  // UTF-8 as written

    EXPECT_EQ(SelectLanguage(2), 0);
    EXPECT_EQ(SelectLanguage(-1), 0);
    EXPECT_EQ(Text("MainUI", "treeSource"), "Quelle");  // a refused index changes nothing
}

// Checked in the files themselves: through the library a missing pair would
// hide behind the English fallback or the key.
TEST(ShippedLanguages, EveryFileHasEveryProgramText) {
    int files = 0;
    for (const auto& entry : fs::directory_iterator(fs::path(QUILLON_SOURCE_DIR) / "data/Lang")) {
        ++files;
        SCOPED_TRACE(entry.path().filename().string());
        pugi::xml_document doc;
        ASSERT_TRUE(doc.load_file(entry.path().c_str()));
        pugi::xml_node root = doc.child("Language");
        ASSERT_TRUE(root);
        EXPECT_FALSE(std::string(root.attribute("name").as_string()).empty());
        for (const auto& [section, key] : kProgramKeys) {
            pugi::xml_node text = root.find_child_by_attribute("Section", "name", section)
                                      .find_child_by_attribute("Text", "key", key);
            EXPECT_FALSE(std::string(text.text().get()).empty()) << section << "/" << key;
        }
    }
    EXPECT_GE(files, 2);
}

TEST_F(LingoTest, MissingPairsStillGiveReadableText) {
    // Without any language every lookup gives its key; null arguments give "".
    EXPECT_EQ(InitLanguages("Lang/*.xml"), 0);
    EXPECT_EQ(GetLanguageCount(), 0);
    EXPECT_EQ(SelectLanguage(0), 0);
    EXPECT_EQ(Text("MsgBox", "Info"), "Info");
    EXPECT_STREQ(GetLanguageText(nullptr, "Info"), "");
    EXPECT_STREQ(GetLanguageText("MsgBox", nullptr), "");
    EXPECT_EQ(InitLanguages(nullptr), 0);

    // A translation that lacks a pair falls back to English, then to the key.
    WriteFile("Lang/English.xml",
              "<Language name=\"English\"><Section name=\"MainUI\">"
              "<Text key=\"treeSource\">Source</Text><Text key=\"btnOpen\">Open</Text>"
              "<Text key=\"btnOpen\">Second</Text><Text key=\"padded\">  a &amp; b </Text>"
              "</Section></Language>");
    WriteLanguage("Lang/Francais.xml",
                  "Fran\xC3\xA7"
                  "ais",
                  "Source du fichier");
    ASSERT_EQ(InitLanguages("Lang/*.xml"), 2);
    ASSERT_EQ(SelectLanguage(1), 1);
    EXPECT_EQ(Text("MainUI", "treeSource"), "Source du fichier");
    EXPECT_EQ(Text("MainUI", "btnOpen"), "Open");  // first of two wins, from English
    EXPECT_EQ(Text("MainUI", "padded"), "  a & b ");
    EXPECT_EQ(Text("MainUI", "noSuchKey"), "noSuchKey");
    EXPECT_EQ(Text("NoSection", "treeSource"), "treeSource");
    EXPECT_EQ(Text("mainui", "treesource"), "treesource");  // names match exactly

    // The returned key is the library's copy, not the caller's buffer.
    std::string key = "temporaryKey";
    const char* text = GetLanguageText("MainUI", key.c_str());
    key.assign("overwritten!");
    EXPECT_STREQ(text, "temporaryKey");
}

TEST_F(LingoTest, MasksResolveAgainstTheProgramFolderOrStandAbsolute) {
    WriteLanguage("Lang/English.xml", "English", "Source");
    WriteLanguage("Other/Deutsch.xml", "Deutsch", "Quelle");
    WriteLanguage("Zulu.xml", "Zulu", "Umthombo");

    EXPECT_EQ(InitLanguages("Lang/*.XML"), 1);  // letters of the pattern match without case
    EXPECT_EQ(InitLanguages((root_ / "Other/*.xml").string().c_str()), 1);
    ASSERT_EQ(SelectLanguage(0), 1);
    EXPECT_EQ(Text("MainUI", "treeSource"), "Quelle");
    EXPECT_EQ(InitLanguages("*.xml"), 1);  // no folder: the program folder itself
    EXPECT_EQ(InitLanguages("Lang/"), 0);
    EXPECT_EQ(InitLanguages("Missing/*.xml"), 0);
    EXPECT_EQ(GetLanguageCount(), 0);
}

TEST_F(LingoTest, EnglishLeadsWhateverTheFileNames) {
    WriteLanguage("Lang/a-first.xml", "Deutsch", "Quelle");
    WriteLanguage("Lang/b.xml", "ENGLISH", "Source");
    WriteLanguage("Lang/C.xml",
                  "Fran\xC3\xA7"
                  "ais",
                  "Origine");
    WriteFile("Lang/unnamed.xml", "<Language/>");
    ASSERT_EQ(InitLanguages("Lang/*.xml"), 4);
    // The unnamed file lacks the text, so English stands in for it.
    const char* expected[] = {"Source", "Quelle", "Origine", "Source"};
    for (int i = 0; i < 4; ++i) {
        ASSERT_EQ(SelectLanguage(i), 1);
        EXPECT_EQ(Text("MainUI", "treeSource"), expected[i]) << i;
    }
}

TEST_F(LingoTest, TextsStayValidAfterAnotherInitLanguages) {
    CopyShipped("English.xml");
    CopyShipped("Deutsch.xml");
    ASSERT_EQ(InitLanguages("Lang/*.xml"), 2);
    ASSERT_EQ(SelectLanguage(1), 1);
    const char* caption = GetLanguageText("MsgBox", "Info");
    const char* missing = GetLanguageText("MsgBox", "NotThere");
    std::string captionCopy = caption;

    // Replace the files so the new tables hold other texts, then load again.
    fs::remove_all(root_ / "Lang");
    WriteLanguage("Lang/English.xml", "English", "Source");
    ASSERT_EQ(InitLanguages("Lang/*.xml"), 1);
    ASSERT_EQ(SelectLanguage(0), 1);
    EXPECT_EQ(Text("MsgBox", "Info"), "Info");
    EXPECT_EQ(caption, captionCopy);
    EXPECT_STREQ(missing, "NotThere");
}

TEST_F(LingoTest, LookupsFromTwoThreadsWhileLanguagesChange) {
    CopyShipped("English.xml");
    CopyShipped("Deutsch.xml");
    ASSERT_EQ(InitLanguages("Lang/*.xml"), 2);
    ASSERT_EQ(SelectLanguage(0), 1);

    const std::set<std::string> allowed = {"Source", "Quelle", "treeSource"};
    std::atomic<int> bad{0};
    auto lookups = [&] {
        for (int i = 0; i < 20000; ++i) {
            if (!allowed.count(GetLanguageText("MainUI", "treeSource"))) ++bad;
            GetLanguageText("MsgBox", "Missing");
        }
    };
    std::thread worker(lookups);
    std::thread other(lookups);
    for (int i = 0; i < 200; ++i) {
        SelectLanguage(i % 2);
        if (i % 50 == 0) InitLanguages("Lang/*.xml");
    }
    worker.join();
    other.join();
    EXPECT_EQ(bad.load(), 0);
}

// Only the four operations may be exported, so that pugixml and the C++ runtime
// inside the library never clash with the program's own.
TEST(LingoLibrary, ExportsOnlyItsFourOperations) {
    std::string command =
        std::string("nm -D --defined-only '") + QUILLON_BUILD_DIR + "/libLingo.so' 2>/dev/null";
    FILE* pipe = popen(command.c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    std::set<std::string> names;
    char line[512];
    while (fgets(line, sizeof line, pipe)) {
        std::string text(line);
        auto space = text.find_last_of(' ');
        std::string name = text.substr(space + 1);
        while (!name.empty() && (name.back() == '\n' || name.back() == '\r')) name.pop_back();
        names.insert(name);
    }
    ASSERT_EQ(pclose(pipe), 0);
    EXPECT_EQ(names, (std::set<std::string>{"InitLanguages", "GetLanguageCount", "SelectLanguage",
                                            "GetLanguageText"}));
}

}  // namespace
