#pragma once

#include <spawn.h>

namespace platform {

// Starts `attributes` for a child that begins with no signal blocked and with
// SIGPIPE at its default action (an ignored SIGPIPE would be inherited through
// exec), plus `extraFlags` such as a process group or session of its own. The
// caller destroys them with posix_spawnattr_destroy. Internal to the library.
void InitSpawnAttributes(posix_spawnattr_t& attributes, short extraFlags);

}  // namespace platform
