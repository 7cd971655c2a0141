#pragma once

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

// The hourglass pointer during slow work.
class IBusyPointer {
  public:
    virtual ~IBusyPointer() = default;
    virtual void setBusy(bool busy) = 0;
};

}  // namespace keslog
