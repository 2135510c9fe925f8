#include "capture/api_clipboard.h"

#include <cstdint>

#include "capture/clipboard_snapshot.h"

namespace {

// Closes the clipboard on every way out of a write, exceptions included, so other
// programs are never locked out of it.
class CloseOnExit {
  public:
    explicit CloseOnExit(cAPIClipboard& clipboard) : clipboard_(clipboard) {}
    ~CloseOnExit() { clipboard_.ClipboardClose(); }
    CloseOnExit(const CloseOnExit&) = delete;
    CloseOnExit& operator=(const CloseOnExit&) = delete;

  private:
    cAPIClipboard& clipboard_;
};

// One character per byte of the UTF-16LE form, low byte first, and a closing NUL;
// SetTextData adds its own zero byte, which completes the zero unit.
std::wstring BytewiseUtf16(const std::wstring& text) {
    std::wstring bytewise;
    bytewise.reserve(text.size() * 2 + 1);
    for (const wchar_t unit : text) {
        const auto value = static_cast<uint16_t>(unit);
        bytewise.push_back(static_cast<wchar_t>(value & 0xFF));
        bytewise.push_back(static_cast<wchar_t>(value >> 8));
    }
    bytewise.push_back(L'\0');
    return bytewise;
}

}  // namespace

void cAPIClipboard::ClearClipboard() {
    if (!ClipboardNotOpen()) {
        functions_.EmptyClipboard();
    }
}

void cAPIClipboard::ClipboardClose() {
    if (open_) {
        functions_.CloseClipboard();
        open_ = false;
        owner_ = 0;
    }
}

bool cAPIClipboard::ClipboardOpen(uintptr_t hWndOwner) {
    if (functions_.OpenClipboard(hWndOwner)) {
        open_ = true;
        owner_ = hWndOwner;
        return true;
    }
    open_ = false;
    owner_ = 0;
    return false;
}

bool cAPIClipboard::SetTextData(uint32_t lFormatId, std::wstring sText) {
    if (sText.empty()) {
        return false;
    }
    std::vector<uint8_t> bytes(sText.size() + 1, 0);
    for (size_t i = 0; i < sText.size(); ++i) {
        const auto unit = static_cast<uint16_t>(sText[i]);
        if (unit > 0xFF) {
            return false;
        }
        bytes[i] = static_cast<uint8_t>(unit);
    }
    return SetByteData(lFormatId, bytes);
}

bool cAPIClipboard::MarkExcludedFromHistory() {
    if (ClipboardNotOpen()) {
        return false;
    }
    const std::vector<uint8_t> zeroDword(4, 0);
    bool allPlaced = true;
    for (const wchar_t* name : {kExcludeFromMonitoringFormat, kHistoryFormat, kCloudFormat}) {
        const uint32_t format = functions_.RegisterFormat(name);
        allPlaced = format != 0 && SetByteData(format, zeroDword) && allPlaced;
    }
    return allPlaced;
}

bool cAPIClipboard::ClipboardNotOpen() const {
    return !(open_ && owner_ != 0);
}

bool cAPIClipboard::SetByteData(uint32_t lFormatId, const std::vector<uint8_t>& bytes) {
    if (ClipboardNotOpen()) {
        return false;
    }
    return functions_.SetClipboardBytes(lFormatId, bytes);
}

bool PutTextOnClipboard(cAPIClipboard& clipboard, int32_t platformKind, uintptr_t hWndOwner,
                        const std::wstring& text) {
    uint32_t format = 0;
    std::wstring data;
    if (platformKind == kPlatformNT) {
        format = kFormatUnicodeText;
        data = BytewiseUtf16(text);
    } else if (platformKind == 0 || platformKind == kPlatformWin9x) {
        format = kFormatText;
        data = text;
    } else {
        return false;
    }
    CloseOnExit closer(clipboard);
    clipboard.ClipboardOpen(hWndOwner);
    clipboard.ClearClipboard();
    const bool placed = clipboard.SetTextData(format, data);
    if (placed) {
        // Whether the marks were all accepted changes nothing for the paste.
        static_cast<void>(clipboard.MarkExcludedFromHistory());
    }
    return placed;
}
