#!/bin/sh
# Makes the .deb of the build, checks its dependencies field, unpacks it with
# dpkg -x into SCRATCH and runs the unpacked mirabo-cli on a file.
#   deb_unpacked_runs.sh BUILD_DIR SCRATCH VERSION
set -eu
build=$1
scratch=$2
version=$3
fail() {
    echo "FAIL: $*" >&2
    exit 1
}
rm -rf "$scratch"
mkdir -p "$scratch/root"
cpack -G DEB --config "$build/CPackConfig.cmake" -B "$scratch" >"$scratch/cpack.log" 2>&1 ||
    { cat "$scratch/cpack.log" >&2; fail "cpack"; }
deb=$(ls "$scratch"/mirabo_*.deb)
depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
# The libraries the programs link, found by dpkg-shlibdeps, and the
# dictionary, plugins and libcups opened at run time (Poppler through the
# PDF module).
for package in libqt6core6 libqt6widgets6 libmecab2 liblouis20 libzip4 libpoppler-cpp0v5 libcups2 mecab-ipadic-utf8 qt6-qpa-plugins liblouis-data; do
    echo "$depends" | grep -q "\(^\|, \)$package\( \|,\|$\)" || fail "Depends does not name $package"
done
[ "$(dpkg-deb -f "$deb" Version)" = "$version" ] || fail "version is not $version"

dpkg -x "$deb" "$scratch/root"
for file in usr/bin/mirabo usr/bin/mirabo-cli usr/share/mirabo/gaiji.txt \
    usr/share/applications/org.mirabo.Mirabo.desktop usr/share/metainfo/org.mirabo.Mirabo.metainfo.xml \
    usr/share/doc/mirabo/copyright; do
    [ -e "$scratch/root/$file" ] || fail "the package has no $file"
done
cli="$scratch/root/usr/bin/mirabo-cli"
[ "$("$cli" --version)" = "mirabo-cli $version" ] || fail "--version"
# あ is dot 1, い dots 1 2; the blank between words is an empty cell.
printf 'あい あ\n' >"$scratch/input.txt"
out=$("$cli" braille "$scratch/input.txt")
[ "$out" = "$(printf '\342\240\201\342\240\203\342\240\200\342\240\201')" ] || fail "braille gave: $out"
echo "the unpacked mirabo-cli translated the file"

# A PDF is read through the module the program opens beside itself.
module=$(find "$scratch/root/usr/lib" -name mirabo_pdftext.so)
[ -n "$module" ] || fail "the package has no PDF module"
cat >"$scratch/input.pdf" <<'PDF'
%PDF-1.4
1 0 obj <</Type /Catalog /Pages 2 0 R>> endobj
2 0 obj <</Type /Pages /Kids [3 0 R] /Count 1>> endobj
3 0 obj <</Type /Page /Parent 2 0 R /MediaBox [0 0 300 100] /Contents 4 0 R
  /Resources <</Font <</F1 5 0 R>>>>>> endobj
4 0 obj <</Length 38>> stream
BT /F1 12 Tf 20 50 Td (Kobe 2026) Tj ET
endstream endobj
5 0 obj <</Type /Font /Subtype /Type1 /BaseFont /Helvetica>> endobj
trailer <</Root 1 0 R>>
%%EOF
PDF
out=$("$cli" kana "$scratch/input.pdf") || fail "kana of a PDF: $out"
echo "$out" | grep -q 2026 || fail "kana of a PDF gave: $out"
echo "the unpacked mirabo-cli read a PDF"

# Without the module the import fails with a message, the run goes on.
rm "$module"
status=0
out=$("$cli" kana "$scratch/input.pdf" 2>&1) || status=$?
[ "$status" -eq 1 ] || fail "kana of a PDF without the module exited with $status: $out"
echo "$out" | grep -q "input.pdf: PDF" || fail "kana of a PDF without the module said: $out"
[ "$("$cli" braille "$scratch/input.txt")" = "$(printf '\342\240\201\342\240\203\342\240\200\342\240\201')" ] ||
    fail "braille without the PDF module"
echo "without its PDF module the unpacked mirabo-cli says so"
