#include "ui/TranslationHooks.h"

#include "store/Field.h"
#include "app/AppCore.h"
#include "app/Settings.h"
#include "ui/UiTexts.h"
#include "ui/LanguageDialog.h"
#include "ui/MsgDialog.h"
#include "ui/SysLogForm.h"
#include "ui/Translation.h"
#include "widgets/TImageButton.h"

#include <QLocale>
#include <QPixmap>

namespace corvane {

namespace {
constexpr const char* kLanguageKey = "Language";
}

void startLanguage(const std::string& settingsPath) {
    QString code = languageForLocale(QLocale::system());
    const Settings::LoadResult loaded = Settings::load(settingsPath);
    if (loaded.settings && loaded.settings->keyExists(Settings::kOptions, kLanguageKey))
        code = QString::fromStdString(loaded.settings->readString(Settings::kOptions, kLanguageKey, "ENU"));
    Translation::instance().setLanguage(normalizedLanguageCode(code));
}

QString languageForLocale(const QLocale& locale) {
    switch (locale.language()) {
        case QLocale::German:
            return QStringLiteral("DEU");
        case QLocale::Spanish:
            return QStringLiteral("ESN");
        case QLocale::French:
            return QStringLiteral("FRA");
        default:
            return QStringLiteral("ENU");
    }
}

void showLanguageOnButton(TSysLogForm& form) {
    const QString code = Translation::instance().language();
    form.iLanguage->setCaption(code);
    form.iLanguage->setToolTip(languageHint(code));
    const QPixmap flag(flagResource(code));
    if (!flag.isNull())
        form.iLanguage->setPicture(flag);
}

void connectLanguageDialog(TSysLogForm& form, TLanguageDlg& dialog) {
    form.iLanguage->setEnabled(true);
    showLanguageOnButton(form);
    form.showLanguageDialog = [&form, &dialog] {
        Translation& translation = Translation::instance();
        dialog.selectCode(translation.language());
        if (dialog.exec() != TLanguageDlg::kOk || dialog.LanguageCode() == translation.language())
            return;
        const QString code = dialog.LanguageCode();
        translation.setLanguage(code);
        showLanguageOnButton(form);
        Settings* settings = form.core() ? form.core()->settings() : nullptr;
        if (!settings)
            return;
        settings->writeString(Settings::kOptions, kLanguageKey, code.toStdString());
        form.core()->setAlertLanguage(code.toStdString());
        const std::string error = settings->flush();
        if (!error.empty())
            QtMessageDialogs(&form).show(error, ui_texts::kLanguageTitle, mkError, {});
    };
}

}  // namespace corvane
