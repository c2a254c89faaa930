#pragma once

#include <QColor>
#include <QList>

class QPalette;
class QWidget;

namespace corvane {

// Text that stays readable on the program's own gradients whatever the desktop's colours: a
// caption is painted in the palette's text colour when that reads well on every colour behind
// it, otherwise in black or white, whichever reads better. "Reads well" is the WCAG 2 contrast
// ratio of at least 4.5:1 (normal text, level AA).
//   drawCaption(p, rect(), caption(), style, captionColor(this));

inline constexpr double kMinContrast = 4.5;

// WCAG 2 relative luminance of an sRGB colour, 0 (black) to 1 (white).
double relativeLuminance(const QColor& c);
// WCAG 2 contrast ratio of two colours, 1 to 21, the same either way round.
double contrastRatio(const QColor& a, const QColor& b);
// The lowest contrast of `text` against any of `backgrounds` (21 when there are none).
double worstContrast(const QColor& text, const QList<QColor>& backgrounds);

// `preferred` when it reads at kMinContrast on each of `backgrounds`; otherwise black or white,
// whichever has the better worst contrast.
QColor readableOn(const QColor& preferred, const QList<QColor>& backgrounds);

// `background` mixed towards white in steps until `text` reads on it at kMinContrast (white at
// the latest); unchanged when it already does.
QColor lightenedFor(const QColor& background, const QColor& text);

// The colours painted behind the captions of w: the ends of its own fill, or, where w paints
// none, those of the nearest ancestor that does; the window colour when none does.
QList<QColor> paintedBehind(const QWidget* w);

// The colour the caption of w is painted in: its palette's WindowText made readable on
// paintedBehind(w).
QColor captionColor(const QWidget* w);

}  // namespace corvane
