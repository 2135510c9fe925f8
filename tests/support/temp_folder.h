#pragma once

#include <chrono>
#include <filesystem>
#include <random>
#include <string>

// A fresh folder under the system's temporary folder, removed with everything in it
// when the object goes away.
class TempFolder {
  public:
    TempFolder() { std::filesystem::create_directories(path_); }
    ~TempFolder() {
        std::error_code ignored;  // a leftover temporary folder is no reason to fail a test
        std::filesystem::remove_all(path_, ignored);
    }
    TempFolder(const TempFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::wstring ProgramPath() const { return path_.wstring(); }

  private:
    std::filesystem::path path_ =
        std::filesystem::temp_directory_path() /
        ("zenvoral-test-" + std::to_string(std::random_device{}()) + "-" +
         std::to_string(std::chrono::steady_clock::now().time_since_epoch().count()));
};
