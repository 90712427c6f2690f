#!/usr/bin/env bash
# Compares `lumora3 photo` with the standard tools, in one run on the same machine, on 8 and
# 12 megapixel photos (4:2:0, EXIF orientation 6): a noisy synthetic picture ("synth") and a real
# phone photo ("real", scaled to 12 MP for that size).
#   un-mirror: ours vs jpegtran -flip vertical -perfect -copy all
#   stamp:     ours vs djpeg | cjpeg -quality 95 (and ImageMagick -annotate when installed)
# Prints median wall and CPU times of whole processes (hyperfine), peak memory against the
# decoded frame, the in-process times (Google Benchmark), and the speed-up of a folder run with
# -j 2 over -j 1.
# Usage: bench/photo_compare.sh [BUILD_DIR]   (default: build)
#   RUNS=n runs per case (15), FOLDER_PHOTOS=n photos in the folder run (500),
#   FOLDER_RUNS=n rounds of the folder runs (3), SKIP_BUILD=1 to use the binaries already built.
set -euo pipefail

ROOT="$(cd "$(dirname "$0")/.." && pwd)"
BUILD="${1:-$ROOT/build}"
RUNS="${RUNS:-15}"
FOLDER_PHOTOS="${FOLDER_PHOTOS:-500}"
FOLDER_RUNS="${FOLDER_RUNS:-3}"

need=()
command -v jpegtran >/dev/null || need+=(libjpeg-turbo-progs)
command -v hyperfine >/dev/null || need+=(hyperfine)
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

echo "photo_compare: $(nproc) cores, load average $(cut -d' ' -f1-3 /proc/loadavg) at the start"

# timed CMD [RUNS [PREPARE]]: median wall time and median CPU time (user + system) in ms. On a
# shared machine the CPU time is the steadier figure.
timed() {
  if [ -n "${3:-}" ]; then
    hyperfine --warmup 0 --runs "$2" --prepare "$3" --export-json "$WORK/h.json" "$1" >/dev/null 2>&1
  else
    hyperfine --warmup 2 --runs "${2:-$RUNS}" --export-json "$WORK/h.json" "$1" >/dev/null 2>&1
  fi
  python3 -c '
import json, statistics, sys
r = json.load(open(sys.argv[1]))["results"][0]
cpu = [u + s for u, s in zip(r["user"], r["system"])] if isinstance(r["user"], list) else None
print("%.1f %.1f" % (r["median"] * 1000, statistics.median(cpu) * 1000 if cpu else (r["user"] + r["system"]) * 1000))
' "$WORK/h.json"
}

# peak_mb CMD: the largest resident set of the command's processes, in MB.
peak_mb() {
  /usr/bin/time -f '%M' bash -c "$1" 2>&1 >/dev/null | tail -1 | awk '{printf "%.1f\n", $1/1024}'
}

size_of() {  # the stored width and height of a JPEG
  python3 - "$1" <<'PY'
import struct, sys
d = open(sys.argv[1], 'rb').read(); i = 2
while i < len(d):
    m, n = d[i+1], struct.unpack('>H', d[i+2:i+4])[0]
    if m in (0xC0, 0xC1, 0xC2): print(struct.unpack('>H', d[i+7:i+9])[0], struct.unpack('>H', d[i+5:i+7])[0]); break
    i += 2 + n
PY
}

