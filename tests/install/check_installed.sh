#!/usr/bin/env bash
# Installs into a temporary prefix and starts the installed program as a person would, in a real
# (virtual) X display: its main window must show, and Help > Contents must open the help window,
# which proves the installed program finds its installed help file.
# Usage (inside an X display, e.g. under xvfb-run): check_installed.sh BUILD_FOLDER WORK_FOLDER
set -euo pipefail
build=$1
work=$2
rm -rf "$work"
mkdir -p "$work/prefix" "$work/data"
cmake --install "$build" --prefix "$work/prefix" >/dev/null

cd "$work/data"
QT_QPA_PLATFORM=xcb "$work/prefix/bin/quillbox" >"$work/program.log" 2>&1 &
program=$!
trap 'kill $program 2>/dev/null || true' EXIT

wait_for_window() { # NAME: prints the window id once a window of exactly that name shows
  for _ in $(seq 100); do
    if id=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1) && [ -n "$id" ]; then
      echo "$id"
      return 0
    fi
    kill -0 $program 2>/dev/null || { echo "the program ended early:" >&2; cat "$work/program.log" >&2; return 1; }
    sleep 0.1
  done
  echo "no window named '$1' showed" >&2
  return 1
}

main=$(wait_for_window "Quillbox 1.3")
xdotool windowfocus --sync "$main"
xdotool key --window "$main" alt+h
sleep 0.3
xdotool key c
wait_for_window "Quillbox 1.3 Help" >/dev/null

# Starting and reading help write nothing: the data file appears only with the first change.
if [ -n "$(ls -A "$work/data")" ]; then
  echo "start-up left files in the data folder: $(ls -A "$work/data")" >&2
  exit 1
fi
echo "installed program showed its window and its help"
