#pragma once

#include <QString>

#include <string>

class QLocale;

namespace corvane {

class TLanguageDlg;
class TSysLogForm;

// The language the settings file names (key "Language" of "Options"), installed before the
// first window is built; without the key, the system locale's language when the program speaks
// it (German, Spanish, French), else English; English too when the key names no language.
void startLanguage(const std::string& settingsPath);

// The program's language code for a locale: "DEU", "ESN", "FRA", else "ENU".
QString languageForLocale(const QLocale& locale);

// Wires the language dialog to the main window: the status-bar language button is enabled and
// shows the current language; OK with another language translates the user interface at once
// and keeps the code in the settings file for the next start. The dialog outlives no window.
void connectLanguageDialog(TSysLogForm& form, TLanguageDlg& dialog);

// Gives the status-bar language button the code, hint and flag of the current language.
void showLanguageOnButton(TSysLogForm& form);

}  // namespace corvane
