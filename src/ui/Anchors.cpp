#include "ui/Anchors.h"

#include <QEvent>

namespace corvane {

Anchors::Anchors(QWidget* parent) : QObject(parent), m_parent(parent) {
    parent->installEventFilter(this);
}

void Anchors::add(QWidget* child, int anchors) {
    m_entries.push_back({child, anchors, child->geometry(), m_parent->size()});
}

void Anchors::retake(QWidget* child) {
    for (Entry& e : m_entries)
        if (e.child == child) {
            e.design = child->geometry();
            e.parentSize = m_parent->size();
        }
}

bool Anchors::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_parent && event->type() == QEvent::Resize)
        apply();
    return QObject::eventFilter(watched, event);
}

void Anchors::apply() {
    if (m_applying)
        return;
    m_applying = true;
    const QSize now = m_parent->size();
    for (const Entry& e : m_entries) {
        const int dx = now.width() - e.parentSize.width();
        const int dy = now.height() - e.parentSize.height();
        QRect r = e.design;
        if ((e.anchors & akRight) && (e.anchors & akLeft))
            r.setWidth(std::max(0, r.width() + dx));
        else if (e.anchors & akRight)
            r.moveLeft(r.left() + dx);
        if ((e.anchors & akBottom) && (e.anchors & akTop))
            r.setHeight(std::max(0, r.height() + dy));
        else if (e.anchors & akBottom)
            r.moveTop(r.top() + dy);
        e.child->setGeometry(r);
    }
    m_applying = false;
}

}  // namespace corvane
