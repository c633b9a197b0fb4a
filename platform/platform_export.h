#pragma once

// The platform layer is one shared library, so that process-wide state such as
// the program folder is the same for the program and every library it loads.
#define QUILLON_PLATFORM_API __attribute__((visibility("default")))
