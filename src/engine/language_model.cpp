#include "engine/language_model.h"

#include <mutex>
#include <span>

#include "engine/embedded_models.h"

namespace {

constexpr std::string_view kMagic = "ZVLM\x01";
constexpr size_t kLevelCount = 16;
constexpr size_t kMapEntrySize = 3;  // a UTF-16 unit (little-endian) and its letter
constexpr size_t kUnitCount = 0x10000;

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
    if (bytes.size() != header + mapSize + tableSize) {
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
    model.table_ = bytes.substr(header + mapSize);
    return model;
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
