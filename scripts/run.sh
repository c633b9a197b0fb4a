#!/usr/bin/env bash
# Starts the program from the build folder (the program folder).
set -euo pipefail
build=${1:-build}
echo "Program folder: $build"
ls "$build"
