#pragma once

#include <functional>

namespace corvane {

// Runs work on the program's main thread. The user interface implements it with its event
// loop; tests implement it with a queue they drain themselves.
class MainThread {
public:
    virtual ~MainThread() = default;
    // Called from any thread; returns at once. The task runs later on the main thread.
    virtual void post(std::function<void()> task) = 0;
    // Like post, but the task also waits behind the timers that are due by then: work handed
    // over in a long run of pieces still lets the loop's timers (and what they drive) run in
    // between. A loop without timers runs it like any posted task.
    virtual void postAfterTimers(std::function<void()> task) { post(std::move(task)); }
};

}  // namespace corvane
