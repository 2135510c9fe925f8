#include <windows.h>

#include "base/file_access.h"
#include "base/scoped_win.h"

namespace {

ScopedHandle OpenForReading(const std::wstring& path) {
    HANDLE handle = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    return ScopedHandle(handle == INVALID_HANDLE_VALUE ? nullptr : handle);
}

ScopedHandle OpenForWriting(const std::wstring& path) {
    HANDLE handle = CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    return ScopedHandle(handle == INVALID_HANDLE_VALUE ? nullptr : handle);
}

}  // namespace

bool FileExists(const std::wstring& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) {
        return false;
    }
    return (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

std::optional<std::string> ReadFileBytes(const std::wstring& path) {
    const ScopedHandle file = OpenForReading(path);
    if (!file) {
        return std::nullopt;
    }
    LARGE_INTEGER size{};
    // A layouts or settings file is small; refuse anything that cannot be one.
    constexpr LONGLONG kMaximumSize = 256LL * 1024 * 1024;
    if (!GetFileSizeEx(file.get(), &size) || size.QuadPart > kMaximumSize) {
        return std::nullopt;
    }
    std::string bytes(static_cast<size_t>(size.QuadPart), '\0');
    size_t done = 0;
    while (done < bytes.size()) {
        DWORD read = 0;
        const DWORD wanted = static_cast<DWORD>(bytes.size() - done);
        if (!ReadFile(file.get(), bytes.data() + done, wanted, &read, nullptr)) {
            return std::nullopt;
        }
        if (read == 0) {
            bytes.resize(done);  // the file shrank while we read it
            break;
        }
        done += read;
    }
    return bytes;
}

bool WriteFileBytes(const std::wstring& path, std::string_view bytes) {
    const ScopedHandle file = OpenForWriting(path);
    if (!file) {
        return false;
    }
    size_t done = 0;
    while (done < bytes.size()) {
        DWORD written = 0;
        const DWORD wanted = static_cast<DWORD>(bytes.size() - done);
        if (!WriteFile(file.get(), bytes.data() + done, wanted, &written, nullptr) ||
            written == 0) {
            return false;
        }
        done += written;
    }
    return true;
}

std::wstring ExecutablePath() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) {
            return {};
        }
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        path.resize(path.size() * 2);
    }
}
