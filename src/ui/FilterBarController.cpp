#include "ui/FilterBarController.h"

#include "store/TData.h"
#include "ui/AdvancedFilterPanel.h"
#include "ui/MsgDialog.h"
#include "widgets/TImageButton.h"
#include "widgets/TnControl.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QLineEdit>
#include <QSignalBlocker>

namespace corvane {

namespace {

constexpr int kOneRowWidth = 912;
constexpr int kSimpleHeight = 54;
constexpr int kAdvancedHeight = 30;
// The switch button's images: for the way to the advanced panel, and for the way back.
constexpr int kToAdvancedImages[] = {2, 3, 4, 5};
constexpr int kToSimpleImages[] = {6, 7, 8, 9};

}  // namespace

struct FilterBarController::ListBinding {
    SimpleFilterBar::List list{};
    QComboBox* combo = nullptr;
    Table* table = nullptr;
    const char* resultField = "";
    const char* keyField = "";  // in the filter record
    int filledRows = -1;
};

FilterBarController::FilterBarController(TData& data, FilterBarWidgets widgets, LocaleFormats formats,
                                         SimpleFilterBar::Hooks hooks, QObject* parent)
    : QObject(parent),
      m_data(data),
      m_widgets(widgets),
      m_bar(std::make_unique<SimpleFilterBar>(data.MessageSet(), data.FilterSet(), std::move(formats),
                                              std::move(hooks))),
      m_lists(new ListBinding[4]) {
    using L = SimpleFilterBar::List;
    m_lists[0] = {L::Increment, widgets.increment, &data.TimeSet(), "Of", "TimeKey"};
    m_lists[1] = {L::Address, widgets.address, &data.HostSet(), "Address", "HostKey"};
    m_lists[2] = {L::Facility, widgets.facility, &data.FacilitySet(), "Name", "FacilityKey"};
    m_lists[3] = {L::Severity, widgets.severity, &data.SeveritySet(), "Name", "SeverityKey"};
    for (int i = 0; i < 4; ++i) {
        ListBinding& b = m_lists[i];
        if (!b.combo)
            continue;
        b.combo->setMaxVisibleItems(16);
        // activated comes with a pick from the list and with a change by keyboard alike: both
        // apply the choice, so the view always shows what the bar shows.
        connect(b.combo, &QComboBox::activated, this,
                [this, list = b.list](int index) { listPicked(list, index); });
    }
    if (widgets.amount)
        connect(widgets.amount, &QLineEdit::textEdited, this, &FilterBarController::amountEdited);
}

FilterBarController::~FilterBarController() = default;

FilterBarController::ListBinding& FilterBarController::binding(SimpleFilterBar::List list) {
    for (int i = 0; i < 4; ++i)
        if (m_lists[i].list == list)
            return m_lists[i];
    return m_lists[0];
}

void FilterBarController::fill(ListBinding& b) {
    if (!b.combo)
        return;
    const QSignalBlocker block(b.combo);
    b.combo->clear();
    Table& t = *b.table;
    b.filledRows = t.isOpen() ? t.totalRecordCount() : 0;
    const int keyField = t.fieldIndex("Key");
    const int resultField = t.fieldIndex(b.resultField);
    if (keyField < 0 || resultField < 0)
        return;
    for (int i = 0; i < b.filledRows; ++i) {
        const RowReader r = t.readerOfRecord(i);
        if (r.isNull(keyField))
            continue;
        b.combo->addItem(r.isNull(resultField) ? QString() : textFromCore(std::string(r.text(resultField))),
                         r.integer(keyField));
    }
    showChoice(b);
}

void FilterBarController::showChoice(ListBinding& b) {
    Table& f = m_data.FilterSet();
    if (!b.combo || !f.isOpen() || f.recNo() == 0)
        return;
    const Value key = f.value(b.keyField);
    const QSignalBlocker block(b.combo);
    b.combo->setCurrentIndex(key.kind == Value::Kind::Integer ? b.combo->findData(key.integer) : -1);
}

void FilterBarController::refreshLists(bool force) {
    for (int i = 0; i < 4; ++i) {
        ListBinding& b = m_lists[i];
        const int rows = b.table->isOpen() ? b.table->totalRecordCount() : 0;
        if (force || rows != b.filledRows)
            fill(b);
    }
}

void FilterBarController::startUp() {
    refreshLists(true);
    Table& f = m_data.FilterSet();
    QString amount;
    if (f.isOpen() && f.recNo() > 0) {
        const Value v = f.value("Amount");
        if (v.kind == Value::Kind::Integer)
            amount = QStringLiteral("%1").arg(v.integer, 2, 10, QLatin1Char('0'));
    }
    if (m_widgets.amount) {
        const QSignalBlocker block(m_widgets.amount);
        m_widgets.amount->setText(amount);
    }
    m_bar->ApplySavedChoices(amount.toStdString());
}

void FilterBarController::storeKey(const char* keyField, std::int32_t key) {
    Table& f = m_data.FilterSet();
    if (!f.isOpen())
        return;
    f.edit();  // on an empty table this adds the record
    f.setInteger(f.requireField(keyField), key);
    f.post();
}

void FilterBarController::listPicked(SimpleFilterBar::List list, int index) {
    ListBinding& b = binding(list);
    if (!b.combo || index < 0 || index >= b.combo->count())
        return;
    m_bar->dbDropDown(list);
    storeKey(b.keyField, b.combo->itemData(index).toInt());
    switch (list) {
        case SimpleFilterBar::List::Increment:
            m_bar->IncrementChange(false,
                                   m_widgets.amount ? m_widgets.amount->text().toStdString() : std::string());
            break;
        case SimpleFilterBar::List::Address:
            m_bar->dbAddressChange();
            break;
        case SimpleFilterBar::List::Facility:
            m_bar->dbFacilityChange();
            break;
        case SimpleFilterBar::List::Severity:
            m_bar->dbSeverityChange();
            break;
    }
}

void FilterBarController::amountEdited(const QString& text) {
    bool ok = false;
    const int amount = text.trimmed().toInt(&ok);
    if (ok && m_data.FilterSet().isOpen()) {
        Table& f = m_data.FilterSet();
        f.edit();
        f.setInteger(f.requireField("Amount"), amount);
        f.post();
    }
    m_bar->IncrementChange(true, text.toStdString());
}

void FilterBarController::iBtnAdvancedMouseUp() {
    FilterBarWidgets& w = m_widgets;
    auto images = [&w](const int(&i)[4]) {
        if (!w.switchButton)
            return;
        w.switchButton->imageIndexes()->setStates(i[0], i[1], i[2], i[3]);
        w.switchButton->setImageIndex(i[1]);
    };
    if (!m_advancedShown) {
        m_advancedShown = true;
        images(kToSimpleImages);
        if (w.switchButton)
            w.switchButton->setToolTip(QCoreApplication::translate("corvane::TSysLogForm", " Simple "));
        w.advanced->resize(w.simple->width(), w.advanced->height());
        w.advanced->show();
        w.filter->setFixedHeight(kAdvancedHeight);
        w.simple->hide();
        return;
    }
    m_advancedShown = false;
    images(kToAdvancedImages);
    if (w.switchButton)
        w.switchButton->setToolTip(QCoreApplication::translate("corvane::TSysLogForm", " Advanced "));
    w.simple->resize(w.advanced->width(), w.simple->height());
    if (w.advanced->width() < kOneRowWidth)
        w.filter->setFixedHeight(kSimpleHeight);
    w.simple->show();
    w.advanced->hide();
    // The advanced expression is in force only while its panel is shown.
    if (m_panel)
        m_panel->withdraw();
    m_bar->IncrementChange(false, w.amount ? w.amount->text().toStdString() : std::string());
    m_bar->dbAddressChange();
    m_bar->dbFacilityChange();
    m_bar->dbSeverityChange();
}

}  // namespace corvane
