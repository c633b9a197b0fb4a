#include "cli_test_support.h"

#include <dirent.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <sstream>

#include "platform/child_process.h"

namespace clitest {

std::string MakeFolder(const TempFolder& folder, const std::string& name) {
    const std::string made = folder / name;
    std::filesystem::create_directories(made);
    return made;
}

RunResult RunProgram(const std::string& program, const std::vector<std::string>& args,
                     int timeoutMs) {
    RunResult result;
    platform::ChildProcess child;
    std::string error;
    if (!child.Start(program, args, &error)) {
        result.output = "cannot start " + program + ": " + error;
        return result;
    }
    child.CloseInput();
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    char buffer[4096];
    for (;;) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                              deadline - std::chrono::steady_clock::now())
                              .count();
        if (left <= 0) {
            child.Terminate();
            child.Wait();
            result.output += "\n[timed out]";
            return result;
        }
        const long got = child.Read(buffer, sizeof buffer, static_cast<int>(left));
        if (got > 0) {
            result.output.append(buffer, static_cast<std::size_t>(got));
        } else if (got != platform::ChildProcess::kTimeout) {
            break;
        }
    }
    result.exitCode = child.Wait();
    return result;
}

std::string ConverterPath() {
    return std::string(QUILLON_BUILD_DIR) + "/quillon-convert";
}

RunResult RunConverter(const std::vector<std::string>& args, int timeoutMs) {
    return RunProgram(ConverterPath(), args, timeoutMs);
}

void MakeMedia(const std::string& path, const std::vector<std::string>& sources,
               const std::vector<std::string>& outputArgs) {
    std::vector<std::string> args{"-v", "error", "-nostdin"};
    for (const auto& source : sources) {
        args.insert(args.end(), {"-f", "lavfi", "-i", source});
    }
    args.insert(args.end(), outputArgs.begin(), outputArgs.end());
    args.insert(args.end(), {"-y", path});
    const RunResult made = RunProgram("/usr/bin/ffmpeg", args);
    ASSERT_EQ(made.exitCode, 0) << "making " << path << ": " << made.output;
}

void MakeTone(const std::string& path, double seconds, int frequency) {
    std::ostringstream source;
    source << "sine=frequency=" << frequency << ":duration=" << seconds << ":sample_rate=44100";
    MakeMedia(path, {source.str()}, {"-ac", "2"});
}

MediaInfo Probe(const std::string& path) {
    MediaInfo info;
    const RunResult probed = RunProgram(
        "/usr/bin/ffprobe", {"-v", "error", "-show_entries",
                             "stream=codec_type,codec_name,sample_rate,channels:format=duration",
                             "-of", "default=noprint_wrappers=1", path});
    if (probed.exitCode != 0) return info;
    std::istringstream lines(probed.output);
    std::string line;
    while (std::getline(lines, line)) {
        const auto eq = line.find('=');
        if (eq == std::string::npos) continue;
        const std::string key = line.substr(0, eq);
        const std::string value = line.substr(eq + 1);
        // ffprobe prints codec_name first for every stream.
        if (key == "codec_name") info.streams.push_back({"", value, 0, 0});
        if (info.streams.empty()) {
            if (key == "duration") info.duration = std::atof(value.c_str());
            continue;
        }
        StreamInfo& stream = info.streams.back();
        if (key == "codec_type") stream.codecType = value;
        if (key == "sample_rate") stream.sampleRate = std::atoi(value.c_str());
        if (key == "channels") stream.channels = std::atoi(value.c_str());
        if (key == "duration") info.duration = std::atof(value.c_str());
    }
    info.ok = true;
    return info;
}

double MeanVolume(const std::string& path) {
    const RunResult measured = RunProgram(
        "/usr/bin/ffmpeg",
        {"-v", "info", "-nostdin", "-i", path, "-af", "volumedetect", "-f", "null", "-"});
    const auto at = measured.output.find("mean_volume:");
    if (at == std::string::npos) return -1000;
    return std::atof(measured.output.c_str() + at + 12);
}

std::vector<ProfileRecord> ShippedProfiles() {
    auto block = std::make_unique<ProfileBlock>();
    const std::string folder = std::string(QUILLON_BUILD_DIR) + "/Profiles/";
    LoadProfile(folder.c_str(), block.get(), "1");
    const int count = std::clamp(block->count, 0, kProfileBlockCapacity);
    return std::vector<ProfileRecord>(block->records, block->records + count);
}

std::vector<std::string> FilesIn(const std::string& folder) {
    std::vector<std::string> names;
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(folder, ec)) {
        if (entry.is_regular_file()) names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::vector<int> ProcessesMentioning(const std::string& needle) {
    std::vector<int> found;
    std::unique_ptr<DIR, int (*)(DIR*)> proc(opendir("/proc"), closedir);
    if (!proc) return found;
    while (const dirent* entry = readdir(proc.get())) {
        const int pid = std::atoi(entry->d_name);
        if (pid <= 0) continue;
        std::string cmdline = ReadFile("/proc/" + std::string(entry->d_name) + "/cmdline");
        std::replace(cmdline.begin(), cmdline.end(), '\0', ' ');
        if (cmdline.find(needle) != std::string::npos) found.push_back(pid);
    }
    return found;
}

}  // namespace clitest
