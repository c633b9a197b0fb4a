#pragma once

#include <cstddef>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "cli/progress_view.h"
#include "converter/engine/batch_road.h"
#include "converter/engine/conversion_job.h"
#include "converter/engine/media_record.h"

namespace cli {

// One file of the command line as a task, with what became of it.
// Threads: the main thread fills and reads it; during its conversion the worker
// writes outputPath (as for any task record).
struct CliTask : engine::CMediaRecord {
    enum class State { kNotStarted, kRejected, kConverted, kFailed, kStopped };

    CliTask(const std::string& path, std::size_t position)
        : engine::CMediaRecord(path, ""), fileIndex(position) {}

    const std::size_t fileIndex;  // its place among the command line's files
    State state = State::kNotStarted;
    std::string detail;  // why it was rejected or failed
};

// The verdict on a task that is about to join the batch.
enum class Admission { kAdmitted, kRejected, kUnknown };

// Converts the tasks one after another in one batch, each through ConvertTask
// on a worker thread of its own as the progress window does, with AdvanceBatch
// between them. Before a task converts, `admit` settles it (probe and checks;
// kUnknown when the probe did not happen because of a stop); rejected tasks
// leave the batch. The job is filled with the tasks, `outputFolder` and
// `profile`. The view shows the progress; in plain mode one line per finished
// task goes to `lines`. `interrupted` tells whether a stop has been asked for.
engine::BatchStep RunBatchSession(const std::vector<CliTask*>& tasks, engine::ConversionJob& job,
                                  const std::string& outputFolder, const ProfileRecord& profile,
                                  const std::function<Admission(CliTask&)>& admit,
                                  const std::function<bool()>& interrupted, ProgressView& view,
                                  std::FILE* lines);

}  // namespace cli
