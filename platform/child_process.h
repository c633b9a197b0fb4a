#pragma once

#include <sys/types.h>

#include <cstddef>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "platform/platform_export.h"

namespace platform {

// One child program with its standard input from a pipe and its standard output
// and standard error merged into one pipe. The child runs in a process group of
// its own, so Terminate() ends it and everything it started. No shell is
// involved: arguments reach the program exactly as given. No descriptor of ours
// leaks into the child. The destructor terminates and reaps a child still there.
//
// Threads: one thread reads and writes; Terminate(), Wait() and TryWait() may be
// called from another at the same time (a thread blocked in Wait() does not hold
// up Terminate()).
class QUILLON_PLATFORM_API ChildProcess {
public:
    static constexpr long kTimeout = -2;

    ChildProcess() = default;
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    // Starts `program` with `args` (argv[1..]). False, with a reason in `error`
    // when given, when the pipes cannot be made or the program cannot be run.
    bool Start(const std::string& program, const std::vector<std::string>& args,
               std::string* error = nullptr);

    // Reads up to `size` bytes of the merged output. Blocks until some output
    // arrives, the output ends or `timeoutMs` passes (negative: no limit).
    // Returns the byte count, 0 at the end of the output, -1 on error,
    // kTimeout when the time passed without output.
    long Read(char* buffer, std::size_t size, int timeoutMs = -1);

    // How many bytes are waiting in the output pipe, without blocking; -1 on error.
    long Peek() const;

    // Writes to the child's standard input; false when the pipe is closed.
    bool WriteInput(const std::string& text);
    void CloseInput();

    // Ends the child and its whole process group (SIGKILL). Safe when the child
    // has already exited or was never started.
    void Terminate();

    // Waits for the child to exit and returns its exit code (128 + signal number
    // when a signal ended it); -1 when there is no child.
    int Wait();

    // The exit code when the child has exited, without blocking.
    std::optional<int> TryWait();

    bool Started() const { return pid_ > 0; }
    pid_t Pid() const { return pid_; }

private:
    void CloseOutput();
    // Reaps the child if it has exited; `block` waits for that. Caller holds no lock.
    void Reap(bool block);

    pid_t pid_ = -1;  // set once by Start(); stays after the child is reaped
    int outputFd_ = -1;
    int inputFd_ = -1;
    // Guards exitCode_: the child is reaped and signalled only under this lock, so
    // a signal can never reach a reused process id.
    mutable std::mutex mutex_;
    std::optional<int> exitCode_;
};

}  // namespace platform
