#!/usr/bin/env python3
"""Builds the letter-trigram language models of data/models/ from Debian's spell-checking
dictionaries (see the README's "Language models" section for the packages).

Each model answers how likely a word is in its language: -log2 P(letter | two letters
before), the word's start and end being a letter of their own, quantised to 16 levels.
The word lists are the dictionaries' words with their affixes applied; a stem's derived
forms share one stem's weight between them, so a language with hundreds of forms per stem
does not drown its stems.

Usage: tools/build_language_models.py [--dictionaries DIR] [--out DIR] [LANGUAGE ...]
"""

import argparse
import bisect
import math
import random
import re
import struct
import sys
import unicodedata
from collections import Counter, defaultdict
from pathlib import Path

# The dictionary (.dic/.aff under /usr/share/hunspell) and Debian package of each language.
SOURCES = {
    "en": ("en_US", "hunspell-en-us"),
    "ar": ("ar", "hunspell-ar"),
    "fa": ("fa_IR", "myspell-fa"),
    "he": ("he_IL", "hunspell-he"),
    "el": ("el_GR", "hunspell-el"),
    "ru": ("ru_RU", "hunspell-ru"),
    "fr": ("fr", "hunspell-fr"),
    "de": ("de_DE", "hunspell-de-de"),
}

MAX_SYMBOLS = 40  # with the word boundary: 40^3 nibbles = 32,000 bytes
MODEL_BUDGET = 32 * 1024  # bytes per language; what the trigrams leave holds short words
KNOWN_LENGTHS = (5, 4, 3)  # the longest that gets BITS_PER_KNOWN_WORD, else the last
BITS_PER_KNOWN_WORD = 10
LEVELS = 16
MAX_FORMS_PER_STEM = 24  # drawn at random (fixed seed) from all the stem's forms
MIN_LETTER_SHARE = 1e-5  # rarer letters are foreign: their words are left out

ARABIC_MARKS = re.compile("[\u064b-\u0652\u0640\u0670]")  # harakat, tatweel, dagger alef
# Letters the same keyboard types in two shapes: read as one letter.
FOLDS = {
    "fa": {"ي": "ی", "ى": "ی", "ك": "ک", "ة": "ه", "أ": "ا", "إ": "ا", "ؤ": "و", "ئ": "ی"},
    "ru": {"ё": "е"},
}


def decode_flags(text, mode, aliases):
    if mode != "num" and text.isdigit() and aliases:
        text = aliases[int(text) - 1]
    if mode == "long":
        return {text[i : i + 2] for i in range(0, len(text) - 1, 2)}
    if mode == "num":
        return set(text.split(","))
    return set(text)


class Affixes:
    """The prefix and suffix rules of a .aff file; compounding and continuation classes
    are left out: a language model needs plausible words, not every word."""

    def __init__(self, path):
        raw = path.read_bytes()
        found = re.search(rb"^SET\s+(\S+)", raw, re.M)
        self.encoding = found.group(1).decode().replace("ISO8859", "ISO-8859") if found else "utf-8"
        self.flag_mode, self.aliases, self.need_affix = "char", [], None
        self.rules = defaultdict(list)  # flag -> [(kind, strip, add, condition, cross)]
        self.cache = {}
        cross = {}
        for line in raw.decode(self.encoding, "replace").splitlines():
            parts = line.split()
            if len(parts) < 2:
                continue
            if parts[0] == "FLAG":
                self.flag_mode = parts[1]
            elif parts[0] == "AF" and not (len(parts) == 2 and parts[1].isdigit()):
                self.aliases.append(parts[1])
            elif parts[0] == "NEEDAFFIX":
                self.need_affix = parts[1]
            elif parts[0] in ("PFX", "SFX") and len(parts) == 4 and parts[2] in "YN":
                cross[parts[1]] = parts[2] == "Y"
            elif parts[0] in ("PFX", "SFX") and len(parts) >= 5:
                kind, flag, strip, add, condition = parts[:5]
                strip = "" if strip == "0" else strip
                add = "" if add.split("/")[0] == "0" else add.split("/")[0]
                pattern = "^" + condition if kind == "PFX" else condition + "$"
                try:
                    matcher = re.compile(pattern if condition != "." else "")
                except re.error:
                    continue
                self.rules[flag].append((kind, strip, add, matcher, cross.get(flag, False)))

    def rules_for(self, flags):
        key = frozenset(flags)
        if key not in self.cache:
            rules = [rule for flag in flags for rule in self.rules.get(flag, ())]
            self.cache[key] = ([r for r in rules if r[0] == "PFX"], [r for r in rules if r[0] == "SFX"])
        return self.cache[key]

    def sample_forms(self, stem, flags, dice):
        """Up to MAX_FORMS_PER_STEM derived forms drawn at random: a prefix, a suffix, or
        both where both allow it. Drawing instead of listing keeps a language with a
        thousand prefix chains per stem as quick as one with three suffixes."""
        prefixes, suffixes = self.rules_for(flags)
        forms = set()
        for _ in range(4 * MAX_FORMS_PER_STEM):
            if len(forms) >= MAX_FORMS_PER_STEM:
                break
            prefix = dice.choice(prefixes) if prefixes and dice.random() < 0.5 else None
            suffix = dice.choice(suffixes) if suffixes and (prefix is None or dice.random() < 0.5) else None
            if prefix and suffix and not (prefix[4] and suffix[4]):
                continue
            word = stem
            if suffix:
                word = apply_rule(word, suffix)
            if prefix and word:
                word = apply_rule(word, prefix)
            if word and word != stem:
                forms.add(word)
        return sorted(forms)


