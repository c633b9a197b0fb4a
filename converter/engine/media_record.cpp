#include "converter/engine/media_record.h"

#include <utility>

#include "converter/engine/clock_text.h"

namespace engine {

CMediaRecord::CMediaRecord(std::string path, std::string probedDuration)
    : sourcePath(std::move(path)),
      title(TitleOf(sourcePath)),
      duration(std::move(probedDuration)),
      trimEnd(duration) {}

std::string TitleOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    const std::size_t dot = name.rfind('.');
    return dot == std::string::npos ? name : name.substr(0, dot);
}

int32_t ClipSeconds(const CMediaRecord& task) {
    const int64_t d = ParseClockText(task.trimEnd) - ParseClockText(task.trimStart);
    return static_cast<int32_t>(d % 86400);  // C++ % truncates: the result keeps d's sign
}

}  // namespace engine
