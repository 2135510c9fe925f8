#include "engine/smart_conversion.h"

#include <algorithm>
#include <array>
#include <cstdio>   // DEBUG
#include <cstdlib>  // DEBUG
#include <vector>
#include "base/text_encoding.h"  // DEBUG

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
// How much likelier the other reading must be: alone, with a converted neighbour, and for
// the shortest words, whose few letters say little.
constexpr int kConvertMargin = 4 * kBit;
constexpr int kNeighbourMargin = 0;
constexpr int kShortConvertMargin = 12 * kBit;
constexpr size_t kShortWord = 2;
constexpr size_t kMaxReadings = 8;

bool IsBlank(wchar_t unit) {
    return unit == L' ' || (unit >= L'\t' && unit <= L'\r') || unit == L'\u00A0';
}

bool IsDigit(wchar_t unit) {
    return (unit >= L'0' && unit <= L'9') || (unit >= L'\u0660' && unit <= L'\u0669') ||
           (unit >= L'\u06F0' && unit <= L'\u06F9');
}

// Numbers, web and mail addresses are the same on every layout.
bool IsLayoutFree(std::wstring_view word) {
    return std::any_of(word.begin(), word.end(), IsDigit) ||
           word.find(L"://") != std::wstring_view::npos || word.starts_with(L"www.") ||
           word.find(L'@') != std::wstring_view::npos;
}

// What a mark costs around a word: the usual ones are cheap ("word," "(word"), others
// dear, since the other layout may type a letter on that key.
int LeadingMarkCost(wchar_t unit) {
    return std::wstring_view(L"(\"'\u00AB\u201C\u2018\u00BF\u00A1").find(unit) !=
                   std::wstring_view::npos
               ? kUsualMarkCost
               : kOddMarkCost;
}

int TrailingMarkCost(wchar_t unit, bool first) {
    if (std::wstring_view(L".,;:!?)\"'\u00BB\u201D\u2019\u2026\u060C\u061F\u061B").find(unit) ==
        std::wstring_view::npos) {
        return kOddMarkCost;
    }
    return first ? kUsualMarkCost : kFurtherMarkCost;
}

// Reads the letters between the first and the last, a run of marks among them as a word
// break; "wORD" and "woRd" pay for their capitals.
class LetterReader {
  public:
    explicit LetterReader(const LanguageModel& model) : model_(model) {}

    int Cost(std::wstring_view letters) {
        bool afterMark = false;
        for (const wchar_t unit : letters) {
            const uint8_t letter = model_.Letter(unit);
            if (letter == 0) {
                afterMark = true;
                continue;
            }
            if (afterMark) {
                EndWord();
                cost_ += kInnerMarkCost;
                afterMark = false;
            }
            ReadLetter(letter);
        }
        EndWord();
        return cost_;
    }

  private:
    void ReadLetter(uint8_t letter) {
        const auto plain = static_cast<uint8_t>(letter & ~LanguageModel::kCapital);
        const bool capital = (letter & LanguageModel::kCapital) != 0;
        capitalAfterFirst_ |= capital && before1_ != 0;
        sawLower_ |= !capital;
        cost_ += model_.Cost(before2_, before1_, plain);
        before2_ = before1_;
        before1_ = plain;
        hash_ = LanguageModel::HashStep(hash_, plain);
        ++length_;
    }

    void EndWord() {
        cost_ += model_.Cost(before2_, before1_, 0);
        cost_ += capitalAfterFirst_ && sawLower_ ? kOddCaseCost : 0;
        cost_ -= model_.Knows(hash_, length_) ? kKnownWordGain : 0;
        before2_ = before1_ = 0;
        capitalAfterFirst_ = sawLower_ = false;
        hash_ = LanguageModel::kWordHashStart;
        length_ = 0;
    }

    const LanguageModel& model_;
    int cost_ = 0;
    uint8_t before2_ = 0;
    uint8_t before1_ = 0;
    bool capitalAfterFirst_ = false;
    bool sawLower_ = false;
    uint32_t hash_ = LanguageModel::kWordHashStart;
    size_t length_ = 0;
};

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
    return cost + LetterReader(model).Cost(word.substr(from, static_cast<size_t>(last - first)));
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
    int direction = 0;  // ToLayout1 or ToLayout2; 0 for a word kept whatever happens
    int margin = 0;     // how much cheaper the converted reading is
    size_t length = 0;  // in units
    std::wstring converted;
};

// The two directions with the models of their source and target languages.
struct Side {
    const PartnerMap& partners;
    const LanguageModel& source;
    const LanguageModel& target;
    int direction;
};

Judgement Judge(std::wstring_view word, const std::array<Side, 2>& sides) {
    Judgement best;
    best.length = word.size();
    if (IsLayoutFree(word)) {
        return best;
    }
    for (const Side& side : sides) {
        if (!side.partners.TypesAll(word)) {
            continue;
        }
        std::vector<std::wstring> readings{side.partners.Convert(word)};
        if (HasPairEntry(side.partners, word)) {
            AddSplitReadings(side.partners, word, {}, readings);
        }
        const int keepCost = ReadingCost(side.source, word);
        for (std::wstring& reading : readings) {
            const int margin = keepCost - ReadingCost(side.target, reading);
            if (reading != word && (best.direction == 0 || margin > best.margin)) {
                best = {side.direction, margin, word.size(), std::move(reading)};
            }
        }
    }
    if (std::getenv("ZV_DEBUG")) {                                      // DEBUG
        std::fprintf(stderr, "%d\t%d\n", best.direction, best.margin);  // DEBUG
    }                                                                   // DEBUG
    return best;
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
    for (bool changed = true; changed;) {
        changed = false;
        for (size_t i = 0; i < judgements.size(); ++i) {
            const Judgement& word = judgements[i];
            if (converted[i] || word.direction == 0 || word.margin < kNeighbourMargin) {
                continue;
            }
            const auto sameWay = [&](size_t j) {
                return converted[j] && judgements[j].direction == word.direction;
            };
            const bool before = !words[i].startsLine && sameWay(i - 1);
            const bool after = i + 1 < words.size() && !words[i + 1].startsLine && sameWay(i + 1);
            if (before || after) {
                converted[i] = changed = true;
            }
        }
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
    for (const Word& word : words) {
        judgements.push_back(Judge(text.substr(word.start, word.length), sides));
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
        result.Text += judgements[i].converted;
        copied = words[i].start + words[i].length;
        result.LastLayout = judgements[i].direction;
    }
    result.Text.append(text.substr(copied));
    return result;
}
