#!/bin/sh
# Renders the screenshots of docs/screenshots from the built program, off
# the screen: every page in German, one in English and one in French, and a
# song picture, over a sample CD folder made by tovix-cli demo.
#   docs/screenshots/make.sh [BUILD_DIR]
set -eu
cd "$(dirname "$0")/../.."
build=${1:-build}
cmake --build "$build" --target tovix_screenshots tovix-cli >/dev/null
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$build/tovix/tovix-cli" demo "$work/demo" >/dev/null
QT_QPA_PLATFORM=offscreen "$build/tests/tovix_screenshots" "$build/tovix" "$work/demo" docs/screenshots
ls docs/screenshots
