#pragma once

#include <QString>
#include <QStringList>

namespace corvane {

// The user interface's languages, by the language dialog's three-letter codes. English ("ENU")
// is the program's own texts; "DEU", "ESN" and "FRA" load the German, Spanish and French
// catalogues compiled into the program.
QStringList supportedLanguageCodes();
// "de", "es", "fr" for a translated code; empty for English and for codes we do not know.
QString catalogueOfCode(const QString& code);
// A known code as it is, anything else "ENU".
QString normalizedLanguageCode(const QString& code);
// The language's name in its own language, as the status-bar button's hint shows it.
QString languageHint(const QString& code);
// The flag picture of a language, from the pictures compiled in.
QString flagResource(const QString& code);

// Switches the user interface between its languages. Texts asked for through tr() or
// QCoreApplication::translate are remembered with their context and source text, so that a
// switch can give every caption, hint and title on screen its text in the new language; texts
// the program never asked to translate (data values, the operator's input) are left as they are.
class Translation {
public:
    static Translation& instance();

    // Installs the language of the code (English for an unknown code) and retranslates the
    // widgets on screen. Answers false, staying with English, when the catalogue cannot be read.
    bool setLanguage(const QString& code);
    QString language() const;

    // Gives every widget's translated texts the current language.
    void retranslateWidgets();

    // The source text and context a shown text was translated from; false when the text did
    // not come from a translation.
    bool sourceOf(const QString& shown, QString& context, QString& source) const;

    Translation(const Translation&) = delete;
    Translation& operator=(const Translation&) = delete;

private:
    Translation();
    ~Translation();
    struct Private;
    Private* d;
};

// The context of the core's texts (the store, the listener, the settings file, the update
// check...), which reach the operator only through the message dialog.
inline constexpr const char* kCoreTextContext = "CoreTexts";

// A text of the core in the current language: each line is looked up whole, then against the
// core's texts with placeholders ("%1", "%s"), whose values are kept as they are. Lines that are
// no core text (a system's reason, a file name) stay as they are.
QString translateCoreText(const QString& text);

}  // namespace corvane
