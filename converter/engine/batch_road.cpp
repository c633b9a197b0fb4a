#include "converter/engine/batch_road.h"

#include "converter/engine/conversion_worker.h"

namespace engine {

bool BeginBatch(ConversionJob& job) {
    job.failedTasks.clear();
    job.stopRequested = false;
    if (job.tasks.empty()) {
        job.current = 0;
        return false;
    }
    job.current = 1;
    return true;
}

BatchStep AdvanceBatch(ConversionJob& job, TaskStatus status) {
    switch (status) {
        case TaskStatus::kFailedToStart:
            return BatchStep::kFailedToStart;
        case TaskStatus::kStopped:
            return BatchStep::kStopped;
        case TaskStatus::kEncoderFailed:
            job.failedTasks.push_back(job.current);
            break;
        case TaskStatus::kDone:
            break;
    }
    if (job.current >= static_cast<int>(job.tasks.size())) return BatchStep::kCompleted;
    // The stop came when the task had already finished: start nothing more.
    if (job.stopRequested) return BatchStep::kStopped;
    ++job.current;
    return BatchStep::kConvertNext;
}

BatchStep RunBatch(ConversionJob& job, ConversionObserver& observer) {
    if (!BeginBatch(job)) return BatchStep::kCompleted;
    for (;;) {
        const TaskResult result = ConvertTask(job, observer);
        const BatchStep step = AdvanceBatch(job, result.status);
        if (step != BatchStep::kConvertNext) return step;
    }
}

std::vector<std::string> FailedTaskPaths(const ConversionJob& job) {
    std::vector<std::string> paths;
    for (int number : job.failedTasks) {
        if (number >= 1 && number <= static_cast<int>(job.tasks.size())) {
            paths.push_back(job.tasks[number - 1]->sourcePath);
        }
    }
    return paths;
}

}  // namespace engine
