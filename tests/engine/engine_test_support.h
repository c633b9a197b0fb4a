#pragma once

// Helpers shared by the engine's tests: a profile, a fake encoder, an observer
// that records what the worker told it. Temporary folders and whole-file reads
// and writes come from common/temp_folder.h.

#include <algorithm>
#include <condition_variable>
#include <cstring>
#include <mutex>
#include <string>
#include <vector>

#include "common/temp_folder.h"
#include "converter/engine/conversion_observer.h"
#include "presetlib/profile_record.h"

namespace enginetest {

template <std::size_t N>
void SetField(char (&field)[N], const std::string& text) {
    std::memset(field, 0, N);
    std::memcpy(field, text.data(), std::min(text.size(), N - 1));
}

// An audio profile with one codec entry "Codec" of the given Oac.
ProfileRecord MakeProfile(const std::string& oac = "mp3lame", const std::string& format = "mp3",
                          int bitrate = 128, int sampleRate = 44100, int channels = 2,
                          int volume = 100);

// True when anything, even a dangling link, stands at `path`.
bool FileExists(const std::string& path);

// Makes `folder`codecs/coder a /bin/sh script with `body`, and the program folder `folder`.
void InstallFakeCoder(const std::string& folder, const std::string& body);

// Makes `folder`codecs/coder a link to the real encoder of the build, and the
// program folder `folder`.
void InstallRealCoder(const std::string& folder);

// Makes a sine tone of `seconds` at `path` with the real encoder; true on success.
bool MakeTone(const std::string& path, int seconds);

// The text of every log file of the program folder `folder`.
std::string ReadLog(const std::string& folder);

// Records every call; the test thread may wait for one.
// Threads: called from the worker thread, read from the test thread.
class RecordingObserver : public engine::ConversionObserver {
public:
    struct Progress {
        std::string timeText;
        int filePercent;
        int batchPercent;
    };

    void ShowFileLabel(const std::string& label) override;
    void ShowProgress(const std::string& timeText, int filePercent, int batchPercent) override;
    void FileDone() override;
    void ShowNoStreamNotice(const std::string& text, const std::string& caption) override;
    void TaskFinished(engine::TaskStatus status) override;

    // Waits (at most 20 s) until `name` was called `count` times; false when it was not.
    bool WaitFor(const std::string& name, std::size_t count = 1);

    std::vector<std::string> Calls() const;
    std::vector<std::string> Labels() const;
    std::vector<Progress> Progresses() const;
    std::vector<engine::TaskStatus> Statuses() const;
    std::vector<std::string> Notices() const;

private:
    void Note(const std::string& name);

    mutable std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<std::string> calls_;
    std::vector<std::string> labels_;
    std::vector<Progress> progresses_;
    std::vector<engine::TaskStatus> statuses_;
    std::vector<std::string> notices_;
};

}  // namespace enginetest
