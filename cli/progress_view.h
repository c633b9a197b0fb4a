#pragma once

#include <cstdio>
#include <mutex>
#include <string>

namespace cli {

// Shows a batch the way the progress window does: the task counter, the file
// label, the file and batch bars (the file bar never moves back within a task
// and starts over with each task; the batch bar never moves back) and the
// elapsed / remaining time text. On a terminal it is one live line redrawn in
// place; otherwise nothing is drawn while a task runs and the caller prints one
// line per finished task.
//
// Threads: the conversion worker calls the task-time operations while the main
// thread may print messages; every operation takes the view's lock.
class ProgressView {
public:
    enum class Mode { Live, Plain, Quiet };

    // `out` is the stream the live line goes to (a terminal in Live mode).
    ProgressView(Mode mode, std::FILE* out);

    Mode GetMode() const { return mode_; }

    // A task begins: `counter` is the "File [n/m]" text, `label` the
    // "Creating File: name" text.
    void TaskStarted(const std::string& counter, const std::string& label);
    void Progress(const std::string& timeText, int filePercent, int batchPercent);
    void FileDone();
    // Removes the live line (before a message or at the end of the batch).
    void Clear();
    // Prints a whole line to `stream`, keeping the live line below it.
    void PrintLine(std::FILE* stream, const std::string& line);

    int FileBar() const { return fileBar_; }
    int BatchBar() const { return batchBar_; }

    // The live line for a terminal `columns` wide (exposed for tests).
    std::string ComposeLine(int columns) const;

private:
    void Redraw();     // caller holds mutex_
    void EraseLive();  // caller holds mutex_

    const Mode mode_;
    std::FILE* const out_;
    mutable std::mutex mutex_;
    std::string counter_;
    std::string label_;
    std::string timeText_;
    int fileBar_ = 0;
    int batchBar_ = 0;
    bool shown_ = false;  // a live line stands on the terminal
};

}  // namespace cli
