#include "ui/QtLocaleFormats.h"

#include <QLocale>
#include <QRegularExpression>

namespace corvane {

LocaleFormats systemLocaleFormats() {
    const QLocale locale = QLocale::system();
    LocaleFormats formats;
    // Month and day names cannot be read back from a filter text; such a locale gets numbers.
    const QRegularExpression names(QStringLiteral("MMM|ddd"));
    const QString date = locale.dateFormat(QLocale::ShortFormat);
    if (!date.contains(names))
        formats.shortDate = date.toStdString();
    // The long time format of some locales names the time zone; times here are local.
    QString time = locale.timeFormat(QLocale::LongFormat);
    time.remove(QRegularExpression(QStringLiteral("\\s*t+")));
    formats.longTime = time.trimmed().toStdString();
    const QString point = locale.decimalPoint();
    formats.decimalSeparator =
        point.size() == 1 && point[0].unicode() < 128 ? static_cast<char>(point[0].unicode()) : '.';
    return formats;
}

}  // namespace corvane
