#include "engine/smart_conversion.h"

#include <algorithm>
#include <array>
#include <vector>

#include "engine/conversion.h"
#include "engine/key_partners.h"
#include "engine/language_model.h"

namespace {

// Costs are in eighths of a bit, as the models give them: 8 is twice as unlikely.
constexpr int kBit = 8;
// Marks: at a word's edge usual ones are common, between letters any is rare.
constexpr int kUsualMarkCost = 3 * kBit;
constexpr int kFurtherMarkCost = 6 * kBit;
constexpr int kOddMarkCost = 12 * kBit;
constexpr int kInnerMarkCost = 12 * kBit;
constexpr int kMarksOnlyCost = 10 * kBit;
// "wORD" and "woRd" are typing on the wrong layout far more often than a real word.
constexpr int kOddCaseCost = 8 * kBit;
// A short word the dictionary has is worth this much, on top of its letters.
constexpr int kKnownWordGain = 8 * kBit;
// How much likelier the other reading must be: alone, and for the shortest words, whose
// few letters say little; then, with a neighbour converted the same way, how much less
// likely it may be.
constexpr int kConvertMargin = 4 * kBit;
constexpr int kShortConvertMargin = 8 * kBit;
constexpr int kNeighbourMargin = -4 * kBit;
constexpr int kShortNeighbourMargin = -8 * kBit;
constexpr size_t kShortWord = 2;
constexpr size_t kMaxReadings = 8;
// Longer runs are no words typed by hand (a path, a key, a line of marks): they are kept,
// which also bounds the work on readings.
constexpr size_t kLongestWord = 64;

bool IsBlank(wchar_t unit) {
    return unit == L' ' || (unit >= L'\t' && unit <= L'\r') || unit == L'\u00A0';
}

bool IsDigit(wchar_t unit) {
    return (unit >= L'0' && unit <= L'9') || (unit >= L'\u0660' && unit <= L'\u0669') ||
           (unit >= L'\u06F0' && unit <= L'\u06F9');
}

// Numbers, web and mail addresses are the same on every layout.
bool IsLayoutFree(std::wstring_view word) {
    if (word.size() > kLongestWord || word.starts_with(L"www.")) {
        return true;
    }
    for (size_t i = 0; i < word.size(); ++i) {
        const wchar_t unit = word[i];
        if (IsDigit(unit) || unit == L'@' || (unit == L':' && word.substr(i).starts_with(L"://"))) {
            return true;
        }
    }
    return false;
}

// What a mark costs around a word: the usual ones are cheap ("word," "(word"), others
// dear, since the other layout may type a letter on that key.
constexpr std::wstring_view kUsualLeadingMarks = L"(\"'\u00AB\u201C\u2018\u00BF\u00A1";
constexpr std::wstring_view kUsualTrailingMarks =
    L".,;:!?)\"'\u00BB\u201D\u2019\u2026\u060C\u061F\u061B";

int LeadingMarkCost(wchar_t unit) {
    return kUsualLeadingMarks.find(unit) != std::wstring_view::npos ? kUsualMarkCost : kOddMarkCost;
}

int TrailingMarkCost(wchar_t unit, bool first) {
    if (kUsualTrailingMarks.find(unit) == std::wstring_view::npos) {
        return kOddMarkCost;
    }
    return first ? kUsualMarkCost : kFurtherMarkCost;
}

// The letters between the first and the last, a run of marks among them read as a word
// break; "wORD" and "woRd" pay for their capitals. Plain locals keep the loop in registers.
int LetterCost(const LanguageModel& model, std::wstring_view letters) {
    int cost = 0;
    uint8_t before2 = 0;
    uint8_t before1 = 0;
    bool capitalAfterFirst = false;
    bool sawLower = false;
    bool firstCapital = false;
    uint32_t hash = LanguageModel::kWordHashStart;
    size_t length = 0;
    const auto endWord = [&] {
        cost += model.Cost(before2, before1, 0);
        cost += capitalAfterFirst && sawLower ? kOddCaseCost : 0;
        // Names and acronyms ("Sam", "TNT") are known only when typed with a capital.
        const bool known = model.Knows(hash, length) ||
                           (firstCapital && model.Knows(LanguageModel::HashStep(hash, 0), length));
        cost -= known ? kKnownWordGain : 0;
        before2 = before1 = 0;
        capitalAfterFirst = sawLower = firstCapital = false;
        hash = LanguageModel::kWordHashStart;
        length = 0;
    };
    bool afterMark = false;
    for (const wchar_t unit : letters) {
        const uint8_t letter = model.Letter(unit);
        if (letter == 0) {
            afterMark = true;
            continue;
        }
        if (afterMark) {
            endWord();
            cost += kInnerMarkCost;
            afterMark = false;
        }
        const auto plain = static_cast<uint8_t>(letter & ~LanguageModel::kCapital);
        const bool capital = (letter & LanguageModel::kCapital) != 0;
        capitalAfterFirst |= capital && length != 0;
        firstCapital |= capital && length == 0;
        sawLower |= !capital;
        cost += model.Cost(before2, before1, plain);
        before2 = before1;
        before1 = plain;
        hash = LanguageModel::HashStep(hash, plain);
        ++length;
    }
    endWord();
    return cost;
}

// The cost of a word in a language: its letters, and the marks around them.
int ReadingCost(const LanguageModel& model, std::wstring_view word) {
    const auto isLetter = [&](wchar_t unit) { return model.Letter(unit) != 0; };
    const auto first = std::find_if(word.begin(), word.end(), isLetter);
    if (first == word.end()) {
        return kMarksOnlyCost;
    }
    const auto last = std::find_if(word.rbegin(), word.rend(), isLetter).base();
    int cost = 0;
    for (auto unit = word.begin(); unit != first; ++unit) {
        cost += LeadingMarkCost(*unit);
    }
    for (auto unit = last; unit != word.end(); ++unit) {
        cost += TrailingMarkCost(*unit, unit == last);
    }
    const auto from = static_cast<size_t>(first - word.begin());
    return cost + LetterCost(model, word.substr(from, static_cast<size_t>(last - first)));
}

// Where a two-key entry is also two one-key entries (Arabic lam-alef: "b" types "لا", and
// so do "g" then "h"), a word has more than one way back: each is listed, up to a bound.
void AddSplitReadings(const PartnerMap& partners, std::wstring_view rest, std::wstring done,
                      std::vector<std::wstring>& readings) {
    for (size_t pos = 0; pos < rest.size(); ++pos) {
        const std::wstring* pair =
            pos + 1 < rest.size() ? partners.FindPair(rest[pos], rest[pos + 1]) : nullptr;
        const std::wstring* single = partners.FindSingle(rest[pos]);
        if (pair && single && partners.FindSingle(rest[pos + 1]) &&
            readings.size() < kMaxReadings) {
            AddSplitReadings(partners, rest.substr(pos + 1), done + *single, readings);
        }
        if (pair) {
            done += *pair;
            ++pos;
        } else {
            done += single ? *single : std::wstring(1, rest[pos]);
        }
    }
    readings.push_back(std::move(done));
}

bool HasPairEntry(const PartnerMap& partners, std::wstring_view word) {
    for (size_t pos = 0; pos + 1 < word.size(); ++pos) {
        if (partners.FindPair(word[pos], word[pos + 1])) {
            return true;
        }
    }
    return false;
}

struct Judgement {
    int direction = 0;   // ToLayout1 or ToLayout2; 0 for a word kept whatever happens
    int margin = 0;      // how much cheaper the converted reading is
    size_t length = 0;   // in units
    size_t reading = 0;  // 0 for the plain conversion, else the split reading before it
};

// The two directions with the models of their source and target languages.
struct Side {
    const PartnerMap& partners;
    const LanguageModel& source;
    const LanguageModel& target;
    int direction;
};

// The split readings of a word where a two-key entry can be two keys; empty for most.
std::vector<std::wstring> SplitReadings(const PartnerMap& partners, std::wstring_view word) {
    std::vector<std::wstring> readings;
    if (partners.HasPairs() && HasPairEntry(partners, word)) {
        AddSplitReadings(partners, word, {}, readings);
    }
    return readings;
}

// The word's best conversion against keeping it; scratch holds each reading in turn.
Judgement Judge(std::wstring_view word, const std::array<Side, 2>& sides, std::wstring& scratch) {
    Judgement best;
    best.length = word.size();
    if (IsLayoutFree(word)) {
        return best;
    }
    for (const Side& side : sides) {
        if (!side.partners.ConvertKeys(word, scratch)) {
            continue;
        }
        const int keepCost = ReadingCost(side.source, word);
        const auto consider = [&](std::wstring_view reading, size_t number) {
            if (reading == word) {
                return;
            }
            const int margin = keepCost - ReadingCost(side.target, reading);
            if (best.direction == 0 || margin > best.margin) {
                best = {side.direction, margin, word.size(), number};
            }
        };
        consider(scratch, 0);
        const std::vector<std::wstring> readings = SplitReadings(side.partners, word);
        for (size_t i = 0; i < readings.size(); ++i) {
            consider(readings[i], i + 1);
        }
    }
    return best;
}

// The reading Judge chose, for a word that is converted.
std::wstring ChosenReading(std::wstring_view word, const Judgement& judgement,
                           const std::array<Side, 2>& sides) {
    const PartnerMap& partners =
        (judgement.direction == sides[0].direction ? sides[0] : sides[1]).partners;
    if (judgement.reading == 0) {
        return partners.Convert(word);
    }
    return SplitReadings(partners, word)[judgement.reading - 1];
}

bool ConvertsAlone(const Judgement& judgement) {
    const int needed = judgement.length <= kShortWord ? kShortConvertMargin : kConvertMargin;
    return judgement.direction != 0 && judgement.margin >= needed;
}

struct Word {
    size_t start;
    size_t length;
    bool startsLine;  // no neighbour before it: a line end lies between
};

std::vector<Word> SplitWords(std::wstring_view text) {
    std::vector<Word> words;
    words.reserve(text.size() / 4);  // words average more than three units with their blank
    bool lineEnded = true;
    for (size_t pos = 0; pos < text.size();) {
        if (IsBlank(text[pos])) {
            lineEnded |= text[pos] == L'\n' || text[pos] == L'\r';
            ++pos;
            continue;
        }
        const size_t start = pos;
        while (pos < text.size() && !IsBlank(text[pos])) {
            ++pos;
        }
        words.push_back({start, pos - start, lineEnded});
        lineEnded = false;
    }
    return words;
}

// A word that leans towards conversion follows a neighbour on its line converted the same
// way: short words and names say too little on their own.
void FollowNeighbours(const std::vector<Word>& words, const std::vector<Judgement>& judgements,
                      std::vector<bool>& converted) {
    const auto follows = [&](size_t i, size_t neighbour) {
        const Judgement& word = judgements[i];
        const int needed = word.length <= kShortWord ? kShortNeighbourMargin : kNeighbourMargin;
        return !converted[i] && word.direction != 0 && word.margin >= needed &&
               converted[neighbour] && judgements[neighbour].direction == word.direction;
    };
    // A chain of such words reaches out from a converted one: one sweep each way.
    for (size_t i = 1; i < words.size(); ++i) {
        converted[i] = converted[i] || (!words[i].startsLine && follows(i, i - 1));
    }
    for (size_t i = words.size(); i-- > 1;) {
        converted[i - 1] = converted[i - 1] || (!words[i].startsLine && follows(i - 1, i));
    }
}

SmartConversion ConvertPlainly(const LayoutTable& table, std::wstring_view text) {
    return {ConvertLayout(table, text, ToggleLayouts, true), DecideDirection(text)};
}

}  // namespace

