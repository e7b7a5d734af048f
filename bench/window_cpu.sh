#!/usr/bin/env bash
# The CPU that the real program's window takes at each speed, measured from outside the
# process: the run time of all its threads from /proc over a span of seconds. The speed is
# chosen as a user would, through the menu bar from the keyboard.
#
#   xvfb-run -a -s "-screen 0 1024x768x24" bench/window_cpu.sh PROGRAM [seconds, default 10]
#
# Prints one line per speed and the peak resident memory.
set -euo pipefail
program=${1:?usage: window_cpu.sh PROGRAM [seconds]}
seconds=${2:-10}
command -v xdotool >/dev/null || { echo "window_cpu.sh: xdotool is missing" >&2; exit 2; }

"$program" 2>/dev/null &
pid=$!
trap 'kill $pid 2>/dev/null || true' EXIT
window=""
for _ in $(seq 100); do
  window=$(xdotool search --pid "$pid" --name '^Анимация$' 2>/dev/null | head -1 || true)
  [[ -n $window ]] && break
  sleep 0.1
done
[[ -n $window ]] || { echo "window_cpu.sh: no window of $program" >&2; exit 2; }

# Nanoseconds on the CPU, all threads together.
cpu_ns() { cat /proc/"$pid"/task/*/schedstat | awk '{ s += $1 } END { printf "%d\n", s }'; }

measure() {
  sleep 2  # to settle after the switch
  local before after
  before=$(cpu_ns)
  sleep "$seconds"
  after=$(cpu_ns)
  awk -v d="$((after - before))" -v s="$seconds" -v what="$1" \
    'BEGIN { printf "CPU, %s, whole process: %.2f %% of one core over %d s\n", what, d / (s * 1e7), s }'
}

# "Скорость" is the second menu; its first item is "Нормальная", its second "Быстрая".
choose() {
  xdotool windowfocus --sync "$window" 2>/dev/null || true
  xdotool key --window "$window" alt
  sleep 0.3
  xdotool key Right Down
  for _ in $(seq "$1"); do xdotool key Down; done
  xdotool key Return
}

measure normal
choose 1
measure fast
grep VmHWM /proc/"$pid"/status | awk '{ printf "peak resident memory: %.1f MB\n", $2 / 1024 }'
