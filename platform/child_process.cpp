#include "platform/child_process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/ioctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>

#include "platform/spawn_attributes.h"

extern char** environ;

namespace platform {
namespace {

std::string ErrorText(int error) {
    return std::strerror(error);
}

void CloseFd(int& fd) {
    if (fd >= 0) {
        close(fd);
        fd = -1;
    }
}

// Both ends of a pipe, closed when it goes out of scope unless taken.
struct Pipe {
    int read = -1;
    int write = -1;
    ~Pipe() {
        CloseFd(read);
        CloseFd(write);
    }
};

// Keeps a pipe end off 0, 1 and 2, where it would collide with the standard
// descriptors the child is given (this happens when our own were closed).
bool MoveAboveStandardFds(int& fd) {
    if (fd > 2) return true;
    int moved = fcntl(fd, F_DUPFD_CLOEXEC, 3);
    if (moved < 0) return false;
    close(fd);
    fd = moved;
    return true;
}

// Close-on-exec from birth, so no other thread's spawn can inherit the ends.
bool MakePipe(Pipe& pipe) {
    int fds[2];
    if (pipe2(fds, O_CLOEXEC) != 0) return false;
    pipe.read = fds[0];
    pipe.write = fds[1];
    return MoveAboveStandardFds(pipe.read) && MoveAboveStandardFds(pipe.write);
}

int ExitCodeOf(int status) {
    if (WIFEXITED(status)) return WEXITSTATUS(status);
    if (WIFSIGNALED(status)) return 128 + WTERMSIG(status);
    return -1;
}

// Blocks SIGPIPE in the calling thread while writing to the child's input, so a
// child that stopped reading turns into an EPIPE result instead of ending us.
class SigpipeGuard {
public:
    SigpipeGuard() {
        sigemptyset(&sigpipe_);
        sigaddset(&sigpipe_, SIGPIPE);
        pthread_sigmask(SIG_BLOCK, &sigpipe_, &previous_);
        sigset_t pending;
        sigpending(&pending);
        wasPending_ = sigismember(&pending, SIGPIPE) == 1;
    }
    ~SigpipeGuard() { pthread_sigmask(SIG_SETMASK, &previous_, nullptr); }
    SigpipeGuard(const SigpipeGuard&) = delete;
    SigpipeGuard& operator=(const SigpipeGuard&) = delete;

    // Takes away the SIGPIPE our failed write raised, leaving one that was already pending.
    void DiscardRaised() {
        if (wasPending_) return;
        timespec now{0, 0};
        while (sigtimedwait(&sigpipe_, nullptr, &now) < 0 && errno == EINTR) {
        }
    }

private:
    sigset_t sigpipe_;
    sigset_t previous_;
    bool wasPending_ = false;
};

}  // namespace

ChildProcess::~ChildProcess() {
    CloseInput();
    if (pid_ > 0) {
        Terminate();
        Wait();
    }
    CloseOutput();
}

bool ChildProcess::Start(const std::string& program, const std::vector<std::string>& args,
                         std::string* error) {
    auto fail = [error](const std::string& why) {
        if (error) *error = why;
        return false;
    };
    if (pid_ > 0) return fail("a program was already started with this object");
    if (program.empty()) return fail("no program to run");

    Pipe input;
    Pipe output;
    if (!MakePipe(input) || !MakePipe(output)) {
        return fail("cannot create pipes: " + ErrorText(errno));
    }

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, input.read, STDIN_FILENO);
    posix_spawn_file_actions_adddup2(&actions, output.write, STDOUT_FILENO);
    posix_spawn_file_actions_adddup2(&actions, output.write, STDERR_FILENO);
    // Whatever else is open here (other threads' files, sockets) stays with us.
    posix_spawn_file_actions_addclosefrom_np(&actions, 3);

    posix_spawnattr_t attributes;
    InitSpawnAttributes(attributes, POSIX_SPAWN_SETPGROUP);
    posix_spawnattr_setpgroup(&attributes, 0);  // a group of its own, led by the child

