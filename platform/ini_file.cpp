#include "platform/ini_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <string_view>
#include <vector>

namespace platform {
namespace {

// One line of the file: its text and the line ending it had ("\r\n", "\n" or
// none on a last line), so untouched lines are written back byte for byte.
struct Line {
    std::string text;
    std::string ending;
};

std::vector<Line> SplitLines(const std::string& content) {
    std::vector<Line> lines;
    std::size_t start = 0;
    while (start < content.size()) {
        std::size_t newline = content.find('\n', start);
        if (newline == std::string::npos) {
            lines.push_back({content.substr(start), ""});
            break;
        }
        std::size_t textEnd = newline;
        if (textEnd > start && content[textEnd - 1] == '\r') --textEnd;
        lines.push_back({content.substr(start, textEnd - start),
                         content.substr(textEnd, newline + 1 - textEnd)});
        start = newline + 1;
    }
    return lines;
}

std::string_view Trim(std::string_view text) {
    const char* blanks = " \t\r";
    std::size_t first = text.find_first_not_of(blanks);
    if (first == std::string_view::npos) return {};
    std::size_t last = text.find_last_not_of(blanks);
    return text.substr(first, last - first + 1);
}

bool SameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        char x = a[i];
        char y = b[i];
        if (x >= 'A' && x <= 'Z') x = static_cast<char>(x - 'A' + 'a');
        if (y >= 'A' && y <= 'Z') y = static_cast<char>(y - 'A' + 'a');
        if (x != y) return false;
    }
    return true;
}

// The text of the first line, without a UTF-8 byte order mark an editor may have put there.
std::string_view LineText(const std::vector<Line>& lines, std::size_t index) {
    std::string_view text = lines[index].text;
    if (index == 0 && text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
    return text;
}

// "[name]" (blanks allowed around and inside the brackets) gives the trimmed name.
bool SectionOf(std::string_view text, std::string_view* name) {
    text = Trim(text);
    if (text.empty() || text.front() != '[') return false;
    std::size_t close = text.find(']');
    if (close == std::string_view::npos) return false;
    *name = Trim(text.substr(1, close - 1));
    return true;
}

bool IsComment(std::string_view text) {
    text = Trim(text);
    return !text.empty() && (text.front() == ';' || text.front() == '#');
}

// "key = value": the trimmed key and where the value starts (after '=' and blanks).
bool KeyOf(std::string_view text, std::string_view* key, std::size_t* valueStart) {
    if (IsComment(text)) return false;
    std::size_t equals = text.find('=');
    if (equals == std::string_view::npos) return false;
    *key = Trim(text.substr(0, equals));
    std::size_t value = text.find_first_not_of(" \t", equals + 1);
    *valueStart = value == std::string_view::npos ? text.size() : value;
    return true;
}

// Where the section and the key were found; npos when missing. Like the Windows
// profile functions, the first section of that name and its first such key count.
struct Location {
    std::size_t section = std::string::npos;
    std::size_t key = std::string::npos;
    std::size_t lastKey = std::string::npos;  // last key line of the section
    std::size_t keyValueStart = 0;
};

Location Find(const std::vector<Line>& lines, const std::string& section, const std::string& key) {
    Location found;
    bool inSection = false;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        std::string_view text = LineText(lines, i);
        std::string_view name;
        if (SectionOf(text, &name)) {
            if (inSection) break;
            inSection = SameName(name, section);
            if (inSection) found.section = i;
            continue;
        }
        std::string_view lineKey;
        std::size_t valueStart = 0;
        if (!inSection || !KeyOf(text, &lineKey, &valueStart)) continue;
        found.lastKey = i;
        if (found.key == std::string::npos && SameName(lineKey, key)) {
            found.key = i;
            found.keyValueStart = valueStart + (lines[i].text.size() - text.size());
        }
    }
    return found;
}

std::optional<std::string> ReadWholeFile(const std::string& path) {
    int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return std::nullopt;
    std::string content;
    char buffer[8192];
    for (;;) {
        ssize_t got = read(fd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) {
            const int error = errno;
            close(fd);
            errno = error;
            return std::nullopt;
        }
        if (got == 0) break;
        content.append(buffer, static_cast<std::size_t>(got));
    }
    close(fd);
    return content;
}

