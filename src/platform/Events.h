#pragma once

namespace keslog {

// Handles queued window events (keys, clicks, timer ticks) before it
// returns; the waiting loops of the keyer and message repetition call it.
class IEventPump {
  public:
    virtual ~IEventPump() = default;
    virtual void processPendingEvents() = 0;
    // Keeps the window painted and the asynchronous keys latched while typed
    // input waits for the end of the message, as when typing is off.
    virtual void processEventsHoldingInput() = 0;
};

enum class AsyncKey { Escape, KeypadPlus, KeypadMinus };

// Key state read outside the event queue: whether the key was pressed since
// the last query. The window layer latches the presses.
class IKeyState {
  public:
    virtual ~IKeyState() = default;
    virtual bool wasPressed(AsyncKey key) = 0;
};

}  // namespace keslog
