#!/usr/bin/env bash
# make bench: tandrel-cli copy against cp on the same stream files, the cost
# of tandrel-cli copy --verify, and the time of tandrel-cli plan on cards of
# many clips.
#
#   bench/run.sh BUILD
#
# Environment (defaults in brackets):
#   BENCH_CLIPS [4], BENCH_CLIP_MIB [512]   the copy card: clips and size of each
#   BENCH_RUNS [5]                          timed runs of each tool (at least 3)
#   BENCH_PLAN_PLAYLISTS [500], BENCH_PLAN_CLIPS [4]   the plan card
#   BENCH_CASE_CLIPS [10000]                the card whose stream names differ
#                                           in letter case from its playlists
#   BENCH_DIR [BUILD/bench-work]            where cards and copies go: the local
#                                           disk, not a memory file system
# Each timed run copies into a fresh folder and ends with sync; the two tools
# take turns after one untimed run of each (which brings the card into the
# page cache and the programs into memory), and the median of the runs
# counts. Exits 1 when a target is missed.
set -euo pipefail

build=${1:?usage: bench/run.sh BUILD}
clips=${BENCH_CLIPS:-4}
clip_mib=${BENCH_CLIP_MIB:-512}
runs=${BENCH_RUNS:-5}
plan_playlists=${BENCH_PLAN_PLAYLISTS:-500}
plan_clips=${BENCH_PLAN_CLIPS:-4}
case_clips=${BENCH_CASE_CLIPS:-10000}
work=${BENCH_DIR:-$build/bench-work}

if (( runs < 3 )); then
    echo "bench: BENCH_RUNS must be at least 3" >&2
    exit 2
fi

cmake --build "$build" --target tandrel-cli tandrel_make_bench_card >/dev/null
cli=$build/cli/tandrel-cli
maker=$build/bench/tandrel_make_bench_card

rm -rf "$work"
mkdir -p "$work"
work=$(realpath "$work")
trap 'rm -rf "$work"' EXIT

