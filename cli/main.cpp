#include <string>
#include <vector>

#include "cli/converter_app.h"

int main(int argc, char** argv) {
    return cli::RunConverter(std::vector<std::string>(argv + 1, argv + argc));
}
