#pragma once

// The state of one batch: the checked tasks, which one is converting, where the
// outputs go and with which profile.

#include <atomic>
#include <string>
#include <vector>

#include "converter/engine/media_record.h"
#include "presetlib/profile_record.h"

namespace engine {

// Threads: filled and steered by the thread that runs the batch (the interface
// thread of the progress window, or the command-line converter's main thread);
// read by one worker at a time. `current` changes only between two workers.
// `stopRequested` may be set from any thread at any time; the worker polls it
// at least every 100 ms.
struct ConversionJob {
    ConversionJob() = default;
    ConversionJob(const ConversionJob&) = delete;
    ConversionJob& operator=(const ConversionJob&) = delete;

    std::vector<CMediaRecord*> tasks;  // not owned; in task-list order
    int current = 0;                   // 1-based task being converted; 0 before the first
    std::string outputFolder;          // may lack its trailing '/'
    ProfileRecord profile{};           // private copy taken when the batch starts
    std::atomic<bool> stopRequested{false};
    bool openOutputFolder = false;  // open the output folder when the batch completes
    std::vector<int> failedTasks;   // 1-based numbers of tasks that ended kEncoderFailed

    // tasks[current - 1]; nullptr when current is out of range.
    CMediaRecord* CurrentTask() const;
};

// Fills a fresh batch: tasks, output folder, a copy of the profile and the
// open-folder choice; current 0, stop cleared, no failures.
void FillConversionJob(ConversionJob& job, std::vector<CMediaRecord*> tasks,
                       const std::string& outputFolder, const ProfileRecord& profile,
                       bool openOutputFolder);

}  // namespace engine
