#include "ui/SettingsDialog.h"

#include "app/AppTexts.h"
#include "ui/SettingsDialogLookup.h"
#include "ui/SettingsDialogTexts.h"
#include "ui/Translation.h"
#include "widgets/TgCheckLabel.h"
#include "widgets/TgLabel.h"
#include "widgets/TnControl.h"
#include "widgets/TnPageControl.h"

#include <QCoreApplication>
#include <QIntValidator>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QTreeWidget>

#include <limits>

namespace corvane {

namespace texts = settings_dialog_texts;

namespace {

constexpr int kWidth = 482;
constexpr int kHeight = 320;

TgLabel* makeLabel(QWidget* parent, const char* name, const char* caption, QPoint at,
                   int rightAlignedWidth = 0) {
    auto* l = new TgLabel(parent);
    l->setObjectName(QString::fromLatin1(name));
    l->setTransparent(true);
    l->setCaption(QCoreApplication::translate("corvane::TSettings", caption));
    if (rightAlignedWidth > 0) {
        l->setAutoSize(false);
        l->setAlignment(TextAlignment::Right);
        l->setGeometry(at.x(), at.y(), rightAlignedWidth, l->sizeHint().height());
    } else {
        l->move(at);
    }
    return l;
}

QLineEdit* makeEdit(QWidget* parent, const char* name, const char* text, QRect r) {
    auto* e = new QLineEdit(QString::fromLatin1(text), parent);
    e->setObjectName(QString::fromLatin1(name));
    e->setGeometry(r);
    return e;
}

// A field whose first text tells what belongs in it: that text is translated, and follows a
// change of language for as long as the field shows it grey.
QLineEdit* makeHintEdit(QWidget* parent, const char* name, const char* hint, QRect r) {
    QLineEdit* e = makeEdit(parent, name, hint, r);
    e->setText(QCoreApplication::translate("corvane::TSettings", hint));
    e->setProperty(TSettings::kHintProperty, QByteArray(hint));
    e->setProperty(TSettings::kShownHintProperty, e->text());
    return e;
}

SettingsComboBox* makeList(QWidget* parent, const char* name, const char* text, QRect r) {
    auto* c = new SettingsComboBox(parent);
    c->setObjectName(QString::fromLatin1(name));
    c->setEditable(true);
    c->setInsertPolicy(QComboBox::NoInsert);
    // Typing completes nothing by itself: the list's own handlers decide what a typed text means.
    c->setCompleter(nullptr);
    c->setEditText(QString::fromLatin1(text));
    c->setGeometry(r);
    return c;
}

TgCheckLabel* makeCheck(QWidget* parent, const char* name, const char* caption, QPoint at, bool checked,
                        QSize size = {}) {
    auto* c = new TgCheckLabel(parent);
    c->setObjectName(QString::fromLatin1(name));
    c->setTransparent(true);
    c->setCaption(QCoreApplication::translate("corvane::TSettings", caption));
    c->setChecked(checked);
    c->setFocusPolicy(Qt::StrongFocus);
    if (size.isValid()) {
        c->setAutoSize(false);
        c->setGeometry(QRect(at, size));
    } else {
        c->move(at);
    }
    return c;
}

TnControl* makePanel(QWidget* parent, const char* name, const char* caption, QRect r) {
    auto* p = new TnControl(parent);
    p->setObjectName(QString::fromLatin1(name));
    p->setGeometry(r);
    p->setClientColor(QColor(252, 253, 255));
    p->setClientColor2(QColor(226, 233, 243));
    p->setBevelKind(BevelKind::Lowered);
    if (caption && *caption) {
        p->setCaption(QCoreApplication::translate("corvane::TSettings", caption));
        auto* title = makeLabel(p, "", caption, QPoint(8, 3));
        QFont bold = title->font();
        bold.setBold(true);
        title->setFont(bold);
    }
    return p;
}

// The tree's icons, drawn at 24 x 24: a list, a warning sign and a picture.
QIcon treeIcon(int which) {
    QPixmap pm(24, 24);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    switch (which) {
        case 0:
            p.setPen(QColor(40, 80, 140));
            p.setBrush(QColor(214, 228, 248));
            p.drawRoundedRect(QRectF(2.5, 2.5, 19, 19), 3, 3);
            for (int y : {8, 12, 16}) p.drawLine(6, y, 18, y);
            break;
        case 1:
            p.setPen(QColor(150, 60, 20));
            p.setBrush(QColor(250, 190, 60));
            p.drawPolygon(QPolygonF({QPointF(12, 2.5), QPointF(21.5, 20.5), QPointF(2.5, 20.5)}));
            p.drawLine(12, 9, 12, 14);
            p.drawPoint(12, 17);
            break;
        default:
            p.setPen(QColor(60, 110, 60));
            p.setBrush(QColor(220, 240, 215));
            p.drawRect(QRectF(2.5, 4.5, 19, 15));
            p.setBrush(QColor(90, 160, 90));
            p.drawPolygon(QPolygonF(
                {QPointF(5, 17), QPointF(10, 10), QPointF(14, 15), QPointF(16, 12), QPointF(19, 17)}));
            break;
    }
    return QIcon(pm);
}

}  // namespace

void TSettings::buildComponents() {
    setObjectName(QStringLiteral("Settings"));
    setWindowTitle(translateCoreText(QString::fromLatin1(texts::kCaption)));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                   Qt::WindowContextHelpButtonHint);
    setFixedSize(kWidth, kHeight);
    QFont base(QStringLiteral("Verdana"));
    base.setPixelSize(11);
    setFont(base);