def apply_rule(word, rule):
    kind, strip, add, matcher, _ = rule
    if kind == "PFX":
        fits = word.startswith(strip) and matcher.search(word)
        return add + word[len(strip) :] if fits else None
    fits = word.endswith(strip) and matcher.search(word)
    return word[: len(word) - len(strip)] + add if fits else None


def weighted_words(name, dictionaries):
    """(word, weight) for every stem (1) and its derived forms (1 between them)."""
    affixes = Affixes(dictionaries / f"{name}.aff")
    lines = (dictionaries / f"{name}.dic").read_bytes().decode(affixes.encoding, "replace")
    dice = random.Random(20240601)
    for line in lines.splitlines()[1:]:
        entry = line.split("\t")[0].split(" ")[0]
        stem, _, flag_text = entry.partition("/")
        if not stem:
            continue
        flags = decode_flags(flag_text, affixes.flag_mode, affixes.aliases) if flag_text else set()
        if affixes.need_affix not in flags:
            yield stem, 1.0
        forms = affixes.sample_forms(stem, flags, dice)
        for form in forms:
            yield form, 1.0 / len(forms)


def normalise(word, language):
    word = ARABIC_MARKS.sub("", unicodedata.normalize("NFC", word)).lower()
    if language == "el":  # accents and diaeresis are typed with dead keys: read the vowel
        word = "".join(c for c in unicodedata.normalize("NFD", word) if not unicodedata.combining(c))
    return "".join(FOLDS.get(language, {}).get(c, c) for c in word)


def choose_alphabet(words):
    letters = Counter()
    for word, weight in words:
        for c in word:
            letters[c] += weight
    total = sum(letters.values())
    common = [c for c, n in letters.most_common() if n / total >= MIN_LETTER_SHARE]
    return [c for c in common if c.isalpha() or c in "'\u200c"][: MAX_SYMBOLS - 1]


def trigram_costs(words, alphabet):
    """-log2 P(c | a b) for every a, b, c, interpolated Witten-Bell down to letters."""
    index = {c: i + 1 for i, c in enumerate(alphabet)}
    size = len(alphabet) + 1
    tri, bi, uni = Counter(), Counter(), Counter()
    for word, weight in words:
        if not all(c in index for c in word):
            continue
        symbols = [0, 0] + [index[c] for c in word] + [0]
        for i in range(2, len(symbols)):
            a, b, c = symbols[i - 2 : i + 1]
            tri[a, b, c] += weight
            bi[b, c] += weight
            uni[c] += weight
    def table(counts, context_of):
        totals, kinds = Counter(), Counter()
        for key, n in counts.items():
            totals[context_of(key)] += n
            kinds[context_of(key)] += 1
        return totals, kinds
    tri_totals, tri_kinds = table(tri, lambda k: k[:2])
    bi_totals, bi_kinds = table(bi, lambda k: k[0])
    uni_total = sum(uni.values())
    costs = []
    for a in range(size):
        for b in range(size):
            for c in range(size):
                p = (uni[c] + 0.5) / (uni_total + 0.5 * size)
                for n, total, kinds in ((bi[b, c], bi_totals[b], bi_kinds[b]),
                                        (tri[a, b, c], tri_totals[a, b], tri_kinds[a, b])):
                    if total:
                        p = (n + kinds * p) / (total + kinds)
                costs.append(-math.log2(p))
    return costs


