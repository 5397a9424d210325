#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# CPU of the windowed game in its main menu, then minimised by a window manager, then restored,
# per thread, on a private Xvfb with openbox. Usage: bench/minimised_cpu.sh [GAME_DIR]
# (GAME_DIR defaults to build/game). Needs Xvfb, openbox and xdotool. Nothing is written outside
# a temporary folder, which also serves as HOME.
set -euo pipefail
game="${1:-build/game}"
for tool in Xvfb openbox xdotool xprop; do
  command -v "$tool" >/dev/null || { echo "minimised_cpu: $tool is missing" >&2; exit 2; }
done
tmp="$(mktemp -d)"
pids=()
cleanup() { kill "${pids[@]}" 2>/dev/null || true; rm -rf "$tmp"; }
trap cleanup EXIT
display=":$(( 70 + RANDOM % 200 ))"
Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 & pids+=($!)
sleep 1
export DISPLAY="$display" HOME="$tmp"
openbox >/dev/null 2>&1 & pids+=($!)
sleep 1
SDL_AUDIODRIVER="${SDL_AUDIODRIVER:-dummy}" "$game/zibo" --data-dir "$game" --user-dir "$tmp/user" \
  >"$tmp/game.log" 2>&1 & game_pid=$!
pids=("$game_pid" "${pids[@]}")
sleep 8 # the logo ends; the main menu shows

ticks() { awk '{print $14 + $15}' "/proc/$game_pid/stat"; }
threads() { for f in /proc/"$game_pid"/task/*/stat; do awk '{print $2, $14 + $15}' "$f"; done; }
# Percent of a core the game used over Seconds (clock ticks are 1/100 s).
measure() {
  local label="$1" seconds="$2" before after
  threads >"$tmp/before"
  before="$(ticks)"; sleep "$seconds"; after="$(ticks)"
  threads >"$tmp/after"
  awk -v l="$label" -v t=$((after - before)) -v s="$seconds" 'BEGIN { printf "%s: %.2f %% of a core\n", l, t / s }'
  paste "$tmp/before" "$tmp/after" | awk -v s="$seconds" '{ printf "  %-16s %.2f %%\n", $1, ($4 - $2) / s }'
}
measure "main menu" 10
window="$(xdotool search --pid "$game_pid" | head -1)"
xdotool windowminimize "$window"
sleep 3
xprop -id "$window" WM_STATE | grep -q Iconic || { echo "minimised_cpu: the window was not minimised" >&2; exit 1; }
measure "minimised" 30
xdotool windowactivate "$window" 2>/dev/null || true
sleep 3
measure "restored" 10
