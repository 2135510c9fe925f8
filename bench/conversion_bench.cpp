#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "base/file_access.h"
#include "base/strings.h"
#include "base/text_encoding.h"
#include "cli/convert_main.h"
#include "cli/convert_options.h"
#include "engine/conversion.h"
#include "engine/layout_loader.h"

namespace {

constexpr size_t kTextBytes = 1024 * 1024;
const std::wstring kFirstLayout = L"English (101 Keys)";
const std::wstring kSecondLayout = L"Arabic (101 Keys)";

// The unshifted keys only: enough to measure with when the shipped file is missing.
constexpr std::string_view kBuiltInLayouts =
    "[English (101 Keys)]\n"
    "<!-- language: en -->\n"
    "` 1 2 3 4 5 6 7 8 9 0 - = q w e r t y u i o p [ ] \\ a s d f g h j k l ; ' z x c v b n m\n"
    ", . /\n"
    "[Arabic (101 Keys)]\n"
    "<!-- language: ar -->\n"
    "ذ 1 2 3 4 5 6 7 8 9 0 - = ض ص ث ق ف غ ع ه خ ح ج د \\ ش س ي ب ل ا ت ن م ك ط ئ ء ؤ ر لا ى ة\n"
    "و ز ظ\n";

const LayoutTable& Table() {
    static const LayoutTable table = [] {
        LayoutLoad shipped =
            LoadLayoutsFile(FolderOf(ExecutablePath()), kFirstLayout, kSecondLayout);
        const bool found = !shipped.FileMissing && shipped.Table.Layout1KeyCount > 0;
        benchmark::AddCustomContext("layouts", found ? "shipped layouts.txt" : "built-in");
        return found ? std::move(shipped.Table)
                     : ParseLayouts(kBuiltInLayouts, kFirstLayout, kSecondLayout).Table;
    }();
    return table;
}

// A fixed pseudo-random sequence, so every run measures the same text.
class Dice {
  public:
    uint32_t Roll(uint32_t sides) {
        state_ = state_ * 6364136223846793005ULL + 1442695040888963407ULL;
        return static_cast<uint32_t>(state_ >> 33) % sides;
    }

