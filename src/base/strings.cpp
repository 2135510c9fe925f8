#include "base/strings.h"

std::wstring_view TrimBlanks(std::wstring_view text) {
    const size_t first = text.find_first_not_of(L' ');
    if (first == std::wstring_view::npos) {
        return {};
    }
    const size_t last = text.find_last_not_of(L' ');
    return text.substr(first, last - first + 1);
}

std::wstring FolderOf(const std::wstring& filePath) {
    const size_t separator = filePath.find_last_of(L"\\/");
    return separator == std::wstring::npos ? std::wstring() : filePath.substr(0, separator);
}

std::wstring AddBackslash(std::wstring folderPath) {
    if (folderPath.empty() || folderPath.back() != L'\\') {
        folderPath.push_back(L'\\');
    }
    return folderPath;
}