now() { date +%s.%N; }
elapsed() { awk -v start="$1" -v end="$2" 'BEGIN { printf "%.3f\n", end - start }'; }
median() { sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

card=$work/card
stream=$card/PRIVATE/AVCHDL/BDMV/STREAM
echo "bench: writing a card of $clips clips of $clip_mib MiB to $work" >&2
"$maker" "$card" 1 "$clips" $((clip_mib * 1024 * 1024))
bytes=$(stat -c %s "$stream"/*.M2TS | awk '{ sum += $1 } END { print sum }')

run_cp() {
    local target=$work/cp-copy
    rm -rf "$target" && mkdir -p "$target" && sync
    local start end
    start=$(now)
    cp "$stream"/*.M2TS "$target"/
    sync
    end=$(now)
    elapsed "$start" "$end" >>"$work/cp.times"
}

# run_tandrel NAME [OPTION...]: one timed copy into a fresh folder, its time
# added to NAME.times and its peak memory to rss.all.
run_tandrel() {
    local name=$1
    shift
    local target=$work/$name-copy
    rm -rf "$target" && mkdir -p "$target" && sync
    local start end
    start=$(now)
    /usr/bin/time -f %M -o "$work/rss.last" "$cli" copy "$card" "$target" --quiet "$@" </dev/null
    sync
    end=$(now)
    elapsed "$start" "$end" >>"$work/$name.times"
    cat "$work/rss.last" >>"$work/rss.all"
}

echo "bench: warming up" >&2
run_cp
run_tandrel tandrel
run_tandrel verify --verify
rm -f "$work/cp.times" "$work/tandrel.times" "$work/verify.times" "$work/rss.all"
for ((run = 1; run <= runs; run++)); do
    echo "bench: copy run $run of $runs" >&2
    if ((run % 2)); then
        run_cp
        run_tandrel tandrel
        run_tandrel verify --verify
    else
        run_tandrel verify --verify
        run_tandrel tandrel
        run_cp
    fi
done

# The copies must be what cp made: same bytes, one per stream file.
copies=$(find "$work/tandrel-copy" -type f -name '*.m2ts' | sort)
[[ $(wc -l <<<"$copies") -eq $clips ]] || { echo "bench: tandrel-cli made the wrong number of copies" >&2; exit 1; }
while read -r copy; do
    found=0
    for original in "$stream"/*.M2TS; do
        cmp -s "$copy" "$original" && found=1 && break
    done
    ((found)) || { echo "bench: $copy matches no stream file" >&2; exit 1; }
done <<<"$copies"

# time_plan CARD NAME: one untimed plan of CARD, then the timed runs, their
# times added to NAME.times.
time_plan() {
    "$cli" plan "$1" "$work/plan-target" >/dev/null
    for ((run = 1; run <= runs; run++)); do
        start=$(now)
        "$cli" plan "$1" "$work/plan-target" >/dev/null
        end=$(now)
        elapsed "$start" "$end" >>"$work/$2.times"
    done
}

plan_card=$work/plan-card
"$maker" "$plan_card" "$plan_playlists" "$plan_clips" 188
plan_clips_total=$((plan_playlists * plan_clips))
time_plan "$plan_card" plan

# Every stream name in another letter case than the playlist's: each clip is
# found through the case-insensitive look-up.
case_card=$work/case-card
"$maker" "$case_card" $(((case_clips + 3) / 4)) 4 188
perl -e 'for (glob "$ARGV[0]/*.M2TS") { (my $lower = $_) =~ s/\.M2TS$/.m2ts/; rename $_, $lower }' \
    "$case_card/PRIVATE/AVCHDL/BDMV/STREAM"
time_plan "$case_card" case

echo "runs in seconds, cp: $(paste -sd' ' "$work/cp.times"); tandrel-cli copy: $(paste -sd' ' "$work/tandrel.times"); --verify: $(paste -sd' ' "$work/verify.times")"
cp_s=$(median <"$work/cp.times")
tandrel_s=$(median <"$work/tandrel.times")
verify_s=$(median <"$work/verify.times")
plan_s=$(median <"$work/plan.times")
case_s=$(median <"$work/case.times")
rss_kib=$(sort -g "$work/rss.all" | tail -1)

awk -v bytes="$bytes" -v cp="$cp_s" -v td="$tandrel_s" -v rss="$rss_kib" -v plan="$plan_s" -v vf="$verify_s" \
    -v clips="$clips" -v mib="$clip_mib" -v runs="$runs" -v plan_clips="$plan_clips_total" \
    -v case_plan="$case_s" -v case_clips="$(((case_clips + 3) / 4 * 4))" '
function verdict(ok) { return ok ? "met" : "MISSED" }
BEGIN {
    cp_rate = bytes / cp / 1e6; td_rate = bytes / td / 1e6; ratio = td_rate / cp_rate
    printf "Copy of %d clips of %d MiB, median of %d runs, each ended by sync\n", clips, mib, runs
    printf "  %-26s %10s %12s\n", "", "seconds", "MB/s"
    printf "  %-26s %10.2f %12.1f\n", "cp", cp, cp_rate
    printf "  %-26s %10.2f %12.1f\n", "tandrel-cli copy", td, td_rate
    printf "  %-26s %10.3f %12s   target >= 0.95: %s\n", "ratio tandrel / cp", ratio, "", verdict(ratio >= 0.95)
    vf_rate = bytes / vf / 1e6; cost = vf / td
    printf "  %-26s %10.2f %12.1f\n", "tandrel-cli copy --verify", vf, vf_rate
    printf "  %-26s %10.3f %12s   target <= 1.6: %s\n", "time --verify / plain", cost, "", verdict(cost <= 1.6)
    printf "  %-26s %10.1f MiB%8s   target < 64 MiB: %s\n", "peak memory (RSS)", rss / 1024, "", verdict(rss < 64 * 1024)
    printf "Plan of %d clips, median of %d runs\n", plan_clips, runs
    printf "  %-26s %10.3f s%10s   target < 0.2 s: %s\n", "tandrel-cli plan", plan, "", verdict(plan < 0.2)
    printf "Plan of %d clips whose stream names differ in letter case, median of %d runs\n", case_clips, runs
    printf "  %-26s %10.3f s%10s   target < 0.5 s: %s\n", "tandrel-cli plan", case_plan, "", verdict(case_plan < 0.5)
    exit !(ratio >= 0.95 && cost <= 1.6 && rss < 64 * 1024 && plan < 0.2 && case_plan < 0.5)
}'
