#pragma once

#include <QObject>

#include "forms/CallData.h"
#include "platform/MessageBox.h"

namespace keslog {

// Reads the check-partial database and the call history on the thread pool
// and hands them to the state on the window's thread, so the window never
// waits for them.
class CallDataLoader : public QObject {
  public:
    CallDataLoader(MainMod& state, IMessageBox& messageBox, QObject* parent)
        : QObject(parent), state_(state), messageBox_(messageBox) {}

    // Starts the reads the settings and the open log call for.
    void refresh();

  private:
    template <typename Data>
    void start(const CallDataRequest& request,
               LoadedCallData<Data> (*load)(const std::string& path));

    MainMod& state_;
    IMessageBox& messageBox_;
    CallDataSync sync_;
};

}  // namespace keslog
