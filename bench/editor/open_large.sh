#!/bin/bash
# Opens a file in a real editor under an X server and reports, from the outside:
# seconds to the first window, seconds until the process settles (its processor
# time stops growing for half a second; "never" after 120 s), its processor
# time, and its peak resident memory. Run it inside an X session with a window manager, e.g.
#   xvfb-run -a sh -c 'openbox & sleep 1; bench/editor/open_large.sh build/bin/wex big.txt'
# The same script measures another editor given in place of wex, for a ratio in
# the same run.
set -eu
program=$1
file=$2
cpu_ticks() { awk '{print $14 + $15}' "/proc/$1/stat" 2>/dev/null || echo 0; }
now() { date +%s.%N; }

start=$(now)
"$program" "$file" >/dev/null 2>&1 &
pid=$!
window=""
until [ -n "$window" ]; do
  window=$(xdotool search --onlyvisible --pid "$pid" 2>/dev/null | head -1 || true)
  sleep 0.02
done
shown=$(now)
last=$(cpu_ticks "$pid")
still=0
polls=0
while [ "$still" -lt 5 ] && [ "$polls" -lt 1200 ]; do
  polls=$((polls + 1))
  sleep 0.1
  ticks=$(cpu_ticks "$pid")
  if [ "$ticks" = "$last" ]; then still=$((still + 1)); else still=0; fi
  last=$ticks
done
settled=$(now)
[ "$polls" -lt 1200 ] || settled=never
peak=$(awk '/VmHWM/ {print $2}' "/proc/$pid/status")
size=$(stat -c %s "$file")
kill "$pid"
wait "$pid" 2>/dev/null || true
awk -v s="$start" -v w="$shown" -v d="$settled" -v t="$last" -v p="$peak" -v n="$size" \
    -v hz="$(getconf CLK_TCK)" -v prog="$(basename "$program")" 'BEGIN {
  printf "%-12s window %.2f s  settled %s  cpu %.2f s  peak %.0f MB (%.2fx the file)\n",
         prog, w - s, d == "never" ? "never" : sprintf("%.2f s", d - s - 0.5), t / hz,
         p / 1024, p * 1024 / n }'
