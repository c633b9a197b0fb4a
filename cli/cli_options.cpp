#include "cli/cli_options.h"

#include <array>

namespace cli {
namespace {

struct ValueOption {
    const char* longName;
    char shortName;  // 0: long form only
    std::optional<std::string> CliOptions::*field;
};

constexpr std::array kValueOptions{
    ValueOption{"profile", 'p', &CliOptions::profile},
    ValueOption{"output", 'o', &CliOptions::outputFolder},
    ValueOption{"start", 0, &CliOptions::trimStart},
    ValueOption{"end", 0, &CliOptions::trimEnd},
    ValueOption{"sample-rate", 0, &CliOptions::sampleRate},
    ValueOption{"channels", 0, &CliOptions::channels},
    ValueOption{"bitrate", 0, &CliOptions::bitrate},
    ValueOption{"codec", 0, &CliOptions::codec},
    ValueOption{"volume", 0, &CliOptions::volume},
};

struct FlagOption {
    const char* longName;
    char shortName;
    bool CliOptions::*field;
};

constexpr std::array kFlagOptions{
    FlagOption{"list-profiles", 0, &CliOptions::listProfiles},
    FlagOption{"quiet", 'q', &CliOptions::quiet},
    FlagOption{"help", 'h', &CliOptions::help},
    FlagOption{"version", 0, &CliOptions::version},
};

const ValueOption* FindValueOption(const std::string& longName, char shortName) {
    for (const auto& option : kValueOptions) {
        if (shortName != 0 ? option.shortName == shortName : longName == option.longName) {
            return &option;
        }
    }
    return nullptr;
}

const FlagOption* FindFlagOption(const std::string& longName, char shortName) {
    for (const auto& option : kFlagOptions) {
        if (shortName != 0 ? option.shortName == shortName : longName == option.longName) {
            return &option;
        }
    }
    return nullptr;
}

}  // namespace

ParseResult ParseCommandLine(const std::vector<std::string>& args) {
    ParseResult result;
    CliOptions& options = result.options;
    auto fail = [&result](std::string message) {
        result.error = std::move(message);
        return result;
    };

    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--") {
            options.files.insert(options.files.end(), args.begin() + i + 1, args.end());
            break;
        }
        if (arg.size() < 2 || arg[0] != '-') {
            options.files.push_back(arg);
            continue;
        }

        const bool isLong = arg[1] == '-';
        std::string longName;
        char shortName = 0;
        std::optional<std::string> inlineValue;
        std::string shown;  // the option as the user wrote it, for messages
        if (isLong) {
            longName = arg.substr(2);
            if (auto eq = longName.find('='); eq != std::string::npos) {
                inlineValue = longName.substr(eq + 1);
                longName.resize(eq);
            }
            shown = "--" + longName;
        } else {
            shortName = arg[1];
            if (arg.size() > 2) inlineValue = arg.substr(2);
            shown = std::string("-") + shortName;
        }

        if (const FlagOption* flag = FindFlagOption(longName, shortName)) {
            if (inlineValue) return fail("option " + shown + " takes no value");
            options.*(flag->field) = true;
            continue;
        }
        const ValueOption* valueOption = FindValueOption(longName, shortName);
        if (valueOption == nullptr) return fail("unknown option " + shown);
        if (!inlineValue) {
            if (i + 1 >= args.size()) return fail("option " + shown + " needs a value");
            inlineValue = args[++i];
        }
        options.*(valueOption->field) = *inlineValue;
    }

    if (!options.help && !options.version && !options.listProfiles && options.files.empty()) {
        return fail("no input files");
    }
    return result;
}

std::string UsageText(const std::string& programName) {
    return "Usage: " + programName +
           " [options] FILE...\n"
           "Converts media files to audio files with one of the program's profiles.\n"
           "\n"
           "  -p, --profile NAME     profile to use (exact name; see --list-profiles);\n"
           "                         default: the last profile of the program, else the first\n"
           "  -o, --output DIR       output folder (must exist); default: the program's\n"
           "                         output folder, else \"Quillon Audio Outputs\" in Documents\n"
           "      --start HH:MM:SS   convert from this time on (every file)\n"
           "      --end HH:MM:SS     convert up to this time (every file)\n"
           "      --sample-rate HZ   one of the profile's sample rates\n"
           "      --channels N       one of the profile's channel counts\n"
           "      --bitrate KBITS    one of the profile's bitrates\n"
           "      --codec NAME       one of the profile's audio codecs\n"
           "      --volume PERCENT   25, 50, 75, 100, 150, 200, 250, 300 or 400\n"
           "      --list-profiles    list the profiles by group and exit\n"
           "  -q, --quiet            print errors only\n"
           "  -h, --help             show this help and exit\n"
           "      --version          show the version and exit\n"
           "\n"
           "Use -- before file names that start with '-'.\n"
           "Exit status: 0 all converted, 1 some failed or were rejected, 2 usage error,\n"
           "130 interrupted.\n";
}

}  // namespace cli
