#!/bin/sh
# Runs two builds of mirabo-kana-bench turn about in one run, so that both
# meet the same load on a shared machine, and prints the CPU seconds each
# took for the whole conversion of the same 10 000 lines, with the ratio,
# and beside it the time of MeCab's tagger alone in each run, which did not
# change: where the two builds differ there too, the machine was busy.
#   bench/compare_kana.sh BEFORE_BENCH [AFTER_BENCH] [ROUNDS]
# AFTER_BENCH defaults to build/bin/mirabo-kana-bench beside this folder,
# ROUNDS to 3. Each bench already takes the best of three passes.
set -eu

root=$(cd "$(dirname "$0")/.." && pwd)
before=$1
after=${2:-"$root/build/bin/mirabo-kana-bench"}
rounds=${3:-3}

# CPU seconds of the whole conversion and of the tagger alone.
cpu() { "$1" | awk '/^kana conversion, whole/ { c = $(NF-1) } /^MeCab tagger alone/ { t = $(NF-1) } END { print c, t }'; }

best_before=""
best_after=""
i=0
while [ "$i" -lt "$rounds" ]; do
    set -- $(cpu "$before")
    b=$1 tb=$2
    set -- $(cpu "$after")
    a=$1 ta=$2
    echo "round $((i + 1)): conversion before ${b} s, after ${a} s CPU (tagger alone ${tb} s, ${ta} s)"
    best_before=$(printf '%s\n%s\n' "$b" "${best_before:-$b}" | sort -g | head -n1)
    best_after=$(printf '%s\n%s\n' "$a" "${best_after:-$a}" | sort -g | head -n1)
    i=$((i + 1))
done
awk -v b="$best_before" -v a="$best_after" \
    'BEGIN { printf "best: before %.3f s, after %.3f s CPU; after/before %.2f\n", b, a, a / b }'
