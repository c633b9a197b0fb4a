#include "platform/spawn_attributes.h"

#include <signal.h>

namespace platform {

void InitSpawnAttributes(posix_spawnattr_t& attributes, short extraFlags) {
    posix_spawnattr_init(&attributes);
    posix_spawnattr_setflags(&attributes, static_cast<short>(extraFlags | POSIX_SPAWN_SETSIGMASK |
                                                             POSIX_SPAWN_SETSIGDEF));
    sigset_t noSignals;
    sigemptyset(&noSignals);
    posix_spawnattr_setsigmask(&attributes, &noSignals);
    sigset_t defaults;
    sigemptyset(&defaults);
    sigaddset(&defaults, SIGPIPE);
    posix_spawnattr_setsigdefault(&attributes, &defaults);
}

}  // namespace platform
