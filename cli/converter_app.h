#pragma once

#include <string>
#include <vector>

namespace cli {

// Exit codes of quillon-convert.
inline constexpr int kExitAllConverted = 0;
inline constexpr int kExitSomeFailed = 1;
inline constexpr int kExitUsage = 2;
inline constexpr int kExitInterrupted = 130;

// The whole command-line converter: argv[1..] in, exit code out.
int RunConverter(const std::vector<std::string>& args);

}  // namespace cli
