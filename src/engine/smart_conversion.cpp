#include "engine/smart_conversion.h"

#include "engine/conversion.h"

SmartConversion ConvertMistypedWords(const LayoutTable& table, std::wstring_view text) {
    const int direction = DecideDirection(text);
    return {ConvertLayout(table, text, direction, false), direction};
}
