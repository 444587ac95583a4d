#!/usr/bin/env bash
# The layer check must refuse what it is there to refuse: an include that
# runs up a layer, one across the two windows, and one without its folder;
# and pass the same tree without them.
set -euo pipefail
check="$1"
tree="$(mktemp -d)"
trap 'rm -rf "$tree"' EXIT
mkdir -p "$tree"/{core,link,mainwindow,configwindow}
echo '#pragma once' > "$tree/core/Clock.h"
printf '#include "core/Clock.h"\n' > "$tree/link/Poller.h"
printf '#include "link/Poller.h"\n' > "$tree/mainwindow/MainWindow.h"
printf '#include "link/Poller.h"\n' > "$tree/configwindow/ConfigWindow.h"
"$check" "$tree" >/dev/null || { echo "a sound tree was refused"; exit 1; }

refused() {  # file, line to plant
  cp "$tree/$1" "$tree/$1.keep"
  printf '%s\n' "$2" >> "$tree/$1"
  if "$check" "$tree" >/dev/null; then echo "not refused: $2 in $1"; exit 1; fi
  mv "$tree/$1.keep" "$tree/$1"
}
refused core/Clock.h '#include "link/Poller.h"'
refused configwindow/ConfigWindow.h '#include "mainwindow/MainWindow.h"'
refused link/Poller.h '#include "Clock.h"'
echo "every planted include refused"
