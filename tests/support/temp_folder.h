#pragma once

#include <filesystem>
#include <string>
#include <string_view>

// A fresh folder under the system's temporary folder, removed with everything in it
// when the object goes away.
class TempFolder {
  public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }

    // The folder as the program's own path code expects it (UTF-16).
    std::wstring ProgramPath() const;

    // Writes bytes exactly as given to a file in the folder; returns its full path.
    std::wstring WriteFile(std::wstring_view name, std::string_view bytes) const;

  private:
    std::filesystem::path path_;
};
