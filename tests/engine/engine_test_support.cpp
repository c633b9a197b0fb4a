#include "engine_test_support.h"

#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>

#include "platform/child_process.h"
#include "platform/program_folder.h"

namespace fs = std::filesystem;

namespace enginetest {

ProfileRecord MakeProfile(const std::string& oac, const std::string& format, int bitrate,
                          int sampleRate, int channels, int volume) {
    ProfileRecord profile{};
    SetField(profile.name, "Test profile");
    SetField(profile.audioCodec, "Codec");
    SetField(profile.audioCodecs[0].name, "Codec");
    SetField(profile.audioCodecs[0].oac, oac);
    profile.audioCodecCount = 1;
    profile.audioBitrate = bitrate;
    profile.sampleRate = sampleRate;
    profile.channels = channels;
    profile.volume = volume;
    SetField(profile.format, format);
    SetField(profile.mediaType, "audio");
    return profile;
}

bool FileExists(const std::string& path) {
    struct stat info;
    return lstat(path.c_str(), &info) == 0;
}

void InstallFakeCoder(const std::string& folder, const std::string& body) {
    fs::create_directories(folder + "codecs");
    const std::string coder = folder + "codecs/coder";
    WriteFile(coder, "#!/bin/sh\n" + body + "\n");
    chmod(coder.c_str(), 0755);
    platform::SetProgramFolder(folder);
}

void InstallRealCoder(const std::string& folder) {
    fs::create_directories(folder + "codecs");
    std::error_code ignored;
    fs::remove(folder + "codecs/coder", ignored);
    fs::create_symlink(QUILLON_BUILD_DIR "/codecs/coder", folder + "codecs/coder");
    platform::SetProgramFolder(folder);
}

bool MakeTone(const std::string& path, int seconds) {
    platform::ChildProcess coder;
    const std::vector<std::string> args = {
        "-nostdin", "-y",    "-f",
        "lavfi",    "-i",    "sine=frequency=440:duration=" + std::to_string(seconds),
        "-ar",      "44100", "file:" + path};
    if (!coder.Start(QUILLON_BUILD_DIR "/codecs/coder", args)) return false;
    char buffer[4096];
    while (coder.Read(buffer, sizeof buffer) > 0) {
    }
    return coder.Wait() == 0 && FileExists(path);
}

std::string ReadLog(const std::string& folder) {
    std::string text;
    std::error_code ignored;
    for (const auto& entry : fs::directory_iterator(folder + "Scribe", ignored)) {
        text += ReadFile(entry.path().string());
    }
    return text;
}

void RecordingObserver::Note(const std::string& name) {
    calls_.push_back(name);
    changed_.notify_all();
}

void RecordingObserver::ShowFileLabel(const std::string& label) {
    std::lock_guard lock(mutex_);
    labels_.push_back(label);
    Note("label");
}

void RecordingObserver::ShowProgress(const std::string& timeText, int filePercent,
                                     int batchPercent) {
    std::lock_guard lock(mutex_);
    progresses_.push_back({timeText, filePercent, batchPercent});
    Note("progress");
}

void RecordingObserver::FileDone() {
    std::lock_guard lock(mutex_);
    Note("done");
}

void RecordingObserver::ShowNoStreamNotice(const std::string& text, const std::string& caption) {
    std::lock_guard lock(mutex_);
    notices_.push_back(caption + ": " + text);
    Note("notice");
}

void RecordingObserver::TaskFinished(engine::TaskStatus status) {
    std::lock_guard lock(mutex_);
    statuses_.push_back(status);
    Note("finished");
}

bool RecordingObserver::WaitFor(const std::string& name, std::size_t count) {
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, std::chrono::seconds(20), [&] {
        return static_cast<std::size_t>(std::count(calls_.begin(), calls_.end(), name)) >= count;
    });
}

std::vector<std::string> RecordingObserver::Calls() const {
    std::lock_guard lock(mutex_);
    return calls_;
}

std::vector<std::string> RecordingObserver::Labels() const {
    std::lock_guard lock(mutex_);
    return labels_;
}

std::vector<RecordingObserver::Progress> RecordingObserver::Progresses() const {
    std::lock_guard lock(mutex_);
    return progresses_;
}

std::vector<engine::TaskStatus> RecordingObserver::Statuses() const {
    std::lock_guard lock(mutex_);
    return statuses_;
}

std::vector<std::string> RecordingObserver::Notices() const {
    std::lock_guard lock(mutex_);
    return notices_;
}

}  // namespace enginetest
