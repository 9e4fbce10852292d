#!/usr/bin/env bash
# Runs the benchmark program and compares its figures with reference commands timed on the same
# generated input in the same run. Usage: bench/run-benchmarks.sh BUILD_DIR [benchmark args...]
# BUILD_DIR is a build configured with -DQUILLON_BENCH=ON (e.g. build-bench); extra arguments
# go to the benchmark program (e.g. --benchmark_filter=ScanLine).
set -euo pipefail

if [ $# -lt 1 ]; then
    echo "usage: $0 BUILD_DIR [benchmark args...]" >&2
    exit 2
fi
build_dir=$1
shift
bench="$build_dir/bin/quillon_bench"
if [ ! -x "$bench" ]; then
    echo "$bench not found: build it with" >&2
    echo "  cmake -S . -B $build_dir -G Ninja -DCMAKE_BUILD_TYPE=Release -DQUILLON_BENCH=ON" >&2
    echo "  ninja -C $build_dir quillon_bench" >&2
    exit 1
fi

out_dir="$(cd "$(dirname "$0")" && pwd)/out"
mkdir -p "$out_dir"
json="$out_dir/benchmarks.json"

# The comparisons. Each row: label | benchmark | kind | target | reference key.
#   ratio  our time / reference time must be at most the target
#   ms     our time in milliseconds must stay below the target
#   MB/s   our throughput (bytes_per_second) must be at least the target
# A new benchmark adds a row here (and a reference command below when it compares with one).
rows=(
    "Load file         |BM_LoadFromFile      |ratio|0.5|vim-open"
    "Save file         |BM_SaveToFile        |ratio|3  |cp"
    "Search all lines  |BM_ScanLineAllLines  |ratio|0.5|grep"
    "Highlight lines   |BM_HighlightAllLines |MB/s |200|"
    "Insert/delete top |BM_InsertDeleteAtTop |ms   |5  |"
    "Replace all       |BM_ReplaceAll        |ratio|0.5|vim-replace"
    "Repaint page      |BM_EditorFullRepaint |ms   |4  |"
    "Open in editor    |BM_EditorOpenReferenceFile|ratio|0.5|vim-open"
    "Change line 1     |BM_EditorChangeFirstLine|ms |2  |"
    "Type at line 1    |BM_EditorTypeAtTop   |ms   |5  |"
    "Type /* at top    |BM_EditorTypeBlockCommentAtTop|ms|5|"
    "Type /* all known |BM_EditorTypeBlockCommentAtTopComputed|ms|5|"
    "Jump to end+paint |BM_EditorJumpToEndAndPaint|ms|50|"
    "Undo replace all  |BM_UndoReplaceAll    |ms   |1000|"
    "Completion open   |BM_CompletionCtrlSpace|ms  |16 |"
    "Completion char   |BM_CompletionTypedChar|ms  |5  |"
    "Completion 100k   |BM_CompletionTypedChar100k|ms|16|"
    "Completion 100k x |BM_CompletionTypedChar100kNoMatch|ms|16|"
    "Highlight asm     |BM_AsmHighlightAllLines|MB/s|200|"
    "Read 100k messages|BM_ParseToolMessages |ms   |100|"
    "Flow replace all  |BM_FlowReplaceYesToAll|ratio|0.5|vim-replace"
    "Find next, last   |BM_FlowFindNextLastLine|ratio|0.5|grep-last-line"
    "Open search dialog|BM_SearchDialogOpen  |ms   |50 |"
    "ROM map 2.5 MB    |BM_RomMapLoadAndDraw |ms   |50 |"
    "Tile table parse  |BM_TileTableParse64K |ms   |5  |"
    "Tile rows as hex  |BM_TileTableParse64KPackedRows|ms|5|"
    "Macro calls 32k   |BM_TileTableParseMacroCalls32K|ms|50|"
    "Tile view redraw  |BM_TilePreviewRedraw64K|ms |16 |"
    "Find in files     |BM_FindInFilesTree   |ratio|0.5|grep-tree"
    "Index the tree    |BM_SymbolIndexBuildTree|ms |1000|"
    "Index one file    |BM_SymbolIndexUpdate10kLines|ms|20|"
    "Symbols 100k, 1 ch|BM_SymbolFilter100k  |ms   |16 |"
)

# Reference commands on the reference file ($file); the first word is the tool they need.
search_pattern=PUT_STRI  # the pattern BM_ScanLineAllLines searches for
last_line_text=quillon_marker  # the text BM_FlowFindNextLastLine finds on the last line
declare -A reference_command=(
    [vim-open]="vim -u NONE -i NONE -n -es -c 'q!' \"\$file\""
    [cp]="cp \"\$file\" \"\$copy\""
    [grep]="grep -c -F -i $search_pattern \"\$file\""
    [grep-last-line]="grep -c -F $last_line_text \"\$file\""
    [grep-tree]="grep -rn -F satb_update \"\$tree\""
    [vim-replace]="vim -u NONE -i NONE -n -es -c '%s/put_string/PUT_STRING/g' -c 'q!' \"\$file\""
)

trim() {
    local s=$1
    s=${s#"${s%%[![:space:]]*}"}
    echo "${s%"${s##*[![:space:]]}"}"
}

now_ns() {
    if [ -n "${EPOCHREALTIME:-}" ]; then
        local t=${EPOCHREALTIME/[.,]/}
        echo $((10#$t * 1000))
    else
        date +%s%N
    fi
}

echo "== Reference input"
file=$("$bench" --reference-file)
echo "$file ($(wc -c <"$file") bytes, $(wc -l <"$file") lines)"
tree=$("$bench" --reference-tree)
echo "$tree ($(du -sb "$tree" | cut -f1) bytes in $(find "$tree" -type f -name 'file*' | wc -l) files)"
copy=$(mktemp "${TMPDIR:-/tmp}/quillon-bench-copy.XXXXXX")
# Output goes to a file, not /dev/null: grep stops at the first match when it sees /dev/null.
output=$(mktemp "${TMPDIR:-/tmp}/quillon-bench-output.XXXXXX")
trap 'rm -f "$copy" "$output"' EXIT

echo
echo "== Benchmarks"
"$bench" --benchmark_out="$json" --benchmark_out_format=json "$@"

# Best of three wall-clock runs of a reference command, in seconds; empty when its tool is
# missing.
declare -A reference_seconds=()
declare -A reference_note=()
echo
echo "== Reference commands (best of 3, LANG=${LANG:-} LC_ALL=${LC_ALL:-})"
for row in "${rows[@]}"; do
    key=$(trim "${row##*|}")
    [ -n "$key" ] || continue
    command=${reference_command[$key]}
    tool=${command%% *}
    if ! command -v "$tool" >/dev/null 2>&1; then
        reference_note[$key]="$tool missing"
        echo "$key: $tool is not installed (e.g. apt-get install vim-nox for vim); comparison skipped"
        continue
    fi
    best=
    for _ in 1 2 3; do
        start=$(now_ns)
        eval "$command" >"$output" 2>&1 </dev/null || true
        elapsed=$(($(now_ns) - start))
        if [ -z "$best" ] || [ "$elapsed" -lt "$best" ]; then best=$elapsed; fi
    done
    reference_seconds[$key]=$(awk -v ns="$best" 'BEGIN { printf "%.6f", ns / 1e9 }')
    printf '%s: %.1f ms  (%s)\n' "$key" "$(awk -v s="${reference_seconds[$key]}" \
        'BEGIN { print s * 1000 }')" "$(eval echo "$command")"
done

# Our figures from the JSON output: per benchmark name (the part before any "/"), the fastest
# iteration run's real time in seconds and its bytes per second.
declare -A our_seconds=()
declare -A our_bytes_per_second=()
while read -r name seconds bps; do
    base=${name%%/*}
    if [ -z "${our_seconds[$base]:-}" ] ||
        awk -v a="$seconds" -v b="${our_seconds[$base]}" 'BEGIN { exit !(a < b) }'; then
        our_seconds[$base]=$seconds
        our_bytes_per_second[$base]=$bps
    fi
done < <(awk '
    function value(line) {
        sub(/^[^:]*:[ \t]*/, "", line); sub(/,[ \t]*$/, "", line); gsub(/"/, "", line)
        return line
    }
    /^[ \t]*"name":/ { name = value($0); type = "iteration"; time = ""; unit = "ns"; bps = 0 }
    /^[ \t]*"run_type":/ { type = value($0) }
    /^[ \t]*"real_time":/ { time = value($0) }
    /^[ \t]*"time_unit":/ { unit = value($0) }
    /^[ \t]*"bytes_per_second":/ { bps = value($0) }
    /^[ \t]*}/ {
        if (name != "" && time != "" && type == "iteration") {
            scale = unit == "ns" ? 1e-9 : unit == "us" ? 1e-6 : unit == "ms" ? 1e-3 : 1
            printf "%s %.9f %s\n", name, time * scale, bps
        }
        name = ""
    }' "$json")

echo
echo "== Comparison"
printf '%-18s %-22s %12s %12s %9s %-12s %s\n' "What" "Benchmark" "Ours" "Reference" "Ratio" \
    "Target" "Result"
for row in "${rows[@]}"; do
    IFS='|' read -r label name kind target key <<<"$row"
    label=$(trim "$label")
    name=$(trim "$name")
    kind=$(trim "$kind")
    target=$(trim "$target")
    key=$(trim "$key")

    reference="-"
    if [ -n "$key" ]; then
        if [ -n "${reference_seconds[$key]:-}" ]; then
            reference=$(awk -v s="${reference_seconds[$key]}" 'BEGIN { printf "%.1f ms", s * 1000 }')
        else
            reference=${reference_note[$key]:-"-"}
        fi
    fi

    ours="not built"
    ratio="-"
    result="-"
    case $kind in
        ratio) goal="<= $target" ;;
        ms) goal="< $target ms" ;;
        MB/s) goal=">= $target MB/s" ;;
    esac
    if [ -n "${our_seconds[$name]:-}" ]; then
        seconds=${our_seconds[$name]}
        ours=$(awk -v s="$seconds" 'BEGIN { printf "%.1f ms", s * 1000 }')
        case $kind in
            ratio)
                if [ -n "${reference_seconds[$key]:-}" ]; then
                    ratio=$(awk -v a="$seconds" -v b="${reference_seconds[$key]}" \
                        'BEGIN { printf "%.2f", a / b }')
                    result=$(awk -v r="$ratio" -v t="$target" 'BEGIN { print (r <= t) ? "ok" : "MISSED" }')
                fi
                ;;
            ms)
                result=$(awk -v s="$seconds" -v t="$target" 'BEGIN { print (s * 1000 < t) ? "ok" : "MISSED" }')
                ;;
            MB/s)
                mbs=$(awk -v b="${our_bytes_per_second[$name]}" 'BEGIN { printf "%.0f", b / 1e6 }')
                ours="$mbs MB/s"
                result=$(awk -v m="$mbs" -v t="$target" 'BEGIN { print (m >= t) ? "ok" : "MISSED" }')
                ;;
        esac
    fi
    printf '%-18s %-22s %12s %12s %9s %-12s %s\n' "$label" "$name" "$ours" "$reference" "$ratio" \
        "$goal" "$result"
done
echo
echo "JSON: $json"

# Peak memory of one load, measured in a process of its own (target: at most 2x the file size).
peak_tool="$build_dir/bin/quillon_load_peak_memory"
if [ -x "$peak_tool" ]; then
    echo
    echo "== Load peak memory (target <= 2.0 x file size)"
    "$peak_tool" "$file"
fi

# Resident memory with the file open in an editor control (target: at most 1.3x the file size).
resident_tool="$build_dir/bin/quillon_editor_resident_memory"
if [ -x "$resident_tool" ]; then
    echo
    echo "== Resident memory with the file open (target <= 1.3 x file size)"
    "$resident_tool" "$file"
fi
