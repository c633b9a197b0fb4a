#pragma once

// How a batch goes from task to task; the same road for the progress window
// and the command-line converter.

#include <string>
#include <vector>

#include "converter/engine/conversion_job.h"
#include "converter/engine/conversion_observer.h"
#include "converter/engine/task_status.h"

namespace engine {

enum class BatchStep {
    kConvertNext,    // job.current has moved on: run ConvertTask for it
    kCompleted,      // every task ran; job.failedTasks names those that failed
    kFailedToStart,  // a task ended kFailedToStart: the encoder cannot run; the batch ends
    kStopped,        // the user stopped the batch; the stopped task's output is already deleted
};

// Starts the batch: current 1, stop cleared, no failures. False when there are no tasks.
bool BeginBatch(ConversionJob& job);

// What comes after task job.current ended with `status`. kDone and
// kEncoderFailed go on with the next task (a failure is noted in
// job.failedTasks); after the last task the batch is complete. A stop that
// arrived after a task finished ends the batch before the next task starts.
BatchStep AdvanceBatch(ConversionJob& job, TaskStatus status);

// Runs the whole batch on the calling thread: BeginBatch, then ConvertTask and
// AdvanceBatch until the batch ends. Returns the final step (kCompleted also for
// an empty batch).
BatchStep RunBatch(ConversionJob& job, ConversionObserver& observer);

// The source paths of the tasks in job.failedTasks, in order.
std::vector<std::string> FailedTaskPaths(const ConversionJob& job);

}  // namespace engine
