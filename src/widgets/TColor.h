#pragma once

#include <QColor>
#include <QPalette>

namespace corvane {

// A colour property: either a fixed RGB value or a reference to one of the desktop's colours,
// resolved against the widget's palette each time it is drawn, so a theme change is followed.
class TColor {
public:
    TColor() = default;
    TColor(QColor rgb) : m_rgb(rgb) {}
    TColor(QPalette::ColorRole role) : m_system(true), m_role(role) {}

    bool isSystem() const { return m_system; }
    QPalette::ColorRole role() const { return m_role; }
    QColor resolve(const QPalette& palette) const {
        return m_system ? palette.color(QPalette::Active, m_role) : m_rgb;
    }

    friend bool operator==(const TColor& a, const TColor& b) {
        return a.m_system == b.m_system && (a.m_system ? a.m_role == b.m_role : a.m_rgb == b.m_rgb);
    }

    // The desktop colours the widgets use by name.
    static TColor buttonHighlight() { return TColor(QPalette::Light); }
    static TColor buttonFace() { return TColor(QPalette::Button); }
    static TColor buttonShadow() { return TColor(QPalette::Dark); }
    static TColor windowText() { return TColor(QPalette::WindowText); }

private:
    bool m_system = false;
    QPalette::ColorRole m_role = QPalette::Window;
    QColor m_rgb;
};

}  // namespace corvane
