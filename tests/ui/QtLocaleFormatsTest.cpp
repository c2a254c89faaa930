#include "ui/QtLocaleFormats.h"

#include "ui/TranslationHooks.h"

#include <QLocale>

#include <optional>

#include <gtest/gtest.h>

namespace corvane {
namespace {

TEST(QtLocaleFormatsTest, TheTimeZonePartGoesWithItsBracketsAndBlanks) {
    const struct {
        const char* locale;
        const char* longTime;
        const char* language;
    } rows[] = {
        {"es_ES", "H:mm:ss", "ESN"},    {"de_DE", "HH:mm:ss", "DEU"}, {"fr_FR", "HH:mm:ss", "FRA"},
        {"en_US", "h:mm:ss AP", "ENU"}, {"it_IT", "HH:mm:ss", "ENU"},
    };
    for (const auto& row : rows) {
        const QLocale locale(QString::fromLatin1(row.locale));
        const LocaleFormats formats = localeFormats(locale);
        EXPECT_EQ(formats.longTime, row.longTime)
            << row.locale << " from " << locale.timeFormat(QLocale::LongFormat).toStdString();
        EXPECT_EQ(formats.formatTime(0.5).find_first_of("()[]"), std::string::npos) << row.locale;
        // A date and time typed without the seconds is read as well.
        const std::string typed =
            formats.formatDate(45000) + " " +
            (std::string(row.longTime).find("AP") != std::string::npos ? "6:30 PM" : "18:30");
        const std::optional<double> read = formats.parseDateTime(typed);
        ASSERT_TRUE(read.has_value()) << row.locale << " " << typed;
        EXPECT_NEAR(*read, 45000.0 + 18.5 / 24, 1e-9) << row.locale << " " << typed;
        EXPECT_EQ(languageForLocale(locale).toStdString(), row.language) << row.locale;
    }
}

}  // namespace
}  // namespace corvane
