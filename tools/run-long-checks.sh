#!/usr/bin/env bash
# The long checks, beyond the test suite: a million ticks of the core under random commands
# in the sanitizer build and in the plain build, the real window under valgrind, and the
# trace tool's command reader under libFuzzer. Prints their figures at the end; exits
# non-zero as soon as one of them fails.
#
#   SOAK_TICKS    ticks of each soak (default 1000000)
#   SEED          seed of the soaks (default: a new one, printed)
#   WINDOW_TICKS  ticks of the window under valgrind (default 5000)
#   FUZZ_SECONDS  how long the fuzzer runs (default 300)
set -euo pipefail
cd "$(dirname "$0")/.."
tools/setup.sh tools/packages.txt tools/packages-long.txt

soak_ticks=${SOAK_TICKS:-1000000}
seed=${SEED:-$(od -An -N8 -tu8 /dev/urandom | tr -d ' ')}
window_ticks=${WINDOW_TICKS:-5000}
fuzz_seconds=${FUZZ_SECONDS:-300}
jobs=$(nproc)
logs=build/long-checks
mkdir -p "$logs"

step() { printf '\n== %s\n' "$*"; }

step "Building: plain, sanitizers, fuzzer (clang)"
cmake -S . -B build >/dev/null
cmake --build build -j"$jobs" --target animatsiya-soak window_soak
cmake -S . -B build-asan -DANIMATSIYA_SANITIZE=ON >/dev/null
cmake --build build-asan -j"$jobs" --target animatsiya-soak
CXX=clang++ cmake -S . -B build-fuzz -DANIMATSIYA_SANITIZE=ON -DANIMATSIYA_FUZZ=ON \
  -DBUILD_TESTING=OFF >/dev/null
cmake --build build-fuzz -j"$jobs" --target trace_fuzzer

step "Soak under AddressSanitizer and UndefinedBehaviorSanitizer"
build-asan/bin/animatsiya-soak --ticks "$soak_ticks" --seed "$seed" | tee "$logs/soak-asan.txt"

step "Soak in the plain build: resident memory"
build/bin/animatsiya-soak --ticks "$soak_ticks" --seed "$seed" | tee "$logs/soak-plain.txt"

step "The real window under valgrind memcheck, $window_ticks ticks"
QT_QPA_PLATFORM=offscreen valgrind --leak-check=full --errors-for-leak-kinds=definite \
  --error-exitcode=1 build/bin/window_soak "$window_ticks" >"$logs/valgrind.txt" 2>&1 || {
  cat "$logs/valgrind.txt"
  echo "run-long-checks: valgrind found errors in the window (log: $logs/valgrind.txt)" >&2
  exit 1
}
grep -E 'window_soak:|definitely lost|ERROR SUMMARY' "$logs/valgrind.txt"

step "Fuzzing the trace tool's commands for $fuzz_seconds s"
mkdir -p build-fuzz/corpus build-fuzz/artifacts
build-fuzz/bin/trace_fuzzer -dict=fuzz/trace.dict -max_total_time="$fuzz_seconds" -timeout=10 \
  -print_final_stats=1 -artifact_prefix=build-fuzz/artifacts/ build-fuzz/corpus fuzz/corpus \
  >"$logs/fuzz.txt" 2>&1 || {
  tail -n 40 "$logs/fuzz.txt"
  echo "run-long-checks: the fuzzer failed (log: $logs/fuzz.txt, inputs: build-fuzz/artifacts)" >&2
  exit 1
}
grep -E '^(Done|stat::)' "$logs/fuzz.txt"

figure() { sed -n "$2" "$1"; }
step "Figures"
echo "soak seed:            $seed"
echo "ticks soaked:         $soak_ticks under the sanitizers, $soak_ticks in the plain build"
echo "resident memory:      $(figure "$logs/soak-plain.txt" 's/.*VmRSS \(.*\)$/\1/p')"
echo "valgrind:             $(figure "$logs/valgrind.txt" \
  's/.*\(definitely lost: .*\|no leaks are possible\)$/\1/p');" \
  "$(figure "$logs/valgrind.txt" 's/.*\(ERROR SUMMARY: [0-9]* errors\).*/\1/p')"
echo "fuzz executions:      $(figure "$logs/fuzz.txt" 's/^stat::number_of_executed_units: //p')" \
  "in ${fuzz_seconds} s, $(figure "$logs/fuzz.txt" 's/^stat::average_exec_per_sec: *//p')/s," \
  "corpus $(find build-fuzz/corpus -type f | wc -l) inputs"
