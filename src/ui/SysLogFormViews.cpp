// The main window's message views: the grid and details pane of the Recent page, the table grid
// and test message bar of the Data page, and the filter bar with its advanced panel.
#include "ui/SysLogForm.h"

#include "app/AppCore.h"
#include "platform/MessageDialogs.h"
#include "store/TData.h"
#include "ui/AdvancedFilterPanel.h"
#include "ui/ApplicationEvents.h"
#include "ui/DataGridView.h"
#include "ui/DetailsPane.h"
#include "ui/FilterBarController.h"
#include "ui/MessageGrid.h"
#include "ui/MessageRows.h"
#include "ui/MessageTableModel.h"
#include "ui/MsgDialog.h"
#include "ui/TestMessageBar.h"
#include "widgets/TnLabel.h"

#include <stdexcept>

namespace corvane {

void TSysLogForm::wireMessageViews() {
    if (m_filterBar)
        return;
    Table& messages = m_data.MessageSet();
    if (!m_messageRows)
        m_messageRows = new TableRows(messages, m_env.formats, this);
    m_messageGrid = new MessageGrid(*Messages, *m_messageRows, messages, &iSeverityList, this);
    m_details =
        std::make_unique<DetailsPane>(DetailsPaneWidgets{iFacility, Date, Severity, Process, SubProcess,
                                                         ProcessID, ProcessEx, DetailData, Description},
                                      &iFacilityList, m_env.formats);

    m_dataModel = new MessageTableModel(messages, m_env.formats, this);
    m_dataModel->error = [this](const std::string& text) {
        const std::runtime_error e(text);
        ApplicationEventsException(DataGrid, &e);
    };
    DataGrid->setMessageModel(m_dataModel);

    SimpleFilterBar::Hooks hooks;
    hooks.beginUpdate = [this] { ++m_holdUpdates; };
    hooks.endUpdate = [this] {
        if (--m_holdUpdates == 0)
            MessageSetScrolled();
    };
    hooks.error = [this](const std::string& message, const std::string& detail, const std::string& title) {
        m_env.dialogs->show(message, title, mkError, detail);
    };
    hooks.eventCount = [this](int count) { EventCount->setCaption(QString::number(count)); };
    m_filterBar = new FilterBarController(
        m_data,
        {Filter, Simple, Advanced, iBtnAdvanced, dbAmount, cbIncrement, dbAddress, dbFacility, dbSeverity},
        m_env.formats, std::move(hooks), this);
    m_advancedPanel = new AdvancedFilterPanel(
        AdvancedFilter, btnClear, btnApply, m_filterBar->bar(),
        [this] { return m_core ? m_core->settings() : nullptr; }, this);
    m_filterBar->setAdvancedPanel(m_advancedPanel);

    m_testBar = new TestMessageBar(
        TestData, TestAddress, btnTest,
        [this](std::string_view bytes, const std::string& address) {
            if (m_core)
                m_core->InjectMessage(std::string(bytes), address);
        },
        [](QObject* sender, const std::exception* error) { ApplicationEventsException(sender, error); },
        this);
}

void TSysLogForm::startFilterBar() {
    if (!m_filterBar)
        return;
    // The view starts filtered exactly as the bar shows its saved choices; an advanced
    // expression that was in force when the program ended is shown and applied again.
    const bool advancedActive = m_advancedPanel->loadSaved();
    m_filterBar->startUp();
    if (advancedActive) {
        m_filterBar->iBtnAdvancedMouseUp();
        m_advancedPanel->btnApplyMouseUp();
    }
}

void TSysLogForm::FormResize() {
    if (Messages)
        StretchColumns(*Messages, m_data.MessageSet().fields());
}

void TSysLogForm::iBtnAdvancedMouseUp() {
    if (m_filterBar)
        m_filterBar->iBtnAdvancedMouseUp();
}

}  // namespace corvane
