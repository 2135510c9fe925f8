#!/usr/bin/env bash
# convert_program.sh PROGRAM DATA_FOLDER WORK_FOLDER [EMULATOR]: runs zenvoral-convert case
# after case, each in a fresh folder, and checks its exit code and outputs byte for byte.
# Output goes to files, never pipes: Wine's services would keep a pipe open.
set -u
program=$1 data=$2 work=$3 emulator=${4:-}
failed=0
exec </dev/null

# holds FILE EXPECTED: "" nothing, "~TEXT" a text to find, else a data file's exact bytes.
holds() {
    case $2 in
        "") [[ ! -s $1 ]] ;;
        "~"*) grep -qF -- "${2#\~}" "$1" ;;
        *) cmp -s "$1" "$data/$2" ;;
    esac
}

# convert NAME EXIT STDOUT STDERR ARGUMENTS...: in a folder holding the data `files`
# ("name" or "name>copy"), and with own_copy=yes a copy of the program run from there.
convert() {
    local name=$1 exit=$2 out=$3 err=$4 dir=$work/$1 run=$program file code
    shift 4
    rm -rf "$dir" && mkdir -p "$dir"
    for file in "${files[@]}"; do cp "$data/${file%%>*}" "$dir/${file#*>}"; done
    if [[ $own_copy == yes ]]; then
        cp "$program" "$dir/" && run=$dir/${program##*/}
    fi
    (cd "$dir" && $emulator "$run" "$@" >stdout 2>stderr)
    code=$?
    if ((code == exit)) && holds "$dir/stdout" "$out" && holds "$dir/stderr" "$err"; then
        rm -rf "$dir"
        return
    fi
    failed=$((failed + 1))
    echo "FAILED $name: exit code $code (expected $exit); arguments: $*"
    od -c "$dir/stdout" | head -n 8 && cat "$dir/stderr"
}

own_copy=no files=(layouts.txt)
convert toggle_english_keys_to_arabic 0 english_keys.expected "" \
    --mode toggle --layouts layouts.txt <"$data/english_keys.txt"
convert help_exits_zero 0 "~Usage: zenvoral-convert --mode MODE" "" --help
convert unknown_mode_refused 2 "" "~unknown mode" --mode 6
convert missing_input_file_refused 2 "" "~no such input file" \
    --mode toggle --layouts layouts.txt missing.txt
convert layout_without_section_refused 2 "" '~no layout "Hebrew"' \
    --mode toggle --layouts layouts.txt --layout2 Hebrew <"$data/hello.txt"

# Back to English keys: lam-alef is one key, the byte-order mark stays in front, CR LF, LF
# and a missing last line end are kept (Windows must not translate line ends), and a
# character beyond the BMP passes through.
files=(layouts.txt "arabic_lines_bom.txt>input.txt")
convert toggle_arabic_keeps_bom_and_line_ends 0 arabic_lines_bom.expected "" \
    --mode 0 --layouts layouts.txt input.txt
# Word by word: only the mistyped words change; blanks, tabs and line ends stay.
files=(layouts.txt "smart.txt>input.txt")
convert smart_keeps_blanks_and_line_ends 0 smart.expected "" --mode smart --layouts layouts.txt input.txt
files=(layouts.txt "invalid_utf8.txt>input.txt")
convert invalid_utf8_refused 2 "" "~not valid UTF-8" --mode toggle --layouts layouts.txt input.txt
files=(unequal.txt "abcd.txt>input.txt")
convert unequal_counts_warn_and_convert 0 abcd.expected unequal_warning.expected \
    --mode=to2 --layouts unequal.txt --layout1 Long --layout2 Short input.txt
files=("arabic_names.txt>تخطيط.txt" "salam.txt>نص عربي.txt")
convert arabic_names_and_file_names 0 salam.expected "" \
    --layouts تخطيط.txt --layout1 لاتيني --layout2 عربي --mode to1 "نص عربي.txt"
files=(arabic_names_utf16le.txt salam.txt)
convert utf16_layouts_file 0 salam.expected "" \
    --layouts arabic_names_utf16le.txt --layout1 لاتيني --layout2 عربي --mode to1 salam.txt
files=(hello.txt)
convert file_without_sections_refused 2 "" "~no section found (the file must be UTF-8, UTF-16" \
    --mode toggle --layouts hello.txt hello.txt

own_copy=yes files=(layouts.txt)
convert default_layouts_beside_program 0 hello.expected "" --mode 2 - <"$data/hello.txt"
files=()
convert missing_layouts_file_refused 2 "" "~no such layouts file" --mode toggle
exit $((failed > 0))
