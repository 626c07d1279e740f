#!/usr/bin/env bash
# Builds the Debian package, unpacks it into a scratch root and starts its
# editor there on the display the tests run on: the package must hold a
# program that runs without the build tree or any JUCE package.
# Usage: deb-starts-editor.sh BUILD_DIR
set -euo pipefail
build_dir=$1

# The editor needs a display to start on: without one the test is skipped.
[ -n "${DISPLAY:-}" ] || { echo "needs a display"; exit 77; }
scratch=$(mktemp -d)
trap 'kill "${editor:-}" 2>/dev/null || true; rm -rf "$scratch"' EXIT

(cd "$build_dir" && cpack -G DEB -B "$scratch/package" >/dev/null)
deb=$(ls "$scratch"/package/*.deb)

depends=$(dpkg-deb -f "$deb" Depends)
for library in libasound2 libx11-6 libfreetype6; do
  [[ "$depends" == *"$library"* ]] || { echo "the package does not depend on $library: $depends" >&2; exit 1; }
done
[[ "$depends" != *juce* ]] || { echo "the package depends on JUCE: $depends" >&2; exit 1; }

dpkg-deb -x "$deb" "$scratch/root"
for path in usr/bin/vorlo-control-center usr/bin/vorlo-control-center-demo usr/bin/vorloctl \
            usr/share/applications/vorlo-control-center.desktop usr/share/icons/hicolor/256x256/apps/vorlo-control-center.png; do
  [ -e "$scratch/root/$path" ] || { echo "the package lacks $path" >&2; exit 1; }
done

"$scratch/root/usr/bin/vorloctl" --version
"$scratch/root/usr/bin/vorlo-control-center" &
editor=$!
timeout 20 xdotool search --sync --name "Velmora Vorlo MIDI Control Center" >/dev/null
kill -0 "$editor"
echo "the packaged editor started"
