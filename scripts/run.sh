#!/usr/bin/env bash
# Until the main window exists: converts a generated 10-second tone with the
# command-line converter and the default profile, and says where the output went.
# Usage: scripts/run.sh BUILD_FOLDER
set -euo pipefail
build=${1:-build}
converter="$build/quillon-convert"
coder="$build/codecs/coder"
if [[ ! -x "$converter" || ! -x "$coder" ]]; then
    echo "No converter in $build: run 'make build' first." >&2
    exit 1
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
sample="$work/Quillon sample tone.wav"
"$coder" -v error -nostdin -f lavfi -i "sine=frequency=440:duration=10" -ac 2 -y "$sample"

echo "Converting a 10-second tone with the default profile:"
status=0
"$converter" "$sample" | tee "$work/summary" || status=$?
if [[ $status -ne 0 ]]; then
    echo "The conversion did not succeed (exit code $status)." >&2
    exit "$status"
fi
output=$(sed -n 's/^  converted: .* -> //p' "$work/summary" | tail -n 1)
echo
echo "Output: $output"
