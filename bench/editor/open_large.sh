#!/bin/bash
# Opens a file in an editor under an X server and reports, from the outside:
# seconds to the first window, seconds until the process settles (its processor
# time stops growing for half a second), its processor time, the share of a core
# it uses over the next five seconds, and its peak resident memory. With a third
# argument N it then presses Ctrl+End and types N keys at the end of the text,
# reporting for each how long the process stayed busy after it (processor time
# is counted in ticks of 10 ms, so short answers read as 0 or 10 ms). Run it
# inside an X session with a window manager (bench/editor/compare.sh does):
#   xvfb-run -a sh -c 'openbox & sleep 1; bench/editor/open_large.sh build/bin/wex big.txt 20'
# The same script measures another editor given in place of wex, for a ratio in
# the same run.
set -eu
program=$1
file=$2
keys=${3:-0}
busy_log=$(mktemp)
cpu_ticks() { awk '{print $14 + $15}' "/proc/$1/stat" 2>/dev/null || echo 0; }
now() { date +%s.%N; }
# Waits until the processor time of $pid stops growing for $1 polls of $2 s
# (giving up after 300 s); sets $last (ticks) and $changed (when they last grew).
settle() {
  local still=0 ticks give_up=$((SECONDS + 300))
  changed=$(now)
  last=$(cpu_ticks "$pid")
  while [ "$still" -lt "$1" ] && [ "$SECONDS" -lt "$give_up" ]; do
    sleep "$2"
    ticks=$(cpu_ticks "$pid")
    if [ "$ticks" = "$last" ]; then still=$((still + 1)); else still=0; changed=$(now); fi
    last=$ticks
  done
}
median_max() {
  sort -n | awk '{v[NR] = $1} END {
    if (NR) printf "median %.1f ms, max %.1f ms (%d keys)", v[int((NR + 1) / 2)], v[NR], NR }'
}

start=$(now)
"$program" "$file" >/dev/null 2>&1 &
pid=$!
window=""
until [ -n "$window" ]; do
  window=$(xdotool search --onlyvisible --pid "$pid" 2>/dev/null | head -1 || true)
  sleep 0.02
done
shown=$(now)
settle 5 0.1
settled=$(now)
busy=$last
sleep 5
idle=$(( $(cpu_ticks "$pid") - busy ))
peak=$(awk '/VmHWM/ {print $2}' "/proc/$pid/status")
hz=$(getconf CLK_TCK)
awk -v s="$start" -v w="$shown" -v d="$settled" -v t="$busy" -v i="$idle" -v p="$peak" \
    -v n="$(stat -c %s "$file")" -v hz="$hz" -v prog="$(basename "$program")" 'BEGIN {
  printf "%-15s window %.2f s  settled %.2f s  cpu %.2f s  idle cpu %.1f%%  " \
         "peak %.0f MB (%.2fx the file)\n",
         prog, w - s, d - s - 0.5, t / hz, 100 * i / hz / 5, p / 1024, p * 1024 / n }'

if [ "$keys" -gt 0 ]; then
  xdotool windowactivate --sync "$window" >/dev/null 2>&1 || true
  xdotool key ctrl+End
  settle 30 0.01
  for _ in $(seq "$keys"); do
    sent=$(now)
    xdotool type a
    settle 30 0.01
    awk -v a="$sent" -v b="$changed" \
        'BEGIN {printf "%.0f\n", (b > a ? 1000 * (b - a) : 0)}' >> "$busy_log"
  done
  echo "                key busy: $(median_max < "$busy_log")"
fi
kill "$pid"
wait "$pid" 2>/dev/null || true
rm -f "$busy_log"
