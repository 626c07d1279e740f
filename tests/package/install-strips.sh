#!/usr/bin/env bash
# Installs the build into a scratch prefix as the README says and checks that
# it installs the four programs the README lists, each stripped of its
# debugging information (ten times the program's size).
# Usage: install-strips.sh BUILD_DIR
set -euo pipefail
build_dir=$1
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT

cmake --install "$build_dir" --prefix "$prefix" >/dev/null

installed=$(cd "$prefix/bin" && ls | sort | tr '\n' ' ')
expected="vorlo-control-center vorlo-control-center-demo vorlo-sim-ports vorloctl "
[ "$installed" = "$expected" ] || { echo "installed: $installed; the README lists: $expected" >&2; exit 1; }

for program in "$prefix"/bin/*; do
  if ! file "$program" | grep -q ', stripped'; then
    echo "$(basename "$program") is installed unstripped: $(du -h "$program" | cut -f1)" >&2
    exit 1
  fi
done
du -sh "$prefix/bin"
