#!/usr/bin/env bash
# The converter's main job at scale: writes a large frame model with the
# project's RAF writer, converts it with the built program and prints the SIF
# size, the conversion's MB/s against the page cache's write bandwidth
# measured right before, the peak resident memory, and the time ratio to a
# model of a quarter of the size.
#
#   bench/convert_bench.sh [NODES [STEPS [BUILD_DIR]]]     (defaults 20000 20 build-bench)
#
# Run `make bench` (or build the release tree) first.
set -euo pipefail

nodes=${1:-20000}
steps=${2:-20}
build=$(cd "${3:-build-bench}" && pwd)
rafwrite=$build/tools/rafwrite
raf2sif=$build/src/driver/raf2sif
run_stats=$build/bench/run_stats
words=4  # work space in millions of words: 16 MB

tmp=$(mktemp -d "${TMPDIR:-/tmp}/raf2sif-bench.XXXXXX")
trap 'rm -rf "$tmp"' EXIT
cd "$tmp"

# Converts a model of n nodes (and as many elements); prints "seconds rss_kib bytes".
convert() {
  local n=$1
  "$rafwrite" large "$n" "$steps" "m$n.raf" >/dev/null
  printf 'm%s\nm%s.sif\n\n\n' "$n" "$n" >"a$n.txt"
  sync
  local stats
  stats=$("$run_stats" "a$n.txt" "$raf2sif" "$words")
  set -- $stats
  [ "$3" = 0 ] || { echo "conversion failed (exit $3)" >&2; exit 1; }
  echo "$1 $2 $(stat -c %s "m$n.sif")"
  rm -f "m$n.sif" "m$n.raf"
}

# The page cache's write bandwidth: 2000 MB of zeros into a file.
dd_out=$(dd if=/dev/zero of=dd.tmp bs=1M count=2000 2>&1 >/dev/null | tail -1)
rm -f dd.tmp
dd_bytes=$(echo "$dd_out" | awk '{print $1}')
dd_seconds=$(echo "$dd_out" | awk -F', ' '{print $3}' | awk '{print $1}')
page_cache=$(awk -v b="$dd_bytes" -v s="$dd_seconds" 'BEGIN {printf "%.0f", b / s / 1e6}')

read -r seconds rss bytes < <(convert "$nodes")
read -r q_seconds _ _ < <(convert $((nodes / 4)))

awk -v n="$nodes" -v st="$steps" -v s="$seconds" -v r="$rss" -v b="$bytes" -v pc="$page_cache" \
    -v qs="$q_seconds" -v w="$words" 'BEGIN {
  mbs = b / s / 1e6
  printf "model:              %d nodes and elements, %d stored steps\n", n, st
  printf "SIF size:           %.1f MB\n", b / 1e6
  printf "conversion:         %.3f s, %.0f MB/s\n", s, mbs
  printf "page cache write:   %d MB/s (dd, 2000 MB)\n", pc
  printf "ratio:              %.2f\n", mbs / pc
  printf "peak memory:        %.1f MiB (work array %.1f MiB)\n", r / 1024, w * 4e6 / 1048576
  printf "quarter model:      %.3f s; time ratio full/quarter %.2f\n", qs, s / qs
}'
