#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Whole-game benchmarks of the headless game, timed from outside (not run by ctest).
#
#   bench/game_bench.sh [GAME_DIR [GAME_OPTION...]]   GAME_DIR defaults to build/game
#
# Options after GAME_DIR go to every run of the game (--renderer none, --atlas off).
#
# start-up: CPU from exec to the end of the first frame (every archive loaded), five runs.
# play:     a fixed seed from the main menu into stage 1 and 3,000 frames of it, with the
#           draw-call and memory statistics of a play frame; CPU microseconds per frame.
# Each figure is the median of five runs. Runs use a temporary user folder.
set -euo pipefail
game_dir="$(cd "${1:-build/game}" && pwd)"
shift || true
extra=("$@")
zibo="$game_dir/zibo"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

# CPU seconds (user + system, every thread) of one headless run of a control file.
run_cpu() {
    local control="$1" trace="$2"
    rm -rf "$work/user" && mkdir -p "$work/user"
    /usr/bin/time -f '%U %S' -o "$work/time" "$zibo" --headless --seed 1 --data-dir "$game_dir" \
        --user-dir "$work/user" --control "$control" --trace "$trace" "${extra[@]}" 2>/dev/null
    awk '{ printf "%.3f\n", $1 + $2 }' "$work/time"
}

median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

printf 'frames 1\n' >"$work/start.txt"
cat >"$work/play.txt" <<'EOF'
frames 390
type Bench
frames 2
key 13
frames 105
stats
click 600 296
frames 5
click 600 268
frames 105
key 13
frames 3
key 13
frames 501
key 27
frames 150
stats
frames 3000
stats
EOF

echo "machine: $(nproc) cores, load $(cut -d' ' -f1-3 /proc/loadavg), $(date -u +%F)"
start=$(for i in 1 2 3 4 5; do run_cpu "$work/start.txt" /dev/null; done | median)
echo "start-up CPU (exec to first frame): ${start} s"
# The same script without its last 3,000 frames gives the cost of everything before them.
sed '$d' "$work/play.txt" | sed '$d' | sed '$d' >"$work/lead.txt"
lead=$(for i in 1 2 3 4 5; do run_cpu "$work/lead.txt" /dev/null; done | median)
full=$(for i in 1 2 3 4 5; do run_cpu "$work/play.txt" "$work/trace.txt"; done | median)
awk -v a="$full" -v b="$lead" 'BEGIN { printf "play CPU per frame: %.0f us (3,000 frames of stage 1)\n", (a - b) * 1e6 / 3000 }'
grep ' stats ' "$work/trace.txt" | sed 's/^/  /'
