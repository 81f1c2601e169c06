#!/usr/bin/env bash
# Usage: scripts/screenshot.sh OUT.png
# A picture of the whole X screen. Wine's windows inside its virtual desktop are
# X windows of their own, and some of them (dialogs, message boxes) come out
# black in a plain root capture, so each visible one is captured by itself and
# laid over the root picture in stacking order.
set -euo pipefail
out="$1"
tmp=$(mktemp -d)
xwd -root -silent | convert xwd:- "$tmp/root.png"
args=("$tmp/root.png")
i=0
# xwininfo lists the windows top first; lay them bottom first.
mapfile -t wins < <(xwininfo -root -tree | awk '/^        0x/ {print $1, $(NF-1)}' | tac)
for w in "${wins[@]}"; do
  id=${w%% *}; geo=${w##* }
  size=${geo%%+*}
  [ "$size" = 1x1 ] && continue
  xwininfo -id "$id" 2>/dev/null | grep -q IsViewable || continue
  pos=$(xwininfo -id "$id" | awk '/Absolute upper-left X/ {x=$NF} /Absolute upper-left Y/ {y=$NF} END {print "+" x "+" y}')
  i=$((i + 1))
  if xwd -id "$id" -silent 2>/dev/null | convert xwd:- "$tmp/w$i.png" 2>/dev/null; then
    args+=("$tmp/w$i.png" -geometry "$pos" -composite)
  fi
done
convert "${args[@]}" "$out"
rm -rf "$tmp"
