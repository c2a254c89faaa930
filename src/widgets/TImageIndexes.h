#pragma once

#include <QObject>

namespace corvane {

// The five image-list indexes an image button shows by state. Setting one to a new value
// reports which one changed; setting it to its current value reports nothing.
class TImageIndexes : public QObject {
    Q_OBJECT
public:
    enum Kind { Disabled, Up, Active, Down, Mask };
    Q_ENUM(Kind)

    explicit TImageIndexes(QObject* parent = nullptr) : QObject(parent) {}

    int disabled() const { return m_values[Disabled]; }
    int up() const { return m_values[Up]; }
    int active() const { return m_values[Active]; }
    int down() const { return m_values[Down]; }
    int mask() const { return m_values[Mask]; }
    int value(Kind kind) const { return m_values[kind]; }

    void setDisabled(int i) { set(Disabled, i); }
    void setUp(int i) { set(Up, i); }
    void setActive(int i) { set(Active, i); }
    void setDown(int i) { set(Down, i); }
    void setMask(int i) { set(Mask, i); }
    // Disabled, Up, Active and Down in that order; the last change decides what is shown.
    void setStates(int disabledIndex, int upIndex, int activeIndex, int downIndex) {
        set(Disabled, disabledIndex);
        set(Up, upIndex);
        set(Active, activeIndex);
        set(Down, downIndex);
    }

signals:
    void indexChanged(corvane::TImageIndexes::Kind kind);

private:
    void set(Kind kind, int i) {
        if (m_values[kind] == i)
            return;
        m_values[kind] = i;
        emit indexChanged(kind);
    }

    int m_values[5] = {0, 1, 2, 3, -1};
};

}  // namespace corvane
