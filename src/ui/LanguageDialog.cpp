#include "ui/LanguageDialog.h"

#include "widgets/TImageLabel.h"
#include "widgets/TgLabel.h"
#include "widgets/TnControl.h"

#include <QAbstractItemView>
#include <QEvent>
#include <QGuiApplication>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QStyledItemDelegate>
#include <QStylePainter>

#include <array>

namespace corvane {
namespace {

constexpr int kItemHeight = 16;

// Item texts are the languages' own names; they stay as they are in every language.
constexpr std::array<const char*, 4> kItems = {"Deutsch (Deutschland)=0", "English (United States)=1",
                                               "Español (Internacional)=2", "Français (France)=3"};
constexpr std::array<const char*, 4> kFlagFiles = {"flag-de", "flag-us", "flag-es", "flag-fr"};

QFont verdana(int pixels, bool bold) {
    QFont f(QStringLiteral("Verdana"));
    f.setPixelSize(pixels);
    f.setBold(bold);
    return f;
}

QImage uiPicture(const char* name) {
    return QImage(QStringLiteral(":/corvane/ui/%1.png").arg(QLatin1String(name)));
}

// Lets the dialog draw the items of the open list.
class LanguageItemDelegate : public QStyledItemDelegate {
public:
    LanguageItemDelegate(TLanguageDlg* owner, QObject* parent)
        : QStyledItemDelegate(parent), m_owner(owner) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        const bool selected = option.state & (QStyle::State_Selected | QStyle::State_MouseOver);
        m_owner->LanguagesDrawItem(*painter, index.row(), option.rect, selected);
    }

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        return {QStyledItemDelegate::sizeHint(option, index).width(), kItemHeight};
    }

private:
    TLanguageDlg* m_owner;
};

}  // namespace

TLanguageList::TLanguageList(TLanguageDlg* owner, QWidget* parent) : QComboBox(parent), m_owner(owner) {
    setItemDelegate(new LanguageItemDelegate(owner, this));
}

void TLanguageList::paintEvent(QPaintEvent*) {
    QStylePainter p(this);
    QStyleOptionComboBox option;
    initStyleOption(&option);
    option.currentText.clear();
    option.currentIcon = QIcon();
    p.drawComplexControl(QStyle::CC_ComboBox, option);
    const QRect field =
        style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, this);
    if (currentIndex() < 0)
        return;
    p.save();
    p.setClipRect(field);
    const QRect item(field.left(), field.top() + (field.height() - kItemHeight) / 2, field.width(),
                     kItemHeight);
    m_owner->LanguagesDrawItem(p, currentIndex(), item, hasFocus());
    p.restore();
}

