#include "converter/engine/encoder_command.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <initializer_list>

#include "converter/engine/clock_text.h"
#include "platform/directory.h"
#include "platform/program_folder.h"

namespace engine {
namespace {

// A fixed-size text field of the profile record, read up to its NUL or its end.
template <std::size_t N>
std::string FieldText(const char (&field)[N]) {
    return std::string(field, strnlen(field, N));
}

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

// One optional piece of the command: its text for the readable command and its
// words for the argument vector.
struct Clause {
    std::string text;
    std::vector<std::string> words;

    void Add(const std::string& word) {
        text += ' ';
        text += word;
        words.push_back(word);
    }
};

Clause AudioClause(const ProfileRecord& profile) {
    const std::string keyword = CodecKeyword(profile);
    const int bitsPerSecond = profile.audioBitrate * 1000;
    Clause clause;
    auto rateChannelsBitrate = [&] {
        clause.Add("-ar");
        clause.Add(std::to_string(profile.sampleRate));
        clause.Add("-ac");
        clause.Add(std::to_string(profile.channels));
        clause.Add("-ab");
        clause.Add(std::to_string(bitsPerSecond));
    };
    if (keyword == "mp3lame") {
        rateChannelsBitrate();
        clause.text.erase(0, 1);  // this clause has no leading blank
    } else if (keyword == "vorbis") {
        clause.Add("-acodec");
        clause.Add("vorbis");
        clause.Add("-ar");
        clause.Add(std::to_string(profile.sampleRate));
        clause.Add("-ac");
        clause.Add("2");
        clause.Add("-aq");
        clause.Add(std::to_string(VorbisQuality(profile.audioBitrate)));
        // The encoder refuses its own Vorbis encoder as experimental without this.
        clause.Add("-strict");
        clause.Add("-2");
    } else if (keyword == "wav" || keyword == "aac" || keyword == "ac3" || keyword == "flac" ||
               keyword == "m4a" || keyword == "mp2" || keyword == "au") {
        rateChannelsBitrate();
    } else if (keyword == "wmav1" || keyword == "wmav2") {
        clause.Add("-acodec");
        clause.Add(keyword);
        rateChannelsBitrate();
    }
    return clause;
}

}  // namespace

// A path that does not start with '/' could read as an option ("-x.wav") or a
// protocol ("http:x"); the file: prefix makes it a plain file name.
std::string EncoderPathArgument(const std::string& path) {
    if (!path.empty() && path.front() == '/') return path;
    return "file:" + path;
}

std::string CodecKeyword(const ProfileRecord& profile) {
    const std::string wanted = FieldText(profile.audioCodec);
    const int count = std::min<int>(profile.audioCodecCount, kMaxCodecEntries);
    int chosen = 0;
    for (int i = 0; i < count; ++i) {
        if (FieldText(profile.audioCodecs[i].name) == wanted) {
            chosen = i;
            break;
        }
    }
    return Lower(FieldText(profile.audioCodecs[chosen].oac));
}

int VorbisQuality(int audioBitrate) {
    switch (audioBitrate) {
        case 64:
            return 25;
        case 80:
            return 30;
        case 96:
            return 40;
        case 128:
            return 50;
        case 192:
            return 100;
        case 256:
            return 150;
        default:
            return 60;
    }
}

std::string MakeUniquePath(const std::string& path) {
    if (!platform::PathExists(path)) return path;
    const std::size_t dot = path.rfind('.');
    const std::string base = dot == std::string::npos ? path : path.substr(0, dot);
    const std::string extension = dot == std::string::npos ? std::string() : path.substr(dot);
    for (int n = 1;; ++n) {
        std::string candidate = base + "(" + std::to_string(n) + ")" + extension;
        if (!platform::PathExists(candidate)) return candidate;
    }
}

EncoderCommand BuildEncoderCommand(const ConversionJob& job, CMediaRecord& task) {
    const ProfileRecord& profile = job.profile;
    const Clause audio = AudioClause(profile);

    Clause start;  // optional clauses, built below
    if (task.trimStart != "00:00:00") {
        start.Add("-ss");
        start.Add(task.trimStart);
    }
    Clause length;
    if (task.trimEnd != task.duration) {
        length.Add("-t");
        length.Add(std::to_string(ClipSeconds(task)));
    }
    Clause volume;
    if (profile.volume != 100) {
        volume.Add("-vol");
        volume.Add(std::to_string(profile.volume + 156));
    }

    std::string folder = job.outputFolder;
    if (!folder.empty() && folder.back() != '/') folder += '/';
    const std::string format = FieldText(profile.format);
    const std::string target = folder + task.title + "." + format;

    EncoderCommand command;
    command.encoderOutputPath =
        MakeUniquePath(format == "m4r" ? folder + task.title + ".m4a" : target);
    task.outputPath = MakeUniquePath(target);

    if (Lower(FieldText(profile.mediaType)) != "audio") return command;

    const std::string programFolder = platform::ProgramFolder();
    command.program = programFolder + "codecs/coder";
    command.text = "\"" + programFolder + "codecs/coder\" -i \"" + task.sourcePath + "\" -vn " +
                   audio.text + "  " + start.text + "  " + length.text + "  " + volume.text +
                   " \"" + command.encoderOutputPath + "\"";

    command.args = {"-n", "-i", EncoderPathArgument(task.sourcePath), "-vn"};
    for (const Clause* clause :
         std::initializer_list<const Clause*>{&audio, &start, &length, &volume}) {
        command.args.insert(command.args.end(), clause->words.begin(), clause->words.end());
    }
    command.args.push_back(EncoderPathArgument(command.encoderOutputPath));
    return command;
}

}  // namespace engine
