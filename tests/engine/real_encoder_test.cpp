// A few runs of the real encoder (the build's codecs/coder): a tone converts with
// progress, hostile file names convert and run nothing else, the probe reads
// real reports. The broad matrix of profiles runs through the command-line
// converter's tests.

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "converter/engine/batch_road.h"
#include "converter/engine/conversion_worker.h"
#include "converter/engine/media_probe.h"
#include "engine_test_support.h"
#include "platform/program_folder.h"

namespace engine {
namespace {

using enginetest::FileExists;
using enginetest::MakeTone;
using enginetest::RecordingObserver;

class RealEncoderTest : public ::testing::Test {
protected:
    void SetUp() override {
        enginetest::InstallRealCoder(temp_.Path());
        std::filesystem::create_directories(temp_.Path() + "out");
    }
    void TearDown() override { platform::SetProgramFolder(""); }

    TempFolder temp_;
};

TEST_F(RealEncoderTest, ToneConvertsWithProgress) {
    const std::string source = temp_.Path() + "tone.wav";
    ASSERT_TRUE(MakeTone(source, 3));
    const std::string duration = ProbeMedia(source);
    EXPECT_EQ(duration, "00:00:03");
    CMediaRecord task(source, duration);
    ConversionJob job;
    FillConversionJob(job, {&task}, temp_.Path() + "out", enginetest::MakeProfile(), false);
    RecordingObserver observer;
    EXPECT_EQ(RunBatch(job, observer), BatchStep::kCompleted);
    EXPECT_EQ(observer.Statuses(), std::vector<TaskStatus>{TaskStatus::kDone});
    EXPECT_EQ(task.outputPath, temp_.Path() + "out/tone.mp3");
    EXPECT_TRUE(FileExists(task.outputPath));
    const auto progresses = observer.Progresses();
    ASSERT_FALSE(progresses.empty());
    EXPECT_GE(progresses.back().filePercent, 99);
    EXPECT_EQ(ProbeMedia(task.outputPath), "00:00:03");
}

TEST_F(RealEncoderTest, HostileNamesConvertAndRunNothingElse) {
    const std::vector<std::string> names = {"a\"; touch x; \".wav", "$(touch y).wav",
                                            "`touch z`.wav",        "-lead.wav",
                                            "Ünïcødé ☃ 'q'.wav",    "http:odd.wav"};
    std::vector<CMediaRecord> records;
    for (const std::string& name : names) {
        const std::string path = temp_.Path() + name;
        ASSERT_TRUE(MakeTone(path, 1)) << name;
        const std::string duration = ProbeMedia(path);
        EXPECT_EQ(duration, "00:00:01") << name;
        records.emplace_back(path, duration);
    }
    std::vector<CMediaRecord*> tasks;
    for (CMediaRecord& record : records) tasks.push_back(&record);
    ConversionJob job;
    FillConversionJob(job, tasks, temp_.Path() + "out", enginetest::MakeProfile("wav", "wav"),
                      false);
    RecordingObserver observer;
    EXPECT_EQ(RunBatch(job, observer), BatchStep::kCompleted);
    EXPECT_TRUE(job.failedTasks.empty());
    for (const CMediaRecord& record : records) {
        EXPECT_TRUE(FileExists(record.outputPath)) << record.outputPath;
        EXPECT_EQ(record.outputPath, temp_.Path() + "out/" + record.title + ".wav");
    }
    for (const char* marker : {"x", "y", "z", "out/x", "out/y", "out/z"}) {
        EXPECT_FALSE(FileExists(temp_.Path() + marker)) << marker;
    }
}

TEST_F(RealEncoderTest, RelativeNamesWithALeadingDash) {
    char previous[4096];
    ASSERT_NE(getcwd(previous, sizeof previous), nullptr);
    ASSERT_EQ(chdir(temp_.Path().c_str()), 0);
    const bool made = MakeTone(temp_.Path() + "-rel.wav", 1);
    const std::string duration = ProbeMedia("-rel.wav");
    CMediaRecord task("-rel.wav", duration);
    ConversionJob job;
    FillConversionJob(job, {&task}, "-out", enginetest::MakeProfile(), false);
    std::filesystem::create_directories("-out");
    RecordingObserver observer;
    const BatchStep step = RunBatch(job, observer);
    const bool converted = FileExists("-out/-rel.mp3");
    ASSERT_EQ(chdir(previous), 0);
    EXPECT_TRUE(made);
    EXPECT_EQ(duration, "00:00:01");
    EXPECT_EQ(step, BatchStep::kCompleted);
    EXPECT_EQ(observer.Statuses(), std::vector<TaskStatus>{TaskStatus::kDone});
    EXPECT_TRUE(converted);
}

TEST_F(RealEncoderTest, VorbisConverts) {
    const std::string source = temp_.Path() + "tone.wav";
    ASSERT_TRUE(MakeTone(source, 1));
    CMediaRecord task(source, "00:00:01");
    ConversionJob job;
    FillConversionJob(job, {&task}, temp_.Path() + "out", enginetest::MakeProfile("vorbis", "ogg"),
                      false);
    RecordingObserver observer;
    EXPECT_EQ(RunBatch(job, observer), BatchStep::kCompleted);
    EXPECT_EQ(observer.Statuses(), std::vector<TaskStatus>{TaskStatus::kDone});
    EXPECT_TRUE(FileExists(temp_.Path() + "out/tone.ogg"));
}

TEST_F(RealEncoderTest, ProbeErrors) {
    EXPECT_EQ(ProbeMedia(temp_.Path() + "missing.wav"), "no such file or directory");
    WriteFile(temp_.Path() + "junk.wav", std::string(4000, '\x07'));
    EXPECT_EQ(ProbeMedia(temp_.Path() + "junk.wav"), "Unknown format");
}

TEST_F(RealEncoderTest, DamagedInputFailsAndTheBatchGoesOn) {
    WriteFile(temp_.Path() + "junk.wav", std::string(4000, '\x07'));
    const std::string good = temp_.Path() + "good.wav";
    ASSERT_TRUE(MakeTone(good, 1));
    CMediaRecord damaged(temp_.Path() + "junk.wav", "");
    CMediaRecord fine(good, "00:00:01");
    ConversionJob job;
    FillConversionJob(job, {&damaged, &fine}, temp_.Path() + "out", enginetest::MakeProfile(),
                      false);
    RecordingObserver observer;
    EXPECT_EQ(RunBatch(job, observer), BatchStep::kCompleted);
    EXPECT_EQ(job.failedTasks, std::vector<int>{1});
    EXPECT_FALSE(FileExists(temp_.Path() + "out/junk.mp3"));
    EXPECT_TRUE(FileExists(temp_.Path() + "out/good.mp3"));
}

}  // namespace
}  // namespace engine
