#!/usr/bin/env bash
# Hardening checks, run by .ci/run after scripts/test.sh (which leaves the
# normal build in build/). Each stage fails the whole run on any finding:
#   asan      every test again under AddressSanitizer + UndefinedBehaviorSanitizer
#   fuzz      each libFuzzer target for KELVARA_FUZZ_SECONDS (default 30) s
#   tidy      clang-tidy over src/ with the committed .clang-tidy
#   cppcheck  cppcheck over src/ with scripts/cppcheck-suppressions.txt
#   valgrind  memcheck over the engine and tools tests of the normal build
#   format    clang-format --dry-run over src/ tests/ bench/ fuzz/: any
#             difference from .clang-format fails
# Pass stage names to run only those (e.g. scripts/check.sh tidy cppcheck).
# KELVARA_CHECK_JOBS sets the parallelism (default: the number of cores).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
KELVARA_CHECK_TOOLS=1 "$root/scripts/install-deps.sh"

jobs=${KELVARA_CHECK_JOBS:-$(nproc)}
fuzz_seconds=${KELVARA_FUZZ_SECONDS:-30}
build=${KELVARA_BUILD_DIR:-$root/build}
asan_build=${KELVARA_ASAN_BUILD_DIR:-$root/build-asan}
fuzz_build=${KELVARA_FUZZ_BUILD_DIR:-$root/build-fuzz}
tidy_build=${KELVARA_TIDY_BUILD_DIR:-$root/build-tidy}
fuzzers=(ParseRealFuzz SplitStringFuzz DateTimeFuzz ComputeFuzz WeatherReadFuzz CsvReadFuzz)

# Every stage runs even when an earlier one fails, so that one run reports
# everything; the script fails at the end if any stage did. Each stage runs
# in its own subshell with errexit, outside any condition, where bash would
# ignore it.
summary=()
failed=0
run_stage() {
  local name=$1 start=$SECONDS rc
  echo "== $name"
  set +e
  (set -e; "stage_$name")
  rc=$?
  set -e
  local outcome=passed
  if [ $rc -ne 0 ]; then
    outcome=FAILED
    failed=1
  fi
  summary+=("$(printf '%-9s %-6s %4d s' "$name" "$outcome" $((SECONDS - start)))")
}

stage_asan() {
  cmake -S "$root" -B "$asan_build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKELVARA_SANITIZE=ON \
    -DKELVARA_BUILD_BENCH=OFF >/dev/null
  cmake --build "$asan_build" -j "$jobs"
  ctest --test-dir "$asan_build" --output-on-failure -j "$jobs"
}

# One fuzzer for the given time. New inputs go to the build's own corpus;
# the committed seeds are read, never written. A finding is saved as
# artifacts/<target>-crash-... and fails the stage.
run_fuzzer() {
  local target=$1
  local corpus="$fuzz_build/corpus/$target" artifacts="$fuzz_build/artifacts"
  mkdir -p "$corpus" "$artifacts"
  # The readers' inputs may be files whose depth or length is the fault:
  # let them grow to a deeply nested forecast's size.
  local size=()
  case $target in WeatherReadFuzz | CsvReadFuzz) size=(-max_len=262144) ;; esac
  if "$fuzz_build/fuzz/$target" -max_total_time="$fuzz_seconds" -timeout=10 -rss_limit_mb=2048 "${size[@]}" \
      -print_final_stats=1 -artifact_prefix="$artifacts/$target-" \
      "$corpus" "$root/fuzz/corpus/$target" >"$fuzz_build/$target.log" 2>&1; then
    echo "$target: $(grep -m1 -o 'stat::number_of_executed_units: *[0-9]*' "$fuzz_build/$target.log" | grep -o '[0-9]*$') runs, no finding"
  else
    tail -n 60 "$fuzz_build/$target.log"
    echo "$target: FINDING (log $fuzz_build/$target.log, input in $artifacts)"
    return 1
  fi
}

