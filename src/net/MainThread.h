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
};

}  // namespace corvane
