#include "ui/MsgDialog.h"

#include "ui/SoundPlayer.h"
#include "ui/Translation.h"
#include "widgets/TgCheckLabel.h"
#include "widgets/TImageLabel.h"
#include "widgets/TnLabel.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStringDecoder>
#include <QSvgRenderer>
#include <QTimer>

namespace corvane {

namespace {

const QString kHidden = QStringLiteral("btnHidden");
constexpr int kClientWidth = 372;
constexpr int kClientHeight = 142;
constexpr int kTextWidth = 260;
constexpr int kTextHeight = 94;

QFont tahoma(int pixels, bool bold = false) {
    QFont f(QStringLiteral("Tahoma"));
    f.setPixelSize(pixels);
    f.setBold(bold);
    return f;
}

void applyButtonText(QPushButton* button, const QString& text) {
    if (text == kHidden)
        button->hide();
    else if (!text.isEmpty())
        button->setText(translateCoreText(text));
}

int textHeight(const TgLabel* label, int width) {
    const CaptionStyle& s = label->captionStyle();
    const QRect r = label->fontMetrics().boundingRect(QRect(0, 0, std::max(1, width - s.margin), 1 << 20),
                                                      s.textFlags(), label->caption());
    return r.height() + 8;
}

}  // namespace

MsgDialogEnvironment& msgDialogEnvironment() {
    static MsgDialogEnvironment env;
    return env;
}

TMsgDialog::TMsgDialog(QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                         Qt::WindowStaysOnTopHint) {
    setWindowTitle(tr("Message"));
    setFont(tahoma(11));
    setFixedSize(kClientWidth, kClientHeight);

    glTopPanel = new TgLabel(this);
    glTopPanel->setAutoSize(false);
    glTopPanel->setGeometry(0, 0, kClientWidth, 16);
    glTopPanel->setColor(QColor(255, 255, 255));
    glTopPanel->setColor2(QColor(214, 226, 240));

    nLeftPanel = new TnLabel(this);
    nLeftPanel->setGeometry(0, 16, 76, kTextHeight);
    nLeftPanel->setClientColor(QColor(244, 248, 252));
    nLeftPanel->setClientColor2(QColor(190, 208, 232));
    nLeftPanel->setMovable(true);
    Image = new TImageLabel(nLeftPanel);
    Image->setGeometry(15, 2, 56, 56);
    Image->setPictureMode(PictureMode::Proportional);

    glRightPanel = new TgLabel(this);
    glRightPanel->setAutoSize(false);
    glRightPanel->setGeometry(kClientWidth - 36, 16, 36, kTextHeight);
    glRightPanel->setColor(QColor(244, 248, 252));
    glRightPanel->setColor2(QColor(190, 208, 232));

    ScrollBox = new QScrollArea(this);
    ScrollBox->setGeometry(76, 16, kTextWidth, kTextHeight);
    ScrollBox->setFrameShape(QFrame::NoFrame);
    ScrollBox->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    ScrollBox->setBackgroundRole(QPalette::Base);
    QPalette white = ScrollBox->palette();
    white.setColor(QPalette::Base, Qt::white);
    white.setColor(QPalette::Window, Qt::white);
    ScrollBox->setPalette(white);
    auto* content = new QWidget;
    content->setAutoFillBackground(true);
    content->setPalette(white);

    Message = new TgLabel(content);
    Message->setAutoSize(false);
    Message->setFont(tahoma(13, true));
    Message->setMargin(8);
    Message->setWordWrap(true);
    Message->setLayout(TextLayout::Center);
    Message->setTransparent(true);
    Message->setShowAccelChar(false);

    Detail = new TgLabel(content);
    Detail->setAutoSize(false);
    Detail->setFont(tahoma(11));
    Detail->setMargin(4);
    Detail->setWordWrap(true);
    Detail->setAlignment(TextAlignment::Center);
    Detail->setLayout(TextLayout::Center);
    Detail->setTransparent(true);
    Detail->setShowAccelChar(false);
    ScrollBox->setWidget(content);

    nButtons = new TnControl(this);
    nButtons->setGeometry(0, kClientHeight - 32, kClientWidth, 32);
    nButtons->setClientColor(QColor(246, 248, 251));
    nButtons->setClientColor2(QColor(218, 225, 234));
    nButtons->setBevelKind(BevelKind::Flat);
    nButtons->setBevelEdges(beTop);

    cbAsk = new TgCheckLabel(nButtons);
    cbAsk->setAutoSize(false);
    cbAsk->setGeometry(12, 4, 121, 21);
    cbAsk->setTransparent(true);
    cbAsk->setCaption(tr("Don't ask again."));
    cbAsk->hide();

    Button1 = new QPushButton(tr("&Ok"), nButtons);
    Button1->setGeometry(151, 2, 92, 24);
    Button1->setDefault(true);
    Button2 = new QPushButton(tr("&Cancel"), nButtons);
    Button2->setGeometry(244, 2, 92, 24);
    Button2->setAutoDefault(false);
    connect(Button1, &QPushButton::clicked, this, [this] { done(1); });
    connect(Button2, &QPushButton::clicked, this, [this] { done(2); });

    AutoClose = new QTimer(this);
    AutoClose->setInterval(30000);
    AutoClose->setSingleShot(true);
    connect(AutoClose, &QTimer::timeout, this, [this] { done(1); });
}

void TMsgDialog::arrangeTexts() {
    QWidget* content = ScrollBox->widget();
    auto layoutAt = [&](int width) {
        const int minMessage = Detail->isHidden() ? 78 : 39;
        const int hm = std::max(minMessage, textHeight(Message, width));
        const int hd = Detail->isHidden() ? 0 : std::max(39, textHeight(Detail, width));
        Message->setGeometry(0, 0, width, hm);
        Detail->setGeometry(0, hm, width, hd);
        content->resize(width, hm + hd);
        return hm + hd;
    };
    if (layoutAt(kTextWidth) > kTextHeight)
        layoutAt(kTextWidth - ScrollBox->verticalScrollBar()->sizeHint().width());
}

void TMsgDialog::reject() {
    done(2);
}

void TMsgDialog::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Escape:
            if (Button2->isVisibleTo(this))
                done(2);
            return;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            if (!Button2->hasFocus())
                done(1);
            else
                done(2);
            return;
        default:
            QDialog::keyPressEvent(event);
    }
}

