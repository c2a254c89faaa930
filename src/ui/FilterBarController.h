#pragma once

#include "filter/SimpleFilterBar.h"

#include <QObject>

#include <functional>
#include <memory>
#include <string>

class QComboBox;
class QLineEdit;

namespace corvane {

class AdvancedFilterPanel;
class TData;
class TImageButton;
class TnControl;

// The filter bar's controls, as the window builds them.
struct FilterBarWidgets {
    TnControl* filter = nullptr;    // the frame around both bars
    TnControl* simple = nullptr;    // the simple bar
    TnControl* advanced = nullptr;  // the advanced panel
    TImageButton* switchButton = nullptr;
    QLineEdit* amount = nullptr;
    QComboBox* increment = nullptr;
    QComboBox* address = nullptr;
    QComboBox* facility = nullptr;
    QComboBox* severity = nullptr;
};

// Binds the simple filter bar's amount edit and four lists to the filter record and its lookup
// tables, and runs the bar's logic (SimpleFilterBar) when they change: a pick from a list stores
// its key in the filter record and applies the filter; every edit of the amount that leaves an
// integer stores it and applies the filter. Also the switch between the simple bar and the
// advanced panel.
class FilterBarController : public QObject {
    Q_OBJECT
public:
    FilterBarController(TData& data, FilterBarWidgets widgets, LocaleFormats formats,
                        SimpleFilterBar::Hooks hooks, QObject* parent = nullptr);
    ~FilterBarController() override;

    SimpleFilterBar& bar() { return *m_bar; }
    void setAdvancedPanel(AdvancedFilterPanel* panel) { m_panel = panel; }

    // Fills the lists and shows the saved choices, then filters the view exactly as they show.
    void startUp();
    // Refills the lists from their tables; without `force` only when a table's size changed.
    void refreshLists(bool force = false);

    bool advancedShown() const { return m_advancedShown; }
    // The switch button: between the simple bar and the advanced panel.
    void iBtnAdvancedMouseUp();

    // What the window calls when a list closes or the amount changes (tests call them too).
    void listPicked(SimpleFilterBar::List list, int index);
    void amountEdited(const QString& text);

private:
    struct ListBinding;

    ListBinding& binding(SimpleFilterBar::List list);
    void fill(ListBinding& b);
    void showChoice(ListBinding& b);
    void storeKey(const char* keyField, std::int32_t key);

    TData& m_data;
    FilterBarWidgets m_widgets;
    std::unique_ptr<SimpleFilterBar> m_bar;
    std::unique_ptr<ListBinding[]> m_lists;
    AdvancedFilterPanel* m_panel = nullptr;
    bool m_advancedShown = false;
};

}  // namespace corvane
