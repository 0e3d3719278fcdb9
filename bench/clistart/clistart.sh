#!/usr/bin/env bash
# Start time of tovix-cli, as whole processes: each quick command (help,
# scan, rename --plan, cdbatch, recode --plan, play --help) RUNS times over
# a copy of SONGS, then the mean wall time per command and the number of
# shared libraries the process loads.
#   bench/clistart/clistart.sh CLI SONGS [RUNS]
# SONGS holds a few *.mp3 (tovix-cli demo SONGS makes some).
set -euo pipefail
cli=$(realpath "$1")
runs=${3:-50}
work=$(mktemp -d /tmp/tovix-clistart.XXXXXX)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/songs" "$work/bins" "$work/recoded"
cp "$2"/*.mp3 "$work/songs/"
song="$work/song.mp3"
cp "$(find "$work/songs" -name '*.mp3' | head -n 1)" "$song"
ini="$work/bench.ini"
set_args=(--ini "$ini" --set "mp3dir=$work/songs" --set "bindir=$work/bins"
  --set "WaveDir=$work/recoded" --set "TempDir=$work/recoded")
cd "$work"

commands=(
  "help|--help"
  "scan|scan $work/songs"
  "rename --plan|rename --plan $work/plan.txt"
  "cdbatch|cdbatch"
  "recode --plan|recode --plan"
  "play --help|play --help"
  "play --wav|play $song --wav $work/out.wav"
)

printf '%-16s %10s %6s\n' command "mean ms" libs
for entry in "${commands[@]}"; do
  name=${entry%%|*}
  read -r -a args <<<"${entry#*|}"
  call=("$cli" "${set_args[@]}" "${args[@]}")
  rm -f "$work/out.wav"
  "${call[@]}" >/dev/null 2>"$work/err" || { echo "$name failed:" >&2; cat "$work/err" >&2; exit 1; }
  libs=$(LD_DEBUG=libs "${call[@]}" 2>&1 >/dev/null | grep -c 'calling init:' || true)
  start=$(date +%s%N)
  for ((i = 0; i < runs; i++)); do
    rm -f "$work/out.wav"
    "${call[@]}" >/dev/null 2>&1
  done
  end=$(date +%s%N)
  # Each run also removes the wave file: a few tenths of a millisecond.
  printf '%-16s %10.1f %6d\n' "$name" "$(echo "($end - $start) / $runs / 1000000" | bc -l)" "$libs"
done
