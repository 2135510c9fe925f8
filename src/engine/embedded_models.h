#pragma once

#include <span>
#include <string_view>

// The models compiled in from data/models/<tag>.bin by the build (a source it generates
// in the build tree).
struct EmbeddedModel {
    std::wstring_view language;  // "en", "ar", ...
    std::string_view bytes;
};

std::span<const EmbeddedModel> EmbeddedModels();
