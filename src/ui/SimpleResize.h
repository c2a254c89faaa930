#pragma once

#include <array>

class QWidget;

namespace corvane {

// The simple filter bar's wrapping. Its four fields (fixed widths 200, 256, 200, 256) stand in
// one row when the bar is wide enough for all of them, else three in row one and the fourth
// below, else two rows of two. Every comparison is strict, so at exactly a limit the
// arrangement stays as it was. The bar is 50 high on two rows and 28 on one; its frame 54 and 30.
struct SimpleBar {
    QWidget* filter = nullptr;  // the frame around the bar
    QWidget* simple = nullptr;  // the bar; fields[i] is its child i
    std::array<QWidget*, 4> fields{};
};

void SimpleResize(const SimpleBar& bar);

}  // namespace corvane
