#include "scribe/scribe.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "common/temp_folder.h"
#include "platform/program_folder.h"

namespace fs = std::filesystem;

namespace {

class ScribeTest : public testing::Test {
protected:
    void SetUp() override { platform::SetProgramFolder(root_.string()); }
    void TearDown() override { platform::SetProgramFolder(""); }

    // Everything logged, over every daily file (a test may run across midnight).
    std::string LogText() const {
        std::vector<fs::path> files;
        for (const auto& e : fs::directory_iterator(root_ / "Scribe")) files.push_back(e.path());
        std::sort(files.begin(), files.end());
        std::string text;
        for (const auto& f : files) {
            EXPECT_EQ(f.extension(), ".log");
            EXPECT_EQ(f.stem().string().size(), 10u) << f;  // YYYY-MM-DD
            text += ReadFile(f);
        }
        return text;
    }
    std::vector<std::string> LogLines() const {
        std::vector<std::string> lines;
        std::istringstream in(LogText());
        for (std::string line; std::getline(in, line);) lines.push_back(line);
        return lines;
    }

    TempFolder folder_;
    const fs::path root_{folder_.PathWithoutSlash()};
};

TEST_F(ScribeTest, AppendsLinesInOrderAndMakesTheFolder) {
    ASSERT_FALSE(fs::exists(root_ / "Scribe"));
    WriteLogLine("Start converting file: [/music/a b.flac]");
    WriteLogLine(nullptr);  // writes nothing
    WriteLogLine("\n\nRun FFmpeg.exe\n");
    WriteLogLine("");
    WriteLogLine("caf\xC3\xA9 100% $HOME \"quoted\"");
    EXPECT_EQ(LogText(),
              "Start converting file: [/music/a b.flac]\n"
              "\n\nRun FFmpeg.exe\n\n"
              "\n"
              "caf\xC3\xA9 100% $HOME \"quoted\"\n");

    // A log folder removed while the program runs comes back.
    fs::remove_all(root_ / "Scribe");
    WriteLogLine("again");
    EXPECT_EQ(LogText(), "again\n");
}

// A long line, recognisable as line `n` of `writer`.
std::string TestLine(const std::string& writer, int n) {
    char head[64];
    std::snprintf(head, sizeof head, "%s %04d ", writer.c_str(), n);
    return head + std::string(300, static_cast<char>('a' + n % 26)) + " end";
}

// Every line whole, and each writer's lines in their own order.
void ExpectWholeLines(const std::vector<std::string>& lines,
                      const std::vector<std::string>& writers, int perWriter) {
    ASSERT_EQ(lines.size(), writers.size() * perWriter);
    for (const auto& writer : writers) {
        int next = 0;
        for (const auto& line : lines) {
            if (line.rfind(writer + " ", 0) != 0) continue;
            ASSERT_EQ(line, TestLine(writer, next)) << writer;
            ++next;
        }
        EXPECT_EQ(next, perWriter) << writer;
    }
}

TEST_F(ScribeTest, TwoThreadsWriteWholeLines) {
    auto writeLines = [](std::string writer) {
        for (int i = 0; i < 1000; ++i) WriteLogLine(TestLine(writer, i).c_str());
    };
    std::thread ui(writeLines, "ui");
    std::thread worker(writeLines, "worker");
    ui.join();
    worker.join();
    ExpectWholeLines(LogLines(), {"ui", "worker"}, 1000);
}

TEST_F(ScribeTest, TwoProcessesWriteWholeLines) {
    pid_t child = fork();
    ASSERT_GE(child, 0);
    for (int i = 0; i < 500; ++i)
        WriteLogLine(TestLine(child == 0 ? "child" : "parent", i).c_str());
    if (child == 0) _exit(0);
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    ExpectWholeLines(LogLines(), {"parent", "child"}, 500);
}

TEST_F(ScribeTest, AnUnwritableLogFolderLosesTheLineOnly) {
    // A regular file where the folder should be: the folder cannot be made, even by root.
    std::ofstream(root_ / "Scribe") << "in the way";
    WriteLogLine("lost");
    std::ifstream in(root_ / "Scribe");
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "in the way");

    // A program folder that does not exist at all.
    platform::SetProgramFolder((root_ / "missing/deeper").string());
    WriteLogLine("lost too");
    EXPECT_FALSE(fs::exists(root_ / "missing"));

    // The log works again once the way is clear.
    platform::SetProgramFolder(root_.string());
    fs::remove(root_ / "Scribe");
    WriteLogLine("back");
    EXPECT_EQ(LogText(), "back\n");
}

TEST_F(ScribeTest, AFullDiskLosesTheLineOnly) {
    // /dev/full fails every write with ENOSPC: make it today's log file.
    if (!fs::exists("/dev/full")) GTEST_SKIP() << "no /dev/full";
    fs::create_directories(root_ / "Scribe");
    WriteLogLine("first");  // makes today's file, whose name we then take over
    std::vector<fs::path> files;
    for (const auto& e : fs::directory_iterator(root_ / "Scribe")) files.push_back(e.path());
    ASSERT_EQ(files.size(), 1u);
    fs::remove(files[0]);
    fs::create_symlink("/dev/full", files[0]);
    WriteLogLine("lost on a full disk");
    SUCCEED();
}

}  // namespace
