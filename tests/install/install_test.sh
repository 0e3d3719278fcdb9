#!/usr/bin/env bash
# Installs the build into a temporary prefix, checks the layout, and runs the
# installed copy from its program folder, which its owner may write to: the
# settings must still go to the user's XDG folder, the language file must be
# found beside the program.
#   install_test.sh BUILD_DIR
set -euo pipefail
build=$1
tmp=$(mktemp -d)
cleanup() { chmod -R u+w "$tmp" 2>/dev/null || true; rm -rf "$tmp"; }
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

prefix=$tmp/prefix
cmake --install "$build" --prefix "$prefix" >/dev/null
program=$prefix/lib/tovix
for f in lib/tovix/tovix lib/tovix/tovix-cli lib/tovix/tovix-scan lib/tovix/tovix-cmd \
         lib/tovix/mklogo lib/tovix/c2bin lib/tovix/tovix.lng bin/tovix bin/tovix-cli \
         share/applications/de.tovix.Tovix.desktop share/metainfo/de.tovix.Tovix.metainfo.xml \
         share/icons/hicolor/256x256/apps/de.tovix.Tovix.png share/man/man1/tovix.1.gz \
         share/man/man1/tovix-cli.1.gz share/doc/tovix/copyright share/doc/tovix/changelog.gz \
         lib/tovix/tovix.installed; do
  [ -e "$prefix/$f" ] || fail "not installed: $f"
done
# What the build's program folder holds beside the programs is installed too
# (the decoder library, the picture module of tovix-cli and the recode batch
# files, once they are built).
for f in libmpegdll.so libtovix-cli-pictures.so Mp3ToMp3.bat Wavtomp3.bat; do
  if [ -e "$build/tovix/$f" ]; then [ -e "$program/$f" ] || fail "not installed: lib/tovix/$f"; fi
done
[ "$(readlink "$prefix/bin/tovix")" = ../lib/tovix/tovix ] || fail "bin/tovix is no link into lib/tovix"
[ -x "$prefix/bin/tovix-cli" ] || fail "bin/tovix-cli cannot be run"
# The quick commands start without Qt and the MPEG decoder: only the picture
# module beside tovix-cli needs them.
if readelf -d "$program/tovix-cli" | grep -Eq 'NEEDED.*(Qt6|avcodec|swscale)'; then
  fail "tovix-cli itself needs Qt or the MPEG decoder"
fi
desktop-file-validate "$prefix/share/applications/de.tovix.Tovix.desktop" || fail "desktop entry"
appstreamcli validate --no-net "$prefix/share/metainfo/de.tovix.Tovix.metainfo.xml" >/dev/null ||
  fail "AppStream file"
zgrep -q '^\.SS demo' "$prefix/share/man/man1/tovix-cli.1.gz" || fail "man page lacks the commands"
for page in tovix tovix-cli; do
  man -l "$prefix/share/man/man1/$page.1.gz" >/dev/null 2>&1 || ! command -v man >/dev/null ||
    fail "man cannot read the man page of $page"
done

# An install over one that left the folder read-only works.
chmod a-w "$program"
cmake --install "$build" --prefix "$prefix" >/dev/null
# The folder is the package's, not the user's, though its mode lets its owner
# (root, for the package) write there: the marker keeps the programs out.
[ "$(stat -c %a "$program")" = 755 ] || fail "lib/tovix has mode $(stat -c %a "$program"), not 755"
before=$(ls -la "$program")
export HOME=$tmp/home XDG_CONFIG_HOME=$tmp/config
mkdir -p "$HOME" "$tmp/elsewhere"
cd "$tmp/elsewhere"  # no tovix.lng here: the one beside the program counts

# The window starts off-screen and makes its settings folder.
QT_QPA_PLATFORM=offscreen "$prefix/bin/tovix" >"$tmp/window.log" 2>&1 &
window=$!
for _ in $(seq 600); do
  [ -d "$XDG_CONFIG_HOME/tovix" ] && break
  kill -0 "$window" 2>/dev/null || break
  sleep 0.1
done
kill -0 "$window" 2>/dev/null || { cat "$tmp/window.log" >&2; fail "the installed window ended at start"; }
kill "$window"
wait "$window" 2>/dev/null || true
[ -d "$XDG_CONFIG_HOME/tovix" ] || fail "the window made no settings folder in XDG_CONFIG_HOME"

# tovix-cli writes its settings there, and the demo runs from the read-only folder.
"$prefix/bin/tovix-cli" --set Scale=3 --save >/dev/null
grep -q '^Scale=3' "$XDG_CONFIG_HOME/tovix/tovix.ini" || fail "settings not in XDG_CONFIG_HOME/tovix"
"$prefix/bin/tovix-cli" scan . >/dev/null || fail "tovix-cli cannot find its language file"
"$prefix/bin/tovix-cli" demo "$tmp/demo" >"$tmp/demo.log" 2>&1 || { cat "$tmp/demo.log" >&2; fail "demo"; }
ls "$tmp/demo"/*/*.BIN >/dev/null 2>&1 || ls "$tmp/demo"/*.BIN >/dev/null 2>&1 ||
  find "$tmp/demo" -iname '*.bin' | grep -q . || fail "the demo made no .BIN files"
find "$tmp/demo" -name Short.bat | grep -q . || fail "the demo made no Short.bat"
[ "$(ls -la "$program")" = "$before" ] || fail "the installed program folder was written to"

# Without XDG_CONFIG_HOME the folder is ~/.config/tovix.
unset XDG_CONFIG_HOME
"$prefix/bin/tovix-cli" --save >/dev/null
[ -f "$HOME/.config/tovix/tovix.ini" ] || fail "settings not in ~/.config/tovix"
echo "installed copy OK"
