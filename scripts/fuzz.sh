#!/bin/sh
# Builds the libFuzzer targets with Clang (AddressSanitizer and UBSan) and runs
# each for a short while from a small seed corpus. Exits with 1 when a target
# finds a crash, a leak or a broken promise; the input that did it is left in
# build/fuzz/artifacts/<target>/.
#
#   scripts/fuzz.sh [SECONDS]     (60 by default, per target)
set -eu
top=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-60}
build="$top/build/fuzz"
targets="to_integer_fuzz dbase_layout_fuzz dbase_table_fuzz records_fuzz"

cmake -S "$top" -B "$build" -DCMAKE_C_COMPILER=/usr/bin/clang -DCMAKE_CXX_COMPILER=/usr/bin/clang++ \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTTS_SANITIZE=ON -DTTS_FUZZ=ON -DTTS_TESTS=OFF \
  -DTTS_BENCH=OFF >/dev/null
cmake --build "$build" -j"$(nproc 2>/dev/null || echo 2)" --target $targets

# The seeds are made afresh; what the fuzzers add to a corpus stays between runs.
/usr/bin/python3 "$top/fuzz/make_corpus.py" "$build/seeds"

# The targets' scratch files go here: libFuzzer ends without running the
# cleanup a normal exit would.
scratch="$build/scratch"
failed=""
for target in $targets; do
  rm -rf "$scratch"
  mkdir -p "$scratch"
  corpus="$build/corpus/$target"
  artifacts="$build/artifacts/$target"
  mkdir -p "$corpus" "$artifacts"
  dict=""
  if [ "$target" = records_fuzz ]; then dict="-dict=$top/fuzz/xml.dict"; fi
  echo "== $target, $seconds s"
  if TMPDIR="$scratch" "$build/fuzz/$target" "$corpus" "$build/seeds/$target" $dict \
      -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len=65536 \
      -artifact_prefix="$artifacts/" -print_final_stats=1 >"$build/$target.log" 2>&1; then
    grep -E '^stat::number_of_executed_units|^stat::new_units_added' "$build/$target.log" || true
  else
    echo "$target found a fault; see $build/$target.log and $artifacts/"
    failed="$failed $target"
  fi
done

rm -rf "$scratch"

if [ -n "$failed" ]; then
  echo "Faults found by:$failed"
  exit 1
fi
echo "No faults found."
