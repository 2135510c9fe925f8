#!/usr/bin/env python3
"""Prints how well zenvoral-convert restores words typed on the wrong layout.

For English paired with each other language, every sentence of bench/sentences/ (written
for this purpose, not taken from the models' word lists) is given typed right, and with
its last one, two, three or all words typed on the other layout. Each line goes through
--mode smart (all lines of a language in one run: lines do not influence each other) and
through --mode toggle (one run per line, as the program converts one selection), and the
words are counted one by one:
  restored  mistyped words that came out as they were meant
  kept      words typed right that came out unchanged

Usage: bench/smart_figures.py [--convert PROGRAM] [--layouts FILE] [--sentences DIR]
                              [--show-misses]
The thresholds were chosen on bench/sentences/; bench/sentences-unseen/ was written
afterwards and never used to tune them.
"""

import argparse
import subprocess
import sys
import unicodedata
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent
PAIRS = {  # language: its layout in layouts.txt
    "ar": "Arabic (101 Keys)",
    "fa": "Persian (101 Keys)",
    "he": "Hebrew (101 Keys)",
    "el": "Greek (101 Keys)",
    "ru": "Russian (101 Keys)",
}
ENGLISH = "English (101 Keys)"
DEAD_KEYS = "\u0384\u00a8\u0385"  # Greek tonos, diaeresis, both


def read_layouts(path):
    sections, current = {}, None
    for line in path.read_text(encoding="utf-8-sig").splitlines():
        line = line.strip(" ")
        if len(line) >= 2 and line[0] == "[" and line[-1] == "]":
            current = sections.setdefault(line[1:-1], [])
        elif current is not None and line and not line.startswith("<!--"):
            current.extend(line.split(" "))
    return sections


class Typist:
    """Types a word meant for one layout with the other layout switched on."""

    def __init__(self, meant, active):
        self.active = active
        self.positions = {}
        for position, entry in reversed(list(enumerate(meant))):
            self.positions[entry] = position

    def keys(self, word, one_key_pairs):
        """Positions of the keys pressed for the word, an accented vowel as its dead key
        and the vowel; a two-letter entry (lam-alef) as one key or as two."""
        text = ""
        for c in word:
            parts = unicodedata.normalize("NFD", c)
            dead = {"\u0301": "\u0384", "\u0308": "\u00a8"}
            if len(parts) == 2 and parts[1] in dead and dead[parts[1]] in self.positions:
                text += dead[parts[1]] + parts[0]
            elif len(parts) == 3 and "\u0385" in self.positions:
                text += "\u0385" + parts[0]
            else:
                text += c
        positions, i = [], 0
        while i < len(text):
            if one_key_pairs and text[i : i + 2] in self.positions:
                positions.append(self.positions[text[i : i + 2]])
                i += 2
            else:
                positions.append(self.positions[text[i]])
                i += 1
        return positions

    def type(self, word, one_key_pairs):
        return "".join(self.active[p] for p in self.keys(word, one_key_pairs))


def cases(sentences, typist):
    """(line typed, words meant, which words were mistyped) for each sentence and each
    share of words typed on the other layout."""
    for number, sentence in enumerate(sentences):
        words = sentence.split(" ")
        shares = sorted({0, len(words)} | {k for k in (1, 2, 3) if k < len(words)})
        for share in shares:
            typed = [
                typist.type(w, number % 2 == 0) if i >= len(words) - share else w
                for i, w in enumerate(words)
            ]
            yield " ".join(typed), words, [i >= len(words) - share for i in range(len(words))]


def run(program, layouts, second, mode, text):
    command = [program, "--mode", mode, "--layouts", str(layouts), "--layout2", second]
    result = subprocess.run(command, input=text.encode(), capture_output=True, check=True)
    return result.stdout.decode()


def count(all_cases, outputs, misses):
    restored = mistyped = kept = right = 0
    for (typed, meant, wrong), output in zip(all_cases, outputs):
        for typed_word, meant_word, was_wrong, got in zip(typed.split(" "), meant, wrong,
                                                         output.split(" ")):
            if was_wrong:
                mistyped += 1
                restored += got == meant_word
            else:
                right += 1
                kept += got == typed_word
            if got != meant_word:
                misses.append(f"{typed_word} -> {got} (meant {meant_word})")
    return restored, mistyped, kept, right


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--convert", default=str(ROOT / "build/native/bin/zenvoral-convert"))
    parser.add_argument("--layouts", type=Path, default=ROOT / "data/layouts.txt")
    parser.add_argument("--sentences", type=Path, default=ROOT / "bench/sentences")
    parser.add_argument("--show-misses", action="store_true")
    arguments = parser.parse_args()
    sections = read_layouts(arguments.layouts)
    folder = arguments.sentences
    english = (folder / "en.txt").read_text(encoding="utf-8").splitlines()
    print(f"{'language':<10}{'lines':>6}{'words':>7}  {'smart: restored':>16}{'kept':>8}"
          f"  {'toggle: restored':>17}{'kept':>8}")
    for language, layout in PAIRS.items():
        own = (folder / f"{language}.txt").read_text(encoding="utf-8").splitlines()
        all_cases = list(cases(english, Typist(sections[ENGLISH], sections[layout])))
        all_cases += list(cases(own, Typist(sections[layout], sections[ENGLISH])))
        lines = [typed for typed, _, _ in all_cases]
        smart = run(arguments.convert, arguments.layouts, layout, "smart", "\n".join(lines))
        toggle = [run(arguments.convert, arguments.layouts, layout, "toggle", line) for line in lines]
        misses = []
        figures = count(all_cases, smart.split("\n"), misses)
        plain = count(all_cases, toggle, [])
        percent = lambda part, whole: f"{100.0 * part / max(whole, 1):.1f}%"
        print(f"{language:<10}{len(lines):>6}{sum(len(m) for _, m, _ in all_cases):>7}  "
              f"{percent(figures[0], figures[1]):>16}{percent(figures[2], figures[3]):>8}  "
              f"{percent(plain[0], plain[1]):>17}{percent(plain[2], plain[3]):>8}")
        if arguments.show_misses:
            for miss in sorted(set(misses)):
                print("   ", miss)
    return 0


if __name__ == "__main__":
    sys.exit(main())
