#!/bin/sh
# Fails when PROGRAM links a GUI library of Qt or Qt's D-Bus library (which every command would
# pay for: the commands that ask a bus run programs of their own), or when its libraries cannot
# be listed.
#   sh no-gui-library.sh READELF PROGRAM [EMULATOR...]
# The program's own loader lists them, run by EMULATOR for a cross-built program: ldd knows only
# this machine's loaders and answers "not a dynamic executable" for any other.
set -eu
readelf=$1 program=$2
shift 2
loader=$("$readelf" -l "$program" | sed -n 's/.*Requesting program interpreter: \(.*\)\]$/\1/p')
if [ -z "$loader" ]; then
  echo "$program names no loader: not a dynamically linked program" >&2
  exit 1
fi
libraries=$("$@" "$loader" --list "$program")
printf '%s\n' "$libraries"
# The command line's own Qt library shows that the list is the real one.
printf '%s\n' "$libraries" | grep -q 'libQt6Core' || { echo "$program: libQt6Core is not listed" >&2; exit 1; }
! printf '%s\n' "$libraries" | grep -E 'libQt6(Gui|Qml|Quick|DBus)'
