#!/usr/bin/env bash
# Renders a fixed set of song pictures with tovix-cli picture: every song of
# SONGS under each of a handful of settings (placement modes, fonts, label
# positions, overscan margins, no background). Run it before and after a
# change to the painting and compare the two folders with `cmp`/`diff -r`:
# the pictures must stay byte-identical.
#   bench/pictures/render-set.sh CLI SONGS OUT
# SONGS holds *.mp3 and a background picture (tovix-cli demo SONGS makes one).
set -euo pipefail
cli=$(realpath "$1")
songs=$(realpath "$2")
out=$3
mkdir -p "$out"
out=$(realpath "$out")
ini="$out/render.ini"
variants=(
  "plain|bitmap="
  "id3v1only|bitmap=|ID3v2=0"
)
# Every placement mode over every background picture of SONGS.
n=0
while IFS= read -r -d '' background; do
  n=$((n + 1))
  for mode in 0 1 2 3 4; do variants+=("bg$n-mode$mode|bitmap=$background|Scale=$mode"); done
  variants+=(
    "bg$n-fonts|bitmap=$background|Scale=3|Font1.Name=DejaVu Serif|Font1.Size=28|Font1.Color=255|Font1.Style.Italic=1|Font2.Name=DejaVu Sans Mono|Font2.Size=9|Font2.Color=65280|Font2.Style.Bold=0"
    "bg$n-places|bitmap=$background|Scale=4|Artist.Left=10|Artist.Top=5|Title.Left=400|Title.Top=440|Laufzeit.Left=690|Laufzeit.Top=300|Tech.Left=-20|Tech.Top=200|Encoder.Left=100|Encoder.Top=470"
    "bg$n-overscan0|bitmap=$background|Scale=1|Overscan=0"
    "bg$n-overscan90|bitmap=$background|Scale=2|Overscan=90"
  )
done < <(find "$songs" -maxdepth 1 \( -iname '*.jpg' -o -iname '*.bmp' \) -print0 | sort -z)
for variant in "${variants[@]}"; do
  IFS='|' read -r -a fields <<<"$variant"
  name=${fields[0]}
  args=()
  for setting in "${fields[@]:1}"; do args+=(--set "$setting"); done
  : >"$ini"
  n=0
  while IFS= read -r -d '' song; do
    n=$((n + 1))
    extra=()
    [ "$n" = 1 ] && extra=(--jpeg "$out/$name-$n.jpg")
    "$cli" --ini "$ini" "${args[@]}" picture "$song" "$out/$name-$n.bmp" "${extra[@]}" >/dev/null
  done < <(find "$songs" -maxdepth 1 -iname '*.mp3' -print0 | sort -z)
done
rm -f "$ini"
echo "$(find "$out" -type f | wc -l) pictures in $out"
