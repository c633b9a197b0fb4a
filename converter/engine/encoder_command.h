#pragma once

// The encoder's command for one task, built from the job's profile, the task and
// the output folder. The encoder is started directly (no shell) with `args`.

#include <string>
#include <vector>

#include "converter/engine/conversion_job.h"
#include "converter/engine/media_record.h"

namespace engine {

struct EncoderCommand {
    // The readable command that is logged, in the form
    // "\"<program folder>codecs/coder\" -i \"<source>\" -vn <audio>  <start>  <length>  <volume>
    // \"<output>\"" (one blank before the audio clause, two between the clause slots, empty clauses
    // keep their blanks). Empty when the profile's media type is not "audio".
    std::string text;
    // The encoder program: ProgramFolder() + "codecs/coder"; empty with an empty text.
    std::string program;
    // argv[1..] of the encoder: the same words as the text (each path one word,
    // clause words split), plus "-n" first so an existing file is never
    // overwritten. A path not starting with '/' is passed as "file:" + path so a
    // leading '-' or a ':' in it is never taken as an option or a protocol.
    std::vector<std::string> args;
    // The file the encoder writes. Differs from the task's outputPath only for
    // "m4r" (the encoder writes .m4a, the worker renames it afterwards).
    std::string encoderOutputPath;
};

// How a path is handed to the encoder as one argument: as it stands when it
// starts with '/', otherwise "file:" + path (keeps every byte of the name).
std::string EncoderPathArgument(const std::string& path);

// Composes the command for `task` and sets task.outputPath (both paths made
// unique with MakeUniquePath). Never fails.
EncoderCommand BuildEncoderCommand(const ConversionJob& job, CMediaRecord& task);

// `path` itself when nothing of that name exists; otherwise the first of
// base(1).ext, base(2).ext, ... (split at the last '.') that names nothing.
std::string MakeUniquePath(const std::string& path);

// The lower-cased Oac of the profile's audio codec entry named by `audioCodec`
// (entry 0 when none matches or there are no entries).
std::string CodecKeyword(const ProfileRecord& profile);

// Vorbis quality for a bitrate in kbit/s: 64->25, 80->30, 96->40, 128->50,
// 192->100, 256->150, anything else 60.
int VorbisQuality(int audioBitrate);

}  // namespace engine