    nPageControl = new TnPageControl(this);
    nPageControl->setObjectName(QStringLiteral("nPageControl"));
    nPageControl->setGeometry(0, 25, kWidth, kHeight - 25);
    General = new QWidget;
    General->setObjectName(QStringLiteral("General"));
    Notification = new QWidget;
    Notification->setObjectName(QStringLiteral("Notification"));
    Detailed = new QWidget;
    Detailed->setObjectName(QStringLiteral("Detailed"));
    nPageControl->addPage(General, tr("General"));
    nPageControl->addPage(Notification, tr("Notification"));
    nPageControl->addPage(Detailed, tr("Detailed"));

    lbHeader = new TgLabel(this);
    lbHeader->setObjectName(QStringLiteral("lbHeader"));
    lbHeader->setAutoSize(false);
    lbHeader->setGeometry(0, 0, kWidth, 25);
    lbHeader->setCaption(translateCoreText(QString::fromLatin1(texts::kHeader)));
    lbHeader->setAlignment(TextAlignment::Center);
    lbHeader->setLayout(TextLayout::Center);
    QFont headerFont(QStringLiteral("Verdana"));
    headerFont.setPixelSize(16);
    headerFont.setBold(true);
    lbHeader->setFont(headerFont);
    QPalette headerPalette = lbHeader->palette();
    headerPalette.setColor(QPalette::WindowText, palette().color(QPalette::HighlightedText));
    lbHeader->setPalette(headerPalette);
    lbHeader->setDropShadow(true);
    lbHeader->setColor(TColor(QPalette::Highlight));
    lbHeader->setColor2(TColor::buttonFace());
    lbHeader->setVertical(false);

    buildGeneralPage();
    buildNotificationPage();
    buildDetailedPage();

    auto button = [this](const char* name, const char* caption, int left) {
        auto* b = new QPushButton(QCoreApplication::translate("corvane::TSettings", caption), this);
        b->setObjectName(QString::fromLatin1(name));
        b->setGeometry(left, 280, 72, 24);
        b->raise();
        return b;
    };
    BtnOk = button("BtnOk", QT_TRANSLATE_NOOP("corvane::TSettings", "&Ok"), 232);
    BtnOk->setEnabled(false);
    BtnCancel = button("BtnCancel", QT_TRANSLATE_NOOP("corvane::TSettings", "&Cancel"), 312);
    BtnCancel->setDefault(true);
    BtnHelp = button("BtnHelp", QT_TRANSLATE_NOOP("corvane::TSettings", "&Help"), 392);

