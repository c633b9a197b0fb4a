#include "cli/audio_choices.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <cstring>
#include <optional>

namespace cli {
namespace {

// A decimal value as the settings read an entry: leading blanks, a sign and the
// digits that follow; 0 without digits.
long LeadingInteger(const std::string& text) {
    return std::strtol(text.c_str(), nullptr, 10);
}

// The user's value: digits only (a trailing '%' allowed for percentages).
std::optional<long> PlainNumber(std::string text, bool allowPercent) {
    if (allowPercent && !text.empty() && text.back() == '%') text.pop_back();
    if (text.empty() || text.size() > 9) return std::nullopt;
    for (char c : text) {
        if (!std::isdigit(static_cast<unsigned char>(c))) return std::nullopt;
    }
    return std::strtol(text.c_str(), nullptr, 10);
}

std::string Joined(const std::vector<std::string>& items) {
    std::string text;
    for (const auto& item : items) {
        if (!text.empty()) text += ", ";
        text += item;
    }
    return text;
}

std::string NotOffered(const std::string& option, const std::string& value,
                       const std::vector<std::string>& choices, const ProfileRecord& profile) {
    std::string message =
        "--" + option + " " + value + " is not offered by profile \"" + profile.name + "\"; ";
    if (choices.empty()) return message + "it offers no choices for it";
    return message + "choose one of: " + Joined(choices);
}

// Picks the choice whose value equals the typed number and stores that value.
std::string ApplyNumberChoice(const std::string& option, const std::optional<std::string>& typed,
                              const char* choiceList, int32_t& field,
                              const ProfileRecord& profile) {
    if (!typed) return "";
    const std::vector<std::string> choices = SplitChoiceList(choiceList);
    if (auto wanted = PlainNumber(*typed, false)) {
        for (const auto& choice : choices) {
            if (LeadingInteger(choice) == *wanted) {
                field = static_cast<int32_t>(*wanted);
                return "";
            }
        }
    }
    return NotOffered(option, *typed, choices, profile);
}

std::string ApplyCodec(const std::optional<std::string>& typed, ProfileRecord& profile) {
    if (!typed) return "";
    const int count = std::clamp(profile.audioCodecCount, 0, kMaxCodecEntries);
    std::vector<std::string> names;
    for (int i = 0; i < count; ++i) names.emplace_back(profile.audioCodecs[i].name);

    auto store = [&profile](const std::string& name) {
        std::memset(profile.audioCodec, 0, sizeof profile.audioCodec);
        std::strncpy(profile.audioCodec, name.c_str(), sizeof profile.audioCodec - 1);
        return std::string();
    };
    for (const auto& name : names) {
        if (name == *typed) return store(name);
    }
    auto lower = [](std::string text) {
        for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        return text;
    };
    for (const auto& name : names) {
        if (lower(name) == lower(*typed)) return store(name);
    }
    return NotOffered("codec", *typed, names, profile);
}

std::string ApplyVolume(const std::optional<std::string>& typed, ProfileRecord& profile) {
    if (!typed) return "";
    const auto& volumes = VolumeChoices();
    if (auto wanted = PlainNumber(*typed, true)) {
        if (std::find(volumes.begin(), volumes.end(), *wanted) != volumes.end()) {
            profile.volume = static_cast<int32_t>(*wanted);
            return "";
        }
    }
    std::vector<std::string> shown;
    for (int v : volumes) shown.push_back(std::to_string(v) + "%");
    return NotOffered("volume", *typed, shown, profile);
}

}  // namespace

std::vector<std::string> SplitChoiceList(const std::string& list) {
    std::vector<std::string> entries;
    std::size_t begin = 0;
    while (begin <= list.size()) {
        std::size_t comma = list.find(',', begin);
        if (comma == std::string::npos) comma = list.size();
        if (comma > begin) entries.push_back(list.substr(begin, comma - begin));
        begin = comma + 1;
    }
    return entries;
}

const std::vector<int>& VolumeChoices() {
    static const std::vector<int> volumes{25, 50, 75, 100, 150, 200, 250, 300, 400};
    return volumes;
}

std::string ApplyAudioChoices(const CliOptions& options, ProfileRecord& profile) {
    // Copies of the choice lists: the record's fields stay NUL-terminated even
    // when a profile file filled them to the brim.
    auto list = [](const char* field, std::size_t size) {
        return std::string(field, strnlen(field, size));
    };
    const std::string rates = list(profile.sampleRateChoices, sizeof profile.sampleRateChoices);
    const std::string channels = list(profile.channelChoices, sizeof profile.channelChoices);
    const std::string bitrates =
        list(profile.audioBitrateChoices, sizeof profile.audioBitrateChoices);

    for (std::string error : {
             ApplyNumberChoice("sample-rate", options.sampleRate, rates.c_str(), profile.sampleRate,
                               profile),
             ApplyNumberChoice("channels", options.channels, channels.c_str(), profile.channels,
                               profile),
             ApplyNumberChoice("bitrate", options.bitrate, bitrates.c_str(), profile.audioBitrate,
                               profile),
             ApplyCodec(options.codec, profile),
             ApplyVolume(options.volume, profile),
         }) {
        if (!error.empty()) return error;
    }
    return "";
}

}  // namespace cli
