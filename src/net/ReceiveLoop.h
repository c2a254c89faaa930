#pragma once

#include <atomic>
#include <string>
#include <thread>

namespace corvane {

// The skeleton of a listener's receive thread: a thread running run() until it is told to stop,
// and a descriptor that becomes readable on the stop request, so that run() can wait on it
// beside its sockets and a stop never waits for a time-out.
//
// A derived loop calls stop() in its own destructor: run() must have ended before the derived
// part is destroyed.
class ReceiveLoop {
public:
    virtual ~ReceiveLoop();
    ReceiveLoop(const ReceiveLoop&) = delete;
    ReceiveLoop& operator=(const ReceiveLoop&) = delete;

    // False when the thread could not be started; the text says why.
    bool start(std::string& error);
    // Tells run() to stop and waits until it has ended (unless called from run() itself).
    void stop();

protected:
    ReceiveLoop() = default;
    virtual void run() = 0;
    bool stopping() const { return m_stopping.load(); }
    int stopFd() const { return m_stopFd; }

private:
    int m_stopFd = -1;
    std::atomic<bool> m_stopping{false};
    std::thread m_thread;
};

}  // namespace corvane