    m_edits = {UpdateURL, UDPPort,  TCPPort,         EmailAddr1,    MailHost,     Port,
               UserName,  Password, NotifyCondition, NotifyAddress, KeepMessages, KeepDays};
    m_lists = {UDPBindings, TCPBindings, NotifyFacility, NotifySeverity};
    m_settingControls = {UDPPort,         UDPBindings,  TCPPort,        TCPBindings,    UpdateCheck,
                         UpdateURL,       SaveLocation, BringToFront,   NotifySound,    NotifyDesktop,
                         NotifyEmail,     EmailAddr1,   MailHost,       UserName,       Port,
                         Password,        UseSSL,       NotifyFacility, NotifySeverity, NotifyAddress,
                         NotifyCondition, KeepMessages, KeepDays};
    for (QWidget* w : m_settingControls) w->setProperty("tag", 0);
    for (QLineEdit* e : m_edits) setGrey(e, true);
    setGrey(UDPBindings, true);
    setGrey(TCPBindings, true);
    setGrey(NotifyFacility, false);
    setGrey(NotifySeverity, false);
}

void TSettings::buildGeneralPage() {
    nNetwork = makePanel(General, "nNetwork", "", QRect(16, 8, 449, 116));
    lbUDPPort = makeLabel(nNetwork, "lbUDPPort",
                          QT_TRANSLATE_NOOP("corvane::TSettings", "Local UDP Listen Port - "), QPoint(24, 8));
    UDPPort = makeEdit(nNetwork, "UDPPort", texts::kUDPPort, QRect(312, 8, 48, 19));
    lbUDPBindings =
        makeLabel(nNetwork, "lbUDPBindings",
                  QT_TRANSLATE_NOOP("corvane::TSettings", "Network interfaces [Local IP Address(s)] - "),
                  QPoint(24, 34));
    UDPBindings = makeList(nNetwork, "UDPBindings", texts::kBinding, QRect(312, 32, 113, 21));
    lbTCPPort =
        makeLabel(nNetwork, "lbTCPPort", QT_TRANSLATE_NOOP("corvane::TSettings", "Local TCP Listen Port - "),
                  QPoint(24, 60));
    TCPPort = makeEdit(nNetwork, "TCPPort", texts::kTCPPort, QRect(312, 60, 48, 19));
    lbTCPBindings =
        makeLabel(nNetwork, "lbTCPBindings",
                  QT_TRANSLATE_NOOP("corvane::TSettings", "Network interfaces [Local IP Address(s)] - "),
                  QPoint(24, 86));
    TCPBindings = makeList(nNetwork, "TCPBindings", texts::kBinding, QRect(312, 84, 113, 21));

    nUpdates =
        makePanel(General, "nUpdates", QT_TRANSLATE_NOOP("corvane::TSettings", " - Application Updates - "),
                  QRect(16, 126, 449, 62));
    UpdateCheck = makeCheck(nUpdates, "UpdateCheck",
                            QT_TRANSLATE_NOOP("corvane::TSettings", "Check for Application Updates."),
                            QPoint(16, 20), true, QSize(280, 18));
    lbUpdateURL = makeLabel(nUpdates, "lbUpdateURL",
                            QT_TRANSLATE_NOOP("corvane::TSettings", "Vantro update Host Web/HTTP Server  -"),
                            QPoint(48, 42));
    UpdateURL = makeHintEdit(nUpdates, "UpdateURL", texts::kUpdateURLHint, QRect(272, 40, 160, 19));
    // With no update server the empty field still tells what belongs in it.
    UpdateURL->setPlaceholderText(QCoreApplication::translate("corvane::TSettings", texts::kUpdateURLHint));

    // How many messages the store keeps and for how many days; 0 is no limit either way.
    nStorage = makePanel(General, "nStorage",
                         QT_TRANSLATE_NOOP("corvane::TSettings", " - Messages Kept (0 = all) - "),
                         QRect(16, 210, 208, 56));
    lbKeepMessages = makeLabel(nStorage, "lbKeepMessages",
                               QT_TRANSLATE_NOOP("corvane::TSettings", "Number -"), QPoint(24, 17));
    KeepMessages = makeEdit(nStorage, "KeepMessages", texts::kKeepMessages, QRect(104, 15, 72, 19));
    lbKeepDays =
        makeLabel(nStorage, "lbKeepDays", QT_TRANSLATE_NOOP("corvane::TSettings", "Days -"), QPoint(24, 37));
    KeepDays = makeEdit(nStorage, "KeepDays", texts::kKeepDays, QRect(104, 35, 48, 19));
    for (QLineEdit* e : {KeepMessages, KeepDays})
        e->setValidator(new QIntValidator(0, std::numeric_limits<int>::max(), e));

    SaveLocation =
        makeCheck(General, "SaveLocation", QT_TRANSLATE_NOOP("corvane::TSettings", "Save progam Location"),
                  QPoint(32, 190), true, QSize(193, 18));
    BringToFront = makeCheck(General, "BringToFront",
                             QT_TRANSLATE_NOOP("corvane::TSettings", "Show window on new message"),
                             QPoint(240, 190), true, QSize(217, 18));
}

