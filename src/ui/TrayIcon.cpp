#include "ui/TrayIcon.h"

#include "app/AlertHub.h"

#include <QAction>
#include <QCoreApplication>
#include <QEvent>
#include <QMenu>
#include <QPainter>
#include <QSystemTrayIcon>
#include <QTimer>

#include <chrono>

namespace corvane {

namespace {

constexpr const char* kContext = "corvane::TrayIcon";

QString translated(const char* text) {
    return QCoreApplication::translate(kContext, text);
}

}  // namespace

TrayIcon::TrayIcon(AlertHub& alerts, QIcon icon, QObject* parent)
    : QObject(parent),
      m_alerts(alerts),
      m_icon(std::move(icon)),
      m_tray(new QSystemTrayIcon(this)),
      m_menu(new QMenu()),
      m_pauseEnd(new QTimer(this)) {
    m_show = m_menu->addAction(QString());
    m_pause = m_menu->addAction(QString());
    m_pause->setCheckable(true);
    m_menu->addSeparator();
    m_exit = m_menu->addAction(QString());
    connect(m_show, &QAction::triggered, this, [this] {
        if (showWindow)
            showWindow();
    });
    connect(m_exit, &QAction::triggered, this, [this] {
        if (exitProgram)
            exitProgram();
    });
    connect(m_pause, &QAction::toggled, this, &TrayIcon::pauseToggled);
    m_pauseEnd->setSingleShot(true);
    connect(m_pauseEnd, &QTimer::timeout, this, [this] { m_pause->setChecked(false); });
    connect(m_tray, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
        if ((reason == QSystemTrayIcon::Trigger || reason == QSystemTrayIcon::DoubleClick) && showWindow)
            showWindow();
    });
    m_tray->setContextMenu(m_menu);
    m_menu->installEventFilter(this);
    retranslate();
    refresh();
    if (QSystemTrayIcon::isSystemTrayAvailable())
        m_tray->show();
}

TrayIcon::~TrayIcon() {
    m_tray->hide();
    delete m_menu;
}

bool TrayIcon::available() const {
    return m_tray->isVisible();
}

void TrayIcon::Deliver(const Alert& alert) {
    if (alert.kind != Alert::Kind::Match)
        return;
    ++m_unseen;
    refresh();
}

void TrayIcon::lookedAt() {
    if (m_unseen == 0)
        return;
    m_unseen = 0;
    refresh();
}

void TrayIcon::pauseToggled(bool paused) {
    if (paused) {
        m_alerts.pauseFor(std::chrono::minutes(kPauseMinutes));
        m_pauseEnd->start(kPauseMinutes * 60 * 1000);
    } else {
        m_alerts.resume();
        m_pauseEnd->stop();
    }
    refresh();
}

void TrayIcon::retranslate() {
    m_show->setText(translated(QT_TRANSLATE_NOOP("corvane::TrayIcon", "Show Corvane")));
    m_pause->setText(translated(QT_TRANSLATE_NOOP("corvane::TrayIcon", "Pause alerts for 1 hour")));
    m_exit->setText(translated(QT_TRANSLATE_NOOP("corvane::TrayIcon", "Exit")));
    refresh();
}

bool TrayIcon::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_menu && event->type() == QEvent::LanguageChange)
        retranslate();
    return QObject::eventFilter(watched, event);
}

void TrayIcon::refresh() {
    QString tip = QStringLiteral("Corvane");
    if (m_unseen > 0)
        tip += QLatin1Char('\n') +
               (m_unseen == 1 ? translated(QT_TRANSLATE_NOOP("corvane::TrayIcon", "1 new matching message"))
                              : translated(QT_TRANSLATE_NOOP("corvane::TrayIcon", "%1 new matching messages"))
                                    .arg(m_unseen));
    if (m_pause->isChecked())
        tip += QLatin1Char('\n') + translated(QT_TRANSLATE_NOOP("corvane::TrayIcon", "Alerts paused"));
    m_tray->setToolTip(tip);
    m_tray->setIcon(withCount(m_icon, m_unseen));
}

QIcon TrayIcon::withCount(const QIcon& icon, int count) {
    if (count <= 0)
        return icon;
    constexpr int kSize = 64;
    QPixmap picture = icon.pixmap(kSize, kSize);
    if (picture.isNull()) {
        picture = QPixmap(kSize, kSize);
        picture.fill(Qt::transparent);
    }
    const QString text = count > 99 ? QStringLiteral("99+") : QString::number(count);
    QPainter p(&picture);
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF badge(kSize * 0.38, kSize * 0.38, kSize * 0.62, kSize * 0.62);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xC6, 0x28, 0x28));
    p.drawEllipse(badge);
    QFont font = p.font();
    font.setBold(true);
    font.setPixelSize(text.size() > 2 ? kSize / 5 : kSize / 3);
    p.setFont(font);
    p.setPen(Qt::white);
    p.drawText(badge, Qt::AlignCenter, text);
    p.restore();
    return QIcon(picture);
}

}  // namespace corvane
