// The log: each WriteLogLine call appends one whole record to Scribe/YYYY-MM-DD.log
// in the program folder (the local date of the write). A null text writes nothing.
//
// A record is written with a single write() on a descriptor opened with O_APPEND,
// so two threads, or two programs sharing the folder, never mix inside a record.
// The file is opened for every record: records are few, and a log folder deleted
// while the program runs simply comes back.

#include "scribe/scribe.h"

#include <errno.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <mutex>
#include <string>

#include "platform/program_folder.h"

namespace {

// Serialises the writers of this process (interface thread and conversion worker).
std::mutex& LogMutex() {
    static auto* mutex = new std::mutex;
    return *mutex;
}

std::string TodaysLogName() {
    time_t now = time(nullptr);
    struct tm local {};
    localtime_r(&now, &local);
    char name[32];
    std::snprintf(name, sizeof name, "%04d-%02d-%02d.log", local.tm_year + 1900, local.tm_mon + 1,
                  local.tm_mday);
    return name;
}

// False when the line is lost (folder or file cannot be made, disk full, ...).
bool AppendRecord(const std::string& record) {
    std::string folder = platform::ProgramFolder() + "Scribe/";
    if (mkdir(folder.c_str(), 0755) != 0 && errno != EEXIST) return false;
    int fd =
        open((folder + TodaysLogName()).c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0) return false;
    const char* data = record.data();
    size_t left = record.size();
    bool ok = true;
    while (left > 0) {
        ssize_t n = write(fd, data, left);
        if (n < 0 && errno == EINTR) continue;
        // A short write only happens when the disk fills up; the rest is offered
        // until the disk refuses it.
        if (n <= 0) {
            ok = false;
            break;
        }
        data += n;
        left -= static_cast<size_t>(n);
    }
    close(fd);
    return ok;
}

}  // namespace

void WriteLogLine(const char* text) {
    if (text == nullptr) return;
    try {
        std::string record(text);
        record += '\n';
        std::lock_guard lock(LogMutex());
        AppendRecord(record);
    } catch (...) {
        // The log never stops the program: an out-of-memory or a locking failure
        // loses this line only.
    }
}
