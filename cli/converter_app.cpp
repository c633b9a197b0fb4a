#include "cli/converter_app.h"

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <optional>
#include <system_error>

#include "cli/audio_choices.h"
#include "cli/batch_session.h"
#include "cli/cli_options.h"
#include "cli/probe_ahead.h"
#include "cli/profile_catalogue.h"
#include "cli/progress_view.h"
#include "cli/stop_signal.h"
#include "cli/terminal_text.h"
#include "cli/trim_times.h"
#include "converter/engine/conversion_job.h"
#include "converter/engine/media_probe.h"
#include "converter/shell/settings.h"
#include "lingo/lingo.h"
#include "platform/program_folder.h"
#include "scribe/scribe.h"

#ifndef QUILLON_VERSION
#define QUILLON_VERSION "0.0.0"
#endif

namespace cli {
namespace {

constexpr const char* kProgram = "quillon-convert";
constexpr const char* kDefaultOutputName = "Quillon Audio Outputs";

void Error(const std::string& message) {
    std::fprintf(stderr, "%s: %s\n", kProgram, message.c_str());
}

int UsageError(const std::string& message) {
    Error(message);
    std::fprintf(stderr, "Try '%s --help' for more information.\n", kProgram);
    return kExitUsage;
}

std::string MsgText(const char* key) {
    return GetLanguageText("MsgBox", key);
}

void ListProfiles(const ProfileCatalogue& catalogue, int defaultIndex) {
    for (const auto& group : catalogue.Groups()) {
        std::printf("%s\n", Printable(group.name).c_str());
        for (int index : group.records) {
            std::printf("  %s%s\n", Printable(catalogue.Record(index).name).c_str(),
                        index == defaultIndex ? "  (default)" : "");
        }
    }
}

// The output folder: -o, else the settings' folder, else the default folder in
// the documents folder, which is the only one ever created. `error` tells why
// it cannot be used.
struct OutputFolder {
    std::string path;
    std::string error;
};

OutputFolder ChooseOutputFolder(const CliOptions& options, const Settings& settings) {
    std::string folder;
    std::string origin;
    if (options.outputFolder) {
        folder = *options.outputFolder;
    } else if (!settings.defOutput.empty()) {
        folder = settings.defOutput;
        origin = " (the output folder of the program's settings)";
    } else {
        // The documents folder itself may be missing on a fresh system.
        folder = platform::DocumentsFolder() + kDefaultOutputName + "/";
        std::error_code ignored;
        std::filesystem::create_directories(folder, ignored);  // a failure shows just below
    }
    std::error_code ec;
    if (folder.empty() || !std::filesystem::is_directory(folder, ec)) {
        return {folder, Printable(folder) + origin + ": " + MsgText("DirNotExist")};
    }
    return {folder, ""};
}

// Why a probed file cannot become a task with the asked trim; empty when it
// can, and then the task has its duration and trim times.
std::string Judge(CliTask& task, const std::string& probed, const CliOptions& options) {
    if (engine::IsProbeError(probed)) return MsgText("UnknownFormat") + " (" + probed + ")";
    task.duration = probed;
    task.trimStart = "00:00:00";
    task.trimEnd = probed;
    if (!options.trimStart && !options.trimEnd) return "";

    const std::string start = options.trimStart.value_or("00:00:00");
    const std::string end = options.trimEnd.value_or(probed);
    if (!options.trimEnd && !IsTrimTextFormat(probed)) {
        return MsgText("GreaterTotalTime") + " (its length is unknown)";
    }
    if (const TrimCheck check = CheckTrimTimes(start, end, probed); check != TrimCheck::kOk) {
        return MsgText(MessageKey(check)) + " (length " + (probed.empty() ? "unknown" : probed) +
               ")";
    }
    task.trimStart = start;
    task.trimEnd = end;
    return "";
}

ProgressView::Mode ChooseMode(bool quiet, std::FILE** liveStream) {
    *liveStream = stderr;
    if (quiet) return ProgressView::Mode::Quiet;
    if (isatty(STDERR_FILENO)) return ProgressView::Mode::Live;
    if (isatty(STDOUT_FILENO)) {
        *liveStream = stdout;
        return ProgressView::Mode::Live;
    }
    return ProgressView::Mode::Plain;
}

void PrintSummary(const std::vector<std::unique_ptr<CliTask>>& tasks, engine::BatchStep step,
                  const std::string& outputFolder, bool interrupted, bool quiet) {
    auto count = [&tasks](CliTask::State state) {
        return std::count_if(tasks.begin(), tasks.end(),
                             [state](const auto& task) { return task->state == state; });
    };
    const auto converted = count(CliTask::State::kConverted);
    const auto failed = count(CliTask::State::kFailed);
    const auto notConverted = count(CliTask::State::kNotStarted) + count(CliTask::State::kStopped);
    if (!quiet) {
        if (interrupted) {
            std::printf("Stopped.\n");
        } else if (step == engine::BatchStep::kFailedToStart) {
            std::printf("%s\n", MsgText("ConvertFailed").c_str());
        } else if (converted + failed > 0) {
            std::printf("%s\n", MsgText("ConvertFinished").c_str());
        }
        std::printf("Converted %td, failed %td, rejected %td", converted, failed,
                    count(CliTask::State::kRejected));
        if (notConverted > 0) std::printf(", not converted %td", notConverted);
        std::printf(" (output folder: %s)\n", Printable(outputFolder).c_str());
    }
    for (const auto& task : tasks) {
        const std::string source = Printable(task->sourcePath);
        switch (task->state) {
            case CliTask::State::kConverted:
                if (!quiet) {
                    std::printf("  converted: %s -> %s\n", source.c_str(),
                                Printable(task->outputPath).c_str());
                }
                break;
            case CliTask::State::kFailed:
                std::fprintf(stderr, "  failed: %s: %s\n", source.c_str(), task->detail.c_str());
                break;
            case CliTask::State::kRejected:
                std::fprintf(stderr, "  rejected: %s: %s\n", source.c_str(), task->detail.c_str());
                break;
            case CliTask::State::kStopped:
                if (!quiet) {
                    std::printf("  stopped: %s (unfinished output deleted)\n", source.c_str());
                }
                break;
            case CliTask::State::kNotStarted:
                if (!quiet) std::printf("  not converted: %s\n", source.c_str());
                break;
        }
    }
    std::fflush(stdout);
}

// Converts the files with `profile` into `outputFolder`; returns the exit code.
int ConvertFiles(const CliOptions& options, const ProfileRecord& profile,
                 const std::string& outputFolder) {
    engine::ConversionJob job;
    StopSignal stopSignal([&job] { job.stopRequested = true; });
    auto interrupted = [&stopSignal] { return stopSignal.Interrupted(); };
    WriteLogLine((std::string("--------------------- Start ") + kProgram + " " + QUILLON_VERSION +
                  " --------------------")
                     .c_str());

    std::vector<std::unique_ptr<CliTask>> tasks;
    std::vector<CliTask*> taskPointers;
    for (const auto& path : options.files) {
        tasks.push_back(std::make_unique<CliTask>(path, tasks.size()));
        taskPointers.push_back(tasks.back().get());
    }
    std::FILE* liveStream = stderr;
    ProgressView view(ChooseMode(options.quiet, &liveStream), liveStream);

    engine::BatchStep step = engine::BatchStep::kCompleted;
    {
        // Every file is probed before it converts; the probes run ahead on a
        // thread of their own while earlier files convert.
        ProbeAhead prober(options.files, interrupted);
        auto admit = [&](CliTask& task) {
            const auto probed = prober.Result(task.fileIndex);
            if (!probed) return Admission::kUnknown;
            task.detail = Judge(task, *probed, options);
            if (task.detail.empty()) return Admission::kAdmitted;
            task.state = CliTask::State::kRejected;
            view.PrintLine(stderr, std::string(kProgram) + ": " + Printable(task.sourcePath) +
                                       ": " + task.detail);
            return Admission::kRejected;
        };
        step = RunBatchSession(taskPointers, job, outputFolder, profile, admit, interrupted, view,
                               stdout);
    }
    PrintSummary(tasks, step, outputFolder, interrupted(), options.quiet);

    WriteLogLine(
        (std::string("----------------------- Quit ") + kProgram + " ---------------------------")
            .c_str());
    WriteLogLine("");

    if (interrupted()) return kExitInterrupted;
    const bool allConverted = std::all_of(tasks.begin(), tasks.end(), [](const auto& task) {
        return task->state == CliTask::State::kConverted;
    });
    return allConverted ? kExitAllConverted : kExitSomeFailed;
}

}  // namespace

int RunConverter(const std::vector<std::string>& args) {
    const ParseResult parsed = ParseCommandLine(args);
    if (!parsed.error.empty()) return UsageError(parsed.error);
    const CliOptions& options = parsed.options;
    if (options.help) {
        std::fputs(UsageText(kProgram).c_str(), stdout);
        return kExitAllConverted;
    }
    if (options.version) {
        std::printf("%s (Quillon Audio Converter) %s\n", kProgram, QUILLON_VERSION);
        return kExitAllConverted;
    }

    InitLanguages("Lang/*.xml");
    if (GetLanguageCount() > 0) SelectLanguage(0);
    for (const auto* trim : {&options.trimStart, &options.trimEnd}) {
        if (*trim && !IsTrimTextFormat(**trim)) {
            return UsageError(Printable(**trim) + ": " + MsgText("ErrTimeFormat"));
        }
    }
    if (options.trimStart && options.trimEnd &&
        CheckTrimTimes(*options.trimStart, *options.trimEnd, *options.trimEnd) ==
            TrimCheck::kGreaterEndTime) {
        return UsageError(*options.trimEnd + ": " + MsgText("GreaterEndTime"));
    }

    const Settings settings = LoadSettings(CIni(ConfigFilePath()));
    const std::string profileFolder = platform::ProgramFolder() + "Profiles/";
    const ProfileCatalogue catalogue(profileFolder);
    if (catalogue.Count() == 0) {
        Error("no profiles found in " + Printable(profileFolder));
        return kExitSomeFailed;
    }
    const int defaultIndex = catalogue.DefaultIndex(settings.defProfile);
    if (options.listProfiles) {
        ListProfiles(catalogue, defaultIndex);
        return kExitAllConverted;
    }

    int profileIndex = defaultIndex;
    if (options.profile) {
        profileIndex = catalogue.Find(*options.profile);
        if (profileIndex < 0) {
            return UsageError("no profile is named \"" + Printable(*options.profile) +
                              "\" (see --list-profiles)");
        }
    }
    ProfileRecord profile = catalogue.Record(profileIndex);
    if (std::string error = ApplyAudioChoices(options, profile); !error.empty()) {
        return UsageError(Printable(error));
    }
    const OutputFolder output = ChooseOutputFolder(options, settings);
    if (!output.error.empty()) return UsageError(output.error);

    return ConvertFiles(options, profile, output.path);
}

}  // namespace cli