void TSettings::buildNotificationPage() {
    nSimpleNotfy = makePanel(Notification, "nSimpleNotfy",
                             QT_TRANSLATE_NOOP("corvane::TSettings", " - Simple Notification - "),
                             QRect(16, 8, 449, 218));
    QWidget* p = nSimpleNotfy;
    NotifySound = makeCheck(p, "NotifySound",
                            QT_TRANSLATE_NOOP("corvane::TSettings", "Play sound when Message received."),
                            QPoint(16, 20), true, QSize(236, 18));
    NotifyDesktop =
        makeCheck(p, "NotifyDesktop", QT_TRANSLATE_NOOP("corvane::TSettings", "Desktop notification"),
                  QPoint(256, 20), true, QSize(177, 18));
    NotifyEmail = makeCheck(p, "NotifyEmail",
                            QT_TRANSLATE_NOOP("corvane::TSettings", "Send E-Mail notification to ---"),
                            QPoint(16, 44), false, QSize(236, 18));
    EmailAddr1 = makeHintEdit(p, "EmailAddr1", texts::kEmailAddr1, QRect(256, 43, 177, 19));
    lbMailHost =
        makeLabel(p, "lbMailHost", QT_TRANSLATE_NOOP("corvane::TSettings", "Host mail Server/Gateway  -"),
                  QPoint(48, 68));
    MailHost = makeHintEdit(p, "MailHost", texts::kMailHost, QRect(256, 67, 177, 19));
    lbUserName =
        makeLabel(p, "lbUserName", QT_TRANSLATE_NOOP("corvane::TSettings", "User Name :"), QPoint(48, 93));
    UserName = makeHintEdit(p, "UserName", texts::kUserName, QRect(134, 91, 115, 19));
    lbPort = makeLabel(p, "lbPort", QT_TRANSLATE_NOOP("corvane::TSettings", "Port :"), QPoint(264, 93));
    Port = makeEdit(p, "Port", texts::kPort, QRect(296, 91, 33, 19));
    btnTestMail = new QPushButton(QCoreApplication::translate("corvane::TSettings", "Send test mail"), p);
    btnTestMail->setObjectName(QStringLiteral("btnTestMail"));
    btnTestMail->setGeometry(336, 89, 97, 23);
    btnTestMail->setAutoDefault(false);
    lbPassword =
        makeLabel(p, "lbPassword", QT_TRANSLATE_NOOP("corvane::TSettings", "Password :"), QPoint(48, 114));
    Password = makeEdit(p, "Password", texts::kPassword, QRect(134, 112, 115, 19));
    Password->setEchoMode(QLineEdit::Password);
    UseSSL = makeCheck(p, "UseSSL", QT_TRANSLATE_NOOP("corvane::TSettings", "Use SSL/TLS"), QPoint(296, 117),
                       true, QSize(140, 18));
    setMailControlsEnabled(false);

    lbNotifyCondition = makeLabel(p, "lbNotifyCondition",
                                  QT_TRANSLATE_NOOP("corvane::TSettings", "Condition -"), QPoint(16, 144));
    lbFacility = makeLabel(p, "lbFacility", QT_TRANSLATE_NOOP("corvane::TSettings", "Facility :"),
                           QPoint(16, 166), 64);
    NotifyFacility = makeList(p, "NotifyFacility", texts::kNotifyFacility, QRect(88, 164, 145, 21));
    gLabel1 =
        makeLabel(p, "gLabel1", QT_TRANSLATE_NOOP("corvane::TSettings", "Severity:"), QPoint(240, 166), 64);
    NotifySeverity = makeList(p, "NotifySeverity", texts::kNotifySeverity, QRect(308, 164, 124, 21));
    lbAddress =
        makeLabel(p, "lbAddress", QT_TRANSLATE_NOOP("corvane::TSettings", "Address :"), QPoint(16, 190), 64);
    NotifyAddress = makeHintEdit(p, "NotifyAddress", texts::kNotifyAddress, QRect(88, 190, 115, 19));
    lbCondition = makeLabel(p, "lbCondition", QT_TRANSLATE_NOOP("corvane::TSettings", "Contains :"),
                            QPoint(204, 192), 80);
    NotifyCondition = makeHintEdit(p, "NotifyCondition", texts::kNotifyCondition, QRect(288, 190, 142, 19));

    // The same lists the notification check reads the chosen names against.
    for (std::string_view name : app_texts::kDialogFacilities)
        NotifyFacility->addItem(QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size())));
    for (std::string_view name : app_texts::kDialogSeverities)
        NotifySeverity->addItem(QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size())));
    NotifyFacility->setCurrentIndex(NotifyFacility->findText(QString::fromLatin1(texts::kNotifyFacility)));
    NotifySeverity->setCurrentIndex(NotifySeverity->findText(QString::fromLatin1(texts::kNotifySeverity)));

    QWidget* order[] = {EmailAddr1,  MailHost,       UserName,       Password,        Port,
                        btnTestMail, NotifyFacility, NotifySeverity, NotifyCondition, NotifyAddress};
    for (std::size_t i = 1; i < std::size(order); ++i) QWidget::setTabOrder(order[i - 1], order[i]);
}

