#!/usr/bin/env bash
# Measures quillmark against the highlighters a user would otherwise pick, on
# the same VBA files in one run, with `cat` of the same bytes as the floor:
#
#   tools/bench_peers.sh FOLDER                  every .bas .cls .frm of FOLDER
#   tools/bench_peers.sh --make FOLDER [MODULES [KB]]   first writes a project of
#                                                MODULES generated modules of
#                                                about KB kilobytes (default 20 x 1024)
#
#   quillmark        the folder as one project site (--target project), one process
#   Pygments         pygmentize -l vb.net -f html, one process per file
#   source-highlight --src-lang=vbscript -f html (it has no VB.NET), one per file
#   highlight        -S vb -O html, one process per file
#   highlight.js     language vbnet under node, one process for every file
#   cat              the same bytes into one file
#
# Each writes its HTML into files of a temporary folder. Throughput is MB of
# source per second of wall-clock time for the whole job; peak memory is the
# largest resident set of the job's processes (/usr/bin/time -v). Each tool
# runs RUNS times (default 3) and its fastest run counts. The ratio is
# quillmark's throughput over the tool's. The peers are installed for the run
# only: the Debian packages python3-pygments, source-highlight, highlight
# (and time) that were missing are removed again afterwards (KEEP_PEERS=1
# keeps them), highlight.js comes from the npm registry into the temporary
# folder. quillmark is QUILLMARK (default build/bin/quillmark, an optimised
# build). Prints a Markdown table for BENCHMARKS.md.
set -euo pipefail
cd "$(dirname "$0")/.."

if [ "${1:-}" = "--make" ]; then
  FOLDER=${2:?usage: bench_peers.sh --make FOLDER [MODULES [KB]]}
  tools/make_project.sh "$FOLDER" "${3:-20}" "${4:-1024}"
else
  FOLDER=${1:?usage: bench_peers.sh FOLDER | --make FOLDER [MODULES [KB]]}
fi
FOLDER=$(cd "$FOLDER" && pwd)
QUILLMARK=${QUILLMARK:-build/bin/quillmark}
QUILLMARK=$(cd "$(dirname "$QUILLMARK")" && pwd)/$(basename "$QUILLMARK")
RUNS=${RUNS:-3}
[ -x "$QUILLMARK" ] || { echo "bench_peers: $QUILLMARK not found; build it first (make build)" >&2; exit 2; }

shopt -s nullglob
FILES=("$FOLDER"/*.bas "$FOLDER"/*.cls "$FOLDER"/*.frm)
[ ${#FILES[@]} -gt 0 ] || { echo "bench_peers: no .bas .cls .frm files in $FOLDER" >&2; exit 2; }
BYTES=$(cat "${FILES[@]}" | wc -c)

WORK=$(mktemp -d "${TMPDIR:-/tmp}/quillmark-peers.XXXXXX")
INSTALLED=()
SUDO=$([ "$(id -u)" = 0 ] || echo sudo)
cleanup() {
  rm -rf "$WORK"
  if [ ${#INSTALLED[@]} -gt 0 ] && [ "${KEEP_PEERS:-0}" != 1 ]; then
    echo "Removing the peers installed for this run: ${INSTALLED[*]}" >&2
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get remove -y -qq "${INSTALLED[@]}" >/dev/null || true
  fi
}
trap cleanup EXIT

# The peers, for this run only.
for p in time python3-pygments source-highlight highlight; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || INSTALLED+=("$p")
done
if [ ${#INSTALLED[@]} -gt 0 ]; then
  echo "Installing for this run: ${INSTALLED[*]}" >&2
  $SUDO apt-get update -qq && DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq "${INSTALLED[@]}" >/dev/null
fi
npm install --prefix "$WORK/npm" --no-audit --no-fund --silent highlight.js >/dev/null
cat > "$WORK/npm/hljs.js" <<'JS'
// Highlights each file given (VB.NET) into OUT/<name>.html.
const fs = require("fs"), path = require("path");
const hljs = require("highlight.js/lib/core");
hljs.registerLanguage("vbnet", require("highlight.js/lib/languages/vbnet"));
const out = process.argv[2];
for (const file of process.argv.slice(3)) {
  const html = hljs.highlight(fs.readFileSync(file, "utf8"), { language: "vbnet" }).value;
  fs.writeFileSync(path.join(out, path.basename(file) + ".html"), "<pre><code class=\"hljs\">" + html + "</code></pre>\n");
}
JS

# Per-file runners: each highlights every file of the folder into OUT.
run_pygments() { for f in "${FILES[@]}"; do /usr/bin/pygmentize -l vb.net -f html -o "$OUT/${f##*/}.html" "$f"; done; }
run_source_highlight() { for f in "${FILES[@]}"; do source-highlight --src-lang=vbscript -f html -i "$f" -o "$OUT/${f##*/}.html"; done; }
run_highlight() { for f in "${FILES[@]}"; do highlight -S vb -O html -i "$f" -o "$OUT/${f##*/}.html"; done; }
run_hljs() { node "$WORK/npm/hljs.js" "$OUT" "${FILES[@]}"; }
run_cat() { cat "${FILES[@]}" > "$OUT/all.txt"; }
run_quillmark() {
  HOME="$WORK/home" TMPDIR="$WORK/tmp" QUILLMARK_REGISTRY="$WORK/registry.reg" QUILLMARK_SYSTEM_DIR="$WORK/system" \
    LC_ALL=C.UTF-8 "$QUILLMARK" --quiet --yes --target project --output "$OUT/" "$FOLDER"
}
export -f run_pygments run_source_highlight run_highlight run_hljs run_cat run_quillmark
export FOLDER QUILLMARK WORK
mkdir -p "$WORK/home" "$WORK/tmp"

