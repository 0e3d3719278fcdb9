#!/bin/sh
# make_corpus.sh FOLDER: MP3 files of the kinds users have, for
# duration_check: ffmpeg at every sampling rate, mono and stereo, CBR and
# VBR, with and without the Xing/Info block, Layer II among them; lame's
# VBR without a block; tags at the end and junk in front. Needs ffmpeg and lame.
set -eu
out=${1:?usage: make_corpus.sh FOLDER}
mkdir -p "$out"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

# Music-like input: a tone under noise that comes and goes, so VBR frames vary.
src() { # SECONDS RATE CHANNELS FILE
  ffmpeg -loglevel error -y -f lavfi -i "sine=frequency=440:sample_rate=$2:duration=$1" \
    -f lavfi -i "anoisesrc=color=pink:sample_rate=$2:duration=$1:amplitude=0.3" \
    -filter_complex "[1]volume='if(lt(mod(t,3),1),0,1)':eval=frame[n];[0][n]amix=inputs=2,aformat=channel_layouts=$([ "$3" = 1 ] && echo mono || echo stereo)" \
    "$4"
}

n=0
for rate in 8000 11025 12000 16000 22050 24000 32000 44100 48000; do
  for ch in 1 2; do
    n=$((n + 1))
    secs=$(awk "BEGIN { print 7.3 + $n * 9.7 }")
    src "$secs" "$rate" "$ch" "$tmp/in.wav"
    base="$out/r${rate}c${ch}"
    ffmpeg -loglevel error -y -i "$tmp/in.wav" -c:a libmp3lame -b:a 64k "$base-cbr.mp3"
    ffmpeg -loglevel error -y -i "$tmp/in.wav" -c:a libmp3lame -b:a 64k -write_xing 0 "$base-cbr-noinfo.mp3"
    ffmpeg -loglevel error -y -i "$tmp/in.wav" -c:a libmp3lame -q:a 4 "$base-vbr.mp3"
    ffmpeg -loglevel error -y -i "$tmp/in.wav" -c:a libmp3lame -q:a 4 -write_xing 0 "$base-vbr-noxing.mp3"
    lame --quiet -V 5 -t "$tmp/in.wav" "$base-lame-vbr-t.mp3"
    # Layer II has no MPEG-2.5 rates.
    case $rate in 8000 | 11025 | 12000) ;; *)
      ffmpeg -loglevel error -y -i "$tmp/in.wav" -c:a mp2 -b:a 64k -f mp2 "$base-layer2.mp3" ;;
    esac
  done
done

# Tags at the end (APE with a picture, Lyrics3, an ID3v2 tag) and junk in front.
src 95.5 44100 2 "$tmp/in.wav"
lame --quiet -V 2 "$tmp/in.wav" "$tmp/v.mp3"
head -c 40000 /dev/urandom > "$tmp/junk"
cat "$tmp/junk" "$tmp/v.mp3" > "$out/junk-front.mp3"
{
  cat "$tmp/v.mp3"
  printf 'APETAGEX\320\007\0\0'; printf '\120\165\0\0\001\0\0\0\0\0\0\200\0\0\0\0\0\0\0\0'
  head -c 30000 /dev/zero
  printf 'APETAGEX\320\007\0\0'; printf '\120\165\0\0\001\0\0\0\0\0\0\200\0\0\0\0\0\0\0\0'
} > "$out/ape-end.mp3"
echo "corpus: $(ls "$out" | wc -l) files in $out"
