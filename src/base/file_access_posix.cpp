#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <memory>

#include "base/file_access.h"
#include "base/text_encoding.h"

namespace {

std::string ToNativePath(const std::wstring& path) {
    std::string native = Utf16ToUtf8(path);
    for (char& c : native) {
        c = c == '\\' ? '/' : c;
    }
    return native;
}

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using ScopedFile = std::unique_ptr<std::FILE, FileCloser>;

}  // namespace

bool FileExists(const std::wstring& path) {
    struct stat info {};
    return stat(ToNativePath(path).c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

std::optional<std::string> ReadFileBytes(const std::wstring& path) {
    if (!FileExists(path)) {
        return std::nullopt;
    }
    const ScopedFile file(std::fopen(ToNativePath(path).c_str(), "rb"));
    if (!file) {
        return std::nullopt;
    }
    std::string bytes;
    char buffer[64 * 1024];
    for (size_t read; (read = std::fread(buffer, 1, sizeof buffer, file.get())) > 0;) {
        bytes.append(buffer, read);
    }
    if (std::ferror(file.get())) {
        return std::nullopt;
    }
    return bytes;
}

bool WriteFileBytes(const std::wstring& path, std::string_view bytes) {
    ScopedFile file(std::fopen(ToNativePath(path).c_str(), "wb"));
    if (!file) {
        return false;
    }
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file.get()) == bytes.size();
    return std::fclose(file.release()) == 0 && written;
}

std::wstring ExecutablePath() {
    char buffer[4096];
    const ssize_t length = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    if (length <= 0) {
        return {};
    }
    std::wstring path = Utf8ToUtf16(std::string_view(buffer, static_cast<size_t>(length)));
    for (wchar_t& c : path) {
        c = c == L'/' ? L'\\' : c;
    }
    return path;
}
