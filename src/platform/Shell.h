#pragma once

#include <string>

namespace keslog {

enum class HelpCommand { Contents = 3, HelpOnHelp = 4 };

class IHelpViewer {
  public:
    virtual ~IHelpViewer() = default;
    virtual void show(HelpCommand command) = 0;
};

class IBeep {
  public:
    virtual ~IBeep() = default;
    virtual void beep() = 0;
};

// The hourglass pointer and the notice window during slow work.
class IBusyPointer {
  public:
    virtual ~IBusyPointer() = default;
    virtual void setBusy(bool busy) = 0;
    // The notice window shows heading followed by path, the path shortened
    // in its middle to fit ("Loading: /home/op/.../ww.KSL").
    virtual void showNotice(const std::string& heading, const std::string& path) = 0;
    virtual void hideNotice() = 0;
};

}  // namespace keslog