QPixmap kindPicture(int kind) {
    const char* name = "kind-app";
    switch (kind) {
        case mkError:
            name = "kind-error";
            break;
        case mkQuestion:
            name = "kind-question";
            break;
        case mkWarning:
            name = "kind-warning";
            break;
        case mkInformation:
            name = "kind-information";
            break;
        default:
            break;
    }
    QSvgRenderer svg(QStringLiteral(":/corvane/kinds/%1.svg").arg(QLatin1String(name)));
    QImage img(56, 56, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    svg.render(&p);
    p.end();
    return QPixmap::fromImage(img);
}

QString WrapMessageText(const QString& text, int n) {
    const int length = static_cast<int>(text.size());
    if (n < 1 || n >= length)
        return text;
    QString result;
    result.reserve(length + length / n + 2);
    if (!text.contains(QLatin1Char(' '))) {
        for (int start = 0; start <= (length / n) * n; start += n) {
            result += text.mid(start, n);
            result += QLatin1Char(' ');
        }
        return result;
    }
    int p = 0;
    while (p < length) {
        const QString chunk = text.mid(p, n);
        const auto lastBlank = chunk.lastIndexOf(QLatin1Char(' '));
        if (lastBlank >= 0) {
            result += chunk.left(lastBlank + 1);
            p += static_cast<int>(lastBlank) + 1;
        } else {
            result += chunk;
            result += QLatin1Char(' ');
            p += static_cast<int>(chunk.size());
        }
    }
    return result;
}

namespace {

// Characters of the label's width, judged by the first character in the dialog's font.
int charsPerLine(const TMsgDialog& dialog, const TgLabel* label, const QString& text) {
    if (text.isEmpty())
        return 0;
    const int w = dialog.fontMetrics().horizontalAdvance(text.at(0));
    return label->width() / (w + 2);
}

}  // namespace

int ExecuteMsgDialog(QWidget* owner, const QString& message, const QString& detail, const QString& title,
                     const QString& button1, const QString& button2, int kind, bool& ask,
                     const QPixmap& picture) {
    const MsgDialogEnvironment& env = msgDialogEnvironment();
    TMsgDialog dialog(owner);
    dialog.AutoClose->stop();
    dialog.Message->resize(kTextWidth, 39);
    dialog.Detail->resize(kTextWidth, 39);

    QString shownMessage = message;
    QString shownDetail = detail;
    if (!detail.isEmpty()) {
        shownDetail = WrapMessageText(detail, charsPerLine(dialog, dialog.Detail, detail));
    } else {
        dialog.Detail->hide();
        QFont f = dialog.Message->font();
        f.setPointSize(10);
        dialog.Message->setFont(f);
        dialog.Message->setTransparent(false);
        dialog.Message->setGradient(false);
        dialog.Message->setColor(QColor(Qt::white));
        shownMessage = WrapMessageText(message, charsPerLine(dialog, dialog.Message, message));
    }
    dialog.cbAsk->setVisible(ask);
    ask = false;
    applyButtonText(dialog.Button1, button1);
    applyButtonText(dialog.Button2, button2);
    dialog.Message->setCaption(shownMessage);
    dialog.Detail->setCaption(shownDetail);
    dialog.arrangeTexts();
    if (!title.isEmpty())
        dialog.setWindowTitle(title);

    const bool known = kind == mkPlain || kind == mkError || kind == mkQuestion || kind == mkWarning ||
                       kind == mkInformation;
    dialog.Image->setPicture(known || picture.isNull() ? kindPicture(kind) : picture);
    const int slot = soundSlotForKind(kind);

    dialog.AutoClose->setInterval(env.autoCloseMs);
    if (env.autoClose)
        dialog.AutoClose->start();
    if (QScreen* screen = dialog.screen())
        dialog.move(screen->availableGeometry().center() - dialog.rect().center());
    dialog.raise();

    if (env.playSounds) {
        const SystemSoundTable& sounds = env.sounds ? *env.sounds : systemSounds();
        const std::string& sound = sounds[static_cast<size_t>(slot)];
        if (!sound.empty())
            (env.player ? *env.player : defaultSoundPlayer()).playEvent(sound);
    }

    const int result = dialog.exec();
    ask = dialog.cbAsk->checked();
    return result == 1 ? 1 : 2;
}

int MsgDialog(QWidget* owner, const QString& message, const QString& title, const QString& button1,
              const QString& button2, int kind) {
    bool ask = false;
    return ExecuteMsgDialog(owner, message, QString(), title, button1, button2, kind, ask);
}

int MsgDialogDetail(QWidget* owner, const QString& message, const QString& detail, const QString& title,
                    const QString& button1, const QString& button2, int kind) {
    bool ask = false;
    return ExecuteMsgDialog(owner, message, detail, title, button1, button2, kind, ask);
}

QString textFromCore(const std::string& bytes) {
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
    if (utf8.hasError())
        return QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
    return text;
}

int QtMessageDialogs::show(const std::string& message, const std::string& title, int kind,
                           const std::string& detail) {
    // The core writes English; its texts are shown in the operator's language.
    const QString shownMessage = translateCoreText(textFromCore(message));
    const QString shownTitle = translateCoreText(textFromCore(title));
    if (detail.empty())
        return MsgDialog(m_owner, shownMessage, shownTitle, QString(), kHidden, kind);
    return MsgDialogDetail(m_owner, shownMessage, translateCoreText(textFromCore(detail)), shownTitle,
                           QString(), kHidden, kind);
}

}  // namespace corvane