printf '\n%-10s %-22s %10s %8s %8s\n' photo case wall_ms cpu_ms peak_MB
RATIOS="$WORK/ratios"
: >"$RATIOS"
for kind in synth real; do
  for mp in 8 12; do
    name="${kind/synth/}${mp}mp"
    IN="$WORK/$name.jpg"
    read -r W H < <(size_of "$IN")
    SIZE=$(python3 -c "print($H/40)")   # font size: upright width (stored height) / 40
    X=$(python3 -c "print(int($SIZE+10))")
    declare -A cmd=(
      [ours_unmirror]="$LUMORA3 photo unmirror $IN $WORK/o1.jpg"
      [jpegtran_flip]="jpegtran -flip vertical -perfect -copy all -outfile $WORK/o2.jpg $IN"
      [ours_stamp]="$LUMORA3 photo stamp $IN $WORK/o3.jpg --date 2026-12-07"
      [djpeg_cjpeg_q95]="djpeg $IN | cjpeg -quality 95 > $WORK/o4.jpg"
      [imagemagick_annotate]="$CONVERT $IN -fill red -pointsize $SIZE -annotate 270x270+$((W - 2 * X))+$((H - X)) 12/7/26 $WORK/o5.jpg"
    )
    cases=(ours_unmirror jpegtran_flip ours_stamp djpeg_cjpeg_q95)
    [ -x "$CONVERT" ] && cases+=(imagemagick_annotate)
    declare -A ms=() cpu=() mem=()
    for k in "${cases[@]}"; do
      read -r ms[$k] cpu[$k] < <(timed "${cmd[$k]}")
      mem[$k]=$(peak_mb "${cmd[$k]}")
      printf '%-10s %-22s %10s %8s %8s\n' "$kind ${mp}MP" "$k" "${ms[$k]}" "${cpu[$k]}" "${mem[$k]}"
    done
    echo "$kind ${mp} $W $H ${ms[ours_unmirror]} ${ms[jpegtran_flip]} ${cpu[ours_unmirror]} ${cpu[jpegtran_flip]} ${ms[ours_stamp]} ${ms[djpeg_cjpeg_q95]} ${cpu[ours_stamp]} ${cpu[djpeg_cjpeg_q95]} ${mem[ours_unmirror]} ${mem[ours_stamp]}" >>"$RATIOS"
    unset cmd ms cpu mem
  done
done

echo
python3 - "$RATIOS" <<'PY'
import sys
print("%-10s %22s %22s %26s" % ("photo", "unmirror/jpegtran", "stamp/djpeg|cjpeg", "peak RSS / decoded frame"))
print("%-10s %22s %22s %26s" % ("", "wall   cpu  (<= 1.0)", "wall   cpu  (<= 0.9)", "unmirror  stamp  (<= 1.3)"))
for line in open(sys.argv[1]):
    kind, mp, w, h, un, jt, unc, jtc, st, dc, stc, dcc, mu, ms = line.split()
    frame = int(w) * int(h) * 4 / 1048576  # BGRX bytes of the whole picture, MB
    f = float
    print("%-10s %10.2f %6.2f %14.2f %6.2f %14.2f %6.2f   (frame %.0f MB)" % (
        f"{kind} {mp}MP", f(un) / f(jt), f(unc) / f(jtc), f(st) / f(dc), f(stc) / f(dcc),
        f(mu) / frame, f(ms) / frame, frame))
PY

echo
echo "In process (Google Benchmark, median of 5):"
"$BUILD/bench/bench_photo_bench" --benchmark_filter='Unmirror(Lossless|RealPhoto)|Stamp(RealPhoto)?/' \
  --benchmark_repetitions=5 --benchmark_report_aggregates_only=true 2>/dev/null | grep -E '_median|^Benchmark' || true

echo
FOLDER="$WORK/folder"
mkdir -p "$FOLDER"
for i in $(seq -w 1 "$FOLDER_PHOTOS"); do ln "$WORK/real8mp.jpg" "$FOLDER/IMG_$i.JPG"; done
# Rounds of -j 1 then -j 2 back to back, so that a machine whose speed drifts (a shared one)
# slows both alike; the speed-up is the median of the rounds'.
folder_ms() {  # wall time in ms of one folder run with -j $1
  rm -rf "$WORK/fout"
  local t0 t1
  t0=$(date +%s%N)
  "$LUMORA3" photo unmirror "$FOLDER" "$WORK/fout" -j "$1" >/dev/null
  t1=$(date +%s%N)
  echo $(((t1 - t0) / 1000000))
}
speedups=()
for r in $(seq 1 "$FOLDER_RUNS"); do
  one=$(folder_ms 1)
  two=$(folder_ms 2)
  speedups+=("$(python3 -c "print('%.2f' % ($one / $two))")")
  printf 'folder of %s real 8 MP photos, un-mirror, round %s: -j 1 %s ms, -j 2 %s ms (%sx)\n' \
    "$FOLDER_PHOTOS" "$r" "$one" "$two" "${speedups[-1]}"
done
python3 -c "import statistics, sys; print('-j 2 speed-up over -j 1: %.2fx median of %d rounds (target >= 1.8)' % (statistics.median(map(float, sys.argv[1:])), len(sys.argv) - 1))" "${speedups[@]}"
echo "photo_compare: load average $(cut -d' ' -f1-3 /proc/loadavg) at the end"