bool WriteAll(int fd, const std::string& content) {
    std::size_t done = 0;
    while (done < content.size()) {
        ssize_t wrote = write(fd, content.data() + done, content.size() - done);
        if (wrote < 0 && errno == EINTR) continue;
        if (wrote <= 0) return false;
        done += static_cast<std::size_t>(wrote);
    }
    return true;
}

std::string FolderOf(const std::string& path) {
    std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// Writes `content` beside `path` under a temporary name and renames it over
// `path`, so readers see either the old file or the new one, never a mix.
bool ReplaceFile(const std::string& path, const std::string& content) {
    // A settings file that is a link stays a link: its target is replaced.
    std::string target = path;
    if (char* resolved = realpath(path.c_str(), nullptr)) {
        target = resolved;
        std::free(resolved);
    }
    struct stat old;
    const bool existed = stat(target.c_str(), &old) == 0;
    // The rename would get past a file the user made read-only; honour it instead.
    if (existed && access(target.c_str(), W_OK) != 0) return false;

    static std::atomic<unsigned> counter{0};
    std::string temporary;
    int fd = -1;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        temporary = target + ".tmp" + std::to_string(getpid()) + "-" + std::to_string(counter++);
        // 0666 before the umask, as any newly made file; an existing file's mode is kept below.
        fd = open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST) return false;
    }
    if (fd < 0) return false;

    bool ok = WriteAll(fd, content);
    if (ok && existed) ok = fchmod(fd, old.st_mode & 07777) == 0;
    ok = ok && fsync(fd) == 0;
    ok = (close(fd) == 0) && ok;
    ok = ok && rename(temporary.c_str(), target.c_str()) == 0;
    if (!ok) {
        unlink(temporary.c_str());
        return false;
    }
    // The rename itself reaches the disk with the folder.
    int folder = open(FolderOf(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder >= 0) {
        fsync(folder);
        close(folder);
    }
    return true;
}

bool HasLineBreak(const std::string& text) {
    return text.find_first_of("\r\n") != std::string::npos;
}

}  // namespace

std::optional<std::string> ReadProfileString(const std::string& path, const std::string& section,
                                             const std::string& key) {
    std::optional<std::string> content = ReadWholeFile(path);
    if (!content) return std::nullopt;
    std::vector<Line> lines = SplitLines(*content);
    Location found = Find(lines, section, key);
    if (found.key == std::string::npos) return std::nullopt;
    std::string_view text = lines[found.key].text;
    return std::string(Trim(text.substr(found.keyValueStart)));
}

bool WriteProfileString(const std::string& path, const std::string& section, const std::string& key,
                        const std::string& value) {
    // A name or value that would break the line structure could plant other keys.
    if (Trim(section).empty() || Trim(key).empty() || HasLineBreak(section) || HasLineBreak(key) ||
        HasLineBreak(value) || section.find(']') != std::string::npos ||
        key.find('=') != std::string::npos || IsComment(key) || Trim(key).front() == '[') {
        return false;
    }
    std::optional<std::string> content = ReadWholeFile(path);
    if (!content) {
        if (errno != ENOENT) return false;  // there but unreadable: never overwrite it
        content.emplace();
    }
    std::vector<Line> lines = SplitLines(*content);

    // New lines follow the file's own line ending style.
    std::string ending = "\n";
    if (!lines.empty() && !lines.front().ending.empty()) ending = lines.front().ending;

    const std::string keyLine = std::string(Trim(key)) + "=" + value;
    Location found = Find(lines, section, key);
    if (found.key != std::string::npos) {
        Line& line = lines[found.key];
        line.text = line.text.substr(0, found.keyValueStart) + value;
    } else {
        std::size_t insertAfter =
            found.lastKey != std::string::npos ? found.lastKey : found.section;
        if (insertAfter == std::string::npos) {
            if (!lines.empty() && lines.back().ending.empty()) lines.back().ending = ending;
            lines.push_back({"[" + std::string(Trim(section)) + "]", ending});
            insertAfter = lines.size() - 1;
        }
        if (lines[insertAfter].ending.empty()) lines[insertAfter].ending = ending;
        lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(insertAfter) + 1,
                     Line{keyLine, ending});
    }

    std::string updated;
    updated.reserve(content->size() + keyLine.size() + section.size() + 8);
    for (const Line& line : lines) updated += line.text + line.ending;
    return ReplaceFile(path, updated);
}

}  // namespace platform
