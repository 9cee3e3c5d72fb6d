#!/bin/sh
# Times one kana document through liblouis (lou_translate with its Japanese
# table ja-kantenji.utb) and through mirabo-cli, in the same run.
#   bench/compare_liblouis.sh [BUILD_DIR] [LINES...]
# BUILD_DIR defaults to build/ beside this folder; LINES to 10000 and 100000.
# The two produce different braille (ja-kantenji.utb writes eight-dot
# kantenji), so only the times compare.
set -eu

root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-"$root/build"}
[ $# -gt 0 ] && shift
sizes=${*:-"10000 100000"}
bench="$build/bin/mirabo-bench"
cli="$build/bin/mirabo-cli"
louis_table="unicode.dis,ja-kantenji.utb"

for program in "$bench" "$cli"; do
    if [ ! -x "$program" ]; then
        echo "$program is missing: build the project first (cmake --build $build)" >&2
        exit 1
    fi
done

if ! command -v lou_translate >/dev/null 2>&1; then
    if [ "$(id -u)" -eq 0 ]; then
        echo "Installing liblouis-bin"
        export DEBIAN_FRONTEND=noninteractive
        apt-get update -qq
        apt-get install -y -qq --no-install-recommends liblouis-bin liblouis-data
    else
        echo "lou_translate is missing. Install it with:" >&2
        echo "    sudo apt-get update && sudo apt-get install -y liblouis-bin liblouis-data" >&2
        exit 1
    fi
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Seconds, with milliseconds, that the command takes; its output goes to a file.
seconds() {
    out=$1
    shift
    start=$(date +%s%N)
    "$@" >"$out"
    end=$(date +%s%N)
    echo $(((end - start) / 1000000)) | awk '{ printf "%.3f", $1 / 1000 }'
}

printf '%8s %10s %12s %12s %14s %14s\n' lines bytes "liblouis s" "mirabo s" "liblouis l/s" "mirabo l/s"
for lines in $sizes; do
    doc="$work/doc-$lines.txt"
    "$bench" --emit "$lines" >"$doc"
    louis=$(seconds "$work/louis.txt" lou_translate --forward "$louis_table" <"$doc")
    mirabo=$(seconds "$work/mirabo.txt" "$cli" "$doc")
    louis_lines=$(wc -l <"$work/louis.txt")
    mirabo_entries=$(wc -l <"$work/mirabo.txt")
    if [ "$louis_lines" -ne "$lines" ]; then
        echo "liblouis gave $louis_lines lines for $lines" >&2
    fi
    if [ "$mirabo_entries" -lt $((2 * lines)) ]; then
        echo "mirabo-cli gave $mirabo_entries entries for $lines lines" >&2
    fi
    printf '%8d %10d %12s %12s %14.0f %14.0f\n' "$lines" "$(wc -c <"$doc")" "$louis" "$mirabo" \
        "$(echo "$lines $louis" | awk '{ print ($2 > 0 ? $1 / $2 : 0) }')" \
        "$(echo "$lines $mirabo" | awk '{ print ($2 > 0 ? $1 / $2 : 0) }')"
done
