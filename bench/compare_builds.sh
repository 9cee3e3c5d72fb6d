#!/bin/sh
# Runs the same benchmark of two builds turn about, so that both meet the
# same load on a shared machine, and prints each run's table under its name.
#   bench/compare_builds.sh BEFORE_BUILD_DIR AFTER_BUILD_DIR BENCH [ROUNDS] [-- ARGS...]
# e.g. bench/compare_builds.sh ../perf-base/build build mirabo-stream-bench 2
set -eu
before=$1
after=$2
bench=$3
rounds=${4:-2}
shift 3
[ $# -gt 0 ] && shift
[ "${1:-}" = "--" ] && shift
i=1
while [ "$i" -le "$rounds" ]; do
    echo "== round $i, before ($before)"
    "$before/bin/$bench" "$@"
    echo "== round $i, after ($after)"
    "$after/bin/$bench" "$@"
    i=$((i + 1))
done