def quantise(costs):
    """16 levels by k-means over the costs (most of them of triples never seen)."""
    ordered = sorted(costs)
    levels = [ordered[(2 * i + 1) * len(ordered) // (2 * LEVELS)] for i in range(LEVELS)]
    for _ in range(30):
        sums, counts = [0.0] * LEVELS, [0] * LEVELS
        for cost in ordered:
            nearest = nearest_level(levels, cost)
            sums[nearest] += cost
            counts[nearest] += 1
        levels = sorted(sums[i] / counts[i] if counts[i] else levels[i] for i in range(LEVELS))
    levels = [min(255, round(level * 8)) for level in levels]  # eighths of a bit
    return levels, [nearest_level(levels, cost * 8) for cost in costs]


def nearest_level(levels, value):
    above = bisect.bisect_left(levels, value)
    if above == 0:
        return 0
    if above == len(levels):
        return len(levels) - 1
    return above if levels[above] - value < value - levels[above - 1] else above - 1


def character_map(alphabet, language):
    """Every UTF-16 unit the model reads, with its letter number; bit 7 marks capitals."""
    entries = {}
    for number, letter in enumerate(alphabet, start=1):
        for unit in {letter} | {k for k, v in FOLDS.get(language, {}).items() if v == letter}:
            entries[ord(unit)] = number
            upper = unit.upper()
            if len(upper) == 1 and upper != unit and ord(upper) not in entries:
                entries[ord(upper)] = number | 0x80  # "Σ" reads as "σ", never as "ς"
    if language == "el":  # accented vowels read as the plain vowel
        for code in range(0x370, 0x400):
            plain = unicodedata.normalize("NFD", chr(code))[0]
            if plain != chr(code) and ord(plain) in entries:
                entries[code] = entries[ord(plain)] | (0x80 if chr(code).isupper() else 0)
    return sorted(entries.items())


def fnv1a(symbols):
    value = 0x811C9DC5
    for symbol in symbols:
        value = ((value ^ symbol) * 0x01000193) & 0xFFFFFFFF
    return value


def bloom_positions(symbols, hashes, bits):
    first = fnv1a(symbols)
    step = ((first >> 17) | (first << 15) & 0xFFFFFFFF) | 1
    return [(first + i * step) % bits for i in range(hashes)]


def known_words(words, alphabet, room):
    """A Bloom filter of the dictionary's short words, which letter trigrams judge worst:
    the longest length limit whose words get enough bits each."""
    index = {c: i + 1 for i, c in enumerate(alphabet)}
    short = {w for w, _ in words if len(w) <= KNOWN_LENGTHS[0] and all(c in index for c in w)}
    bits = room * 8
    for longest in KNOWN_LENGTHS:
        chosen = [w for w in short if len(w) <= longest]
        if bits >= BITS_PER_KNOWN_WORD * len(chosen):
            break
    hashes = max(1, min(8, round(bits / max(len(chosen), 1) * math.log(2))))
    field = bytearray(room)
    for word in chosen:
        for position in bloom_positions([index[c] for c in word], hashes, bits):
            field[position // 8] |= 1 << position % 8
    return bytes([longest, hashes]) + struct.pack("<I", bits) + bytes(field), len(chosen)


def model_bytes(language, dictionaries):
    name, _ = SOURCES[language]
    words = [(normalise(w, language), n) for w, n in weighted_words(name, dictionaries)]
    alphabet = choose_alphabet(words)
    levels, codes = quantise(trigram_costs(words, alphabet))
    mapping = character_map(alphabet, language)
    header = b"ZVLM" + bytes([1, len(alphabet) + 1]) + bytes(levels)
    header += struct.pack("<H", len(mapping))
    header += b"".join(struct.pack("<HB", unit, value) for unit, value in mapping)
    codes += [0] * (len(codes) % 2)
    table = bytes(codes[i] | codes[i + 1] << 4 for i in range(0, len(codes), 2))
    room = MODEL_BUDGET - len(header) - len(table) - 6
    known, count = known_words(words, alphabet, room)
    return header + table + known, alphabet, count


def main():
    root = Path(__file__).resolve().parent.parent
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--dictionaries", type=Path, default=Path("/usr/share/hunspell"))
    parser.add_argument("--out", type=Path, default=root / "data" / "models")
    parser.add_argument("languages", nargs="*", default=list(SOURCES))
    arguments = parser.parse_args()
    arguments.out.mkdir(parents=True, exist_ok=True)
    for language in arguments.languages:
        data, alphabet, known = model_bytes(language, arguments.dictionaries)
        (arguments.out / f"{language}.bin").write_bytes(data)
        print(f"{language}: {len(data)} bytes, {len(alphabet)} letters ({''.join(alphabet)}), "
              f"{known} short words")
    return 0


if __name__ == "__main__":
    sys.exit(main())
