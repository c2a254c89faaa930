#include "ui/QtMainThread.h"

#include <QMetaObject>
#include <QTimer>

#include <chrono>

namespace corvane {

QtMainThread::QtMainThread() : m_context(new QObject) {}

QtMainThread::~QtMainThread() {
    // Queued calls addressed to the context are discarded with it.
    delete m_context;
}

void QtMainThread::post(std::function<void()> task) {
    QMetaObject::invokeMethod(
        m_context, [task = std::move(task)] { task(); }, Qt::QueuedConnection);
}

void QtMainThread::postAfterTimers(std::function<void()> task) {
    // Queued calls are handled before due timers for as long as there are any, so this goes
    // through a timer of its own. Not zero: a zero timer is turned into a queued call.
    QTimer::singleShot(std::chrono::milliseconds(1), Qt::PreciseTimer, m_context,
                       [task = std::move(task)] { task(); });
}

}  // namespace corvane
