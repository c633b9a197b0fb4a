// Progress figures from a time position, and the road from task to task.

#include <gtest/gtest.h>

#include "converter/engine/batch_road.h"
#include "converter/engine/conversion_worker.h"
#include "engine_test_support.h"

namespace engine {
namespace {

TEST(ComputeProgressTest, Figures) {
    const struct {
        int32_t clip;
        double position;
        uint32_t elapsed;
        int current, count;
        const char* timeText;
        int64_t remaining;
        int file, batch;
    } cases[] = {
        {100, 25, 10000, 1, 4, "Elapsed time: 00:00:10 / Remaining time: 00:00:30", 30000, 25, 6},
        {100, 25, 10000, 2, 4, "Elapsed time: 00:00:10 / Remaining time: 00:00:30", 30000, 25, 31},
        {100, 0, 10000, 1, 1, "Elapsed time: 00:00:10 / Remaining time: 00:00:00", 0, 0, 0},
        // A little beyond the clip: the file figure passes 100, nothing is left.
        {100, 102.5, 40000, 1, 1, "Elapsed time: 00:00:40 / Remaining time: 00:00:00", 0, 102, 102},
        {100, 100, 40000, 3, 3, "Elapsed time: 00:00:40 / Remaining time: 00:00:00", 0, 100, 100},
        // The encoder's first position can be a little below zero.
        {100, -0.02, 50, 1, 2, "Elapsed time: 00:00:00 / Remaining time: 00:00:00", 0, 0, 0},
        // Unknown or empty clip length: no percentage and no remaining time.
        {0, 12.5, 5000, 2, 4, "Elapsed time: 00:00:05 / Remaining time: --:--:--", -1, -1, 25},
        {-145, 12.5, 5000, 1, 1, "Elapsed time: 00:00:05 / Remaining time: --:--:--", -1, -1, 0},
    };
    for (const auto& c : cases) {
        const ProgressFigures figures =
            ComputeProgress(c.clip, c.position, c.elapsed, c.current, c.count);
        EXPECT_EQ(figures.timeText, c.timeText) << c.clip << " " << c.position;
        EXPECT_EQ(figures.remainingMs, c.remaining) << c.clip << " " << c.position;
        EXPECT_EQ(figures.filePercent, c.file) << c.clip << " " << c.position;
        EXPECT_EQ(figures.batchPercent, c.batch) << c.clip << " " << c.position;
    }
}

TEST(ReportProgressTest, UsesTheCurrentTasksClip) {
    CMediaRecord first("/a.wav", "00:01:40");
    CMediaRecord second("/b.wav", "00:10:00");
    second.trimEnd = "00:01:40";  // clip 100 s
    ConversionJob job;
    FillConversionJob(job, {&first, &second}, "/out", enginetest::MakeProfile(), false);
    job.current = 2;
    enginetest::RecordingObserver observer;
    ReportProgress(job, 25, 10000, observer);
    const auto progresses = observer.Progresses();
    ASSERT_EQ(progresses.size(), 1u);
    EXPECT_EQ(progresses[0].timeText, "Elapsed time: 00:00:10 / Remaining time: 00:00:30");
    EXPECT_EQ(progresses[0].filePercent, 25);
    EXPECT_EQ(progresses[0].batchPercent, 62);
}

class BatchRoadTest : public ::testing::Test {
protected:
    void SetUp() override {
        FillConversionJob(job_, {&a_, &b_, &c_}, "/out", enginetest::MakeProfile(), true);
    }
    CMediaRecord a_{"/m/a.wav", "00:00:05"};
    CMediaRecord b_{"/m/b.wav", "00:00:05"};
    CMediaRecord c_{"/m/c.wav", "00:00:05"};
    ConversionJob job_;
};

TEST_F(BatchRoadTest, FillStartsFresh) {
    job_.current = 2;
    job_.stopRequested = true;
    job_.failedTasks = {1};
    FillConversionJob(job_, {&a_}, "/elsewhere", enginetest::MakeProfile("vorbis", "ogg"), false);
    EXPECT_EQ(job_.tasks.size(), 1u);
    EXPECT_EQ(job_.current, 0);
    EXPECT_EQ(job_.CurrentTask(), nullptr);
    EXPECT_FALSE(job_.stopRequested);
    EXPECT_TRUE(job_.failedTasks.empty());
    EXPECT_EQ(job_.outputFolder, "/elsewhere");
    EXPECT_STREQ(job_.profile.format, "ogg");
    EXPECT_FALSE(job_.openOutputFolder);
}

TEST_F(BatchRoadTest, DoneAndFailedTasksGoOnToTheEnd) {
    job_.stopRequested = true;  // left from an earlier batch
    ASSERT_TRUE(BeginBatch(job_));
    EXPECT_EQ(job_.current, 1);
    EXPECT_FALSE(job_.stopRequested);
    EXPECT_EQ(job_.CurrentTask(), &a_);
    EXPECT_EQ(AdvanceBatch(job_, TaskStatus::kEncoderFailed), BatchStep::kConvertNext);
    EXPECT_EQ(job_.current, 2);
    EXPECT_EQ(AdvanceBatch(job_, TaskStatus::kDone), BatchStep::kConvertNext);
    EXPECT_EQ(AdvanceBatch(job_, TaskStatus::kEncoderFailed), BatchStep::kCompleted);
    EXPECT_EQ(job_.current, 3);
    EXPECT_EQ(job_.failedTasks, (std::vector<int>{1, 3}));
    EXPECT_EQ(FailedTaskPaths(job_), (std::vector<std::string>{"/m/a.wav", "/m/c.wav"}));
}

TEST_F(BatchRoadTest, StartFailureAndStopEndTheBatch) {
    ASSERT_TRUE(BeginBatch(job_));
    EXPECT_EQ(AdvanceBatch(job_, TaskStatus::kFailedToStart), BatchStep::kFailedToStart);
    EXPECT_EQ(job_.current, 1);
    ASSERT_TRUE(BeginBatch(job_));
    EXPECT_EQ(AdvanceBatch(job_, TaskStatus::kStopped), BatchStep::kStopped);
}

TEST_F(BatchRoadTest, StopAfterATaskFinishedStartsNothingMore) {
    ASSERT_TRUE(BeginBatch(job_));
    job_.stopRequested = true;
    EXPECT_EQ(AdvanceBatch(job_, TaskStatus::kDone), BatchStep::kStopped);
    EXPECT_EQ(job_.current, 1);
    // On the last task a late stop changes nothing: the batch is complete.
    job_.current = 3;
    EXPECT_EQ(AdvanceBatch(job_, TaskStatus::kDone), BatchStep::kCompleted);
}

TEST_F(BatchRoadTest, EmptyBatchDoesNotBegin) {
    ConversionJob empty;
    EXPECT_FALSE(BeginBatch(empty));
    enginetest::RecordingObserver observer;
    EXPECT_EQ(RunBatch(empty, observer), BatchStep::kCompleted);
    EXPECT_TRUE(observer.Calls().empty());
}

}  // namespace
}  // namespace engine
