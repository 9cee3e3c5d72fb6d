#!/bin/sh
# Runs two builds of mirabo-kana-bench turn about in one run, so that both
# meet the same load on a shared machine, and prints for each round the CPU
# seconds of MeCab's tagger alone, of the whole conversion, their ratio, and
# of the conversion with 10 000 user words, then the ranges over the rounds.
# The tagger did not change: where the two builds differ there, the machine
# was busy.
# Each round also times the two programs on the same file of LINES lines:
# the mecab command (package mecab), which reads the file and writes every
# word with its fields, and `mirabo-cli kana` of each build (beside its
# bench), which reads it and writes the braille kana; the ratio of the two
# processor times closes each row.
#   bench/compare_kana.sh BEFORE_BENCH [AFTER_BENCH] [ROUNDS] [LINES]
# AFTER_BENCH defaults to build/bin/mirabo-kana-bench beside this folder,
# ROUNDS to 3, LINES to 10 000. Each bench already takes the best of three
# passes.
set -eu

root=$(cd "$(dirname "$0")/.." && pwd)
before=$1
after=${2:-"$root/build/bin/mirabo-kana-bench"}
rounds=${3:-3}
lines=${4:-10000}

# CPU seconds of the tagger alone, the conversion and the conversion with
# user words.
cpu() {
    "$1" --lines "$lines" | awk '
        /^MeCab tagger alone/ { t = $(NF-1) }
        /^kana conversion, whole/ { c = $(NF-1) }
        /^the same, 10 000 user words/ { u = $(NF-1) }
        END { print t, c, u }'
}

results=$(mktemp)
document=$(mktemp)
trap 'rm -f "$results" "$document"' EXIT
"$after" --emit "$lines" >"$document"
# The dictionary the program opens when no other is named.
dicdir=${MIRABO_MECAB_DICDIR:-/var/lib/mecab/dic/ipadic-utf8}

# User and system CPU seconds of one program run on the document.
process_cpu() {
    /usr/bin/time -f '%U %S' "$@" <"$document" 2>&1 >/dev/null | tail -n 1 | awk '{ print $1 + $2 }'
}
i=0
while [ "$i" -lt "$rounds" ]; do
    for build in before after; do
        if [ "$build" = before ]; then bench=$before; else bench=$after; fi
        set -- $(cpu "$bench")
        command=$(process_cpu mecab -d "$dicdir")
        cli=$(process_cpu "$(dirname "$bench")/mirabo-cli" kana -)
        echo "$build $1 $2 $3 $command $cli" >>"$results"
        printf 'round %d %-6s MeCab %6.3f s  conversion %6.3f s  ratio %5.2f  user words %6.3f s' \
            $((i + 1)) "$build" "$1" "$2" "$(echo "$2 $1" | awk '{ printf "%.2f", $1 / $2 }')" "$3"
        printf '  | mecab %5.2f s  mirabo-cli kana %5.2f s  ratio %5.2f\n' \
            "$command" "$cli" "$(echo "$cli $command" | awk '{ printf "%.2f", $1 / $2 }')"
    done
    i=$((i + 1))
done
awk '
    function range(name, lo, hi) { printf "  %-11s %6.3f .. %6.3f s\n", name, lo, hi }
    {
        b = $1
        if (!(b in n)) { tlo[b] = thi[b] = $2; clo[b] = chi[b] = $3; ulo[b] = uhi[b] = $4; rlo[b] = rhi[b] = $3 / $2 }
        n[b]++
        if ($2 < tlo[b]) tlo[b] = $2; if ($2 > thi[b]) thi[b] = $2
        if ($3 < clo[b]) clo[b] = $3; if ($3 > chi[b]) chi[b] = $3
        if ($4 < ulo[b]) ulo[b] = $4; if ($4 > uhi[b]) uhi[b] = $4
        r = $3 / $2; if (r < rlo[b]) rlo[b] = r; if (r > rhi[b]) rhi[b] = r
        p = $6 / $5; if (!(b in plo) || p < plo[b]) plo[b] = p; if (!(b in phi) || p > phi[b]) phi[b] = p
    }
    END {
        split("before after", order, " ")
        for (k = 1; k <= 2; k++) {
            b = order[k]
            print b ":"
            range("MeCab", tlo[b], thi[b]); range("conversion", clo[b], chi[b]); range("user words", ulo[b], uhi[b])
            printf "  %-11s %6.2f .. %6.2f\n", "ratio", rlo[b], rhi[b]
            printf "  %-11s %6.2f .. %6.2f\n", "cli/mecab", plo[b], phi[b]
        }
        printf "best conversion after/before: %.2f\n", clo["after"] / clo["before"]
    }' "$results"
