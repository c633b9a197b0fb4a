#include "platform/desktop.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include <atomic>
#include <cerrno>
#include <thread>

#include "platform/desktop_commands.h"
#include "platform/spawn_attributes.h"

extern char** environ;

namespace platform {
namespace {

// Starts `command` (looked up in PATH, no shell) in a session of its own with
// its input and output on /dev/null, and leaves it running. A detached thread
// only reaps it, so no zombie stays behind.
bool SpawnDetached(const std::vector<std::string>& command) {
    if (command.empty()) return false;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addclosefrom_np(&actions, 3);
    posix_spawnattr_t attributes;
    InitSpawnAttributes(attributes, POSIX_SPAWN_SETSID);

    std::vector<char*> argv;
    for (const std::string& part : command) argv.push_back(const_cast<char*>(part.c_str()));
    argv.push_back(nullptr);
    pid_t pid = -1;
    int result = posix_spawnp(&pid, argv[0], &actions, &attributes, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attributes);
    if (result != 0) return false;
    std::thread([pid] {
        int status = 0;
        while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
        }
    }).detach();
    return true;
}

class SystemDesktop : public Desktop {
public:
    bool Open(const std::string& folderOrUrl) override {
        return !folderOrUrl.empty() && SpawnDetached(OpenCommand(folderOrUrl));
    }
    bool RequestPowerOff() override { return SpawnDetached(PowerOffCommand()); }
};

std::atomic<Desktop*> installed{nullptr};

}  // namespace

Desktop::~Desktop() = default;

Desktop& CurrentDesktop() {
    if (Desktop* desktop = installed.load()) return *desktop;
    static SystemDesktop system;
    return system;
}

void SetDesktop(Desktop* desktop) {
    installed.store(desktop);
}

bool DesktopRecorder::Open(const std::string& folderOrUrl) {
    opened.push_back(folderOrUrl);
    return true;
}

bool DesktopRecorder::RequestPowerOff() {
    ++powerOffRequests;
    return true;
}

std::vector<std::string> OpenCommand(const std::string& folderOrUrl) {
    std::string target = folderOrUrl;
    if (!target.empty() && target.front() == '-') target = "./" + target;
    return {"xdg-open", target};
}

std::vector<std::string> PowerOffCommand() {
    return {"systemctl", "poweroff"};
}

}  // namespace platform
