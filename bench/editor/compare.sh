#!/bin/bash
# Measures wex and FeatherPad on one file in one X session, in turn, ROUNDS
# times (default 3), so that each ratio compares runs made side by side. KEYS
# keys are typed at the end of the text after each opening.
#   bench/editor/compare.sh /tmp/line8m.txt 20
# Set PROGRAMS to measure others (default: wex and featherpad).
# What wex keeps for recovery when it is killed with typed text is removed before
# each opening, or the next one would open with the recovery prompt.
set -eu
# A Japanese desktop: FeatherPad guesses a file's encoding from the locale and
# reads Shift-JIS as CP1252 under C.UTF-8.
export LANG=ja_JP.UTF-8
file=$1
keys=${2:-0}
here=$(dirname "$0")
build=${BUILD:-$here/../../build}
programs=${PROGRAMS:-"$build/bin/wex featherpad"}
rounds=${ROUNDS:-3}
xvfb-run -a -s "-screen 0 1280x1024x24" sh -c "openbox >/dev/null 2>&1 & sleep 1
  for round in \$(seq $rounds); do
    for program in $programs; do
      rm -rf $build/bin/recovery
      $here/open_large.sh \$(command -v \$program) $file $keys
    done
  done" 2>&1 | grep -v -e XDG_RUNTIME_DIR -e Openbox-Message