void TSettings::buildDetailedPage() {
    DetailPanel0 = makePanel(Detailed, "DetailPanel0", "", QRect(16, 8, 450, 218));
    tvDetailed = new QTreeWidget(DetailPanel0);
    tvDetailed->setObjectName(QStringLiteral("tvDetailed"));
    tvDetailed->setGeometry(16, 8, 121, 200);
    tvDetailed->setHeaderHidden(true);
    tvDetailed->setRootIsDecorated(false);
    tvDetailed->setItemsExpandable(false);
    tvDetailed->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tvDetailed->setIconSize(QSize(24, 24));
    tvDetailed->setIndentation(27);
    const char* entries[] = {QT_TRANSLATE_NOOP("corvane::TSettings", "Facilities"),
                             QT_TRANSLATE_NOOP("corvane::TSettings", "Severities"),
                             QT_TRANSLATE_NOOP("corvane::TSettings", "Custom Icons")};
    for (int i = 0; i < 3; ++i) {
        auto* item = new QTreeWidgetItem(tvDetailed, {tr(entries[i])});
        item->setIcon(0, treeIcon(i));
    }

    dbgLookup = new LookupGrid(DetailPanel0);
    dbgLookup->setObjectName(QStringLiteral("dbgLookup"));
    dbgLookup->setGeometry(148, 8, 204, 200);

    btnEdit = new QPushButton(tr("&Edit"), DetailPanel0);
    btnEdit->setObjectName(QStringLiteral("btnEdit"));
    btnEdit->setGeometry(364, 32, 72, 22);
    btnEdit->setAutoDefault(false);
}

}  // namespace corvane