# measure NAME FUNCTION: the fastest of RUNS runs as "seconds peak-KB".
measure() {
  local best="" line
  for ((r = 1; r <= RUNS; r++)); do
    OUT="$WORK/out/$1"
    rm -rf "$OUT" && mkdir -p "$OUT"
    # The file list goes through the environment as one string per run.
    OUT="$OUT" FILES_LIST="$(printf '%s\n' "${FILES[@]}")" /usr/bin/time -f "%e %M" -o "$WORK/time.txt" \
      bash -c 'mapfile -t FILES <<<"$FILES_LIST"; '"$2" >/dev/null 2>"$WORK/$1.err" \
      || { echo "bench_peers: $1 failed:" >&2; tail -5 "$WORK/$1.err" >&2; return 1; }
    line=$(tail -1 "$WORK/time.txt")
    if [ -z "$best" ] || awk -v a="${line%% *}" -v b="${best%% *}" 'BEGIN { exit !(a < b) }'; then best=$line; fi
  done
  echo "$best"
}

VERSION_QUILLMARK="quillmark $(git describe --always --dirty 2>/dev/null || echo '?')"
VERSION_PYGMENTS=$(/usr/bin/pygmentize -V | sed 's/,.*//')
VERSION_SH=$(source-highlight --version | head -1)
VERSION_HL=$(highlight --version | grep -m1 -i 'highlight version' | sed 's/^ *//')
VERSION_HLJS="highlight.js $(node -p "require('$WORK/npm/node_modules/highlight.js/package.json').version"), node $(node --version)"
VERSION_CAT=$(cat --version | head -1)

echo "Machine: $(lscpu | sed -n 's/^Model name: *//p'), $(nproc) cores, $(free -g | awk '/Mem:/ {print $2}') GB, Linux $(uname -r); load average at start: $(cut -d' ' -f1-3 /proc/loadavg)"
echo "Input: ${#FILES[@]} files, $BYTES bytes ($(awk -v b="$BYTES" 'BEGIN { printf "%.1f", b / 1048576 }') MB), $FOLDER; fastest of $RUNS runs"
echo
echo "| Tool | Version | Time (s) | Throughput (MB/s) | Peak memory (MB) | quillmark is × faster |"
echo "|---|---|---:|---:|---:|---:|"
QM=""
for entry in "quillmark:run_quillmark:$VERSION_QUILLMARK" "cat:run_cat:$VERSION_CAT" \
             "Pygments:run_pygments:$VERSION_PYGMENTS" "source-highlight:run_source_highlight:$VERSION_SH" \
             "highlight:run_highlight:$VERSION_HL" "highlight.js:run_hljs:$VERSION_HLJS"; do
  IFS=: read -r name fn version <<<"$entry"
  result=$(measure "$name" "$fn") || continue
  secs=${result%% *}
  kb=${result##* }
  [ -n "$QM" ] || QM=$secs
  awk -v n="$name" -v v="$version" -v s="$secs" -v kb="$kb" -v b="$BYTES" -v q="$QM" 'BEGIN {
    s = (s > 0 ? s : 0.01); q = (q > 0 ? q : 0.01)
    printf "| %s | %s | %.2f | %.1f | %.1f | %.2f |\n", n, v, s, b / 1048576 / s, kb / 1024, s / q
  }'
done
