#!/usr/bin/env bash
# Compares `lumora3 photo` with the standard tools on generated 8 and 12 megapixel photos
# (4:2:0, EXIF orientation 6), in one run on the same machine:
#   un-mirror: ours vs jpegtran -flip vertical -perfect -copy all
#   stamp:     ours vs djpeg | cjpeg -quality 95, and ImageMagick -annotate
# Prints median wall times (hyperfine when installed, else a timed loop) and peak memory.
# Usage: bench/photo_compare.sh [BUILD_DIR]   (default: build; RUNS=n runs per case,
# SKIP_BUILD=1 to use the binaries already built)
set -euo pipefail

ROOT="$(cd "$(dirname "$0")/.." && pwd)"
BUILD="${1:-$ROOT/build}"
RUNS="${RUNS:-15}"

need=()
command -v jpegtran >/dev/null || need+=(libjpeg-turbo-progs)
[ -x /usr/bin/convert ] || need+=(imagemagick)
if [ ${#need[@]} -gt 0 ]; then
  if [ "$(id -u)" = 0 ]; then
    apt-get update -qq && DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${need[@]}" >/dev/null
  else
    echo "photo_compare: missing ${need[*]}; install them with apt-get" >&2; exit 1
  fi
fi
CONVERT=/usr/bin/convert   # the real ImageMagick, not a stand-in earlier on PATH

if [ -z "${SKIP_BUILD:-}" ]; then
  cmake -S "$ROOT" -B "$BUILD" >/dev/null 2>&1
  if ! cmake --build "$BUILD" -j "$(nproc)" --target lumora3 bench_photo_bench >"$BUILD/photo_compare.log" 2>&1; then
    echo "photo_compare: build failed, see $BUILD/photo_compare.log (SKIP_BUILD=1 uses what is built)" >&2
    exit 1
  fi
fi
LUMORA3="$BUILD/lumora3"

WORK="$(mktemp -d /tmp/photo_compare.XXXXXX)"
trap 'rm -rf "$WORK"' EXIT
"$BUILD/bench/bench_photo_bench" --write-photos "$WORK"

# median_ms CMD: median wall time of RUNS runs and mean CPU time (user + system; "-" without
# hyperfine), in milliseconds. On a shared machine the CPU time is the steadier figure.
median_ms() {
  if command -v hyperfine >/dev/null; then
    # Through a shell for every command (one has a pipe); hyperfine subtracts the shell's start.
    hyperfine --warmup 2 --runs "$RUNS" --export-json "$WORK/h.json" "$1" >/dev/null
    python3 -c 'import json,sys; r = json.load(open(sys.argv[1]))["results"][0]; print("%.1f %.1f" % (r["median"]*1000, (r["user"]+r["system"])*1000))' "$WORK/h.json"
  else
    local times=()
    for _ in $(seq "$RUNS"); do
      local t0 t1; t0=$(date +%s%N); bash -c "$1" >/dev/null 2>&1; t1=$(date +%s%N)
      times+=($(( (t1 - t0) / 1000 )))
    done
    printf '%s\n' "${times[@]}" | sort -n | awk '{a[NR]=$1} END {printf "%.1f -\n", a[int((NR+1)/2)]/1000}'
  fi
}

# peak_mb CMD: the largest resident set of the command's processes, in MB.
peak_mb() {
  /usr/bin/time -f '%M' bash -c "$1" 2>&1 >/dev/null | tail -1 | awk '{printf "%.1f\n", $1/1024}'
}

printf '%-6s %-24s %10s %8s %8s\n' photo case median_ms cpu_ms peak_MB
for mp in 8 12; do
  IN="$WORK/${mp}mp.jpg"
  read -r W H < <(python3 - "$IN" <<'PY'
import struct, sys
d = open(sys.argv[1], 'rb').read(); i = 2
while i < len(d):
    m, n = d[i+1], struct.unpack('>H', d[i+2:i+4])[0]
    if m == 0xC0: print(struct.unpack('>H', d[i+7:i+9])[0], struct.unpack('>H', d[i+5:i+7])[0]); break
    i += 2 + n
PY
)
  SIZE=$(python3 -c "print($H/40)")   # font size: upright width (stored height) / 40
  X=$(python3 -c "print(int($SIZE+10))")
  declare -A cmd=(
    [ours_unmirror]="$LUMORA3 photo unmirror $IN $WORK/o1.jpg"
    [jpegtran_flip]="jpegtran -flip vertical -perfect -copy all -outfile $WORK/o2.jpg $IN"
    [ours_stamp]="$LUMORA3 photo stamp $IN $WORK/o3.jpg --date 2026-12-07"
    [djpeg_cjpeg_q95]="djpeg $IN | cjpeg -quality 95 > $WORK/o4.jpg"
    [imagemagick_annotate]="$CONVERT $IN -fill red -pointsize $SIZE -annotate 270x270+$((W - 2 * X))+$((H - X)) 12/7/26 $WORK/o5.jpg"
  )
  declare -A ms=() mem=()
  for k in ours_unmirror jpegtran_flip ours_stamp djpeg_cjpeg_q95 imagemagick_annotate; do
    read -r ms[$k] cpu < <(median_ms "${cmd[$k]}")
    mem[$k]=$(peak_mb "${cmd[$k]}")
    printf '%-6s %-24s %10s %8s %8s\n' "${mp}MP" "$k" "${ms[$k]}" "$cpu" "${mem[$k]}"
  done
  frame=$(python3 -c "print('%.1f' % ($W*$H*4/1048576))")
  python3 - "$mp" "${ms[ours_unmirror]}" "${ms[jpegtran_flip]}" "${ms[ours_stamp]}" \
    "${ms[djpeg_cjpeg_q95]}" "${ms[imagemagick_annotate]}" "${mem[ours_stamp]}" "$frame" <<'PY'
import sys
mp, un, jt, st, dc, im, mem, frame = sys.argv[1], *map(float, sys.argv[2:])
print(f"{mp}MP  unmirror/jpegtran = {un/jt:.2f} (target <= 1.0)   "
      f"stamp/djpeg|cjpeg = {st/dc:.2f} (target <= 0.9)   "
      f"imagemagick/stamp = {im/st:.1f}x (target >= 2.5)   "
      f"stamp peak {mem:.0f} MB = {mem/frame:.2f} x the {frame:.0f} MB BGRX frame (target <= ~2)")
PY
done
