#pragma once

#include "net/MainThread.h"

#include <QObject>
#include <QPointer>

namespace corvane {

// Runs posted work on the thread of the event loop that owns this object (the GUI thread when
// created there). Safe to post from any thread; work posted after the object is gone is dropped.
class QtMainThread : public MainThread {
public:
    QtMainThread();
    ~QtMainThread() override;
    QtMainThread(const QtMainThread&) = delete;
    QtMainThread& operator=(const QtMainThread&) = delete;

    void post(std::function<void()> task) override;
    void postAfterTimers(std::function<void()> task) override;

private:
    QObject* m_context;
};

}  // namespace corvane
