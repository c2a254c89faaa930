#include "ui/SplashForm.h"

#include "platform/Version.h"
#include "widgets/TImageButton.h"
#include "widgets/TImageLabel.h"
#include "widgets/TgLabel.h"

#include <QBitmap>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QFile>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QScreen>
#include <QTimer>
#include <QUrl>

namespace corvane {

std::optional<ExeVersion> ReadExeVersion(const QString& versionText) {
    const QStringList parts = versionText.split(QLatin1Char('.'));
    if (parts.size() != 4)
        return std::nullopt;
    std::uint16_t numbers[4] = {};
    for (int i = 0; i < 4; ++i) {
        bool ok = false;
        const uint n = parts[i].toUInt(&ok);
        if (!ok || n > 0xFFFF)
            return std::nullopt;
        numbers[i] = static_cast<std::uint16_t>(n);
    }
    return ExeVersion{numbers[0], numbers[1], numbers[2], numbers[3]};
}

QString GetVersionText(const QString& versionText) {
    const std::optional<ExeVersion> v = ReadExeVersion(versionText);
    if (!v)
        return QStringLiteral("0.0.0.0");
    return TSplashForm::tr("Version: %1.%2.%3.%4")
        .arg(v->majorPart)
        .arg(v->minorPart)
        .arg(v->releasePart)
        .arg(v->buildPart);
}

void SetAlphaRect(QImage& image, const QRect& r, int alpha) {
    if (image.format() != QImage::Format_ARGB32)
        image = image.convertToFormat(QImage::Format_ARGB32);
    const QRect area = r.normalized().intersected(image.rect());
    const auto a = static_cast<QRgb>(qBound(0, alpha, 255)) << 24;
    for (int y = area.bottom(); y >= area.top(); --y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = area.left(); x <= area.right(); ++x) line[x] = (line[x] & 0x00FFFFFFu) | a;
    }
}

TSplashForm::TSplashForm(const QString& picture, std::optional<QString> version, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
    setObjectName(QStringLiteral("SplashForm"));
    setAttribute(Qt::WA_TranslucentBackground);
    setAttribute(Qt::WA_ShowWithoutActivating, false);
    setFocusPolicy(Qt::StrongFocus);
    resize(440, 312);

    Logo = new TImageLabel(this);
    Logo->setObjectName(QStringLiteral("Logo"));
    Logo->setGeometry(308, 26, 123, 24);
    Logo->setCursor(Qt::PointingHandCursor);
    Logo->setPicture(QPixmap(QStringLiteral(":/corvane/ui/splash-logo.png")));
    Logo->setFocusPolicy(Qt::NoFocus);

    Version = new TgLabel(this);
    Version->setObjectName(QStringLiteral("Version"));
    Version->setAutoSize(false);
    Version->setGeometry(24, 284, 168, 16);
    QFont font(QStringLiteral("Verdana"));
    font.setPixelSize(11);
    font.setBold(true);
    Version->setFont(font);
    QPalette pal = Version->palette();
    pal.setColor(QPalette::WindowText, QColor(192, 192, 192));
    Version->setPalette(pal);
    Version->setTransparent(true);
    Version->setLayout(TextLayout::Center);
    Version->setWordWrap(true);

    Timer = new QTimer(this);
    Timer->setInterval(kFirstInterval);
    Timer->setSingleShot(false);
    connect(Timer, &QTimer::timeout, this, &TSplashForm::TimerEvent);

    btnClose = new TImageButton(this);
    btnClose->setObjectName(QStringLiteral("btnClose"));
    btnClose->setGeometry(376, 240, 32, 32);
    btnHelp = new TImageButton(this);
    btnHelp->setObjectName(QStringLiteral("btnHelp"));
    btnHelp->setGeometry(344, 240, 32, 32);
    for (TImageButton* b : {btnClose, btnHelp}) {
        b->setVisible(false);
        b->setEnabled(false);
    }
    connect(btnClose, &TImageButton::clicked, this, [this] { close(); });
    connect(btnHelp, &TImageButton::clicked, this, [this] {
        m_result = kOk;
        close();
    });
    connect(Logo, &TImageLabel::clicked, this, [this] { LogoClick(); });

    FormCreate(picture, version);
}

TSplashForm::~TSplashForm() = default;

void TSplashForm::FormCreate(const QString& picture, const std::optional<QString>& version) {
    if (!picture.isEmpty()) {
        QFile file(picture);
        if (file.open(QIODevice::ReadOnly))
            m_stream = file.readAll();
    }
    Version->setCaption(GetVersionText(version ? *version : QString::fromStdString(fileVersionText())));
    const QImage image = QImage::fromData(m_stream);
    if (!image.isNull()) {
        resize(image.size());
        // Without a compositor the clear parts of a translucent window show black; the mask
        // leaves them out of the window, so the desktop shows through with or without one.
        setMask(QBitmap::fromImage(image.createAlphaMask(Qt::ThresholdAlphaDither)));
    }
}

void TSplashForm::ShowSplash() {
    if (QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->geometry().center() - rect().center());
    show();
    raise();
    activateWindow();
    repaint();
    Timer->start();
}

void TSplashForm::TimerEvent() {
    Timer->stop();
    disconnect(Timer, &QTimer::timeout, this, &TSplashForm::TimerEvent);
    Timer->setInterval(kSecondInterval);
    connect(Timer, &QTimer::timeout, this, &TSplashForm::TimerEvent2);
    Timer->start();
}

void TSplashForm::TimerEvent2() {
    Timer->stop();
    m_result = kCancel;
    close();
}

QImage TSplashForm::composedPicture() const {
    QImage image = QImage::fromData(m_stream);
    if (image.isNull())
        return image;
    image = image.convertToFormat(QImage::Format_ARGB32);
    // What the controls draw is shown fully opaque, so the text never blends with the desktop.
    for (const QWidget* control :
         {static_cast<const QWidget*>(Version), static_cast<const QWidget*>(Logo),
          static_cast<const QWidget*>(btnClose), static_cast<const QWidget*>(btnHelp)}) {
        if (control->isVisibleTo(this))
            SetAlphaRect(image, control->geometry().adjusted(0, 0, 1, 1), 255);
    }
    return image;
}

void TSplashForm::paintEvent(QPaintEvent*) {
    const QImage image = composedPicture();
    if (image.isNull())
        return;
    if (size() != image.size())
        resize(image.size());
    QPainter p(this);
    p.setCompositionMode(QPainter::CompositionMode_Source);
    p.drawImage(0, 0, image);
}

void TSplashForm::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    if (key == Qt::Key_Shift || key == Qt::Key_Control || key == Qt::Key_Alt || key == Qt::Key_Meta ||
        key == Qt::Key_AltGr) {
        QWidget::keyPressEvent(event);
        return;
    }
    close();
}

void TSplashForm::closeEvent(QCloseEvent* event) {
    Timer->stop();
    hide();
    event->accept();
}

void TSplashForm::LogoClick() {
    OpenWebAddress(m_webAddress);
}

void TSplashForm::OpenWebAddress(const QString& address) {
    if (address.isEmpty())
        return;
    if (openUrl)
        openUrl(address);
    else
        QDesktopServices::openUrl(QUrl(address));
}

}  // namespace corvane
