#!/bin/sh
# Times one kana document through liblouis (lou_translate with its Japanese
# table ja-kantenji.utb) and through `mirabo-cli braille`, in the same run,
# turn about, with the peak memory of each.
#   bench/compare_liblouis.sh [BUILD_DIR] [LINES...]
# BUILD_DIR defaults to build/ beside this folder; LINES to 100000 and
# 1000000. MIRABO_CLI_BEFORE=path adds another mirabo-cli (an earlier build)
# to the same run; its braille must be byte for byte the same. ROUNDS
# (3 unless set) is how often each program runs on each document: the
# programs take turns within a round, so that a busy machine slows them
# alike, and the best round of each is shown.
# Times are processor seconds (user + system). The two programs produce
# different braille (ja-kantenji.utb writes eight-dot kantenji), so only the
# times compare.
set -eu

root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-"$root/build"}
[ $# -gt 0 ] && shift
sizes=${*:-"100000 1000000"}
rounds=${ROUNDS:-3}
bench="$build/bin/mirabo-bench"
cli="$build/bin/mirabo-cli"
louis_table="unicode.dis,ja-kantenji.utb"

for program in "$bench" "$cli"; do
    if [ ! -x "$program" ]; then
        echo "$program is missing: build the project first (cmake --build $build)" >&2
        exit 1
    fi
done

if ! command -v lou_translate >/dev/null 2>&1 || [ ! -x /usr/bin/time ]; then
    if [ "$(id -u)" -eq 0 ]; then
        echo "Installing liblouis-bin"
        export DEBIAN_FRONTEND=noninteractive
        apt-get update -qq
        apt-get install -y -qq --no-install-recommends liblouis-bin liblouis-data time
    else
        echo "lou_translate or /usr/bin/time is missing. Install them with:" >&2
        echo "    sudo apt-get update && sudo apt-get install -y liblouis-bin liblouis-data time" >&2
        exit 1
    fi
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Appends "processor-seconds peak-MB" of the command to the file $1; the
# command's output goes to $2.
measure() {
    record=$1
    out=$2
    shift 2
    /usr/bin/time -f '%U %S %M' -o "$work/time" "$@" >"$out"
    awk '{ printf "%.3f %.1f\n", $1 + $2, $3 / 1024 }' "$work/time" >>"$record"
}

# "seconds MB" of the best round (least processor time) in the file.
best() {
    sort -n "$1" | head -n 1
}

row() {
    # name lines seconds MB [liblouis seconds]
    awk -v name="$1" -v lines="$2" -v s="$3" -v mb="$4" -v louis="${5:-}" 'BEGIN {
        rate = s > 0 ? lines / s : 0
        ratio = (louis != "" && s > 0) ? sprintf("%.1fx", louis / s) : ""
        printf "%8d  %-18s %9.3f %12.0f %9.1f %8s\n", lines, name, s, rate, mb, ratio }'
}

printf '%8s  %-18s %9s %12s %9s %8s\n' lines program "CPU s" lines/s "peak MB" "vs louis"
for lines in $sizes; do
    doc="$work/doc-$lines.txt"
    "$bench" --emit "$lines" >"$doc"
    rm -f "$work"/*.times
    round=0
    while [ "$round" -lt "$rounds" ]; do
        # Who goes first moves on every round.
        case $((round % 3)) in
            0) order="louis before after" ;;
            1) order="before after louis" ;;
            *) order="after louis before" ;;
        esac
        for who in $order; do
            case $who in
                louis) measure "$work/louis.times" "$work/louis.txt" \
                           lou_translate --forward "$louis_table" <"$doc" ;;
                before) [ -n "${MIRABO_CLI_BEFORE:-}" ] &&
                            measure "$work/before.times" "$work/before.txt" "$MIRABO_CLI_BEFORE" braille "$doc" ;;
                after) measure "$work/after.times" "$work/after.txt" "$cli" braille "$doc" ;;
            esac
        done
        round=$((round + 1))
    done
    set -- $(best "$work/louis.times")
    louis_s=$1
    row liblouis "$lines" "$1" "$2"
    if [ -n "${MIRABO_CLI_BEFORE:-}" ]; then
        set -- $(best "$work/before.times")
        row "braille before" "$lines" "$1" "$2" "$louis_s"
    fi
    set -- $(best "$work/after.times")
    row "mirabo-cli braille" "$lines" "$1" "$2" "$louis_s"
    if [ "$(wc -l <"$work/louis.txt")" -ne "$lines" ]; then
        echo "liblouis gave $(wc -l <"$work/louis.txt") lines for $lines" >&2
    fi
    if [ "$(wc -l <"$work/after.txt")" -ne "$lines" ]; then
        echo "mirabo-cli braille gave $(wc -l <"$work/after.txt") lines for $lines" >&2
        exit 1
    fi
    if [ -n "${MIRABO_CLI_BEFORE:-}" ] && ! cmp -s "$work/before.txt" "$work/after.txt"; then
        echo "the braille of the two builds differs for $lines lines" >&2
        exit 1
    fi
done
