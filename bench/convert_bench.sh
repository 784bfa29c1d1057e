#!/usr/bin/env bash
# The converter's main job at scale, against the ceiling the page cache sets.
# Writes a large frame model with the project's RAF writer, then alternates,
# RUNS times (5), the conversion with the built program and write_ceiling: the
# SIF file just written, already formatted in memory, written into a new file
# of the same directory with write() of 1 MiB a call. Prints each run, the
# fastest of each, the ratio ceiling time / conversion time (the conversion's
# whole process, wall clock), the conversion's user and system CPU seconds,
# its peak resident memory, and the time ratio to a model of a quarter of the
# size.
#
#   bench/convert_bench.sh [NODES [STEPS [BUILD_DIR]]]     (defaults 20000 20 build-bench)
#
# Run `make bench` (or build the release tree) first.
set -euo pipefail

nodes=${1:-20000}
steps=${2:-20}
build=$(cd "${3:-build-bench}" && pwd)
runs=${RUNS:-5}
rafwrite=$build/tools/rafwrite
raf2sif=$build/src/driver/raf2sif
run_stats=$build/bench/run_stats
write_ceiling=$build/bench/write_ceiling
words=4  # work space in millions of words: 16 MB

tmp=$(mktemp -d "${TMPDIR:-/tmp}/raf2sif-bench.XXXXXX")
trap 'rm -rf "$tmp"' EXIT
cd "$tmp"

# The RAF file and the dialogue's answers of a model of n nodes (and as many
# elements).
model() {
  "$rafwrite" large "$1" "$steps" "m$1.raf" >/dev/null
  printf 'm%s\nm%s.sif\n\n\n' "$1" "$1" >"a$1.txt"
}

# Converts model n into a new file; prints "seconds rss_kib user system bytes".
convert() {
  rm -f "m$1.sif"
  sync
  local stats
  stats=$("$run_stats" "a$1.txt" "$raf2sif" "$words")
  set -- "$1" $stats
  [ "$4" = 0 ] || { echo "conversion failed (exit $4)" >&2; exit 1; }
  echo "$2 $3 $5 $6 $(stat -c %s "m$1.sif")"
}

# Writes the SIF file of model n, formatted in memory, into a new file;
# prints its seconds.
ceiling() {
  rm -f ceiling.out
  sync
  "$write_ceiling" "m$1.sif" ceiling.out
  rm -f ceiling.out
}

model "$nodes"
model $((nodes / 4))

echo "model: $nodes nodes and elements, $steps stored steps; $runs runs"
results=()
for ((r = 1; r <= runs; ++r)); do
  read -r seconds rss user system bytes < <(convert "$nodes")
  c=$(ceiling "$nodes")
  printf 'run %d: conversion %.3f s (user %.3f s, system %.3f s), ceiling %.3f s\n' \
    "$r" "$seconds" "$user" "$system" "$c"
  results+=("$seconds $rss $user $system $bytes $c")
done
quarter=()
for ((r = 1; r <= runs; ++r)); do
  read -r seconds _ _ _ _ < <(convert $((nodes / 4)))
  quarter+=("$seconds")
done

printf '%s\n' "${results[@]}" | awk -v q="${quarter[*]}" -v w="$words" '
  {
    if (NR == 1 || $1 < best) { best = $1; user = $3; sys = $4 }
    if (NR == 1 || $6 < ceil) ceil = $6
    if ($2 > rss) rss = $2
    bytes = $5
  }
  END {
    n = split(q, qs, " ")
    qbest = qs[1]
    for (i = 2; i <= n; ++i) if (qs[i] < qbest) qbest = qs[i]
    printf "SIF size:           %.1f MB\n", bytes / 1e6
    printf "conversion:         %.3f s, %.0f MB/s (fastest; user %.3f s, system %.3f s)\n",
           best, bytes / best / 1e6, user, sys
    printf "ceiling:            %.3f s, %.0f MB/s (fastest write of the formatted file)\n",
           ceil, bytes / ceil / 1e6
    printf "ratio:              %.2f (ceiling time / conversion time)\n", ceil / best
    printf "peak memory:        %.1f MiB (work array %.1f MiB)\n", rss / 1024, w * 4e6 / 1048576
    printf "quarter model:      %.3f s; time ratio full/quarter %.2f\n", qbest, best / qbest
  }'
