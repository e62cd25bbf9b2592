#!/bin/sh
# Runs gastrolog-cli for help2man: --help-all with each command as a section of its own.
# Usage: help-for-manual.sh PROGRAM ARGUMENT...
program=$1
shift
if [ "$1" != "--help-all" ]; then exec "$program" "$@"; fi
"$program" --help-all | awk '
  NR == 1 { next }                                   # the name line; the manual has its own
  /^Subcommands:/ { commands = 1; next }
  /^$/ { blank = 1; next }
  { if (blank) print ""; blank = 0 }
  commands && /^[^ ]/ { printf "Command %s:\n", $1; next }
  commands && /^  [A-Z][a-z]*:$/ { next }           # "Positionals:", "Options:"
  { print }'
