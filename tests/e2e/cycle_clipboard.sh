#!/usr/bin/env bash
# The user's clipboard after the cycle is what it was before: every format, byte for
# byte and in its order, for text, Arabic text, a bitmap, HTML with text, a file list
# and an empty clipboard; with a selection, with the fallback selection, and when
# nothing at all could be copied.
source "$(dirname "$0")/cycle/cycle-common.sh"

e2e_start_target

kinds=(
    "Unicode text|clip-text|Zenvoral: ünïcödé ✓ € \\\\ end"
    "Arabic text|clip-text|مرحبا بالعالم"
    "a bitmap|clip-bitmap"
    "HTML and text|clip-html"
    "a file list|clip-files|C:\\users\\Public\\report.txt|Z:\\tmp\\two words.png"
    "an empty clipboard|clip-empty"
)

for kind in "${kinds[@]}"; do
    IFS='|' read -r -a setup <<<"$kind"
    what=${setup[0]}
    command=("${setup[@]:1}")
    cycle_keeps_clipboard "$what, a selection" 0 'one hgsghl two' 4 10 'one السلام two' \
        -- "${command[@]}"
    cycle_keeps_clipboard "$what, nothing selected" 3 'first second' 12 12 'first SECOND' \
        -- "${command[@]}"
    # An empty line: even the fallback copies nothing, and nothing is pasted.
    cycle_keeps_clipboard "$what, nothing to copy" 2 '' 0 0 '' -- "${command[@]}"
done

cycle_finish
