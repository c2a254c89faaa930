#pragma once

#include <functional>
#include <string>
#include <vector>

namespace corvane {

class Settings;
class TImageList;
class TSettings;

// What the main window hands the settings dialog when its Setup button opens it.
struct SettingsDialogHost {
    Settings* settings = nullptr;  // null when the settings file could not be read
    const TImageList* facilityIcons = nullptr;
    const TImageList* severityIcons = nullptr;
    std::vector<std::string> localAddresses;
    // true: the message grids and the filter bar stop following their tables while the dialog
    // is open; false: they follow again, from the last message.
    std::function<void(bool hold)> holdMessageControls;
    // Runs after OK.
    std::function<void()> applySettings;
};

// Opens the dialog modally: hands it the settings object (filled at the first opening), the
// icons and the local addresses, keeps a copy of the settings, holds the message controls, and
// after OK applies the settings; any other ending puts the copy back. The controls are released
// in every case, errors included. Answers the dialog's result.
int OpenSettingsDialog(TSettings& dialog, const SettingsDialogHost& host);

}  // namespace corvane
