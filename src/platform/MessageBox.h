#pragma once

#include <string>

namespace keslog {

enum class MsgButtons { Ok, OkCancel, YesNo, YesNoCancel, RetryCancel };
enum class MsgIcon { None, Stop, Exclamation, Question, Information };
enum class MsgResult { Ok, Yes, No, Cancel, Retry };

struct MessageRequest {
    std::string text;
    std::string title;
    MsgButtons buttons = MsgButtons::Ok;
    MsgIcon icon = MsgIcon::None;
    int defaultButton = 0;  // 0 = first button
};

// Modal message box: returns the button the operator pressed.
class IMessageBox {
  public:
    virtual ~IMessageBox() = default;
    virtual MsgResult show(const MessageRequest& request) = 0;
};

}  // namespace keslog
