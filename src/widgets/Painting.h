#pragma once

#include "widgets/Caption.h"

#include <QColor>
#include <QFont>
#include <QRect>
#include <QString>

class QPainter;

namespace corvane {

// Drawing helpers shared by the widget set. Each one brackets its work with save()/restore(), so
// callers can use them in any order inside their paintEvent:
//   paintGradient(p, rect(), top, bottom, true);
//   drawCaption(p, rect(), text, style, palette().color(QPalette::WindowText));

// A linear two-colour fill: c1 at the top (or left) edge, c2 at the bottom (or right) edge.
void paintGradient(QPainter& p, const QRectF& r, const QColor& c1, const QColor& c2, bool vertical);

// The rectangle the caption is laid out in once its margin is applied.
QRect captionRect(const QRect& r, const CaptionStyle& style);

// The caption once, in one colour, offset by (dx, dy); rotated about the centre when angled.
void drawCaption(QPainter& p, const QRect& r, const QString& text, const CaptionStyle& style,
                 const QColor& color, int dx = 0, int dy = 0);

// shadowWidth copies of the caption, the k-th offset k pixels right and down.
void drawCaptionShadow(QPainter& p, const QRect& r, const QString& text, const CaptionStyle& style,
                       const QColor& shadow, int shadowWidth);

// The caption of a disabled control: in highlight one pixel right and down, then in shadow in place.
void drawCaptionEmbossed(QPainter& p, const QRect& r, const QString& text, const CaptionStyle& style,
                         const QColor& highlight, const QColor& shadow);

// A soft, blurred halo of the caption in the glow colour, a few pixels wider than the text.
void drawCaptionGlow(QPainter& p, const QRect& r, const QString& text, const CaptionStyle& style,
                     const QColor& glow);

enum class BevelKind { None, Lowered, Raised, Space, Flat };
enum class BevelCut { None, Lowered, Raised, Space };

enum BevelEdge { beLeft = 1, beTop = 2, beRight = 4, beBottom = 8, beAll = 15 };

// A frame edge of the given kind on the chosen sides of r.
void drawBevel(QPainter& p, const QRect& r, BevelKind kind, int edges, const QColor& light,
               const QColor& dark, int width = 1);

// Same colour scaled towards white (factor > 0) or black (factor < 0), factor in -1..1.
QColor shade(const QColor& c, double factor);

}  // namespace corvane
