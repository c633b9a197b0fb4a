#include "platform/child_process.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "common/temp_folder.h"

namespace {

using platform::ChildProcess;

// Guards against a hang only; a run that needs this long has failed anyway.
constexpr int kGuardMs = 20000;

std::string ReadToEnd(ChildProcess& child) {
    std::string output;
    char buffer[4096];
    for (;;) {
        long got = child.Read(buffer, sizeof buffer, kGuardMs);
        if (got == ChildProcess::kTimeout) {
            ADD_FAILURE() << "the child's output did not end";
            return output;
        }
        if (got <= 0) return output;
        output.append(buffer, static_cast<std::size_t>(got));
    }
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream stream(text);
    for (std::string line; std::getline(stream, line);) lines.push_back(line);
    return lines;
}

// Gone, or at most a zombie waiting for a reaper that is not us.
bool ProcessEnded(pid_t pid) {
    if (kill(pid, 0) != 0 && errno == ESRCH) return true;
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string all((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
    std::size_t close = all.rfind(')');
    return close != std::string::npos && close + 2 < all.size() && all[close + 2] == 'Z';
}

TEST(ChildProcessTest, MergesStandardOutputAndStandardError) {
    ChildProcess child;
    ASSERT_TRUE(child.Start("/bin/sh", {"-c", "echo to-out; echo to-err >&2; echo again"}));
    EXPECT_EQ(ReadToEnd(child), "to-out\nto-err\nagain\n");
    EXPECT_EQ(child.Wait(), 0);
}

TEST(ChildProcessTest, ReportsExitCodesAndSignals) {
    struct Case {
        const char* script;
        int expected;
    };
    for (const Case& c : {Case{"exit 0", 0}, Case{"exit 3", 3}, Case{"exit 255", 255},
                          Case{"kill -TERM $$", 128 + SIGTERM}}) {
        ChildProcess child;
        ASSERT_TRUE(child.Start("/bin/sh", {"-c", c.script}));
        ReadToEnd(child);
        EXPECT_EQ(child.Wait(), c.expected) << c.script;
        EXPECT_EQ(child.TryWait(), c.expected) << c.script;
    }
}

TEST(ChildProcessTest, StartFailsWhenTheProgramCannotRun) {
    TempFolder folder;
    const std::string notExecutable = folder / "plain.txt";
    WriteFile(notExecutable, "#!/bin/sh\necho should not run\n");
    chmod(notExecutable.c_str(), 0644);
    for (const std::string& program :
         {folder / "missing", notExecutable, std::string("quillon-no-such-program-xyz"),
          folder.Path(), std::string()}) {
        ChildProcess child;
        std::string error;
        EXPECT_FALSE(child.Start(program, {"arg"}, &error)) << program;
        EXPECT_FALSE(error.empty()) << program;
        EXPECT_FALSE(child.Started());
        EXPECT_EQ(child.Wait(), -1);
        EXPECT_EQ(child.Read(nullptr, 0), -1);
        EXPECT_FALSE(child.WriteInput("x"));
    }
}

TEST(ChildProcessTest, ArgumentsArriveUnchanged) {
    const std::vector<std::string> args = {"two words", "quote\"inside",
                                           "'single'",  "$(touch /tmp/quillon-pwned)",
                                           "`id`",      "-n",
                                           "--",        "semi;colon|&",
                                           "*",         "back\\slash",
                                           "",          "ünïcödé 音楽",
                                           "tab\there", "new\nline",
                                           "%s"};
    std::vector<std::string> printfArgs = {"%s\\n"};
    printfArgs.insert(printfArgs.end(), args.begin(), args.end());
    std::string expected;
    for (const std::string& arg : args) expected += arg + "\n";

    ChildProcess child;  // a bare name is looked up in PATH
    ASSERT_TRUE(child.Start("printf", printfArgs));
    EXPECT_EQ(ReadToEnd(child), expected);
    EXPECT_EQ(child.Wait(), 0);
}

TEST(ChildProcessTest, TerminateEndsTheChildAndWhatItStarted) {
    ChildProcess child;
    ASSERT_TRUE(child.Start("/bin/sh", {"-c", "sleep 100 & echo $!; wait"}));
    std::string firstLine;
    char c;
    while (child.Read(&c, 1, kGuardMs) == 1 && c != '\n') firstLine += c;
    const pid_t grandchild = static_cast<pid_t>(std::stol(firstLine));
    ASSERT_GT(grandchild, 0);

    child.Terminate();
    // The grandchild holds the output pipe too: the end of output means it is gone.
    EXPECT_EQ(ReadToEnd(child), "");
    EXPECT_EQ(child.Wait(), 128 + SIGKILL);
    // Its descriptors close a moment before it is marked as ended.
    for (int waited = 0; !ProcessEnded(grandchild) && waited < kGuardMs; ++waited) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    EXPECT_TRUE(ProcessEnded(grandchild));
}

TEST(ChildProcessTest, TerminateIsSafeBeforeStartAndAfterExit) {
    ChildProcess never;
    never.Terminate();
    EXPECT_EQ(never.Wait(), -1);
    EXPECT_FALSE(never.TryWait().has_value());

    ChildProcess child;
    ASSERT_TRUE(child.Start("/bin/sh", {"-c", "exit 7"}));
    EXPECT_EQ(child.Wait(), 7);
    child.Terminate();
    child.Terminate();
    EXPECT_EQ(child.Wait(), 7);
    EXPECT_EQ(child.TryWait(), 7);
}

TEST(ChildProcessTest, ReadTimesOutThenSeesTheEndAfterTerminate) {
    ChildProcess child;
    ASSERT_TRUE(child.Start("/bin/sleep", {"100"}));
    char buffer[16];
    EXPECT_EQ(child.Read(buffer, sizeof buffer, 50), ChildProcess::kTimeout);
    EXPECT_EQ(child.Read(buffer, sizeof buffer, 0), ChildProcess::kTimeout);
    EXPECT_FALSE(child.TryWait().has_value());
    child.Terminate();
    EXPECT_EQ(child.Read(buffer, sizeof buffer, kGuardMs), 0);
    EXPECT_EQ(child.Wait(), 128 + SIGKILL);
}

TEST(ChildProcessTest, PeekCountsWaitingBytesWithoutTakingThem) {
    ChildProcess child;
    ASSERT_TRUE(child.Start("/bin/sh", {"-c", "printf abcdef; read line; printf '%s' \"$line\""}));
    EXPECT_GE(child.Peek(), 0);
    char buffer[16];
    // Wait for the output to arrive, then see it is all still there.
    ASSERT_EQ(child.Read(buffer, 1, kGuardMs), 1);
    while (child.Peek() < 5) std::this_thread::sleep_for(std::chrono::milliseconds(5));
    EXPECT_EQ(child.Peek(), 5);
    EXPECT_EQ(child.Read(buffer, sizeof buffer, kGuardMs), 5);
    EXPECT_EQ(std::string(buffer, 5), "bcdef");
    EXPECT_EQ(child.Peek(), 0);

    ASSERT_TRUE(child.WriteInput("reply\n"));
    EXPECT_EQ(ReadToEnd(child), "reply");
    EXPECT_EQ(child.Wait(), 0);
}

TEST(ChildProcessTest, WritesToStandardInput) {
    ChildProcess child;
    ASSERT_TRUE(child.Start("cat", {}));
    std::string big(200000, 'x');  // more than a pipe holds: cat must be read meanwhile
    std::string output;
    std::thread reader([&] { output = ReadToEnd(child); });
    EXPECT_TRUE(child.WriteInput("hello\n"));
    EXPECT_TRUE(child.WriteInput(big));
    child.CloseInput();
    EXPECT_FALSE(child.WriteInput("after close"));
    reader.join();
    EXPECT_EQ(output, "hello\n" + big);
    EXPECT_EQ(child.Wait(), 0);
}

TEST(ChildProcessTest, WritingToAChildThatQuitReadingFailsQuietly) {
    ChildProcess child;
    ASSERT_TRUE(child.Start("/bin/true", {}));
    EXPECT_EQ(child.Wait(), 0);
    // SIGPIPE would end this test program; the write must just report failure.
    EXPECT_FALSE(child.WriteInput("nobody reads this\n"));
    EXPECT_FALSE(child.WriteInput("nor this\n"));
}

TEST(ChildProcessTest, NoDescriptorLeaksIntoTheChild) {
    // Opened without close-on-exec, as code elsewhere in the program might.
    const int stray = open("/dev/null", O_RDONLY);
    ASSERT_GE(stray, 0);
    ChildProcess child;
    ASSERT_TRUE(child.Start("/bin/ls", {"/proc/self/fd"}));
    std::vector<std::string> fds = Lines(ReadToEnd(child));
    close(stray);
    EXPECT_EQ(child.Wait(), 0);
    // 0, 1, 2 and the one ls opened to list the folder.
    std::sort(fds.begin(), fds.end());
    EXPECT_EQ(fds, (std::vector<std::string>{"0", "1", "2", "3"}));
}

TEST(ChildProcessTest, ReadAndTerminateFromDifferentThreads) {
    ChildProcess child;
    ASSERT_TRUE(child.Start("yes", {"output"}));
    std::atomic<std::size_t> total{0};
    std::thread reader([&] {
        char buffer[4096];
        for (long got; (got = child.Read(buffer, sizeof buffer, kGuardMs)) > 0;) {
            total += static_cast<std::size_t>(got);
        }
    });
    while (total == 0) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    child.Terminate();
    reader.join();  // the reader runs on to the end of the output
    EXPECT_EQ(child.Wait(), 128 + SIGKILL);
}

TEST(ChildProcessTest, TerminateWhileAnotherThreadWaits) {
    ChildProcess child;
    ASSERT_TRUE(child.Start("/bin/sleep", {"100"}));
    std::atomic<int> code{-1};
    std::thread waiter([&] { code = child.Wait(); });
    std::this_thread::sleep_for(std::chrono::milliseconds(20));  // let it block in Wait()
    child.Terminate();
    waiter.join();
    EXPECT_EQ(code, 128 + SIGKILL);
}

TEST(ChildProcessTest, DestructorEndsAndReapsTheChild) {
    pid_t pid = -1;
    {
        ChildProcess child;
        ASSERT_TRUE(child.Start("/bin/sleep", {"100"}));
        pid = child.Pid();
    }
    // Reaped by us, so not even a zombie is left.
    EXPECT_NE(kill(pid, 0), 0);
    EXPECT_EQ(errno, ESRCH);
}

TEST(ChildProcessTest, StartsOnlyOnce) {
    ChildProcess child;
    ASSERT_TRUE(child.Start("/bin/true", {}));
    std::string error;
    EXPECT_FALSE(child.Start("/bin/true", {}, &error));
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(child.Wait(), 0);
}

}  // namespace