SmartConversion ConvertMistypedWords(const LayoutTable& table, std::wstring_view text) {
    const LanguageModel* first = FindLanguageModel(table.Layout1Language);
    const LanguageModel* second = FindLanguageModel(table.Layout2Language);
    if (!first || !second || !PositionsExistInBothLists(table)) {
        return ConvertPlainly(table, text);
    }
    const PartnerMap toSecond(table, ToLayout2);
    const PartnerMap toFirst(table, ToLayout1);
    const std::array<Side, 2> sides{Side{toSecond, *first, *second, ToLayout2},
                                    Side{toFirst, *second, *first, ToLayout1}};
    const std::vector<Word> words = SplitWords(text);
    std::vector<Judgement> judgements;
    judgements.reserve(words.size());
    std::vector<bool> converted;
    std::wstring scratch;
    for (const Word& word : words) {
        judgements.push_back(Judge(text.substr(word.start, word.length), sides, scratch));
        converted.push_back(ConvertsAlone(judgements.back()));
    }
    FollowNeighbours(words, judgements, converted);
    SmartConversion result;
    result.Text.reserve(text.size());
    size_t copied = 0;
    for (size_t i = 0; i < words.size(); ++i) {
        if (!converted[i]) {
            continue;
        }
        result.Text.append(text.substr(copied, words[i].start - copied));
        result.Text +=
            ChosenReading(text.substr(words[i].start, words[i].length), judgements[i], sides);
        copied = words[i].start + words[i].length;
        result.LastLayout = judgements[i].direction;
    }
    result.Text.append(text.substr(copied));
    return result;
}
