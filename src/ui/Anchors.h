#pragma once

#include <QObject>
#include <QRect>
#include <QSize>
#include <QWidget>

#include <vector>

namespace corvane {

enum Anchor { akLeft = 1, akTop = 2, akRight = 4, akBottom = 8 };

// Keeps children at their distances from the anchored edges of their parent: a child anchored
// left and right stretches with the parent, one anchored right alone moves with its right edge.
// Distances are taken when a child is added, from its geometry and the parent's size then.
//   auto* a = new Anchors(panel); a->add(edit, akLeft | akTop | akRight);
class Anchors : public QObject {
public:
    explicit Anchors(QWidget* parent);

    void add(QWidget* child, int anchors);
    // Takes the child's present geometry as its new design place (after it was moved by code).
    void retake(QWidget* child);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Entry {
        QWidget* child;
        int anchors;
        QRect design;
        QSize parentSize;
    };
    void apply();

    QWidget* m_parent;
    std::vector<Entry> m_entries;
    bool m_applying = false;
};

}  // namespace corvane
