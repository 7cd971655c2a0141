#pragma once

#include <cstdint>
#include <functional>

#include "platform/Status.h"

namespace keslog {

// Times on the keyer's monotonic clock, in nanoseconds.
using KeyTime = std::int64_t;

// Runs the key edges of a CW message at absolute times, so that no delay of
// the caller stretches an element. The caller schedules each edge before it
// is due and waits for its turn in between; while it waits the window stays
// painted.
class IKeyingScheduler {
  public:
    virtual ~IKeyingScheduler() = default;
    virtual KeyTime now() const = 0;
    // Where a new message's timeline may begin: late enough for its first
    // edge to be on time.
    virtual KeyTime startTime() const = 0;
    // What an edge does (key down or up); may run on another thread.
    virtual void setEdgeHandler(std::function<void(bool keyDown)> onEdge) = 0;
    // Edges are scheduled in time order.
    virtual void schedule(KeyTime at, bool keyDown) = 0;
    // Returns no later than `at`, early enough that an edge scheduled for
    // `at` right after it is still on time.
    virtual void awaitTurn(KeyTime at) = 0;
    // Returns after `at` once every scheduled edge has run.
    virtual void finish(KeyTime at) = 0;
};

// A sidetone: a tone while the key is down. setTone may be called from the
// keyer's own thread, at the key edges.
class ISidetone {
  public:
    virtual ~ISidetone() = default;
    // Makes the tone ready (opens its device); a clear error when it cannot.
    virtual Status prepare() = 0;
    virtual void setTone(bool on) = 0;
    // The message has ended: silent until the next one.
    virtual void stop() = 0;
};

}  // namespace keslog
