// The worker and the probe against a stand-in encoder: a shell script placed as
// codecs/coder of a temporary program folder. It shows on demand what the real
// encoder does only now and then: silence, a line split across two writes, a
// failure, a hang, a missing stream.

#include <gtest/gtest.h>
#include <signal.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <thread>

#include "converter/engine/batch_road.h"
#include "converter/engine/conversion_worker.h"
#include "converter/engine/media_probe.h"
#include "engine_test_support.h"
#include "platform/program_folder.h"

namespace engine {
namespace {

using enginetest::FileExists;
using enginetest::InstallFakeCoder;
using enginetest::ReadLog;
using enginetest::RecordingObserver;

// Script lines: `out` is the last argument (the output path), every argument is
// written to args.txt one per line.
std::string Script(const std::string& folder, const std::string& body) {
    return "for a; do out=$a; done\n"
           "for a; do printf '%s\\n' \"$a\"; done > '" +
           folder + "args.txt'\n" + body;
}

// True when no process of that id runs any more (a zombie waiting for its
// reaper counts as ended). Gives the system up to 10 s to clear it away.
bool ProcessGone(pid_t pid) {
    for (int i = 0; i < 1000; ++i) {
        if (kill(pid, 0) != 0) return true;
        const std::string stat = ReadFile("/proc/" + std::to_string(pid) + "/stat");
        const std::size_t close = stat.rfind(')');
        if (close != std::string::npos && close + 2 < stat.size() && stat[close + 2] == 'Z') {
            return true;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return false;
}

class FakeEncoderTest : public ::testing::Test {
protected:
    void SetUp() override {
        outputFolder_ = temp_.Path() + "out";
        std::filesystem::create_directories(outputFolder_);
        source_.sourcePath = temp_.Path() + "in/a.wav";
        source_.title = "a";
        FillConversionJob(job_, {&source_}, outputFolder_, enginetest::MakeProfile(), false);
        job_.current = 1;
    }
    void TearDown() override { platform::SetProgramFolder(""); }

    void Coder(const std::string& body) {
        InstallFakeCoder(temp_.Path(), Script(temp_.Path(), body));
    }
    std::string Output() const { return outputFolder_ + "/a.mp3"; }
    std::vector<std::string> Args() const {
        std::vector<std::string> args;
        std::ifstream in(temp_.Path() + "args.txt");
        for (std::string line; std::getline(in, line);) args.push_back(line);
        return args;
    }

    TempFolder temp_;
    std::string outputFolder_;
    CMediaRecord source_{"", "00:00:04"};
    ConversionJob job_;
    RecordingObserver observer_;
};

TEST_F(FakeEncoderTest, SilenceThenProgressThenDone) {
    Coder(
        "sleep 0.3\n"
        "printf 'Input #0, wav\\n  Duration: 00:00:04.00, bitrate: 1 kb/s\\n'\n"
        "printf 'size=       1kB time=00:00:01.00 bitrate=  1.0kbits/s speed=1x    \\r'\n"
        "sleep 0.3\n"
        "printf 'size=       2kB time=00:00:02.00 bitrate=  1.0kbits/s speed=1x    \\r'\n"
        "printf 'size=N/A time=N/A bitrate=N/A speed=N/A\\r'\n"
        "echo data > \"$out\"\n"
        "printf 'size=       4kB time=00:00:04.00 bitrate=  1.0kbits/s speed=1x    \\r\\n'\n");
    const TaskResult result = ConvertTask(job_, observer_);
    EXPECT_EQ(result.status, TaskStatus::kDone);
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(source_.outputPath, Output());
    EXPECT_EQ(ReadFile(Output()), "data\n");

    const auto calls = observer_.Calls();
    ASSERT_GE(calls.size(), 4u);
    EXPECT_EQ(calls.front(), "label");
    EXPECT_EQ(calls[calls.size() - 2], "done");
    EXPECT_EQ(calls.back(), "finished");
    EXPECT_EQ(observer_.Statuses(), std::vector<TaskStatus>{TaskStatus::kDone});
    ASSERT_EQ(observer_.Labels().size(), 1u);
    EXPECT_TRUE(observer_.Labels()[0].ends_with(" a.mp3")) << observer_.Labels()[0];
    // Updates may be merged, but they only go forward and the last position is never lost.
    const auto progresses = observer_.Progresses();
    ASSERT_FALSE(progresses.empty());
    for (std::size_t i = 1; i < progresses.size(); ++i) {
        EXPECT_GT(progresses[i].filePercent, progresses[i - 1].filePercent);
    }
    EXPECT_EQ(progresses.back().filePercent, 100);
    EXPECT_EQ(progresses.back().batchPercent, 100);

    const std::vector<std::string> args = {
        "-n", "-i",  source_.sourcePath, "-vn",   "-ar", "44100", "-ac",
        "2",  "-ab", "128000",           Output()};
    EXPECT_EQ(Args(), args);

    const std::string log = ReadLog(temp_.Path());
    EXPECT_NE(log.find("Start converting file: [" + source_.sourcePath + "]\n"), std::string::npos);
    EXPECT_NE(log.find("\n\nRun FFmpeg\n\n\"" + temp_.Path() + "codecs/coder\" -i \"" +
                       source_.sourcePath + "\" -vn -ar 44100"),
              std::string::npos);
    EXPECT_NE(log.find("Complete converting file: [" + source_.sourcePath +
                       "], Status = 1, Conversion Time = 00:00:0"),
              std::string::npos);
}

TEST_F(FakeEncoderTest, TimeFieldSplitAcrossTwoWritesIsRead) {
    Coder(
        "printf 'size=       3kB ti'\n"
        "sleep 0.3\n"
        "printf 'me=00:00:03.00 bitrate=  1.0kbits/s speed=1x    \\r'\n"
        "sleep 0.3\n"
        "echo data > \"$out\"\n");
    EXPECT_EQ(ConvertTask(job_, observer_).status, TaskStatus::kDone);
    const auto progresses = observer_.Progresses();
    ASSERT_EQ(progresses.size(), 1u);
    EXPECT_EQ(progresses[0].filePercent, 75);
}

TEST_F(FakeEncoderTest, FailingEncoderIsNotDoneAndLeavesNoPartialOutput) {
    Coder(
        "echo partial > \"$out\"\n"
        "echo 'a.wav: Invalid data found when processing input'\n"
        "echo 'Conversion failed!'\n"
        "exit 1\n");
    const TaskResult result = ConvertTask(job_, observer_);
    EXPECT_EQ(result.status, TaskStatus::kEncoderFailed);
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.lastEncoderLine, "a.wav: Invalid data found when processing input");
    EXPECT_FALSE(FileExists(Output()));
    EXPECT_EQ(observer_.Calls(), (std::vector<std::string>{"label", "finished"}));
    EXPECT_EQ(observer_.Statuses(), std::vector<TaskStatus>{TaskStatus::kEncoderFailed});
    const std::string log = ReadLog(temp_.Path());
    EXPECT_NE(log.find("Status = 3, Conversion Time = "), std::string::npos);
    EXPECT_NE(log.find("Encoder failed: exit code = 1, a.wav: Invalid data"), std::string::npos);
}

TEST_F(FakeEncoderTest, SuccessWithoutOutputFileIsAFailure) {
    Coder("exit 0\n");
    EXPECT_EQ(ConvertTask(job_, observer_).status, TaskStatus::kEncoderFailed);
}

TEST_F(FakeEncoderTest, StopEndsASilentEncoderAndEverythingItStarted) {
    const std::string pids = temp_.Path() + "pids";
    Coder(
        "echo partial > \"$out\"\n"
        "sleep 60 &\n"
        "echo $$ $! > '" +
        pids + ".tmp'; mv '" + pids + ".tmp' '" + pids +
        "'\n"
        "wait\n");
    TaskResult result;
    std::thread worker([&] { result = ConvertTask(job_, observer_); });
    for (int i = 0; i < 2000 && !FileExists(pids); ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    ASSERT_TRUE(FileExists(pids));
    job_.stopRequested = true;
    worker.join();

    EXPECT_EQ(result.status, TaskStatus::kStopped);
    EXPECT_EQ(observer_.Statuses(), std::vector<TaskStatus>{TaskStatus::kStopped});
    EXPECT_FALSE(FileExists(Output()));
    pid_t shell = 0, sleeper = 0;
    std::ifstream(pids) >> shell >> sleeper;
    ASSERT_GT(shell, 0);
    ASSERT_GT(sleeper, 0);
    EXPECT_TRUE(ProcessGone(shell));
    EXPECT_TRUE(ProcessGone(sleeper));
    EXPECT_NE(ReadLog(temp_.Path()).find("Status = 2"), std::string::npos);
}

// Creates a file at the output path just before the encoder starts, as another
// program might.
class IntruderObserver : public RecordingObserver {
public:
    explicit IntruderObserver(std::string path) : path_(std::move(path)) {}
    void ShowFileLabel(const std::string& label) override {
        WriteFile(path_, "not yours");
        RecordingObserver::ShowFileLabel(label);
    }

private:
    std::string path_;
};

TEST_F(FakeEncoderTest, FileThatAppearedBeforeTheStartIsNeverTouched) {
    // An encoder that would overwrite in spite of "-n", and one that obeys it.
    for (const char* body :
         {"echo data > \"$out\"\n", "echo \"File '$out' already exists. Exiting.\"\nexit 1\n"}) {
        Coder(body);
        IntruderObserver observer(Output());
        EXPECT_EQ(ConvertTask(job_, observer).status, TaskStatus::kEncoderFailed) << body;
        EXPECT_TRUE(FileExists(Output())) << body;
        std::remove(Output().c_str());
    }
}

TEST_F(FakeEncoderTest, NoStreamNoticeWaitsForTheUser) {
    Coder(
        "echo 'Output #0, mp3, to '\"'$out'\"':'\n"
        "echo 'Output file #0 does not contain any stream'\n"
        "exit 1\n");
    EXPECT_EQ(ConvertTask(job_, observer_).status, TaskStatus::kEncoderFailed);
    EXPECT_EQ(observer_.Notices(),
              std::vector<std::string>{"Notic: The input media does not contain audio stream!"});
    EXPECT_EQ(observer_.Calls(), (std::vector<std::string>{"label", "notice", "finished"}));
}

TEST_F(FakeEncoderTest, MissingEncoderFailsToStart) {
    platform::SetProgramFolder(temp_.Path());  // no codecs/coder there
    const TaskResult result = ConvertTask(job_, observer_);
    EXPECT_EQ(result.status, TaskStatus::kFailedToStart);
    EXPECT_EQ(observer_.Calls(), (std::vector<std::string>{"label", "finished"}));
    EXPECT_NE(ReadLog(temp_.Path()).find("Cannot start the encoder: "), std::string::npos);
}

TEST_F(FakeEncoderTest, ProfileThatIsNotAudioRunsNothing) {
    Coder("echo data > \"$out\"\n");
    enginetest::SetField(job_.profile.mediaType, "video");
    EXPECT_EQ(ConvertTask(job_, observer_).status, TaskStatus::kEncoderFailed);
    EXPECT_FALSE(FileExists(temp_.Path() + "args.txt"));
    EXPECT_FALSE(FileExists(Output()));
}

TEST_F(FakeEncoderTest, M4rOutputTakesItsNameWithoutReplacingAnything) {
    Coder("echo data > \"$out\"\n");
    job_.profile = enginetest::MakeProfile("aac", "m4r");
    EXPECT_EQ(ConvertTask(job_, observer_).status, TaskStatus::kDone);
    EXPECT_EQ(source_.outputPath, outputFolder_ + "/a.m4r");
    EXPECT_TRUE(FileExists(outputFolder_ + "/a.m4r"));
    EXPECT_FALSE(FileExists(outputFolder_ + "/a.m4a"));

    // The .m4r name taken between the start and the end: the next free one is used.
    std::remove((outputFolder_ + "/a.m4r").c_str());
    IntruderObserver observer(outputFolder_ + "/a.m4r");
    EXPECT_EQ(ConvertTask(job_, observer).status, TaskStatus::kDone);
    EXPECT_EQ(source_.outputPath, outputFolder_ + "/a(1).m4r");
    EXPECT_EQ(ReadFile(outputFolder_ + "/a.m4r"), "not yours");
    EXPECT_EQ(ReadFile(outputFolder_ + "/a(1).m4r"), "data\n");
}

TEST_F(FakeEncoderTest, BatchGoesOnAfterAFailureAndNamesIt) {
    Coder(
        "case \"$3\" in *bad*) echo 'damaged'; exit 1;; esac\n"
        "echo data > \"$out\"\n");
    CMediaRecord good1(temp_.Path() + "in/one.wav", "00:00:04");
    CMediaRecord bad(temp_.Path() + "in/bad.wav", "00:00:04");
    CMediaRecord good2(temp_.Path() + "in/two.wav", "00:00:04");
    FillConversionJob(job_, {&good1, &bad, &good2}, outputFolder_, enginetest::MakeProfile(),
                      false);
    EXPECT_EQ(RunBatch(job_, observer_), BatchStep::kCompleted);
    EXPECT_EQ(observer_.Statuses(),
              (std::vector<TaskStatus>{TaskStatus::kDone, TaskStatus::kEncoderFailed,
                                       TaskStatus::kDone}));
    EXPECT_EQ(FailedTaskPaths(job_), std::vector<std::string>{bad.sourcePath});
    EXPECT_TRUE(FileExists(outputFolder_ + "/one.mp3"));
    EXPECT_FALSE(FileExists(outputFolder_ + "/bad.mp3"));
    EXPECT_TRUE(FileExists(outputFolder_ + "/two.mp3"));
}

TEST_F(FakeEncoderTest, BatchEndsWhenTheEncoderCannotStart) {
    platform::SetProgramFolder(temp_.Path());
    CMediaRecord second(temp_.Path() + "in/b.wav", "00:00:04");
    FillConversionJob(job_, {&source_, &second}, outputFolder_, enginetest::MakeProfile(), false);
    EXPECT_EQ(RunBatch(job_, observer_), BatchStep::kFailedToStart);
    EXPECT_EQ(observer_.Statuses(), std::vector<TaskStatus>{TaskStatus::kFailedToStart});
}

TEST_F(FakeEncoderTest, ProbeReadsAReportWrittenInPieces) {
    Coder(
        "printf 'Input #0, wav, from x:\\n  Dura'\n"
        "sleep 0.3\n"
        "printf 'tion: 00:03:25.47, start: 0.000000, bitrate: 1411 kb/s\\n'\n"
        "sleep 60\n");  // the probe does not wait for the encoder to end
    EXPECT_EQ(ProbeMedia("-odd name.wav"), "00:03:25");
    EXPECT_EQ(Args(), (std::vector<std::string>{"-i", "file:-odd name.wav"}));
}

TEST_F(FakeEncoderTest, ProbeWithoutEncoderGivesEmptyText) {
    platform::SetProgramFolder(temp_.Path());
    EXPECT_EQ(ProbeMedia("/x.wav"), "");
}

}  // namespace
}  // namespace engine
