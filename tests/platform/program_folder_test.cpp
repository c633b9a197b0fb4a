#include "platform/program_folder.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <optional>
#include <string>

#include "common/temp_folder.h"

namespace {

using platform::DocumentsFolder;
using platform::FileNameOf;
using platform::ProgramFolder;
using platform::SetProgramFolder;

TEST(ProgramFolderTest, IsTheFolderOfTheRunningProgram) {
    const std::string folder = ProgramFolder();
    ASSERT_FALSE(folder.empty());
    EXPECT_EQ(folder.back(), '/');
    // Test programs live in tests/ of the build folder.
    EXPECT_EQ(std::filesystem::canonical(folder),
              std::filesystem::canonical(std::string(QUILLON_BUILD_DIR) + "/tests"));
}

TEST(ProgramFolderTest, OverrideAddsTheSlashAndEmptyReturnsToTheProgram) {
    const std::string own = ProgramFolder();
    SetProgramFolder("/some/where");
    EXPECT_EQ(ProgramFolder(), "/some/where/");
    SetProgramFolder("/else/");
    EXPECT_EQ(ProgramFolder(), "/else/");
    SetProgramFolder("");
    EXPECT_EQ(ProgramFolder(), own);
}

TEST(ProgramFolderTest, FileNameIsTheTextAfterTheLastSlash) {
    EXPECT_EQ(FileNameOf("/a/b/song.mp3"), "song.mp3");
    EXPECT_EQ(FileNameOf("song.mp3"), "song.mp3");
    EXPECT_EQ(FileNameOf("/a/b/"), "");
    EXPECT_EQ(FileNameOf("dir\\name.wav"), "dir\\name.wav");
    EXPECT_EQ(FileNameOf(""), "");
}

// Sets an environment variable for one test and puts the old value back.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const char* value) : name_(name) {
        if (const char* old = getenv(name)) old_ = old;
        if (value) {
            setenv(name, value, 1);
        } else {
            unsetenv(name);
        }
    }
    ~ScopedEnv() {
        if (old_) {
            setenv(name_, old_->c_str(), 1);
        } else {
            unsetenv(name_);
        }
    }

private:
    const char* name_;
    std::optional<std::string> old_;
};

TEST(ProgramFolderTest, DocumentsFolderFollowsTheUserDirsSettings) {
    TempFolder home;
    ScopedEnv homeEnv("HOME", (home / "me").c_str());
    ScopedEnv configEnv("XDG_CONFIG_HOME", nullptr);
    ScopedEnv documentsEnv("XDG_DOCUMENTS_DIR", nullptr);

    EXPECT_EQ(DocumentsFolder(), home / "me/Documents/");

    std::filesystem::create_directories(home / "me/.config");
    WriteFile(home / "me/.config/user-dirs.dirs",
              "# written by xdg-user-dirs-update\n"
              "XDG_DESKTOP_DIR=\"$HOME/Desktop\"\n"
              "XDG_DOCUMENTS_DIR=\"$HOME/Meine Dokumente\"\n");
    EXPECT_EQ(DocumentsFolder(), home / "me/Meine Dokumente/");

    // Set to the home folder itself means no documents folder is configured.
    WriteFile(home / "me/.config/user-dirs.dirs", "XDG_DOCUMENTS_DIR=\"$HOME/\"\n");
    EXPECT_EQ(DocumentsFolder(), home / "me/Documents/");

    ScopedEnv fromEnv("XDG_DOCUMENTS_DIR", "/srv/docs");
    EXPECT_EQ(DocumentsFolder(), "/srv/docs/");
}

}  // namespace