    std::vector<char*> argv;
    argv.reserve(args.size() + 2);
    argv.push_back(const_cast<char*>(program.c_str()));
    for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);

    pid_t pid = -1;
    // A bare name is looked up in PATH; anything with a '/' is taken as the path.
    const bool bareName = program.find('/') == std::string::npos;
    int result =
        bareName ? posix_spawnp(&pid, program.c_str(), &actions, &attributes, argv.data(), environ)
                 : posix_spawn(&pid, program.c_str(), &actions, &attributes, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attributes);
    if (result != 0) return fail("cannot run " + program + ": " + ErrorText(result));

    pid_ = pid;
    outputFd_ = output.read;
    output.read = -1;
    inputFd_ = input.write;
    input.write = -1;
    return true;
}

long ChildProcess::Read(char* buffer, std::size_t size, int timeoutMs) {
    if (outputFd_ < 0 || size == 0) return -1;
    using Clock = std::chrono::steady_clock;
    const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        int waitMs = -1;
        if (timeoutMs >= 0) {
            auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now());
            waitMs = left.count() > 0 ? static_cast<int>(left.count()) : 0;
        }
        pollfd ready{outputFd_, POLLIN, 0};
        int polled = poll(&ready, 1, waitMs);
        if (polled < 0) {
            if (errno == EINTR) continue;
            return -1;
        }
        if (polled == 0) return kTimeout;
        ssize_t got = read(outputFd_, buffer, size);
        if (got < 0) {
            if (errno == EINTR || errno == EAGAIN) continue;
            return -1;
        }
        return static_cast<long>(got);
    }
}

long ChildProcess::Peek() const {
    if (outputFd_ < 0) return -1;
    int waiting = 0;
    if (ioctl(outputFd_, FIONREAD, &waiting) != 0) return -1;
    return waiting;
}

bool ChildProcess::WriteInput(const std::string& text) {
    if (inputFd_ < 0) return false;
    SigpipeGuard guard;
    std::size_t done = 0;
    while (done < text.size()) {
        ssize_t wrote = write(inputFd_, text.data() + done, text.size() - done);
        if (wrote < 0) {
            if (errno == EINTR) continue;
            if (errno == EPIPE) guard.DiscardRaised();
            return false;
        }
        done += static_cast<std::size_t>(wrote);
    }
    return true;
}

void ChildProcess::CloseInput() {
    CloseFd(inputFd_);
}

void ChildProcess::CloseOutput() {
    CloseFd(outputFd_);
}

void ChildProcess::Terminate() {
    std::lock_guard<std::mutex> lock(mutex_);
    // Once reaped, the id may belong to somebody else: never signal it then. Until
    // then the id (and the group named after it) is still ours, even as a zombie.
    if (pid_ <= 0 || exitCode_) return;
    kill(-pid_, SIGKILL);  // the child and everything it started
    kill(pid_, SIGKILL);   // the child too, should it have left its group
}

void ChildProcess::Reap(bool block) {
    if (block) {
        // Waits without reaping, so the reaping itself happens under the lock.
        siginfo_t info;
        while (waitid(P_PID, static_cast<id_t>(pid_), &info, WEXITED | WNOWAIT) != 0 &&
               errno == EINTR) {
        }
    }
    std::lock_guard<std::mutex> lock(mutex_);
    if (exitCode_) return;
    int status = 0;
    pid_t reaped;
    do {
        reaped = waitpid(pid_, &status, WNOHANG);
    } while (reaped < 0 && errno == EINTR);
    if (reaped == pid_) {
        exitCode_ = ExitCodeOf(status);
    } else if (reaped < 0) {
        exitCode_ = -1;  // reaped elsewhere: the exit code is lost, the id no longer ours
    }
}

int ChildProcess::Wait() {
    if (pid_ <= 0) return -1;
    for (;;) {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            if (exitCode_) return *exitCode_;
        }
        Reap(true);
    }
}

std::optional<int> ChildProcess::TryWait() {
    if (pid_ <= 0) return std::nullopt;
    Reap(false);
    std::lock_guard<std::mutex> lock(mutex_);
    return exitCode_;
}

}  // namespace platform
