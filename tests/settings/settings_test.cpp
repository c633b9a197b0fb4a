#include "converter/shell/settings.h"

#include <gtest/gtest.h>

#include <climits>
#include <filesystem>
#include <string>

#include "common/temp_folder.h"
#include "converter/shell/ini.h"
#include "platform/program_folder.h"

namespace fs = std::filesystem;

namespace {

class SettingsTest : public testing::Test {
protected:
    void WriteConfig(const std::string& text) { WriteFile(path_, text); }
    std::string ReadConfig() const { return ReadFile(path_); }
    // What a close of the main window writes after the start-up read.
    Settings LoadAndSave() {
        CIni ini(path_);
        Settings s = LoadSettings(ini);
        SaveSettings(ini, s);
        return s;
    }

    TempFolder folder_;
    const fs::path root_{folder_.PathWithoutSlash()};
    const std::string path_ = folder_ / "Config.ini";
};

TEST(IniValues, IntegersReadAsUnsignedDecimal) {
    struct Case {
        const char* value;
        int expected;
    } cases[] = {
        {"", 4},       {"5", 5},  {"  6", 6}, {"\t7x", 7}, {"abc", 0},
        {"12abc", 12}, {"-3", 0}, {"+3", 0},  {"0", 0},    {"99999999999999", INT_MAX},
    };
    for (const auto& c : cases) EXPECT_EQ(ParseIniInt(c.value, 4), c.expected) << c.value;
    // Only the first 63 characters count.
    EXPECT_EQ(ParseIniInt(std::string(63, '0') + "7", 4), 0);
    EXPECT_EQ(ParseIniInt(std::string(62, '0') + "7", 4), 7);
}

TEST(IniValues, YesNoValues) {
    struct Case {
        const char* value;
        bool expected;
    } cases[] = {
        {"", true},       {"1", true},    {"2", true},   {"-1", true},    {" 1", true},
        {"YES", true},    {"True", true}, {"yes", true}, {"TRUE", true},  {"007", true},
        {"3rd", true},    {"0", false},   {"00", false}, {"-0", false},   {"no", false},
        {"false", false}, {"off", false}, {"on", false}, {"yess", false}, {"+", false},
    };
    for (const auto& c : cases) EXPECT_EQ(ParseIniBool(c.value), c.expected) << c.value;
    EXPECT_FALSE(ParseIniBool(std::string(63, '0') + "1"));
}

TEST_F(SettingsTest, MissingFileGivesDefaultsAndSavingCreatesIt) {
    CIni ini(path_);
    Settings s = LoadSettings(ini);
    EXPECT_EQ(s, Settings{});
    EXPECT_EQ(s.skin, "Default");
    EXPECT_EQ(s.videoDriver, 4);
    EXPECT_TRUE(s.multiThread);
    EXPECT_TRUE(s.openDestDir);
    EXPECT_EQ(ini.GetString("System", "Skin", "fallback"), "fallback");

    s.skin = "Dark Blue";
    s.defOutput = "/home/user/Music/caf\xC3\xA9 $out's \"folder\"/";
    s.defProfile = "MP3 - 192 kbps";
    s.videoDriver = 6;
    s.multiThread = false;
    s.openDestDir = false;
    EXPECT_TRUE(SaveSettings(ini, s));
    EXPECT_EQ(LoadSettings(CIni(path_)), s);
}

TEST_F(SettingsTest, ValuesAreReadAndWrittenBackInTheirForms) {
    WriteConfig(
        "[System]\n"
        "Skin=Default\n"
        "DefOutput=/no/such/folder/\n"
        "DefProfile=AAC\n"
        "VideoDriver=opengl\n"
        "MultiThread=\n"
        "[General]\n"
        "OpenDestDir=YES\n");
    Settings s = LoadAndSave();
    EXPECT_EQ(s.defOutput, "/no/such/folder/");  // used unchanged, checked only at start
    EXPECT_EQ(s.videoDriver, 0);
    EXPECT_TRUE(s.multiThread);
    EXPECT_TRUE(s.openDestDir);
    EXPECT_EQ(ReadConfig(),
              "[System]\n"
              "Skin=Default\n"
              "DefOutput=/no/such/folder/\n"
              "DefProfile=AAC\n"
              "VideoDriver=0\n"
              "MultiThread=1\n"
              "[General]\n"
              "OpenDestDir=1\n");

    struct Case {
        const char* multiThread;
        const char* openDestDir;
        bool multiExpected;
        bool openExpected;
    } cases[] = {{"2", "True", true, true}, {"0", "off", false, false}, {"no", "1", false, true}};
    for (const auto& c : cases) {
        CIni ini(path_);
        ASSERT_TRUE(ini.WriteString("System", "MultiThread", c.multiThread));
        ASSERT_TRUE(ini.WriteString("General", "OpenDestDir", c.openDestDir));
        Settings read = LoadAndSave();
        EXPECT_EQ(read.multiThread, c.multiExpected) << c.multiThread;
        EXPECT_EQ(read.openDestDir, c.openExpected) << c.openDestDir;
        EXPECT_EQ(ini.GetString("System", "MultiThread", "?"), c.multiExpected ? "1" : "0");
        EXPECT_EQ(ini.GetString("General", "OpenDestDir", "?"), c.openExpected ? "1" : "0");
    }
}

TEST_F(SettingsTest, WithoutGeneralSectionSystemValuesStillRead) {
    WriteConfig("[System]\nSkin=Classic\nVideoDriver=5\nMultiThread=0\n");
    Settings s = LoadSettings(CIni(path_));
    EXPECT_EQ(s.skin, "Classic");
    EXPECT_EQ(s.videoDriver, 5);
    EXPECT_FALSE(s.multiThread);
    EXPECT_TRUE(s.openDestDir);
}

TEST_F(SettingsTest, SavingKeepsEveryOtherLine) {
    const std::string before =
        "; settings of Quillon Audio Converter\n"
        "[Recent]\n"
        "File1=/music/a.flac\n"
        "\n"
        "[System]\n"
        "Skin=Classic\n"
        "# a comment between keys\n"
        "DefOutput=\n"
        "DefProfile=Old Profile\n"
        "Language=1\n"
        "VideoDriver=4\n"
        "MultiThread=1\n"
        "\n"
        "[General]\n"
        "OpenDestDir=1\n"
        "Window=12,34\n";
    WriteConfig(before);
    CIni ini(path_);
    Settings s = LoadSettings(ini);
    s.defOutput = "/out/";
    s.defProfile = "New Profile";
    s.videoDriver = 5;
    s.openDestDir = false;
    EXPECT_TRUE(SaveSettings(ini, s));
    std::string after = before;
    after.replace(after.find("DefOutput="), 10, "DefOutput=/out/");
    after.replace(after.find("Old Profile"), 11, "New Profile");
    after.replace(after.find("VideoDriver=4"), 13, "VideoDriver=5");
    after.replace(after.find("OpenDestDir=1"), 13, "OpenDestDir=0");
    EXPECT_EQ(ReadConfig(), after);
}

TEST_F(SettingsTest, LongTextsAreReadWhole) {
    std::string folder = "/" + std::string(3000, 'x') + "/";
    WriteConfig("[System]\nDefOutput=" + folder + "\n");
    EXPECT_EQ(LoadSettings(CIni(path_)).defOutput, folder);
}

TEST_F(SettingsTest, FailedWritesAreResultsNotCrashes) {
    // A folder that does not exist: nothing can be written, nothing is created.
    CIni missing((root_ / "gone/Config.ini").string());
    EXPECT_FALSE(SaveSettings(missing, Settings{}));
    EXPECT_FALSE(fs::exists(root_ / "gone"));

    // A line break would turn into lines of its own: such a text is refused and
    // the file keeps its old value.
    WriteConfig("[System]\nDefOutput=/safe/\n");
    CIni ini(path_);
    Settings s = LoadSettings(ini);
    s.defOutput = "/evil\n[General]\nOpenDestDir=0";
    EXPECT_FALSE(SaveSettings(ini, s));
    EXPECT_EQ(ini.GetString("System", "DefOutput", "?"), "/safe/");
    EXPECT_TRUE(LoadSettings(ini).openDestDir);
    EXPECT_FALSE(ini.WriteString("", "Key", "v"));
    EXPECT_FALSE(ini.WriteInt("System", "", 1));
}

TEST(SettingsPath, ConfigIniSitsInTheProgramFolder) {
    platform::SetProgramFolder("/opt/quillon");
    EXPECT_EQ(ConfigFilePath(), "/opt/quillon/Config.ini");
    platform::SetProgramFolder("");
}

}  // namespace
