#include <sys/stat.h>
#include <unistd.h>

#include <fstream>
#include <iterator>
#include <vector>

#include "base/file_access.h"
#include "base/text_encoding.h"

namespace {

std::string ToNativePath(const std::wstring& path) {
    std::string native = Utf16ToUtf8(path);
    for (char& c : native) {
        if (c == '\\') {
            c = '/';
        }
    }
    return native;
}

std::wstring FromNativePath(const std::string& native) {
    std::wstring path = Utf8ToUtf16(native);
    for (wchar_t& c : path) {
        if (c == L'/') {
            c = L'\\';
        }
    }
    return path;
}

}  // namespace

bool FileExists(const std::wstring& path) {
    struct stat info {};
    return stat(ToNativePath(path).c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

std::optional<std::string> ReadFileBytes(const std::wstring& path) {
    if (!FileExists(path)) {
        return std::nullopt;
    }
    std::ifstream file(ToNativePath(path), std::ios::binary);
    if (!file) {
        return std::nullopt;
    }
    std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    if (file.bad()) {
        return std::nullopt;
    }
    return bytes;
}

bool WriteFileBytes(const std::wstring& path, std::string_view bytes) {
    std::ofstream file(ToNativePath(path), std::ios::binary | std::ios::trunc);
    if (!file) {
        return false;
    }
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    file.close();
    return !file.fail();
}

std::wstring ExecutablePath() {
    std::vector<char> buffer(4096);
    const ssize_t length = readlink("/proc/self/exe", buffer.data(), buffer.size() - 1);
    if (length <= 0) {
        return {};
    }
    return FromNativePath(std::string(buffer.data(), static_cast<size_t>(length)));
}
