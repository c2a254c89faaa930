#include "ui/SimpleResize.h"

#include <QWidget>

namespace corvane {

namespace {

constexpr int kRowOneLimit = 4;  // a field whose top is above this stands in row one

void setHeights(const SimpleBar& bar, int simpleHeight, int filterHeight) {
    bar.simple->resize(bar.simple->width(), simpleHeight);
    if (bar.filter)
        bar.filter->setFixedHeight(filterHeight);
}

}  // namespace

void SimpleResize(const SimpleBar& bar) {
    const auto& f = bar.fields;
    const int W = bar.simple->width();
    const int w2 = f[2]->width();
    const int w3 = f[3]->width();
    int k = 0;
    int S = 0;
    for (QWidget* field : f)
        if (field->y() < kRowOneLimit) {
            ++k;
            S += field->width();
        }
    const int rowTwoTop = f[0]->y() + f[0]->height() + 1;

    switch (k) {
        case 2:
            if (S + w2 < W) {
                f[2]->move(S + 1, 1);
                f[3]->move(0, f[3]->y());
                S += w2;
            }
            if (S + w3 < W) {
                f[3]->move(S + 1, 1);
                setHeights(bar, 28, 30);
            }
            break;
        case 3:
            if (W < S) {
                f[2]->move(0, rowTwoTop);
                f[3]->move(f[2]->x() + w2 + 1, f[3]->y());
            } else if (S + w3 < W) {
                f[3]->move(S + 1, 1);
                setHeights(bar, 28, 30);
            }
            break;
        case 4:
            if (W < S) {
                setHeights(bar, 50, 54);
                f[3]->move(0, rowTwoTop);
                S -= w3;
            }
            if (W < S) {
                f[2]->move(0, rowTwoTop);
                f[3]->move(f[2]->x() + w2 + 1, f[3]->y());
            }
            break;
        default:
            break;
    }
}

}  // namespace corvane
