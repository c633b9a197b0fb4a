#include "platform/directory.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "common/temp_folder.h"

namespace {

using platform::DirEntry;
using platform::ListDirectory;
using platform::PathExists;

std::vector<std::string> Names(const std::vector<DirEntry>& entries) {
    std::vector<std::string> names;
    for (const DirEntry& entry : entries) names.push_back(entry.name);
    return names;
}

class DirectoryTest : public testing::Test {
protected:
    void SetUp() override {
        for (const char* name : {"beta.dat", "Alpha.DAT", "gamma.xml", "_under.dat", "Zed.dat",
                                 "zed.dat", "noext", "ünï.dat"}) {
            WriteFile(folder / name, "x");
        }
        std::filesystem::create_directory(folder / "Skin One");
        std::filesystem::create_directory(folder / "folder.dat");
        symlink((folder / "Skin One").c_str(), (folder / "linked skin").c_str());
        symlink((folder / "nowhere").c_str(), (folder / "dangling.dat").c_str());
    }
    TempFolder folder;
};

TEST_F(DirectoryTest, MatchesWithoutRegardToCaseInCaseFreeNameOrder) {
    // Upper-cased comparison, as a Windows search orders: '_' comes after the letters.
    EXPECT_EQ(Names(ListDirectory(folder.Path(), "*.dat")),
              (std::vector<std::string>{"Alpha.DAT", "beta.dat", "dangling.dat", "folder.dat",
                                        "Zed.dat", "zed.dat", "_under.dat", "ünï.dat"}));
    EXPECT_EQ(Names(ListDirectory(folder.Path(), "A*.dAt")),
              (std::vector<std::string>{"Alpha.DAT"}));
    EXPECT_EQ(Names(ListDirectory(folder.Path(), "?ed.dat")),
              (std::vector<std::string>{"Zed.dat", "zed.dat"}));
    EXPECT_EQ(Names(ListDirectory(folder.Path(), "???.dat")),
              (std::vector<std::string>{"Zed.dat", "zed.dat", "ünï.dat"}));
    EXPECT_EQ(Names(ListDirectory(folder.Path(), "gamma.xml")),
              (std::vector<std::string>{"gamma.xml"}));
    EXPECT_TRUE(ListDirectory(folder.Path(), "*.wav").empty());
    EXPECT_TRUE(ListDirectory(folder.Path(), "beta").empty());
}

TEST_F(DirectoryTest, StarDotStarListsEverythingButTheDotEntries) {
    const std::vector<DirEntry> all = ListDirectory(folder.Path(), "*.*");
    EXPECT_EQ(Names(all),
              (std::vector<std::string>{"Alpha.DAT", "beta.dat", "dangling.dat", "folder.dat",
                                        "gamma.xml", "linked skin", "noext", "Skin One", "Zed.dat",
                                        "zed.dat", "_under.dat", "ünï.dat"}));
    EXPECT_EQ(Names(ListDirectory(folder.Path(), "*")), Names(all));
}

TEST_F(DirectoryTest, FolderFlagFollowsLinks) {
    std::vector<std::string> folders;
    for (const DirEntry& entry : ListDirectory(folder.Path(), "*")) {
        if (entry.isFolder) folders.push_back(entry.name);
    }
    EXPECT_EQ(folders, (std::vector<std::string>{"folder.dat", "linked skin", "Skin One"}));
}

TEST_F(DirectoryTest, MissingFolderListsNothing) {
    EXPECT_TRUE(ListDirectory(folder / "missing", "*").empty());
    EXPECT_TRUE(ListDirectory(folder / "beta.dat", "*").empty());
}

TEST_F(DirectoryTest, PathExistsForFilesFoldersAndDanglingLinks) {
    EXPECT_TRUE(PathExists(folder / "beta.dat"));
    EXPECT_TRUE(PathExists(folder / "Skin One"));
    EXPECT_TRUE(PathExists(folder / "dangling.dat"));  // writing there would clobber the link
    EXPECT_FALSE(PathExists(folder / "BETA.dat"));
    EXPECT_FALSE(PathExists(folder / "missing"));
    EXPECT_FALSE(PathExists(""));
}

}  // namespace
