#!/usr/bin/env bash
# Usage: scripts/sed_timed.sh RESULT EXPRESSION FOLDER
# Runs `sed -i EXPRESSION` over every file of FOLDER and writes the seconds it
# took to RESULT (written whole at the end, so a reader that waits for RESULT
# reads a finished figure). Sweeper's benchmark starts it from Wine with
# `start /unix`, which does not wait for a Linux program to end.
set -euo pipefail
result="$1" expression="$2" folder="$3"
start=$(date +%s%N)
sed -i "$expression" "$folder"/*
end=$(date +%s%N)
echo "$(( (end - start) / 1000 ))" > "$result.part"
mv "$result.part" "$result"
