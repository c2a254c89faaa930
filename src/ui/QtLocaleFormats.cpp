#include "ui/QtLocaleFormats.h"

#include <QLocale>
#include <QRegularExpression>

namespace corvane {

LocaleFormats localeFormats(const QLocale& locale) {
    LocaleFormats formats;
    // Month and day names cannot be read back from a filter text; such a locale gets numbers.
    const QRegularExpression names(QStringLiteral("MMM|ddd"));
    const QString date = locale.dateFormat(QLocale::ShortFormat);
    if (!date.contains(names))
        formats.shortDate = date.toStdString();
    // "H:mm:ss (t)", "HH:mm:ss t", "h:mm:ss AP t", "[t] HH:mm:ss": the zone word, any brackets
    // around it and the blanks that set it apart all go.
    QString time = locale.timeFormat(QLocale::LongFormat);
    time.remove(QRegularExpression(QStringLiteral("\\s*[\\(\\[\\{]?\\s*\\bt+\\b\\s*[\\)\\]\\}]?")));
    formats.longTime = time.trimmed().toStdString();
    if (formats.longTime.empty())
        formats.longTime = "HH:mm:ss";
    const QString point = locale.decimalPoint();
    formats.decimalSeparator =
        point.size() == 1 && point[0].unicode() < 128 ? static_cast<char>(point[0].unicode()) : '.';
    return formats;
}

LocaleFormats systemLocaleFormats() {
    return localeFormats(QLocale::system());
}

}  // namespace corvane