TLanguageDlg::TLanguageDlg(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("LanguageDlg"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    setFixedSize(352, 108);
    setFont(verdana(11, false));

    Body = new TnControl(this);
    Body->setObjectName(QStringLiteral("Body"));
    Body->setGeometry(0, 0, 352, 72);
    Body->setBorderWidth(1);
    Body->setBevelKind(BevelKind::Flat);
    Body->setBevelEdges(beBottom);
    Body->setVertical(true);
    Body->setClientColor(QColor(255, 255, 255));
    Body->setClientColor2(QColor(214, 226, 240));

    Image1 = new TImageLabel(Body);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(24, 12, 48, 48);
    Image1->setPicture(QPixmap::fromImage(uiPicture("globe")));

    Query = new TgLabel(Body);
    Query->setObjectName(QStringLiteral("Query"));
    Query->setAutoSize(false);
    Query->setTransparent(true);
    Query->setGeometry(96, 4, 248, 20);
    Query->setFont(verdana(13, true));
    Query->setDropShadow(true);

    Languages = new TLanguageList(this, Body);
    Languages->setObjectName(QStringLiteral("Languages"));
    Languages->setGeometry(96, 28, 231, 22);
    Languages->setFont(verdana(13, false));
    for (const char* item : kItems) Languages->addItem(QString::fromUtf8(item));

    BtnOK = new QPushButton(this);
    BtnOK->setObjectName(QStringLiteral("BtnOK"));
    BtnOK->setGeometry(182, 79, 72, 22);
    BtnOK->setDefault(true);
    BtnCancel = new QPushButton(this);
    BtnCancel->setObjectName(QStringLiteral("BtnCancel"));
    BtnCancel->setGeometry(254, 79, 72, 22);

    for (const char* file : kFlagFiles) {
        const QImage flag = uiPicture(file);
        if (!flag.isNull())
            Images.add(flag);
    }

    connect(Languages, &QComboBox::activated, this, [this](int) { LanguagesCloseUp(); });
    connect(BtnOK, &QPushButton::clicked, this, [this] { done(kOk); });
    connect(BtnCancel, &QPushButton::clicked, this, [this] { done(kCancel); });

    retranslate();
    FormCreate();
}

void TLanguageDlg::FormCreate() {
    m_languageCode = QStringLiteral("ENU");
    Languages->setCurrentIndex(1);
    m_codeAtOpen = m_languageCode;
}

void TLanguageDlg::retranslate() {
    setWindowTitle(tr("Language"));
    Query->setCaption(tr("Please choose a language. . ."));
    BtnOK->setText(tr("&OK"));
    BtnCancel->setText(tr("&Cancel"));
}

void TLanguageDlg::changeEvent(QEvent* event) {
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QDialog::changeEvent(event);
}

void TLanguageDlg::showEvent(QShowEvent* event) {
    m_codeAtOpen = m_languageCode;
    if (QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    QDialog::showEvent(event);
}

void TLanguageDlg::done(int result) {
    if (result != kOk)
        selectCode(m_codeAtOpen);
    QDialog::done(result);
}

void TLanguageDlg::reject() {
    done(kCancel);
}

void TLanguageDlg::LanguagesCloseUp() {
    SelectLanguage(Languages->currentIndex());
}

void TLanguageDlg::SelectLanguage(int i) {
    if (i < 0 || i >= 4 || i >= Languages->count())
        return;
    Languages->setCurrentIndex(i);
    const QString item = Languages->currentText();
    if (item.contains(QLatin1String("Deu")))
        m_languageCode = QStringLiteral("DEU");
    else if (item.contains(QLatin1String("Eng")))
        m_languageCode = QStringLiteral("ENU");
    else if (item.contains(QLatin1String("Esp")))
        m_languageCode = QStringLiteral("ESN");
    else if (item.contains(QLatin1String("Fra")))
        m_languageCode = QStringLiteral("FRA");
}

void TLanguageDlg::selectCode(const QString& code) {
    static const std::array<const char*, 4> codes = {"DEU", "ENU", "ESN", "FRA"};
    int index = 1;
    for (int i = 0; i < 4; ++i)
        if (code == QLatin1String(codes[static_cast<std::size_t>(i)]))
            index = i;
    SelectLanguage(index);
}

void TLanguageDlg::LanguagesDrawItem(QPainter& painter, int i, const QRect& r, bool selected) {
    if (i < 0 || i >= Languages->count())
        return;
    const QString item = Languages->itemText(i);
    const qsizetype eq = item.indexOf(QLatin1Char('='));
    const QString name = eq < 0 ? QString() : item.left(eq);
    const QString value = eq < 0 ? QString() : item.mid(eq + 1);

    painter.save();
    const QPalette& pal = Languages->palette();
    const QColor background = pal.color(selected ? QPalette::Highlight : QPalette::Base);
    painter.setPen(background);
    painter.setBrush(background);
    painter.drawRect(r.adjusted(0, 0, -1, -1));
    painter.setPen(pal.color(selected ? QPalette::HighlightedText : QPalette::Text));
    painter.setFont(Languages->font());
    const QRect textArea(r.left(), r.top(), r.width(), r.height());
    auto drawText = [&](int x, const QString& text) {
        painter.drawText(QRect(x, textArea.top(), textArea.right() - x + 1, textArea.height()),
                         Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, text);
    };

    bool isNumber = true;
    const int k = value.isEmpty() ? -1 : value.toInt(&isNumber);
    int x = r.left() + 2;
    if (!isNumber) {
        drawText(x, item);
    } else if (k <= -1) {
        drawText(x, item);
    } else {
        if (Images.count() > 0 && k < Images.count()) {
            const QSize size = Images.imageSize();
            painter.drawImage(QRect(QPoint(r.left() + 2, r.top() + 2), size), Images.image(k));
            x = r.left() + 2 + size.width() + 4;
        }
        drawText(x, name);
    }
    painter.restore();
}

}  // namespace corvane
