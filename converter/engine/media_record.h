#pragma once

// One task of the task list: a media file and the part of it to convert.

#include <cstdint>
#include <string>

namespace engine {

// Threads: owned by the task-list row on the interface thread; during a batch the
// worker thread writes outputPath of the task it converts, and nothing else
// touches the record while the batch runs.
class CMediaRecord {
public:
    CMediaRecord() = default;
    // A new task for `sourcePath` with the probed `duration` ("HH:MM:SS"):
    // title derived from the path, trimStart "00:00:00", trimEnd = duration, kind 1.
    CMediaRecord(std::string sourcePath, std::string duration);
    virtual ~CMediaRecord() = default;

    CMediaRecord(const CMediaRecord&) = default;
    CMediaRecord& operator=(const CMediaRecord&) = default;

    std::string sourcePath;  // full path of the media file, as added
    std::string title;       // file name without its last extension; output name base
    std::string outputPath;  // the finished output file; set by BuildEncoderCommand
    int32_t kind = 1;        // 1 = media file
    std::string duration;    // "HH:MM:SS" from the media probe
    std::string trimStart = "00:00:00";
    std::string trimEnd;  // equal to duration when the task runs to the end
};

// The file name of `path` (after the last '/') without its last extension: the
// text before the last '.' of the name, or the whole name when it has none.
std::string TitleOf(const std::string& path);

// Length of the part to convert in seconds: trimEnd - trimStart (both read with
// ParseClockText), reduced modulo 86400 keeping the sign. Negative when trimEnd
// is earlier than trimStart; 0 when both are empty or equal.
int32_t ClipSeconds(const CMediaRecord& task);

}  // namespace engine
