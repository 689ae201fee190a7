#!/bin/bash
# Start-up against a bare Qt Widgets window (bench_bare_window, built beside
# the program): each is launched in turn, alternating, on one X display, and
# timed from launch to its first window mapped, as the X server reports it
# (bench_first_map); the figure is the median of the pairwise ratios, so
# that the machine's ups and downs touch both alike. Peak memory (VmHWM) is
# read at the same moment. Needs Xvfb.
# Usage: bench/startup_time.sh [build folder] [pairs]
set -euo pipefail
build="${1:-build}"
pairs="${2:-31}"
program="$build/Quorvel/quorvel"
bare="$build/bench/bench_bare_window"
stopwatch="$build/bench/bench_first_map"

# A display of its own: Xvfb picks a free number and writes it out. Without
# -noreset it would reset each time the last client leaves, refusing the
# next launch for that moment.
number_file=$(mktemp)
errors=$(mktemp)
Xvfb -displayfd 1 -noreset -screen 0 1366x768x24 >"$number_file" 2>/dev/null &
xvfb=$!
trap 'kill $xvfb 2>/dev/null; rm -f "$number_file" "$errors"' EXIT
until [ -s "$number_file" ]; do sleep 0.05; done
display=":$(head -1 "$number_file")"
until DISPLAY="$display" "$stopwatch" --check 2>/dev/null; do sleep 0.05; done

# One launch of $1: sets launch_us (launch to window mapped) and launch_kb
# (peak memory then).
launch() {
    local figures
    if ! figures=$(DISPLAY="$display" "$stopwatch" "$1" 2>"$errors"); then
        echo "no window from $1: $(tail -3 "$errors")" >&2
        exit 1
    fi
    launch_us=$(echo "$figures" | sed -n 's/.*launch_us=\([0-9]*\).*/\1/p')
    launch_kb=$(echo "$figures" | sed -n 's/.*peak_kb=\([0-9]*\).*/\1/p')
}

median() { sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

launch "$program" # warm the file cache for both
launch "$bare"
time_ratios=() memory_ratios=() program_ms=() bare_ms=()
for _ in $(seq 1 "$pairs"); do
    launch "$program"
    p_us=$launch_us p_kb=$launch_kb
    sleep 0.2
    launch "$bare"
    b_us=$launch_us b_kb=$launch_kb
    sleep 0.2
    time_ratios+=("$(awk -v a="$p_us" -v b="$b_us" 'BEGIN { printf "%.4f", a / b }')")
    memory_ratios+=("$(awk -v a="$p_kb" -v b="$b_kb" 'BEGIN { printf "%.4f", a / b }')")
    program_ms+=("$(awk -v a="$p_us" 'BEGIN { printf "%.1f", a / 1000 }')")
    bare_ms+=("$(awk -v a="$b_us" 'BEGIN { printf "%.1f", a / 1000 }')")
done
printf 'startup pairs=%s program_median_ms=%s bare_median_ms=%s time_ratio_median=%s memory_ratio_median=%s\n' \
    "$pairs" \
    "$(printf '%s\n' "${program_ms[@]}" | median)" \
    "$(printf '%s\n' "${bare_ms[@]}" | median)" \
    "$(printf '%s\n' "${time_ratios[@]}" | median)" \
    "$(printf '%s\n' "${memory_ratios[@]}" | median)"
