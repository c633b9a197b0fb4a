#pragma once

// What the conversion worker tells the one who shows the batch (the progress
// window, the command-line converter).

#include <string>

#include "converter/engine/task_status.h"

namespace engine {

// Threads: every call comes from the worker thread (the thread that runs
// ConvertTask). The first four are synchronous hand-offs: the worker goes on
// when the call returns, so an implementation on another thread must block
// until it has applied the value (Qt: a blocking queued call).
class ConversionObserver {
public:
    virtual ~ConversionObserver() = default;

    // "<CreatingFile text> <output file name>", at the start of each task.
    virtual void ShowFileLabel(const std::string& label) = 0;

    // timeText: "Elapsed time: HH:MM:SS / Remaining time: HH:MM:SS" (remaining
    // "--:--:--" when unknown). filePercent: this task's percentage, may exceed
    // 100 a little, -1 when the clip length is unknown. batchPercent: the
    // batch's percentage (finished tasks count whole).
    virtual void ShowProgress(const std::string& timeText, int filePercent, int batchPercent) = 0;

    // The task is done: set the file bar to 100.
    virtual void FileDone() = 0;

    // The encoder found no stream to convert. Show `text` with `caption`
    // ("The input media does not contain audio stream!", "Notic") and return
    // only when the user has dismissed it; the worker waits meanwhile.
    virtual void ShowNoStreamNotice(const std::string& text, const std::string& caption) = 0;

    // The last call of a task. Asynchronous: a window posts it to its own thread
    // and returns at once; there it decides with AdvanceBatch what comes next.
    virtual void TaskFinished(TaskStatus status) = 0;
};

}  // namespace engine
