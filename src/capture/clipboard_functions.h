#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The bare system clipboard calls cAPIClipboard stands on; the Windows build passes
// them straight through, tests record them.
class ClipboardFunctions {
  public:
    virtual ~ClipboardFunctions() = default;

    // OpenClipboard(owner); true on success. Owner 0 opens without an owner window.
    virtual bool OpenClipboard(uintptr_t owner) = 0;
    virtual void CloseClipboard() = 0;
    virtual void EmptyClipboard() = 0;

    // A global block of exactly bytes.size() bytes, filled and handed over with
    // SetClipboardData. True when the clipboard took it; otherwise the block is freed.
    virtual bool SetClipboardBytes(uint32_t format, const std::vector<uint8_t>& bytes) = 0;

    // RegisterClipboardFormat; 0 on failure.
    virtual uint32_t RegisterFormat(const std::wstring& name) = 0;
};
