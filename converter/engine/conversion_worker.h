#pragma once

// Converts one task of a batch: runs the encoder, turns its time positions into
// progress, honours a stop, and reports the task's status.

#include <cstdint>
#include <string>

#include "converter/engine/conversion_job.h"
#include "converter/engine/conversion_observer.h"
#include "converter/engine/task_status.h"

namespace engine {

struct TaskResult {
    TaskStatus status = TaskStatus::kFailedToStart;
    int exitCode = -1;            // the encoder's exit code; -1 when it did not run or was stopped
    std::string lastEncoderLine;  // the encoder's last output line (its error when it failed)
};

// Converts task job.current (1-based) on the calling thread; the caller owns the
// thread. Calls the observer in this order: ShowFileLabel, ShowProgress zero or
// more times, FileDone when done, ShowNoStreamNotice when the encoder says so
// (waiting for it), and TaskFinished last. Sets the task's outputPath. Polls
// job.stopRequested at least every 100 ms, also while the encoder is silent.
// After every run the encoder and everything it started are ended. A stopped or
// failed task leaves no output file of its own behind; a file that existed
// before the task started is never touched.
TaskResult ConvertTask(ConversionJob& job, ConversionObserver& observer);

struct ProgressFigures {
    std::string timeText;      // "Elapsed time: %s / Remaining time: %s"
    int64_t remainingMs = -1;  // -1 when unknown (clip length 0 or less)
    int filePercent = -1;      // -1 when unknown
    int batchPercent = 0;
};

// The progress of task `current` of `count` at encoder `position` seconds after
// `elapsedMs`: remaining = elapsed * clip / position - elapsed (0 at position 0
// or beyond the clip), file % = position / clip * 100, batch % =
// (file % / 100 + current - 1) * 100 / count; all truncated.
ProgressFigures ComputeProgress(int32_t clipSeconds, double position, uint32_t elapsedMs,
                                int current, int count);

// Computes the figures for the job's current task and hands them to the observer.
void ReportProgress(const ConversionJob& job, double position, uint32_t elapsedMs,
                    ConversionObserver& observer);

}  // namespace engine
