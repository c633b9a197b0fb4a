#include "cli/progress_view.h"

#include <unistd.h>

#include <algorithm>
#include <iterator>
#include <string_view>

#include "cli/terminal_text.h"

namespace cli {
namespace {

std::string Bar(int percent, int width) {
    const int filled = std::clamp(percent, 0, 100) * width / 100;
    return "[" + std::string(static_cast<std::size_t>(filled), '#') +
           std::string(static_cast<std::size_t>(width - filled), '-') + "]";
}

std::string Percent(int percent) {
    std::string text = std::to_string(std::clamp(percent, 0, 100)) + "%";
    return std::string(4 - std::min<std::size_t>(4, text.size()), ' ') + text;
}

}  // namespace

ProgressView::ProgressView(Mode mode, std::FILE* out) : mode_(mode), out_(out) {}

void ProgressView::TaskStarted(const std::string& counter, const std::string& label) {
    std::lock_guard lock(mutex_);
    counter_ = Printable(counter);
    label_ = Printable(label);
    timeText_.clear();
    Redraw();
}

void ProgressView::Progress(const std::string& timeText, int filePercent, int batchPercent) {
    std::lock_guard lock(mutex_);
    timeText_ = timeText;
    // The file bar starts over after a finished task (it stands at 100).
    if (filePercent > fileBar_ || fileBar_ == 100) fileBar_ = std::clamp(filePercent, 0, 100);
    if (batchPercent > batchBar_) batchBar_ = std::min(batchPercent, 100);
    Redraw();
}

void ProgressView::FileDone() {
    std::lock_guard lock(mutex_);
    fileBar_ = 100;
    Redraw();
}

void ProgressView::Clear() {
    std::lock_guard lock(mutex_);
    EraseLive();
}

void ProgressView::PrintLine(std::FILE* stream, const std::string& line) {
    std::lock_guard lock(mutex_);
    const bool wasShown = shown_;
    EraseLive();
    std::fputs((line + "\n").c_str(), stream);
    std::fflush(stream);
    if (wasShown) Redraw();
}

std::string ProgressView::ComposeLine(int columns) const {
    const int usable = std::max(columns - 1, 10);  // never write into the last column
    const std::string time = timeText_.empty() ? "" : "  " + timeText_;
    // On narrow terminals the remaining time alone stands for the time text.
    std::string remaining;
    constexpr std::string_view kRemaining = "Remaining time: ";
    if (auto at = timeText_.find(kRemaining); at != std::string::npos) {
        remaining = "  remaining " + timeText_.substr(at + kRemaining.size());
    }
    auto bars = [this](int fileWidth, int batchWidth) {
        return " " + Bar(fileBar_, fileWidth) + Percent(fileBar_) + "  batch " +
               (batchWidth > 0 ? Bar(batchBar_, batchWidth) : "") + Percent(batchBar_);
    };
    // Richest layout first; narrower terminals get shorter bars and a shorter time.
    const std::string tails[] = {
        bars(20, 10) + time,
        bars(12, 6) + time,
        bars(12, 6) + remaining,
        bars(8, 4) + remaining,
        bars(8, 0) + remaining,
        Percent(fileBar_) + "  batch" + Percent(batchBar_) + remaining,
        Percent(fileBar_) + "  batch" + Percent(batchBar_),
    };
    const int counterWidth = DisplayWidth(counter_);
    const int labelWanted = std::min(DisplayWidth(label_), 16);
    for (const auto& tail : tails) {
        const int labelRoom = usable - counterWidth - 1 - static_cast<int>(tail.size());
        if (labelRoom >= labelWanted) return counter_ + " " + FitLeft(label_, labelRoom) + tail;
    }
    return FitLeft(counter_ + tails[std::size(tails) - 1], usable);
}

void ProgressView::EraseLive() {
    if (!shown_) return;
    std::fputs("\r\033[K", out_);
    std::fflush(out_);
    shown_ = false;
}

void ProgressView::Redraw() {
    if (mode_ != Mode::Live) return;
    const std::string line = ComposeLine(TerminalColumns(fileno(out_), 80));
    std::fputs(("\r" + line + "\033[K").c_str(), out_);
    std::fflush(out_);
    shown_ = true;
}

}  // namespace cli
