#include "cli/stop_signal.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>

namespace cli {
namespace {

// One instance per process: the handler needs the pipe without any lookup.
int gWriteFd = -1;
int gReadFd = -1;

constexpr char kQuitByte = 0;  // written by the destructor to end the watcher

// Ctrl+C, a polite kill, and the terminal going away: each would otherwise end
// us while the encoder, in a process group of its own, went on writing.
constexpr int kStopSignals[] = {SIGINT, SIGTERM, SIGHUP};

void OnSignal(int number) {
    const int savedErrno = errno;
    const char byte = static_cast<char>(number);
    if (gWriteFd >= 0) {
        [[maybe_unused]] ssize_t written = write(gWriteFd, &byte, 1);
    }
    errno = savedErrno;
}

}  // namespace

StopSignal::StopSignal(std::function<void()> onStop) : onStop_(std::move(onStop)) {
    int fds[2];
    if (pipe2(fds, O_CLOEXEC) != 0) return;  // without the pipe signals keep their default
    gReadFd = fds[0];
    gWriteFd = fds[1];
    fcntl(gWriteFd, F_SETFL, O_NONBLOCK);  // a full pipe must never block the handler

    struct sigaction action {};
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int number : kStopSignals) sigaction(number, &action, nullptr);
    watcher_ = std::thread([this] { Watch(); });
}

StopSignal::~StopSignal() {
    if (!watcher_.joinable()) return;
    const char quit = kQuitByte;
    [[maybe_unused]] ssize_t written = write(gWriteFd, &quit, 1);
    watcher_.join();
    struct sigaction action {};
    action.sa_handler = SIG_DFL;
    sigemptyset(&action.sa_mask);
    for (int number : kStopSignals) sigaction(number, &action, nullptr);
    const int writeFd = gWriteFd;
    gWriteFd = -1;
    close(writeFd);
    close(gReadFd);
    gReadFd = -1;
}

void StopSignal::Watch() {
    for (;;) {
        char byte = 0;
        const ssize_t got = read(gReadFd, &byte, 1);
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0 || byte == kQuitByte) return;
        if (!interrupted_.exchange(true)) {
            signalNumber_ = static_cast<unsigned char>(byte);
            if (onStop_) onStop_();
        }
    }
}

}  // namespace cli
