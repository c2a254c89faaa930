#include "widgets/Caption.h"

namespace corvane {

int CaptionStyle::textFlags() const {
    int flags = 0;
    switch (alignment) {
        case TextAlignment::Left:
            flags |= Qt::AlignLeft;
            break;
        case TextAlignment::Right:
            flags |= Qt::AlignRight;
            break;
        case TextAlignment::Center:
            flags |= Qt::AlignHCenter;
            break;
    }
    switch (layout) {
        case TextLayout::Top:
            flags |= Qt::AlignTop;
            break;
        case TextLayout::Center:
            flags |= Qt::AlignVCenter;
            break;
        case TextLayout::Bottom:
            flags |= Qt::AlignBottom;
            break;
    }
    if (wordWrap)
        flags |= Qt::TextWordWrap;
    if (showAccelChar)
        flags |= Qt::TextShowMnemonic;
    return flags;
}

}  // namespace corvane
