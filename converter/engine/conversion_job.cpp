#include "converter/engine/conversion_job.h"

#include <utility>

namespace engine {

CMediaRecord* ConversionJob::CurrentTask() const {
    if (current < 1 || current > static_cast<int>(tasks.size())) return nullptr;
    return tasks[current - 1];
}

void FillConversionJob(ConversionJob& job, std::vector<CMediaRecord*> tasks,
                       const std::string& outputFolder, const ProfileRecord& profile,
                       bool openOutputFolder) {
    job.tasks = std::move(tasks);
    job.current = 0;
    job.outputFolder = outputFolder;
    job.profile = profile;
    job.stopRequested = false;
    job.openOutputFolder = openOutputFolder;
    job.failedTasks.clear();
}

}  // namespace engine
