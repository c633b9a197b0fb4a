#!/usr/bin/env bash
# Benchmark: quillon-convert against a plain shell loop that runs the encoder
# with the very same arguments, on the same 20 generated files, alternating
# which goes first, for several rounds. Prints each round and the median ratio
# (quillon-convert time / plain loop time).
#
# Usage: bench/run.sh [BUILD_FOLDER] [ROUNDS]      (default: build 5)
#        PROFILE="MP3 ..." bench/run.sh ...          (default: the default profile)
set -euo pipefail
build=$(cd "${1:-build}" && pwd)
rounds=${2:-5}
files=20
seconds=${SECONDS_PER_FILE:-4}
converter="$build/quillon-convert"
coder="$build/codecs/coder"
[[ -x "$converter" && -x "$coder" ]] || { echo "Build first: make build" >&2; exit 1; }

work=$(mktemp -d /tmp/quillon-bench-XXXXXX)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/in"
profile_args=()
[[ -n "${PROFILE:-}" ]] && profile_args=(-p "$PROFILE")

echo "Making $files files of $seconds s..."
for i in $(seq -w 1 "$files"); do
    "$coder" -v error -nostdin -f lavfi -i "sine=frequency=$((200 + 10#$i * 37)):duration=$seconds" \
        -ac 2 -ar 44100 -y "$work/in/tone$i.wav"
done
inputs=("$work/in"/tone*.wav)

# A first run, also to learn the encoder commands from the log.
log_dir="$build/Scribe"
mkdir -p "$log_dir"
before=$(cat "$log_dir"/*.log 2>/dev/null | wc -l)
mkdir -p "$work/learn"
"$converter" -q "${profile_args[@]}" -o "$work/learn" "${inputs[@]}"
cat "$log_dir"/*.log | tail -n +"$((before + 1))" |
    grep -F "\"$coder\" -i \"$work/in/" >"$work/commands.txt" || true
if [[ $(wc -l <"$work/commands.txt") -ne $files ]]; then
    echo "Could not find the $files encoder commands in the log ($log_dir)." >&2
    exit 1
fi
echo "Encoder command of the first file (as logged):"
head -n 1 "$work/commands.txt"

# The plain loop: the logged command with the output folder swapped, and -n
# placed first as quillon-convert passes it, output discarded.
{
    echo 'out=$1'
    sed -e "s|^\"$coder\" |\"$coder\" -n |" -e "s|\"$work/learn/|\"\$out/|" \
        -e 's|$| </dev/null >/dev/null 2>\&1|' "$work/commands.txt"
} >"$work/plain.sh"

now_ns() { date +%s%N; }
run_converter() {
    rm -rf "$work/out" && mkdir -p "$work/out"
    local start=$(now_ns)
    "$converter" -q "${profile_args[@]}" -o "$work/out" "${inputs[@]}"
    echo $(($(now_ns) - start))
}
run_plain() {
    rm -rf "$work/out" && mkdir -p "$work/out"
    local start=$(now_ns)
    bash "$work/plain.sh" "$work/out"
    echo $(($(now_ns) - start))
}
run_probes() {  # what probing costs on its own: the encoder with only -i, one file after the other
    for f in "${inputs[@]}"; do "$coder" -i "$f" </dev/null >/dev/null 2>&1 || true; done
}
# The same encoder runs as quillon-convert makes (a probe with only -i, then the
# conversion, for every file), as a shell would run them: probes and
# conversions in two loops side by side, the best a plain script can do.
run_same_runs() {
    rm -rf "$work/out" && mkdir -p "$work/out"
    local start=$(now_ns)
    run_probes &
    bash "$work/plain.sh" "$work/out"
    wait
    echo $(($(now_ns) - start))
}

ratios=()
same_ratios=()
printf '%-6s %14s %14s %16s %10s %10s\n' round converter_ms plain_ms probe+plain_ms vs_plain vs_same
for round in $(seq 1 "$rounds"); do
    if ((round % 2)); then
        c=$(run_converter); p=$(run_plain); q=$(run_same_runs)
    else
        q=$(run_same_runs); p=$(run_plain); c=$(run_converter)
    fi
    ratio=$(awk -v c="$c" -v p="$p" 'BEGIN { printf "%.4f", c / p }')
    same=$(awk -v c="$c" -v q="$q" 'BEGIN { printf "%.4f", c / q }')
    ratios+=("$ratio")
    same_ratios+=("$same")
    printf '%-6s %14d %14d %16d %10s %10s\n' "$round" $((c / 1000000)) $((p / 1000000)) $((q / 1000000)) "$ratio" "$same"
done

median() { printf '%s\n' "$@" | sort -n | awk '{ a[NR] = $1 } END { print (NR % 2) ? a[(NR + 1) / 2] : (a[NR / 2] + a[NR / 2 + 1]) / 2 }'; }
m=$(median "${ratios[@]}")
ms=$(median "${same_ratios[@]}")
pct() { awk -v m="$1" 'BEGIN { printf "%+.1f", (m - 1) * 100 }'; }
echo
echo "median ratio quillon-convert / plain conversion loop: $m ($(pct "$m") %)"
echo "median ratio quillon-convert / plain loop of the same encoder runs (probes beside conversions): $ms ($(pct "$ms") %)"
echo "(quillon-convert probes every file before converting it, ahead of the conversions on a thread of its own;"
echo " at a few seconds a file the encoder's start-up dominates, so the probe costs almost a conversion)"
