#include "program/version_info.h"

#include <vector>

#include "program/resources/resource_ids.h"

namespace {

VersionNumbers BuiltVersion() {
    return {ZENVORAL_VERSION_MAJOR, ZENVORAL_VERSION_MINOR, ZENVORAL_VERSION_REVISION};
}

}  // namespace

VersionNumbers ReadVersionNumbers(HINSTANCE instance) {
    const HRSRC found = FindResourceW(instance, MAKEINTRESOURCEW(VS_VERSION_INFO), RT_VERSION);
    const HGLOBAL loaded = found != nullptr ? LoadResource(instance, found) : nullptr;
    const auto* bytes =
        static_cast<const BYTE*>(loaded != nullptr ? LockResource(loaded) : nullptr);
    if (bytes == nullptr) {
        return BuiltVersion();
    }
    // VerQueryValue may write into the block it is given, and a resource is read-only.
    std::vector<BYTE> block(bytes, bytes + SizeofResource(instance, found));
    VS_FIXEDFILEINFO* info = nullptr;
    UINT length = 0;
    if (VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&info), &length) == FALSE ||
        info == nullptr || length < sizeof(VS_FIXEDFILEINFO)) {
        return BuiltVersion();
    }
    return {HIWORD(info->dwFileVersionMS), LOWORD(info->dwFileVersionMS),
            HIWORD(info->dwFileVersionLS)};
}
