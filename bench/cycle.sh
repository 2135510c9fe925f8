#!/usr/bin/env bash
# bench/cycle.sh BUILD_DIR [RUNS]: times the real Zenvoral.exe under Wine. Win+F9 on the
# selected "hgsghl ugd;l" in Wine's Notepad, RUNS times (default 30); prints the
# median and the worst time from the key press to the changed text, and how many runs
# gave the right text with the user's clipboard back. Asserts no time.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
bin=$1/bin
runs=${2:-30}
# shellcheck source=../tests/harness/wine-harness.sh
source "$root/tests/harness/wine-harness.sh"
pids=()
finish() {
    local pid
    for pid in "${pids[@]}"; do
        harness_end_program "$pid" || true
    done
    harness_teardown
}
trap finish EXIT
trap 'exit 130' INT TERM

driver() {
    wine "$bin/zenvoral-testdriver.exe" "$@" </dev/null
}

harness_setup
folder="$HARNESS_DIR/program"
mkdir "$folder"
cp "$bin/Zenvoral.exe" "$root/data/layouts.txt" "$folder/"
harness_start_program "$folder/Zenvoral.exe"
pids+=("$HARNESS_PID")
harness_start_program notepad
pids+=("$HARNESS_PID")
driver wait "Zenvoral 1.60" exists 30000
driver wait "class:Notepad" shown

times=()
for ((run = 0; run < runs; run++)); do
    driver target notepad 'hgsghl ugd;l' 0 12
    if time=$(driver convert notepad 'السلام عليكم' keys win+F9); then
        times+=("$time")
    fi
done
((${#times[@]} > 0)) || { echo "no run gave the right text" >&2; exit 1; }
sorted=$(printf '%s\n' "${times[@]}" | sort -n)
median=$(sed -n "$(((${#times[@]} + 1) / 2))p" <<<"$sorted")
printf 'Win+F9 to the converted text, %d runs: median %s ms, worst %s ms, %d of %d right\n' \
    "$runs" "$median" "$(tail -n 1 <<<"$sorted")" "${#times[@]}" "$runs"
