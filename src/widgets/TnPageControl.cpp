#include "widgets/TnPageControl.h"

#include "widgets/Painting.h"
#include "widgets/Readability.h"

#include <QPainter>
#include <QStackedWidget>
#include <QStyleOptionTab>

namespace corvane {

namespace {

bool isSideShape(QTabBar::Shape s) {
    return s == QTabBar::RoundedWest || s == QTabBar::RoundedEast || s == QTabBar::TriangularWest ||
           s == QTabBar::TriangularEast;
}

bool isTopOrLeft(QTabBar::Shape s) {
    return s == QTabBar::RoundedNorth || s == QTabBar::RoundedWest || s == QTabBar::TriangularNorth ||
           s == QTabBar::TriangularWest;
}

}  // namespace

QSize TnTabBar::tabSizeHint(int index) const {
    QSize s = QTabBar::tabSizeHint(index);
    if (isSideShape(shape()))
        return {std::max(s.width(), fontMetrics().height() + 10), s.height() + 8};
    return {s.width() + 8, std::max(s.height(), fontMetrics().height() + 10)};
}

void TnTabBar::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const QPalette& pal = palette();
    const bool side = isSideShape(shape());
    QColor c1 = color.resolve(pal);
    QColor c2 = gradient ? color2.resolve(pal) : c1;
    if (isTopOrLeft(shape()))
        std::swap(c1, c2);
    for (int i = 0; i < count(); ++i) {
        if (!isTabVisible(i))
            continue;
        QRect r = tabRect(i);
        const bool current = i == currentIndex();
        if (!current)
            r.adjust(side ? 2 : 0, side ? 0 : 2, 0, 0);
        p.save();
        p.setRenderHint(QPainter::Antialiasing);
        paintGradient(p, r.adjusted(1, 1, -1, 0), current ? shade(c1, 0.4) : c1,
                      current ? c2 : shade(c2, -0.05), side ? !vertical : vertical);
        p.setPen(pal.color(QPalette::Dark));
        p.setBrush(Qt::NoBrush);
        p.drawRoundedRect(QRectF(r).adjusted(0.5, 0.5, -0.5, 3), 3, 3);
        p.restore();

        QRect content = r.adjusted(4, 2, -4, -2);
        const QIcon icon = tabIcon(i);
        if (!icon.isNull()) {
            const QSize is = iconSize();
            const QRect ir(content.left(), content.top() + (content.height() - is.height()) / 2, is.width(),
                           is.height());
            icon.paint(&p, ir);
            content.setLeft(ir.right() + 4);
        }
        p.save();
        p.setPen(isTabEnabled(i)
                     ? readableOn(pal.color(QPalette::WindowText), {current ? shade(c1, 0.4) : c1, c2})
                     : pal.color(QPalette::Dark));
        if (side) {
            p.translate(QRectF(content).center());
            p.rotate(shape() == QTabBar::RoundedEast || shape() == QTabBar::TriangularEast ? 90 : -90);
            const QRectF turned(-content.height() / 2.0, -content.width() / 2.0, content.height(),
                                content.width());
            p.drawText(turned, Qt::AlignCenter | Qt::TextShowMnemonic, tabText(i));
        } else {
            p.drawText(content, Qt::AlignCenter | Qt::TextShowMnemonic, tabText(i));
        }
        p.restore();
    }
}

TnPageControl::TnPageControl(QWidget* parent)
    : QWidget(parent), m_tabs(new TnTabBar(this)), m_stack(new QStackedWidget(this)) {
    QFont f = font();
    f.setFamily(QStringLiteral("Arial"));
    setFont(f);
    m_tabs->setDrawBase(false);
    m_tabs->setExpanding(false);
    connect(m_tabs, &QTabBar::currentChanged, this, [this](int i) {
        m_stack->setCurrentIndex(i);
        emit currentChanged(i);
    });
}

int TnPageControl::addPage(QWidget* page, const QString& caption, const QIcon& icon) {
    m_stack->addWidget(page);
    const int i = m_tabs->addTab(icon, caption);
    relayout();
    return i;
}

int TnPageControl::count() const {
    return m_tabs->count();
}
int TnPageControl::currentIndex() const {
    return m_tabs->currentIndex();
}
void TnPageControl::setCurrentIndex(int i) {
    m_tabs->setCurrentIndex(i);
}
QWidget* TnPageControl::page(int i) const {
    return m_stack->widget(i);
}

void TnPageControl::setColor(const TColor& c) {
    m_tabs->color = c;
    m_tabs->update();
}
void TnPageControl::setColor2(const TColor& c) {
    m_tabs->color2 = c;
    m_tabs->update();
}
void TnPageControl::setGradient(bool on) {
    m_tabs->gradient = on;
    m_tabs->update();
}
void TnPageControl::setVertical(bool on) {
    m_tabs->vertical = on;
    m_tabs->update();
}

void TnPageControl::setTabPosition(QTabBar::Shape shape) {
    m_tabs->setShape(shape);
    relayout();
}

void TnPageControl::setClientBorder(int px) {
    m_clientBorder = std::max(0, px);
    relayout();
}

void TnPageControl::setBorder(bool on) {
    m_border = on;
    relayout();
    update();
}

QRect TnPageControl::pageArea() const {
    const int frame = m_border ? 1 : 0;
    QRect r = rect().adjusted(frame, frame, -frame, -frame);
    const QSize tabs = m_tabs->sizeHint();
    switch (m_tabs->shape()) {
        case QTabBar::RoundedSouth:
        case QTabBar::TriangularSouth:
            r.setBottom(r.bottom() - tabs.height());
            break;
        case QTabBar::RoundedWest:
        case QTabBar::TriangularWest:
            r.setLeft(r.left() + tabs.width());
            break;
        case QTabBar::RoundedEast:
        case QTabBar::TriangularEast:
            r.setRight(r.right() - tabs.width());
            break;
        default:
            r.setTop(r.top() + tabs.height());
            break;
    }
    return r.adjusted(m_clientBorder, m_clientBorder, -m_clientBorder, -m_clientBorder);
}

void TnPageControl::relayout() {
    const int frame = m_border ? 1 : 0;
    const QRect inner = rect().adjusted(frame, frame, -frame, -frame);
    const QSize tabs = m_tabs->sizeHint();
    switch (m_tabs->shape()) {
        case QTabBar::RoundedSouth:
        case QTabBar::TriangularSouth:
            m_tabs->setGeometry(inner.left() + 2, inner.bottom() - tabs.height() + 1, inner.width() - 4,
                                tabs.height());
            break;
        case QTabBar::RoundedWest:
        case QTabBar::TriangularWest:
            m_tabs->setGeometry(inner.left(), inner.top() + 2, tabs.width(), inner.height() - 4);
            break;
        case QTabBar::RoundedEast:
        case QTabBar::TriangularEast:
            m_tabs->setGeometry(inner.right() - tabs.width() + 1, inner.top() + 2, tabs.width(),
                                inner.height() - 4);
            break;
        default:
            m_tabs->setGeometry(inner.left() + 2, inner.top(), inner.width() - 4, tabs.height());
            break;
    }
    m_stack->setGeometry(pageArea());
}

void TnPageControl::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    relayout();
}

void TnPageControl::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const QRect area =
        pageArea().adjusted(-m_clientBorder, -m_clientBorder, m_clientBorder - 1, m_clientBorder - 1);
    p.fillRect(area, palette().color(QPalette::Window));
    p.setPen(palette().color(QPalette::Dark));
    p.drawRect(area);
    if (m_border)
        p.drawRect(rect().adjusted(0, 0, -1, -1));
}

}  // namespace corvane
