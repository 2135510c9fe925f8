#include "support/temp_folder.h"

#include <atomic>
#include <chrono>
#include <fstream>
#include <random>
#include <stdexcept>

namespace {

std::filesystem::path UniqueFolderName() {
    static std::atomic<unsigned> counter{0};
    std::random_device seed;
    const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    return "zenvoral-test-" + std::to_string(seed()) + "-" + std::to_string(stamp) + "-" +
           std::to_string(counter++);
}

}  // namespace

TempFolder::TempFolder() : path_(std::filesystem::temp_directory_path() / UniqueFolderName()) {
    std::filesystem::create_directories(path_);
}

TempFolder::~TempFolder() {
    std::error_code ignored;  // a leftover temporary folder is no reason to fail a test
    std::filesystem::remove_all(path_, ignored);
}

std::wstring TempFolder::ProgramPath() const {
    return path_.wstring();
}

std::wstring TempFolder::WriteFile(std::wstring_view name, std::string_view bytes) const {
    const std::filesystem::path file = path_ / std::filesystem::path(std::wstring(name));
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out) {
        throw std::runtime_error("cannot write test file");
    }
    return file.wstring();
}
