#!/bin/bash
# Time from launching the program to its start screen being mapped on an X
# display, measured from outside the process (needs Xvfb and xdotool).
# Usage: bench/startup_time.sh [build folder] [runs]
set -euo pipefail
build="${1:-build}"
runs="${2:-15}"
program="$build/Quorvel/quorvel"
display=":87"

Xvfb "$display" -screen 0 1280x1024x24 >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null' EXIT
until DISPLAY="$display" xdotool getdisplaygeometry >/dev/null 2>&1; do sleep 0.05; done

times=()
for _ in $(seq 1 "$runs"); do
    start=$(date +%s%N)
    DISPLAY="$display" "$program" >/dev/null 2>&1 &
    pid=$!
    polls=0
    until DISPLAY="$display" xdotool search --onlyvisible --class quorvel >/dev/null 2>&1; do
        sleep 0.005
        polls=$((polls + 1))
        if [ "$polls" -gt 2000 ]; then echo "start screen never appeared" >&2; exit 1; fi
    done
    end=$(date +%s%N)
    kill "$pid"
    wait "$pid" 2>/dev/null || true
    times+=($(( (end - start) / 1000000 )))
    sleep 0.3
done
sorted=($(printf '%s\n' "${times[@]}" | sort -n))
echo "start to start screen shown: median ${sorted[$((runs / 2))]} ms over $runs runs (all: ${times[*]})"