  private:
    uint64_t state_ = 20240601;
};

struct Alphabets {
    std::vector<std::wstring> englishKeys;  // first-layout entries that type something else
    std::vector<std::wstring> arabicKeys;   // their partners
};

Alphabets KeysThatConvert(const LayoutTable& table) {
    Alphabets alphabets;
    for (int i = 0; i < table.Layout1KeyCount; ++i) {
        const std::wstring& first = table.Layout1Keys[static_cast<size_t>(i)];
        const std::wstring& second = table.Layout2Keys[static_cast<size_t>(i)];
        if (!first.empty() && !second.empty() && first != second) {
            alphabets.englishKeys.push_back(first);
            alphabets.arabicKeys.push_back(second);
        }
    }
    return alphabets;
}

// Words of English keys and of Arabic, digit groups, blanks, punctuation and line ends;
// arabicShare in percent of the words.
std::wstring MixedText(uint32_t arabicShare) {
    const Alphabets alphabets = KeysThatConvert(Table());
    Dice dice;
    std::wstring text;
    size_t utf8Bytes = 0;
    const auto append = [&](const std::wstring& piece) {
        text += piece;
        utf8Bytes += Utf16ToUtf8(piece).size();
    };
    while (utf8Bytes < kTextBytes) {
        const uint32_t kind = dice.Roll(100);
        if (kind < 8) {
            std::wstring digits;
            for (uint32_t n = 1 + dice.Roll(4); n > 0; --n) {
                digits.push_back(static_cast<wchar_t>(L'0' + dice.Roll(10)));
            }
            append(digits);
        } else {
            const bool arabic = dice.Roll(100) < arabicShare;
            const std::vector<std::wstring>& keys =
                arabic ? alphabets.arabicKeys : alphabets.englishKeys;
            for (uint32_t n = 2 + dice.Roll(7); n > 0; --n) {
                append(keys[dice.Roll(static_cast<uint32_t>(keys.size()))]);
            }
        }
        const uint32_t separator = dice.Roll(100);
        append(separator < 5 ? L"\r\n" : separator < 8 ? L"\n" : separator < 14 ? L". " : L" ");
    }
    return text;
}

const std::wstring& EnglishKeysText() {
    static const std::wstring text = MixedText(15);
    return text;
}

const std::wstring& ArabicText() {
    static const std::wstring text = MixedText(85);
    return text;
}

void ReportThroughput(benchmark::State& state, const std::wstring& text) {
    const auto bytes = static_cast<int64_t>(Utf16ToUtf8(text).size());
    state.SetBytesProcessed(state.iterations() * bytes);
    // The inverted rate of thousandths of a MiB: seconds per 1000 MiB, so the figure is
    // milliseconds per MiB (the console still appends its "s" to inverted rates).
    state.counters["ms_per_MiB"] = benchmark::Counter(
        static_cast<double>(bytes) / (1024.0 * 1024.0 * 1000.0),
        benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
    state.counters["MiB"] = static_cast<double>(bytes) / (1024.0 * 1024.0);
}

void ConvertText(benchmark::State& state, const std::wstring& text, int mode) {
    const LayoutTable& table = Table();
    const bool autoDirection = mode == ToggleLayouts;
    for (auto _ : state) {
        std::wstring result = ApplyConversionMode(table, text, mode, autoDirection);
        benchmark::DoNotOptimize(result.data());
        benchmark::ClobberMemory();
    }
    ReportThroughput(state, text);
}

void BM_ToLayout2_EnglishKeys(benchmark::State& state) {
    ConvertText(state, EnglishKeysText(), ToLayout2);
}
void BM_ToLayout1_Arabic(benchmark::State& state) {
    ConvertText(state, ArabicText(), ToLayout1);
}
void BM_Toggle_EnglishKeys(benchmark::State& state) {
    ConvertText(state, EnglishKeysText(), ToggleLayouts);
}
void BM_Toggle_Arabic(benchmark::State& state) {
    ConvertText(state, ArabicText(), ToggleLayouts);
}
void BM_ProperCase_EnglishKeys(benchmark::State& state) {
    ConvertText(state, EnglishKeysText(), ProperCase);
}

// What the command-line converter does with a document: UTF-8 in, convert, UTF-8 out.
void BM_Document_Toggle_Arabic(benchmark::State& state) {
    const LayoutTable& table = Table();
    const std::string document = Utf16ToUtf8(ArabicText());
    for (auto _ : state) {
        std::optional<std::string> result = ConvertUtf8Document(table, document, ToggleLayouts);
        benchmark::DoNotOptimize(result->data());
        benchmark::ClobberMemory();
    }
    ReportThroughput(state, ArabicText());
}

// Word by word: every word judged by both language models.
void BM_Document_Smart(benchmark::State& state, const std::wstring& text) {
    const LayoutTable& table = Table();
    const std::string document = Utf16ToUtf8(text);
    for (auto _ : state) {
        std::optional<std::string> result =
            ConvertUtf8Document(table, document, kMistypedWordsMode);
        benchmark::DoNotOptimize(result->data());
        benchmark::ClobberMemory();
    }
    ReportThroughput(state, text);
}
void BM_Document_Smart_EnglishKeys(benchmark::State& state) {
    BM_Document_Smart(state, EnglishKeysText());
}
void BM_Document_Smart_Arabic(benchmark::State& state) {
    BM_Document_Smart(state, ArabicText());
}

BENCHMARK(BM_ToLayout2_EnglishKeys)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ToLayout1_Arabic)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Toggle_EnglishKeys)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Toggle_Arabic)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ProperCase_EnglishKeys)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Document_Toggle_Arabic)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Document_Smart_EnglishKeys)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Document_Smart_Arabic)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    // Load the table and build the texts up front: the report's context names the table
    // only when it is known before the first run.
    static_cast<void>(EnglishKeysText());
    static_cast<void>(ArabicText());
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
