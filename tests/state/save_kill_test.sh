#!/usr/bin/env bash
# Kills a program that saves a game over and over (kill -9) at KILLS random
# moments (default 200); after each kill the saved game must be the old save
# or the new one, whole. Usage: save_kill_test.sh SAVE_KILL_WRITER [KILLS]
set -uo pipefail
writer=$1
kills=${2:-200}
folder=$(mktemp -d "${TMPDIR:-/tmp}/save-kill.XXXXXX")
trap 'rm -rf "$folder"' EXIT

"$writer" "$folder" first || { echo "save_kill_test: the first save failed" >&2; exit 1; }
seen_first=0 seen_second=0
for ((run = 1; run <= kills; ++run)); do
  "$writer" "$folder" loop &
  pid=$!
  printf -v pause '0.%03d' $((RANDOM % 60))
  sleep "$pause"
  kill -9 "$pid"
  wait "$pid" 2>/dev/null
  if cmp -s "$folder/slot.sav" "$folder/first.ref"; then
    ((++seen_first))
  elif cmp -s "$folder/slot.sav" "$folder/second.ref"; then
    ((++seen_second))
  else
    echo "save_kill_test: after kill $run the save is neither state, whole" >&2
    exit 1
  fi
done
drafts=$(find "$folder" -name '.taleforge-*' | wc -l)
echo "save_kill_test: $kills kills; first state $seen_first times, second $seen_second; $drafts drafts left by killed writers"
# Kills that never let a save finish would prove nothing.
((seen_first > 0 && seen_second > 0)) || { echo "save_kill_test: the saves never alternated" >&2; exit 1; }
# The next save clears the drafts once they are old.
find "$folder" -name '.taleforge-*' -exec touch -d '2 hours ago' {} +
"$writer" "$folder" first || { echo "save_kill_test: the last save failed" >&2; exit 1; }
left=$(find "$folder" -name '.taleforge-*' | wc -l)
((left == 0)) || { echo "save_kill_test: $left old drafts are left" >&2; exit 1; }
