#include "engine/language_model.h"

#include <mutex>
#include <span>

#include "engine/embedded_models.h"

namespace {

constexpr std::string_view kMagic = "ZVLM\x01";
constexpr size_t kLevelCount = 16;
constexpr size_t kMapEntrySize = 3;  // a UTF-16 unit (little-endian) and its letter
constexpr size_t kUnitCount = 0x10000;
constexpr size_t kKnownHeaderSize = 6;  // longest word, hash count, bit count

uint16_t ReadUint16(std::string_view bytes, size_t at) {
    return static_cast<uint16_t>(static_cast<uint8_t>(bytes[at]) |
                                 static_cast<uint8_t>(bytes[at + 1]) << 8);
}

}  // namespace

std::optional<LanguageModel> LanguageModel::Read(std::string_view bytes) {
    const size_t header = kMagic.size() + 1 + kLevelCount + 2;
    if (bytes.size() < header || !bytes.starts_with(kMagic)) {
        return std::nullopt;
    }
    LanguageModel model;
    model.symbols_ = static_cast<uint8_t>(bytes[kMagic.size()]);
    for (size_t i = 0; i < kLevelCount; ++i) {
        model.levels_[i] = static_cast<uint8_t>(bytes[kMagic.size() + 1 + i]);
    }
    const size_t mapSize = ReadUint16(bytes, header - 2) * kMapEntrySize;
    const size_t tableSize = (model.symbols_ * model.symbols_ * model.symbols_ + 1) / 2;
    const size_t knownAt = header + mapSize + tableSize;
    if (bytes.size() < knownAt + kKnownHeaderSize) {
        return std::nullopt;
    }
    model.longestKnown_ = static_cast<uint8_t>(bytes[knownAt]);
    model.knownHashes_ = static_cast<uint8_t>(bytes[knownAt + 1]);
    model.knownBits_ = ReadUint16(bytes, knownAt + 2) | uint32_t{ReadUint16(bytes, knownAt + 4)}
                                                            << 16;
    model.known_ = bytes.substr(knownAt + kKnownHeaderSize);
    if (model.knownBits_ == 0 || model.knownBits_ / 8 > model.known_.size()) {
        return std::nullopt;
    }
    model.letters_.assign(kUnitCount, 0);
    for (size_t at = header; at < header + mapSize; at += kMapEntrySize) {
        const auto letter = static_cast<uint8_t>(bytes[at + 2]);
        if ((letter & ~kCapital) >= model.symbols_) {
            return std::nullopt;
        }
        model.letters_[ReadUint16(bytes, at)] = letter;
    }
    model.table_ = bytes.substr(header + mapSize, tableSize);
    return model;
}

bool LanguageModel::Knows(uint32_t hash, size_t length) const {
    if (length > longestKnown_) {
        return false;
    }
    // Double hashing: the second hash is the first rotated, odd so it never stands still.
    const uint32_t step = (hash >> 17 | hash << 15) | 1;
    for (uint32_t i = 0; i < knownHashes_; ++i) {
        const uint32_t bit = static_cast<uint32_t>((hash + uint64_t{i} * step) % knownBits_);
        if ((static_cast<uint8_t>(known_[bit / 8]) >> (bit % 8) & 1) == 0) {
            return false;
        }
    }
    return true;
}

const LanguageModel* FindLanguageModel(std::wstring_view language) {
    const std::span<const EmbeddedModel> embedded = EmbeddedModels();
    static std::vector<std::optional<LanguageModel>> models(embedded.size());
    static std::vector<std::once_flag> read(embedded.size());
    for (size_t i = 0; i < embedded.size(); ++i) {
        if (embedded[i].language == language) {
            std::call_once(read[i], [&] { models[i] = LanguageModel::Read(embedded[i].bytes); });
            return models[i] ? &*models[i] : nullptr;
        }
    }
    return nullptr;
}
