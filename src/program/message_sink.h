#pragma once

#include <string>

// The kind of a message to the user; the user interface picks the matching icon.
enum class MessageIcon { Error, Exclamation, Information };

// Where the portable parts send what they have to tell the user. The Windows user
// interface shows a modal message box captioned "Zenvoral"; tests record the calls.
class MessageSink {
  public:
    virtual ~MessageSink() = default;
    virtual void ShowMessage(const std::wstring& text, MessageIcon icon) = 0;
};
