#include "ui/QtMainThread.h"

#include <QMetaObject>

namespace corvane {

QtMainThread::QtMainThread() : m_context(new QObject) {}

QtMainThread::~QtMainThread()
{
    // Queued calls addressed to the context are discarded with it.
    delete m_context;
}

void QtMainThread::post(std::function<void()> task)
{
    QMetaObject::invokeMethod(m_context, [task = std::move(task)] { task(); }, Qt::QueuedConnection);
}

}  // namespace corvane
