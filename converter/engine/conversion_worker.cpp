#include "converter/engine/conversion_worker.h"

#include <fcntl.h>
#include <stdio.h>  // renameat2
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cmath>
#include <cstring>
#include <optional>
#include <thread>

#include "converter/engine/clock_text.h"
#include "converter/engine/encoder_command.h"
#include "converter/engine/encoder_output.h"
#include "lingo/lingo.h"
#include "platform/child_process.h"
#include "platform/directory.h"
#include "platform/program_folder.h"
#include "scribe/scribe.h"

namespace engine {
namespace {

// How long a read waits before the worker looks at the stop flag again.
constexpr int kStopPollMs = 100;
// Progress updates are handed on at most this often; the newest position is kept
// and handed on at the end, so the last one is never lost.
constexpr uint32_t kProgressIntervalMs = 200;

constexpr const char* kNoStreamNotice = "The input media does not contain audio stream!";
constexpr const char* kNoStreamCaption = "Notic";

void Log(const std::string& text) {
    WriteLogLine(text.c_str());
}

// Moves `from` to `to` without ever replacing a file at `to`.
bool MoveWithoutOverwrite(const std::string& from, const std::string& to) {
    if (renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) {
        return true;
    }
    if (errno == EEXIST) return false;
    // File systems without the no-replace rename: a hard link fails on an existing name too.
    if (link(from.c_str(), to.c_str()) != 0) return false;
    unlink(from.c_str());
    return true;
}

// The encoder writes .m4a for an "m4r" profile; the finished file takes its .m4r
// name. Should that name have been taken meanwhile, the next free one is used;
// should the move fail altogether, the task keeps the .m4a name so the record
// names the file that exists.
void GiveM4rName(CMediaRecord& task, const std::string& encoderOutputPath) {
    int error = 0;
    for (int attempt = 0; attempt < 8; ++attempt) {
        if (MoveWithoutOverwrite(encoderOutputPath, task.outputPath)) return;
        error = errno;
        if (error != EEXIST) break;
        task.outputPath = MakeUniquePath(task.outputPath);
    }
    Log("Cannot rename [" + encoderOutputPath + "] to [" + task.outputPath +
        "]: " + std::strerror(error));
    task.outputPath = encoderOutputPath;
}

// Reads the encoder's lines: progress, the no-stream notice, the last message.
class OutputWatcher {
public:
    OutputWatcher(ConversionJob& job, ConversionObserver& observer, uint32_t startMs)
        : job_(job), observer_(observer), startMs_(startMs) {}

    void Chunk(std::string_view chunk) {
        for (const std::string& line : splitter_.Feed(chunk)) Line(line);
        if (pending_ && NowMs() - lastReportMs_ >= kProgressIntervalMs) FlushProgress();
    }

    void End() {
        if (auto rest = splitter_.Finish()) Line(*rest);
    }

    void FlushProgress() {
        if (!pending_) return;
        const uint32_t now = NowMs();
        ReportProgress(job_, *pending_, now - startMs_, observer_);
        lastReportMs_ = now;
        pending_.reset();
    }

    const std::string& LastMessage() const {
        return lastMessage_.empty() ? previousMessage_ : lastMessage_;
    }

private:
    void Line(const std::string& line) {
        if (line.find("time=") != std::string::npos) {
            if (auto position = ParseTimeField(line)) pending_ = *position;
            return;
        }
        if (line.find(kNoStreamText) != std::string::npos && !noticeShown_) {
            noticeShown_ = true;
            observer_.ShowNoStreamNotice(kNoStreamNotice, kNoStreamCaption);
        }
        // "Conversion failed!" says less than the line before it.
        if (line == "Conversion failed!") {
            previousMessage_ = lastMessage_;
            lastMessage_.clear();
            return;
        }
        lastMessage_ = line;
    }

