#include <signal.h>

#include <string>
#include <vector>

#include "cli/converter_app.h"

int main(int argc, char** argv) {
    // A reader that went away (quillon-convert ... | head) must not end us in the
    // middle of a batch: writes to it just fail.
    signal(SIGPIPE, SIG_IGN);
    return cli::RunConverter(std::vector<std::string>(argv + 1, argv + argc));
}
