#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

// A letter-trigram model of one language's words (built by tools/build_language_models.py):
// what it costs, in eighths of a bit, to read a letter after the two before it, the
// word's start and end counting as the letter 0; and a Bloom filter of the short words of
// its dictionary, which trigrams alone judge poorly.
class LanguageModel {
  public:
    // Nothing when the bytes are no model of this version.
    static std::optional<LanguageModel> Read(std::string_view bytes);

    static constexpr uint8_t kCapital = 0x80;

    // The letter a unit reads as (1 and up), with kCapital for an upper-case one; 0 for
    // a unit that is no letter of the language.
    uint8_t Letter(wchar_t unit) const {
        const auto index = static_cast<uint32_t>(unit);
        return index < letters_.size() ? letters_[index] : 0;
    }

    int Cost(uint8_t before2, uint8_t before1, uint8_t letter) const {
        const size_t index = (before2 * symbols_ + before1) * symbols_ + letter;
        const uint8_t code = static_cast<uint8_t>(table_[index / 2] >> (index % 2 * 4)) & 0xF;
        return levels_[code];
    }

    // The hash of a word's letters (without kCapital) the filter knows words by: 32-bit
    // FNV-1a, one letter a step, from kWordHashStart.
    static constexpr uint32_t kWordHashStart = 0x811C9DC5;
    static uint32_t HashStep(uint32_t hash, uint8_t letter) { return (hash ^ letter) * 0x01000193; }

    // Whether the dictionary has a word of this many letters and this hash; now and then
    // yes for one it has not.
    bool Knows(uint32_t hash, size_t length) const;

  private:
    LanguageModel() = default;

    size_t symbols_ = 0;  // letters and the word boundary
    std::array<uint8_t, 16> levels_{};
    std::vector<uint8_t> letters_;  // by UTF-16 unit
    std::string_view table_;        // two codes a byte, the lower first; embedded, never freed
    size_t longestKnown_ = 0;
    uint32_t knownHashes_ = 0;
    uint32_t knownBits_ = 0;
    std::string_view known_;
};

// The built-in model of a language tag ("en", "ar", ...), read on first use; nullptr for
// a language without one.
const LanguageModel* FindLanguageModel(std::wstring_view language);
