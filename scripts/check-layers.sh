#!/usr/bin/env bash
# The layer rule: a source file includes project headers only from its own
# layer or the layers below it. Lowest first:
#   text, errors, linalg, engine (modelcheck/engine.h is its public face),
#   scan (modelcheck/scan.h), plots, presentation, dialogue, apps.
# The apps (console, batch, python, desktop) stand side by side: none
# includes another's headers. Prints every include that points upward or
# across and fails when there is one.
set -euo pipefail
cd "$(dirname "$0")/../src"

rank() {
  case "$1" in
    text) echo 0 ;; errors) echo 1 ;; linalg) echo 2 ;; engine) echo 3 ;; scan) echo 4 ;;
    plots) echo 5 ;; presentation) echo 6 ;; dialogue) echo 7 ;; apps) echo 8 ;;
    *) echo 99 ;;
  esac
}

bad=0
while IFS=: read -r file _ include; do
  file=${file#./}
  from=${file%%/*}
  target=$(sed -E 's/^[^"]*"([^"/]+)\/.*/\1/' <<<"$include")
  # A public header belongs to the layer whose folder holds it.
  if [[ $target == modelcheck ]]; then
    name=$(sed -E 's/^[^"]*"modelcheck\/([^".]+)\..*/\1/' <<<"$include")
    target=$([[ $name == scan ]] && echo scan || echo engine)
  fi
  if (( $(rank "$target") > $(rank "$from") )); then
    echo "upward include: $file -> $target (${include#*#include })"
    bad=1
  elif [[ $from == apps && $target == apps ]]; then
    from_app=$(cut -d/ -f2 <<<"$file")
    target_app=$(sed -E 's/^[^"]*"apps\/([^"/]+)\/.*/\1/' <<<"$include")
    if [[ $from_app != "$target_app" ]]; then
      echo "include across apps: $file -> apps/$target_app (${include#*#include })"
      bad=1
    fi
  fi
done < <(grep -rn '#include "' --include='*.h' --include='*.cpp' .)
if (( bad )); then
  echo "The layer rule is broken."
  exit 1
fi
echo "Layer rule holds: no include points to a higher layer."
