#include "platform/ini_file.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "common/temp_folder.h"
#include "platform/directory.h"

namespace {

using platform::ReadProfileString;
using platform::WriteProfileString;

std::vector<std::string> FolderNames(const TempFolder& folder) {
    std::vector<std::string> names;
    for (const auto& entry : platform::ListDirectory(folder.Path(), "*")) {
        names.push_back(entry.name);
    }
    return names;
}

class IniFileTest : public testing::Test {
protected:
    TempFolder folder;
    std::string path = folder / "Config.ini";
};

TEST_F(IniFileTest, ReadsSectionsAndKeysWithoutRegardToCase) {
    WriteFile(path,
              "\xEF\xBB\xBF[System]\n"
              "Skin=Default\n"
              "  defOutput =  /home/me/out dir  \t\n"
              ";VideoDriver=9\n"
              "# MultiThread=0\n"
              "Equation=a=b\n"
              "Empty=\n"
              "Skin=second copy\n"
              "[ General ]\r\n"
              "OpenDestDir=1\r\n"
              "[system]\n"
              "VideoDriver=5\n");
    EXPECT_EQ(ReadProfileString(path, "system", "SKIN"), "Default");
    EXPECT_EQ(ReadProfileString(path, "System", "DefOutput"), "/home/me/out dir");
    EXPECT_EQ(ReadProfileString(path, "System", "Equation"), "a=b");
    EXPECT_EQ(ReadProfileString(path, "System", "Empty"), "");
    EXPECT_EQ(ReadProfileString(path, "GENERAL", "opendestdir"), "1");
    // Comments are no keys; the first section of a name is the one that counts.
    EXPECT_EQ(ReadProfileString(path, "System", "VideoDriver"), std::nullopt);
    EXPECT_EQ(ReadProfileString(path, "System", "MultiThread"), std::nullopt);
    EXPECT_EQ(ReadProfileString(path, "General", "Skin"), std::nullopt);
    EXPECT_EQ(ReadProfileString(path, "Missing", "Skin"), std::nullopt);
    EXPECT_EQ(ReadProfileString(folder / "none.ini", "System", "Skin"), std::nullopt);
}

TEST_F(IniFileTest, ReplacesTheValueInPlaceKeepingEverythingElse) {
    const std::string before =
        "; settings\r\n"
        "[System]\r\n"
        "Skin = Default\r\n"
        "# keep me\r\n"
        "DefOutput=/old\r\n"
        "\r\n"
        "[General]\r\n"
        "OpenDestDir=1";
    WriteFile(path, before);
    EXPECT_TRUE(WriteProfileString(path, "SYSTEM", "skin", "Blue Night"));
    EXPECT_TRUE(WriteProfileString(path, "general", "OPENDESTDIR", "0"));
    EXPECT_EQ(ReadFile(path),
              "; settings\r\n"
              "[System]\r\n"
              "Skin = Blue Night\r\n"
              "# keep me\r\n"
              "DefOutput=/old\r\n"
              "\r\n"
              "[General]\r\n"
              "OpenDestDir=0");
    EXPECT_EQ(FolderNames(folder), (std::vector<std::string>{"Config.ini"}));
}

TEST_F(IniFileTest, AddsAMissingKeyAtTheEndOfItsSection) {
    WriteFile(path,
              "[System]\n"
              "Skin=Default\n"
              "; about General\n"
              "\n"
              "[General]\n"
              "OpenDestDir=1\n");
    EXPECT_TRUE(WriteProfileString(path, "System", "DefProfile", "MP3 - 128 kbps"));
    EXPECT_TRUE(WriteProfileString(path, "General", "Extra", "x"));
    EXPECT_EQ(ReadFile(path),
              "[System]\n"
              "Skin=Default\n"
              "DefProfile=MP3 - 128 kbps\n"
              "; about General\n"
              "\n"
              "[General]\n"
              "OpenDestDir=1\n"
              "Extra=x\n");
}

TEST_F(IniFileTest, CreatesTheSectionAndTheFile) {
    EXPECT_TRUE(WriteProfileString(path, "System", "Skin", "Default"));
    EXPECT_EQ(ReadFile(path), "[System]\nSkin=Default\n");

    WriteFile(path, "[System]\r\nSkin=Default");  // no line break at the end
    EXPECT_TRUE(WriteProfileString(path, "General", "OpenDestDir", "1"));
    EXPECT_EQ(ReadFile(path), "[System]\r\nSkin=Default\r\n[General]\r\nOpenDestDir=1\r\n");

    WriteFile(path, "[Empty]\n[System]\nSkin=x\n");
    EXPECT_TRUE(WriteProfileString(path, "empty", "Key", "v"));
    EXPECT_EQ(ReadFile(path), "[Empty]\nKey=v\n[System]\nSkin=x\n");
}

TEST_F(IniFileTest, ValuesComeBackAsWritten) {
    for (const std::string value :
         {"", "two words", "\"quoted\"", "a=b;c#d", "-leading", "ünïcödé 音楽", "$(reboot)",
          "C:\\old\\path", "[not a section]"}) {
        ASSERT_TRUE(WriteProfileString(path, "System", "Value", value)) << value;
        EXPECT_EQ(ReadProfileString(path, "System", "Value"), value);
    }
    EXPECT_EQ(ReadFile(path), "[System]\nValue=[not a section]\n");
}

TEST_F(IniFileTest, RefusesTextsThatWouldBreakTheLines) {
    const std::string before = "[System]\nSkin=Default\n";
    WriteFile(path, before);
    EXPECT_FALSE(WriteProfileString(path, "System", "Skin", "a\n[Evil]\nx=1"));
    EXPECT_FALSE(WriteProfileString(path, "System", "Skin", "a\rb"));
    EXPECT_FALSE(WriteProfileString(path, "Sys\ntem", "Skin", "v"));
    EXPECT_FALSE(WriteProfileString(path, "Sys]tem", "Skin", "v"));
    EXPECT_FALSE(WriteProfileString(path, "System", "Sk=in", "v"));
    EXPECT_FALSE(WriteProfileString(path, "System", ";Skin", "v"));
    EXPECT_FALSE(WriteProfileString(path, "System", "", "v"));
    EXPECT_FALSE(WriteProfileString(path, "", "Skin", "v"));
    EXPECT_EQ(ReadFile(path), before);
}

TEST_F(IniFileTest, KeepsPermissionsAndLinks) {
    WriteFile(path, "[System]\nSkin=Default\n");
    chmod(path.c_str(), 0640);
    const std::string link = folder / "link.ini";
    symlink(path.c_str(), link.c_str());
    EXPECT_TRUE(WriteProfileString(link, "System", "Skin", "Other"));
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(ReadFile(path), "[System]\nSkin=Other\n");
    struct stat info;
    ASSERT_EQ(stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0640u);
}

TEST_F(IniFileTest, WriteFailsIntoAMissingFolder) {
    EXPECT_FALSE(WriteProfileString(folder / "missing/Config.ini", "System", "Skin", "x"));
    EXPECT_EQ(FolderNames(folder), std::vector<std::string>{});
}

TEST_F(IniFileTest, WriteFailureInAReadOnlyFolderOrFileLeavesTheOldFile) {
    if (geteuid() == 0) GTEST_SKIP() << "root writes into read-only folders";
    const std::string before = "[System]\nSkin=Default\n";
    WriteFile(path, before);
    chmod(folder.Path().c_str(), 0555);
    EXPECT_FALSE(WriteProfileString(path, "System", "Skin", "Other"));
    chmod(folder.Path().c_str(), 0755);
    EXPECT_EQ(ReadFile(path), before);
    EXPECT_EQ(FolderNames(folder), (std::vector<std::string>{"Config.ini"}));

    chmod(path.c_str(), 0444);  // a read-only file in a writable folder stays as it is
    EXPECT_FALSE(WriteProfileString(path, "System", "Skin", "Other"));
    EXPECT_EQ(ReadFile(path), before);
    EXPECT_EQ(FolderNames(folder), (std::vector<std::string>{"Config.ini"}));
}

// A file size limit makes the writes fail as a full disk would, even for root.
TEST_F(IniFileTest, WriteFailureOnAFullDiskLeavesTheOldFile) {
    const std::string before = "[System]\nSkin=Default\n";
    WriteFile(path, before);
    const pid_t pid = fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
        signal(SIGXFSZ, SIG_IGN);
        rlimit limit{16, 16};
        setrlimit(RLIMIT_FSIZE, &limit);
        const bool written = WriteProfileString(path, "System", "Skin", std::string(100, 'x'));
        _exit(written ? 1 : 0);
    }
    int status = 0;
    ASSERT_EQ(waitpid(pid, &status, 0), pid);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "the write claimed success";
    EXPECT_EQ(ReadFile(path), before);
    EXPECT_EQ(FolderNames(folder), (std::vector<std::string>{"Config.ini"}));
}

TEST_F(IniFileTest, NeverOverwritesAFileItCannotRead) {
    std::filesystem::create_directory(path);  // a folder where the file should be
    EXPECT_FALSE(WriteProfileString(path, "System", "Skin", "x"));
    EXPECT_TRUE(std::filesystem::is_directory(path));
}

}  // namespace
