#!/usr/bin/env bash
# Builds the Debian package of the build folder and checks it with dpkg-deb
# (the files in place, dependencies on run-time packages only) and with
# lintian, Debian's own checker: no error, no warning.
#   deb_test.sh BUILD_DIR
set -euo pipefail
build=$1
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

(cd "$tmp" && cpack -G DEB --config "$build/CPackConfig.cmake" -B "$tmp/out" >"$tmp/cpack.log" 2>&1) ||
  { cat "$tmp/cpack.log" >&2; fail "cpack"; }
deb=$(find "$tmp/out" -maxdepth 1 -name 'tovix_*.deb' | head -n 1)
[ -n "$deb" ] || fail "no tovix_*.deb made"

dpkg-deb -c "$deb" >"$tmp/contents"
for f in ./usr/lib/tovix/tovix ./usr/lib/tovix/tovix-cli ./usr/lib/tovix/tovix-scan \
         ./usr/lib/tovix/tovix-cmd ./usr/lib/tovix/mklogo ./usr/lib/tovix/c2bin \
         ./usr/lib/tovix/tovix.lng ./usr/bin/tovix ./usr/bin/tovix-cli \
         ./usr/share/applications/de.tovix.Tovix.desktop \
         ./usr/share/metainfo/de.tovix.Tovix.metainfo.xml \
         ./usr/share/icons/hicolor/256x256/apps/de.tovix.Tovix.png \
         ./usr/share/man/man1/tovix.1.gz ./usr/share/man/man1/tovix-cli.1.gz \
         ./usr/share/doc/tovix/copyright ./usr/share/doc/tovix/changelog.gz \
         ./usr/lib/tovix/tovix.installed; do
  grep -q " $f\( ->.*\)\?\$" "$tmp/contents" || fail "not in the package: $f"
done
for f in libmpegdll.so libtovix-cli-pictures.so Mp3ToMp3.bat Wavtomp3.bat; do
  if [ -e "$build/tovix/$f" ]; then
    grep -q " ./usr/lib/tovix/$f\$" "$tmp/contents" || fail "not in the package: $f"
  fi
done
grep -q ' ./usr/bin/tovix -> ../lib/tovix/tovix$' "$tmp/contents" || fail "bin/tovix is no link"

depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
for p in libqt6widgets6 libqt6gui6 libqt6core6 lame fonts-wine qt6-qpa-plugins; do
  grep -Eq "(^|, )$p( |,|$)" <<<"$depends" || fail "no dependency on $p"
done
if grep -Eq -- '-dev( |,|$)' <<<"$depends"; then fail "a -dev package among the dependencies"; fi
dpkg-deb -f "$deb" Description | grep -q '^ *;' && fail "a list separator in the description"

# lintian warns that it runs as root; that line is no finding on the package.
command -v lintian >/dev/null || fail "lintian is not installed (./tovix.sh test installs it)"
lintian --fail-on error,warning "$deb" >"$tmp/lintian.log" 2>&1 || lintian_rc=$?
findings=$(grep -E '^[EW]: ' "$tmp/lintian.log" | grep -v 'running with root privileges' || true)
if [ "${lintian_rc:-0}" -ne 0 ] || [ -n "$findings" ]; then
  cat "$tmp/lintian.log" >&2
  fail "lintian finds errors or warnings"
fi
echo "package OK: $(basename "$deb")"
