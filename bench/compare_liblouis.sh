#!/bin/sh
# Times one kana document through liblouis (lou_translate with its Japanese
# table ja-kantenji.utb) and through mirabo-cli, in the same run, with the
# peak memory of each.
#   bench/compare_liblouis.sh [BUILD_DIR] [LINES...]
# BUILD_DIR defaults to build/ beside this folder; LINES to 10000, 100000 and
# 1000000. MIRABO_CLI_BEFORE=path adds another mirabo-cli (an earlier build)
# to the same run.
# The two produce different braille (ja-kantenji.utb writes eight-dot
# kantenji), so only the times compare.
set -eu

root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-"$root/build"}
[ $# -gt 0 ] && shift
sizes=${*:-"10000 100000 1000000"}
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

# "seconds peak-MB" of the command; its output goes to a file.
measure() {
    out=$1
    shift
    /usr/bin/time -f '%e %M' -o "$work/time" "$@" >"$out"
    awk '{ printf "%s %.1f", $1, $2 / 1024 }' "$work/time"
}

row() {
    # name lines seconds MB [liblouis seconds]
    awk -v name="$1" -v lines="$2" -v s="$3" -v mb="$4" -v louis="${5:-}" 'BEGIN {
        rate = s > 0 ? lines / s : 0
        ratio = (louis != "" && s > 0) ? sprintf("%.1fx", louis / s) : ""
        printf "%8d  %-18s %9.2f %12.0f %9.1f %8s\n", lines, name, s, rate, mb, ratio }'
}

printf '%8s  %-18s %9s %12s %9s %8s\n' lines program seconds lines/s "peak MB" "vs louis"
for lines in $sizes; do
    doc="$work/doc-$lines.txt"
    "$bench" --emit "$lines" >"$doc"
    set -- $(measure "$work/louis.txt" lou_translate --forward "$louis_table" <"$doc")
    louis_s=$1
    row liblouis "$lines" "$1" "$2"
    if [ -n "${MIRABO_CLI_BEFORE:-}" ]; then
        set -- $(measure "$work/before.txt" "$MIRABO_CLI_BEFORE" "$doc")
        row "mirabo-cli before" "$lines" "$1" "$2" "$louis_s"
    fi
    set -- $(measure "$work/mirabo.txt" "$cli" "$doc")
    row mirabo-cli "$lines" "$1" "$2" "$louis_s"
    louis_lines=$(wc -l <"$work/louis.txt")
    mirabo_entries=$(wc -l <"$work/mirabo.txt")
    if [ "$louis_lines" -ne "$lines" ]; then
        echo "liblouis gave $louis_lines lines for $lines" >&2
    fi
    if [ "$mirabo_entries" -lt $((2 * lines)) ]; then
        echo "mirabo-cli gave $mirabo_entries entries for $lines lines" >&2
    fi
done