stage_fuzz() {
  CXX=clang++ cmake -S "$root" -B "$fuzz_build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKELVARA_FUZZ=ON \
    -DKELVARA_BUILD_GUI=OFF -DKELVARA_BUILD_TESTS=OFF -DKELVARA_BUILD_BENCH=OFF >/dev/null
  cmake --build "$fuzz_build" -j "$jobs" --target "${fuzzers[@]}"
  export -f run_fuzzer
  export fuzz_build fuzz_seconds root
  printf '%s\n' "${fuzzers[@]}" | xargs -P "$jobs" -I{} bash -c 'run_fuzzer {}'
}

stage_tidy() {
  CXX=clang++ cmake -S "$root" -B "$tidy_build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_EXPORT_COMPILE_COMMANDS=ON -DKELVARA_BUILD_TESTS=OFF -DKELVARA_BUILD_BENCH=OFF >/dev/null
  # Our sources only, not what moc, rcc or configure_file generate.
  local log="$tidy_build/clang-tidy.log"
  if ! run-clang-tidy -quiet -p "$tidy_build" -j "$jobs" -header-filter="^$root/src/" "^$root/src/" \
      >"$log" 2>&1; then
    # run-clang-tidy always colours its output.
    sed 's/\x1b\[[0-9;]*m//g' "$log" | grep -E -A3 '(error|warning): ' || tail -n 40 "$log"
    echo "clang-tidy: findings (log $log)"
    return 1
  fi
  echo "clang-tidy: clean"
}

stage_cppcheck() {
  local includes=()
  for dir in tools/objects engine analysis cli widgets frame languages about main analysisview; do
    [ -d "$root/src/$dir" ] && includes+=("-I$root/src/$dir")
  done
  cppcheck "${includes[@]}" --enable=warning,style,performance,portability --std=c++20 --language=c++ \
    --library=qt --inline-suppr --error-exitcode=1 --quiet -j "$jobs" \
    --suppressions-list="$root/scripts/cppcheck-suppressions.txt" "$root/src"
  echo "cppcheck: clean"
}

# Memcheck runs the tests built by scripts/test.sh; every error, and every
# leak but memory still reachable at exit, fails.
stage_valgrind() {
  local tests=() failed=0
  mapfile -t tests < <(find "$build/tests/engine" "$build/tests/tools" -type f -executable \
    -not -name '*.so' -not -path '*/CMakeFiles/*' 2>/dev/null | sort)
  if [ ${#tests[@]} -eq 0 ]; then
    echo "valgrind: no engine or tools tests in $build (run scripts/test.sh first)"
    return 1
  fi
  for t in "${tests[@]}"; do
    if valgrind --tool=memcheck --quiet --leak-check=full --show-leak-kinds=definite,indirect,possible \
        --errors-for-leak-kinds=definite,indirect,possible --error-exitcode=99 "$t" \
        --gtest_brief=1 >"$t.valgrind.log" 2>&1; then
      echo "valgrind: ${t#"$build"/} clean"
    else
      tail -n 40 "$t.valgrind.log"
      echo "valgrind: ${t#"$build"/} FAILED (log $t.valgrind.log)"
      failed=1
    fi
  done
  return $failed
}

# clang-format 14, as scripts/install-deps.sh installs it: another version
# may lay the same code out differently.
stage_format() {
  local files=()
  mapfile -t files < <(cd "$root" && find src tests bench fuzz -type f \( -name '*.cpp' -o -name '*.h' \) | sort)
  (cd "$root" && clang-format --dry-run -Werror "${files[@]}")
  echo "clang-format: ${#files[@]} files as formatted"
}

stages=("$@")
[ ${#stages[@]} -eq 0 ] && stages=(format asan fuzz tidy cppcheck valgrind)
for s in "${stages[@]}"; do
  run_stage "$s"
done
echo "== summary"
printf '%s\n' "${summary[@]}"
exit $failed
