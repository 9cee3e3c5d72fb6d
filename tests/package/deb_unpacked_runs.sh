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
# dictionary and plugins opened at run time.
for package in libqt6core6 libqt6widgets6 libmecab2 liblouis20 libzip4 libpoppler-cpp0v5 mecab-ipadic-utf8 qt6-qpa-plugins liblouis-data; do
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
