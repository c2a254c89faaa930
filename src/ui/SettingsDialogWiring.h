#pragma once

#include <QString>

#include <memory>

namespace corvane {

class MessageDialogs;
class TData;
class TSettings;
class TSysLogForm;

// Creates the hidden settings dialog and connects it to the main window: the Setup button opens
// it, every later ApplySettings hands it the settings object, the window's geometry is recorded
// while its SaveLocation box is checked, and the intake does not raise the window over it. The
// dialog must be destroyed before the window and the data module.
std::unique_ptr<TSettings> CreateSettingsDialog(TSysLogForm& form, TData& data, MessageDialogs& dialogs,
                                                const QString& appFolder);

// While the dialog is open the message grids and the filter bar stand still; afterwards they
// follow their tables again from the last message.
void HoldMessageControls(TSysLogForm& form, TData& data, bool hold);

}  // namespace corvane
