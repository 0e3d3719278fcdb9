#!/usr/bin/env bash
# Writes a small seed corpus per fuzz target into DIR/<target>/: real MP3
# frames from lame, the shipped language file, and hand-made examples of
# every other format.
set -euo pipefail
out=${1:?usage: fuzz/seeds.sh DIR}
src=$(cd "$(dirname "$0")/.." && pwd)
for t in mp3 id3v2 ini lng mask2 cmdline carray bmp jpeg renamelist; do mkdir -p "$out/$t"; done

# MP3: a second of encoded noise, once bare, once with an ID3v1 tag, once
# with a Lyrics3 v2 block before the tag.
head -c 88200 /dev/urandom | lame --quiet -r -s 44.1 --bitwidth 16 -m m -b 32 - "$out/mp3/bare.mp3"
tag() { printf 'TAG%-30s%-30s%-30s%-4s%-28s\0\x05\x0c' "$1" Artist Album 1999 Comment; }
{ head -c 2000 "$out/mp3/bare.mp3"; tag Title; } >"$out/mp3/tagged.mp3"
{ head -c 2000 "$out/mp3/bare.mp3"; printf 'LYRICSBEGININD0000211'; printf '000026LYRICS200'; tag Lyrics; } >"$out/mp3/lyrics.mp3"

# ID3v2: two tags in a row (synchsafe sizes), one with a footer, then a frame.
printf 'ID3\x03\x00\x00\x00\x00\x00\x0aTIT2\x00\x00\x00\x00\x00\x00ID3\x04\x00\x10\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\xff\xfb\x50\xc4' >"$out/id3v2/two.bin"
head -c 600 "$out/mp3/bare.mp3" >"$out/id3v2/frames.bin"

# INI: the settings as the program writes them, comments and odd lines too.
printf '; settings\r\n[Tovix]\r\nmp3dir=/music\r\nFont1.Color=0x80000008\r\nScale="1"\r\nno equals\r\n[Other]\r\nk = v \r\n' >"$out/ini/settings.ini"
printf '[Tovix]\nmp3dir=\nmp3dir=second\n[tovix]\nScale=-12\n' >"$out/ini/dups.ini"

# The language file as shipped, and a small one.
cp "$src/dist/tovix.lng" "$out/lng/tovix.lng"
printf '[Languages]\r\nCount=2\r\nIdx.1=1\r\nIdx.2=2\r\n[Strings]\r\n1001=Eins\r\n2001=One\r\n' >"$out/lng/small.lng"

# Mask2: N, then the region header (size 32, type 1, count 2, bytes 32,
# bounds) and two rectangles.
le() { printf '\\x%02x\\x%02x\\x%02x\\x%02x' $(($1 & 255)) $(($1 >> 8 & 255)) $(($1 >> 16 & 255)) $(($1 >> 24 & 255)); }
mask=$(le 64)$(le 32)$(le 1)$(le 2)$(le 32)$(le 0)$(le 0)$(le 10)$(le 10)$(le 0)$(le 0)$(le 10)$(le 5)$(le 2)$(le 5)$(le 8)$(le 10)
printf "$mask" >"$out/mask2/two.bin"
printf "$(le 0)" >"$out/mask2/none.bin"

# Batch lines as the program writes them.
printf 'move e2logo.bin "Ziel Ordner\\Caf\x82.BIN"' >"$out/cmdline/move.txt"
printf 'if exist "%%~dp1x.BIN" goto NoReplace' >"$out/cmdline/if.txt"
printf 'echo %%1 %%* %%PATH%% ^& more >log.txt 2>&1 & del x.bmp || echo no && echo:yes' >"$out/cmdline/chain.txt"

printf '/* e2logo */\nunsigned char e2logo[] = {\n  0x00, 0x00, 0x01, 0xb3, 255, 07,\n};\n' >"$out/carray/e2logo.c"

# BMP: 2 x 2 pixels at 24 bits, and 1 x 1 at 8 bits with a colour table.
printf 'BM\x46\x00\x00\x00\x00\x00\x00\x00\x36\x00\x00\x00\x28\x00\x00\x00\x02\x00\x00\x00\x02\x00\x00\x00\x01\x00\x18\x00\x00\x00\x00\x00\x10\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\xff\x00\x00\x00\xff\x00\x00\x00\x00\x00\xff\xff\xff\xff\x00\x00' >"$out/bmp/rgb.bmp"
printf 'BM\x3e\x00\x00\x00\x00\x00\x00\x00\x3a\x00\x00\x00\x28\x00\x00\x00\x01\x00\x00\x00\x01\x00\x00\x00\x01\x00\x08\x00\x00\x00\x00\x00\x04\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x01\x00\x00\x00\x00\x00\x00\x00\x10\x20\x30\x00\x00\x00\x00\x00' >"$out/bmp/palette.bmp"

# JPEG: an 8 x 8 baseline picture.
echo '/9j/4AAQSkZJRgABAQAAAQABAAD/2wBDABALDA4MChAODQ4SERATGCgaGBYWGDEjJR0oOjM9PDkzODdASFxOQERXRTc4UG1RV19iZ2hnPk1xeXBkeFxlZ2P/2wBDARESEhgVGC8aGi9jQjhCY2NjY2NjY2NjY2NjY2NjY2NjY2NjY2NjY2NjY2NjY2NjY2NjY2NjY2NjY2NjY2NjY2P/wAARCAAIAAgDASIAAhEBAxEB/8QAFQABAQAAAAAAAAAAAAAAAAAAAAX/xAAUEAEAAAAAAAAAAAAAAAAAAAAA/8QAFQEBAQAAAAAAAAAAAAAAAAAABQb/xAAUEQEAAAAAAAAAAAAAAAAAAAAA/9oADAMBAAIRAxEAPwCKALXj/9k=' | base64 -d >"$out/jpeg/tiny.jpg"

printf '"01 Track.mp3"="Artist - Title.mp3"\r\n"b=c.mp3"="d.mp3"\r\n; note\r\n' >"$out/renamelist/list.txt"
