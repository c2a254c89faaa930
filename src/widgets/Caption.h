#pragma once

#include <QString>
#include <Qt>

namespace corvane {

enum class TextAlignment { Left, Right, Center };
enum class TextLayout { Top, Center, Bottom };

// Where and how a caption sits in its widget. Margin is measured from the aligned side; a
// centred caption is shifted right by it.
struct CaptionStyle {
    TextAlignment alignment = TextAlignment::Left;
    TextLayout layout = TextLayout::Top;
    int margin = 0;
    int angle = 0;  // degrees, counter-clockwise
    bool wordWrap = false;
    bool showAccelChar = true;

    int textFlags() const;
};

}  // namespace corvane