    ConversionJob& job_;
    ConversionObserver& observer_;
    const uint32_t startMs_;
    EncoderLineSplitter splitter_;
    std::optional<double> pending_;
    uint32_t lastReportMs_ = NowMs() - kProgressIntervalMs;
    bool noticeShown_ = false;
    std::string lastMessage_;
    std::string previousMessage_;
};

std::string CompleteLine(const CMediaRecord& task, TaskStatus status, uint32_t startMs) {
    return "Complete converting file: [" + task.sourcePath +
           "], Status = " + std::to_string(ToInt(status)) +
           ", Conversion Time = " + FormatClockMs(NowMs() - startMs);
}

TaskResult Finish(ConversionObserver& observer, TaskResult result) {
    observer.TaskFinished(result.status);
    return result;
}

}  // namespace

ProgressFigures ComputeProgress(int32_t clipSeconds, double position, uint32_t elapsedMs,
                                int current, int count) {
    ProgressFigures figures;
    double filePart = 0;  // the current task's percentage, for the batch figure
    std::string remainingText = "--:--:--";
    if (clipSeconds > 0) {
        double remaining = 0;
        if (position > 0) remaining = elapsedMs * (clipSeconds / position) - elapsedMs;
        remaining = std::clamp(std::trunc(remaining), 0.0, 4294967295.0);
        figures.remainingMs = static_cast<int64_t>(remaining);
        remainingText = FormatClock(static_cast<uint32_t>(figures.remainingMs));
        const double percent = std::clamp(std::trunc(position / clipSeconds * 100), 0.0, 100000.0);
        figures.filePercent = static_cast<int>(percent);
        filePart = figures.filePercent;
    }
    figures.timeText =
        "Elapsed time: " + FormatClock(elapsedMs) + " / Remaining time: " + remainingText;
    if (count > 0) {
        // (file % / 100 + current - 1) * 100 / count, in whole percentages so that
        // no decimal fraction rounds a figure down (29 % is not 28.999...).
        figures.batchPercent =
            static_cast<int>(std::trunc((filePart + (current - 1) * 100.0) / count));
    }
    return figures;
}

void ReportProgress(const ConversionJob& job, double position, uint32_t elapsedMs,
                    ConversionObserver& observer) {
    const CMediaRecord* task = job.CurrentTask();
    if (!task) return;
    const ProgressFigures figures = ComputeProgress(
        ClipSeconds(*task), position, elapsedMs, job.current, static_cast<int>(job.tasks.size()));
    observer.ShowProgress(figures.timeText, figures.filePercent, figures.batchPercent);
}

TaskResult ConvertTask(ConversionJob& job, ConversionObserver& observer) {
    const uint32_t startMs = NowMs();
    TaskResult result;
    CMediaRecord* task = job.CurrentTask();
    if (!task) {
        Log("No task number " + std::to_string(job.current) + " in this batch");
        return Finish(observer, result);
    }
    Log("Start converting file: [" + task->sourcePath + "]");

    const EncoderCommand command = BuildEncoderCommand(job, *task);
    Log("\n\nRun FFmpeg\n");
    Log(command.text);
    observer.ShowFileLabel(std::string(GetLanguageText("DlgConverting", "CreatingFile")) + " " +
                           platform::FileNameOf(task->outputPath));

    if (command.text.empty()) {
        // Only audio profiles give a command: there is nothing to run and no output.
        Log("The profile is not an audio profile: nothing was converted");
        result.status = TaskStatus::kEncoderFailed;
        Log(CompleteLine(*task, result.status, startMs));
        return Finish(observer, result);
    }

    // A file that is there now is not ours: the encoder will refuse it ("-n")
    // and it must outlive whatever happens to this task.
    const bool outputExistedBefore = platform::PathExists(command.encoderOutputPath);
    platform::ChildProcess encoder;
    std::string startError;
    if (!encoder.Start(command.program, command.args, &startError)) {
        Log(command.text);
        Log("Cannot start the encoder: " + startError);
        return Finish(observer, result);  // kFailedToStart
    }
    encoder.CloseInput();  // never written; a prompt on it would read its end at once

    OutputWatcher watcher(job, observer, startMs);
    bool stopped = false;
    char buffer[1024];
    for (;;) {
        if (job.stopRequested) {
            stopped = true;
            break;
        }
        const long count = encoder.Read(buffer, sizeof buffer, kStopPollMs);
        if (count == platform::ChildProcess::kTimeout) continue;
        if (count <= 0) break;  // the output ended (or cannot be read any more)
        watcher.Chunk(std::string_view(buffer, static_cast<std::size_t>(count)));
    }
    if (!stopped) {
        watcher.End();
        // The output has ended; the encoder exits right after. Wait for its exit
        // code, still honouring a stop should it linger.
        while (!encoder.TryWait()) {
            if (job.stopRequested) {
                stopped = true;
                break;
            }
            // The exit follows the end of the output within a millisecond or
            // so: short naps keep that wait from adding up over a batch.
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
    }
    // Ends the encoder and everything it started (its process group), also after
    // a normal exit.
    encoder.Terminate();
    const int exitCode = encoder.Wait();

    const bool outputThere = platform::PathExists(command.encoderOutputPath);
    if (stopped) {
        result.status = TaskStatus::kStopped;
    } else {
        result.exitCode = exitCode;
        result.lastEncoderLine = watcher.LastMessage();
        result.status = exitCode == 0 && outputThere && !outputExistedBefore
                            ? TaskStatus::kDone
                            : TaskStatus::kEncoderFailed;
    }

    if (result.status == TaskStatus::kDone) {
        if (command.encoderOutputPath != task->outputPath) {
            GiveM4rName(*task, command.encoderOutputPath);
        }
        watcher.FlushProgress();
        observer.FileDone();
    } else {
        if (result.status == TaskStatus::kEncoderFailed) {
            Log("Encoder failed: exit code = " + std::to_string(exitCode) + ", " +
                result.lastEncoderLine);
        }
        // The unfinished output is ours only when nothing was there before the start.
        if (outputThere && !outputExistedBefore) {
            if (unlink(command.encoderOutputPath.c_str()) != 0) {
                Log("Cannot delete the unfinished output [" + command.encoderOutputPath +
                    "]: " + std::strerror(errno));
            }
        }
    }
    Log(CompleteLine(*task, result.status, startMs));
    return Finish(observer, result);
}

}  // namespace engine
