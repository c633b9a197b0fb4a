#include "cli/batch_session.h"

#include <thread>

#include "cli/terminal_text.h"
#include "converter/engine/clock_text.h"
#include "converter/engine/conversion_worker.h"
#include "lingo/lingo.h"

namespace cli {
namespace {

// Hands the worker's figures to the view. Threads: called on the worker thread;
// the view locks for itself.
class ViewObserver : public engine::ConversionObserver {
public:
    ViewObserver(const engine::ConversionJob& job, ProgressView& view) : job_(job), view_(view) {}

    void ShowFileLabel(const std::string& label) override {
        const std::string counter = std::string(GetLanguageText("DlgConverting", "File")) + " [" +
                                    std::to_string(job_.current) + "/" +
                                    std::to_string(job_.tasks.size()) + "]";
        view_.TaskStarted(counter, label);
    }
    void ShowProgress(const std::string& timeText, int filePercent, int batchPercent) override {
        view_.Progress(timeText, filePercent, batchPercent);
    }
    void FileDone() override { view_.FileDone(); }
    void ShowNoStreamNotice(const std::string& text, const std::string&) override {
        const engine::CMediaRecord* task = job_.CurrentTask();
        view_.PrintLine(
            stderr,
            "quillon-convert: " + Printable(task != nullptr ? task->sourcePath : "") + ": " + text);
    }
    void TaskFinished(engine::TaskStatus) override {}

private:
    const engine::ConversionJob& job_;
    ProgressView& view_;
};

std::string TaskLine(int number, int count, const CliTask& task, uint32_t elapsedMs) {
    std::string line = "[" + std::to_string(number) + "/" + std::to_string(count) + "] ";
    const std::string source = Printable(task.sourcePath);
    switch (task.state) {
        case CliTask::State::kConverted:
            line += "converted: " + source + " -> " + Printable(task.outputPath);
            break;
        case CliTask::State::kFailed:
            line += "failed: " + source + (task.detail.empty() ? "" : ": " + task.detail);
            break;
        case CliTask::State::kStopped:
            line += "stopped: " + source + " (unfinished output deleted)";
            break;
        case CliTask::State::kNotStarted:
        case CliTask::State::kRejected:
            line += "not converted: " + source;
            break;
    }
    return line + " (" + engine::FormatClockMs(elapsedMs) + ")";
}

std::string FailureDetail(const engine::TaskResult& result) {
    if (result.status == engine::TaskStatus::kFailedToStart) {
        std::string detail = GetLanguageText("MsgBox", "ConvertFailed");
        if (!result.lastEncoderLine.empty()) detail += " " + Printable(result.lastEncoderLine);
        return detail;
    }
    if (!result.lastEncoderLine.empty()) return Printable(result.lastEncoderLine);
    return "the encoder ended with code " + std::to_string(result.exitCode);
}

}  // namespace

engine::BatchStep RunBatchSession(const std::vector<CliTask*>& tasks, engine::ConversionJob& job,
                                  const std::string& outputFolder, const ProfileRecord& profile,
                                  const std::function<Admission(CliTask&)>& admit,
                                  const std::function<bool()>& interrupted, ProgressView& view,
                                  std::FILE* lines) {
    engine::FillConversionJob(job, {tasks.begin(), tasks.end()}, outputFolder, profile, false);

    // Makes sure the task at `index` (0-based), if any, may convert: rejected
    // tasks leave the job here, between two workers, where the job is ours.
    // False when a stop came first.
    auto settleFrom = [&](std::size_t index) {
        while (index < job.tasks.size()) {
            switch (admit(*static_cast<CliTask*>(job.tasks[index]))) {
                case Admission::kAdmitted:
                    return true;
                case Admission::kRejected:
                    job.tasks.erase(job.tasks.begin() + static_cast<std::ptrdiff_t>(index));
                    break;
                case Admission::kUnknown:
                    return false;
            }
        }
        return true;
    };

    if (!settleFrom(0) || interrupted()) return engine::BatchStep::kStopped;
    if (job.tasks.empty() || !engine::BeginBatch(job)) return engine::BatchStep::kCompleted;
    if (interrupted()) job.stopRequested = true;  // a stop just now, which BeginBatch cleared

    ViewObserver observer(job, view);
    engine::BatchStep step = engine::BatchStep::kCompleted;
    for (;;) {
        const int number = job.current;
        const uint32_t start = engine::NowMs();
        engine::TaskResult result;
        std::thread worker([&] { result = engine::ConvertTask(job, observer); });
        worker.join();

        // The job holds the command line's CliTask objects only.
        CliTask& cliTask = *static_cast<CliTask*>(job.CurrentTask());
        switch (result.status) {
            case engine::TaskStatus::kDone:
                cliTask.state = CliTask::State::kConverted;
                break;
            case engine::TaskStatus::kStopped:
                cliTask.state = CliTask::State::kStopped;
                break;
            case engine::TaskStatus::kFailedToStart:
            case engine::TaskStatus::kEncoderFailed:
                cliTask.state = CliTask::State::kFailed;
                cliTask.detail = FailureDetail(result);
                break;
        }
        const int count = static_cast<int>(job.tasks.size());
        if (view.GetMode() == ProgressView::Mode::Plain) {
            view.PrintLine(lines, TaskLine(number, count, cliTask, engine::NowMs() - start));
        } else if (view.GetMode() == ProgressView::Mode::Live &&
                   cliTask.state == CliTask::State::kFailed) {
            view.PrintLine(stderr, "quillon-convert: " +
                                       TaskLine(number, count, cliTask, engine::NowMs() - start));
        }

        // The next task is settled before the road decides, so that it counts
        // only tasks that may still convert.
        if (!interrupted() && !settleFrom(static_cast<std::size_t>(number))) {
            job.stopRequested = true;
        }
        step = engine::AdvanceBatch(job, result.status);
        if (step != engine::BatchStep::kConvertNext) break;
    }
    view.Clear();
    return step;
}

}  // namespace cli
