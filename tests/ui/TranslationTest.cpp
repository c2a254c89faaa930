#include "ui/Translation.h"
#include "ui/TranslationCoreTexts.h"

#include "widgets/QtTestApp.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QLabel>
#include <QLibraryInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <QTranslator>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

#include <map>

namespace corvane {
namespace {

const QStringList kCatalogues = {QStringLiteral("de"), QStringLiteral("es"), QStringLiteral("fr")};

struct TsMessage {
    QString translation;
    bool unfinished = false;
};
// context -> source -> translation
using TsFile = std::map<QString, std::map<QString, TsMessage>>;

TsFile readTs(const QString& path) {
    TsFile ts;
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << qPrintable(path);
    QXmlStreamReader xml(&file);
    QString context;
    QString source;
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement())
            continue;
        if (xml.name() == QLatin1String("name")) {
            context = xml.readElementText();
        } else if (xml.name() == QLatin1String("source")) {
            source = xml.readElementText();
        } else if (xml.name() == QLatin1String("translation")) {
            const bool unfinished =
                xml.attributes().value(QLatin1String("type")) == QLatin1String("unfinished") ||
                xml.attributes().value(QLatin1String("type")) == QLatin1String("vanished") ||
                xml.attributes().value(QLatin1String("type")) == QLatin1String("obsolete");
            ts[context][source] = {xml.readElementText(), unfinished};
        }
    }
    EXPECT_FALSE(xml.hasError()) << qPrintable(path) << ": " << qPrintable(xml.errorString());
    return ts;
}

QString tsPath(const QString& catalogue) {
    return QStringLiteral(CORVANE_SOURCE_DIR "/resources/translations/corvane_%1.ts").arg(catalogue);
}

// What a translation must keep of its source: the numbered placeholders, the number of printf-style
// ones, and an accelerator when the source has one.
QString shape(const QString& text) {
    QStringList numbered;
    for (auto m = QRegularExpression(QStringLiteral("%[1-9]")).globalMatch(text); m.hasNext();)
        numbered << m.next().captured();
    numbered.sort();
    const auto printfStyle = text.count(QRegularExpression(QStringLiteral("%[sd]")));
    const bool accelerator = text.contains(QRegularExpression(QStringLiteral("&[^&\\s]")));
    return numbered.join(QLatin1Char(',')) + QStringLiteral("|%1|%2").arg(printfStyle).arg(accelerator);
}

TEST(TranslationTest, EveryTextTheSourcesTranslateHasAFinishedTranslationInEachLanguage) {
    // The program's own texts, as the translation tool finds them in the sources today.
    const QString lupdate = QLibraryInfo::path(QLibraryInfo::BinariesPath) + QStringLiteral("/lupdate");
    if (!QFile::exists(lupdate))
        GTEST_SKIP() << "lupdate is not installed";
    QTemporaryDir dir;
    const QString fresh = dir.filePath(QStringLiteral("fresh.ts"));
    QProcess run;
    run.setWorkingDirectory(QStringLiteral(CORVANE_SOURCE_DIR));
    run.start(lupdate,
              {QStringLiteral("-silent"), QStringLiteral("-no-obsolete"), QStringLiteral("-locations"),
               QStringLiteral("none"), QStringLiteral("-I"), QStringLiteral("src"), QStringLiteral("src/ui"),
               QStringLiteral("src/widgets"), QStringLiteral("src/main.cpp"), QStringLiteral("-ts"), fresh});
    ASSERT_TRUE(run.waitForFinished(60000));
    ASSERT_EQ(run.exitCode(), 0) << run.readAllStandardError().toStdString();
    const TsFile found = readTs(fresh);
    std::size_t count = 0;
    for (const auto& [context, messages] : found) count += messages.size();
    EXPECT_GT(count, 80u);
    for (const auto& [context, messages] : found)
        EXPECT_TRUE(context.startsWith(QLatin1String("corvane::")))
            << "context without namespace: " << qPrintable(context);

    for (const QString& catalogue : kCatalogues) {
        SCOPED_TRACE(catalogue.toStdString());
        const TsFile ts = readTs(tsPath(catalogue));
        for (const auto& [context, messages] : found) {
            for (const auto& [source, unused] : messages) {
                const auto c = ts.find(context);
                const bool present = c != ts.end() && c->second.count(source) > 0;
                EXPECT_TRUE(present) << qPrintable(context) << ": \"" << qPrintable(source)
                                     << "\" is not translated";
            }
        }
        for (const auto& [context, messages] : ts) {
            for (const auto& [source, message] : messages) {
                EXPECT_FALSE(message.unfinished) << qPrintable(context) << ": " << qPrintable(source);
                EXPECT_FALSE(message.translation.trimmed().isEmpty())
                    << qPrintable(context) << ": " << qPrintable(source);
                EXPECT_EQ(shape(message.translation), shape(source))
                    << qPrintable(context) << ": \"" << qPrintable(source) << "\" -> \""
                    << qPrintable(message.translation) << "\"";
                // Captions padded with blanks keep them, so the layout stays as designed.
                EXPECT_EQ(source.startsWith(QLatin1Char(' ')),
                          message.translation.startsWith(QLatin1Char(' ')))
                    << qPrintable(source);
            }
        }
    }
}

TEST(TranslationTest, EveryCoreTextIsTranslatedByTheCompiledCatalogues) {
    for (const QString& catalogue : kCatalogues) {
        SCOPED_TRACE(catalogue.toStdString());
        QTranslator translator;
        ASSERT_TRUE(translator.load(QStringLiteral(":/corvane/i18n/corvane_%1.qm").arg(catalogue)));
        for (const char* text : coreTexts())
            EXPECT_FALSE(translator.translate(kCoreTextContext, text).isEmpty()) << text;
    }
}

// Each constant of the core's text headers is either shown to the operator, and so in the list
// of core texts, or a value the program stores, sends or matches, which stays as it is.
TEST(TranslationTest, EveryShownTextOfTheCoreHeadersIsInTheCoreTextList) {
    const QSet<QString> notShown = {
        QStringLiteral("Unassigned"), QStringLiteral("Warning"), QStringLiteral("127.0.0.1"),
        QStringLiteral("Options"), QStringLiteral("Version.txt"), QStringLiteral("Update.exe"),
        QStringLiteral("FirstStart"), QStringLiteral("UpdateCheck"), QStringLiteral("UpdateURL"),
        QStringLiteral("PID"), QStringLiteral("Location"), QStringLiteral("Location not Assigned"),
        QStringLiteral("Vantro Client("), QStringLiteral("UDP"), QStringLiteral("TCP"),
        QStringLiteral("Unknown"),
        // The settings dialog's first field texts and list choices are values it stores.
        QStringLiteral("514"), QStringLiteral("601"), QStringLiteral("Server used for updates"),
        QStringLiteral("Email address to notify"), QStringLiteral("Server used to send mail."),
        QStringLiteral("Mail host login ID"), QStringLiteral("587"), QStringLiteral("Password"),
        QStringLiteral("IP Address"), QStringLiteral("Text or Characters"), QStringLiteral("System"),
        QStringLiteral("Emergency"), QStringLiteral("2000000"), QStringLiteral("0")};
    QSet<QString> listed;
    for (const char* text : coreTexts()) listed.insert(QString::fromUtf8(text));

    const QRegularExpression constant(QStringLiteral(
        "constexpr\\s+(?:const "
        "char\\*|std::string_view)\\s+(k\\w+)\\s*=\\s*((?:\\s*\"(?:[^\"\\\\]|\\\\.)*\")+)\\s*;"));
    const QRegularExpression piece(QStringLiteral("\"((?:[^\"\\\\]|\\\\.)*)\""));
    int checked = 0;
    QDirIterator it(QStringLiteral(CORVANE_SOURCE_DIR "/src"), {QStringLiteral("*Texts.h")}, QDir::Files,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        QFile file(it.next());
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QString header = QString::fromUtf8(file.readAll());
        for (auto m = constant.globalMatch(header); m.hasNext();) {
            const auto match = m.next();
            QString text;
            for (auto p = piece.globalMatch(match.captured(2)); p.hasNext();) text += p.next().captured(1);
            text.replace(QStringLiteral("\\\""), QStringLiteral("\""));
            ++checked;
            EXPECT_TRUE(listed.contains(text) || notShown.contains(text))
                << qPrintable(file.fileName()) << ": " << qPrintable(match.captured(1)) << " \""
                << qPrintable(text) << "\" is neither a core text nor a known value";
        }
    }
    EXPECT_GT(checked, 60);
}

class TranslationSwitch : public ::testing::Test {
protected:
    void TearDown() override { Translation::instance().setLanguage(QStringLiteral("ENU")); }
};

TEST_F(TranslationSwitch, CoreTextsKeepTheirValuesAndUnknownLinesStay) {
    ASSERT_TRUE(Translation::instance().setLanguage(QStringLiteral("DEU")));
    struct Row {
        const char* name;
        const char* shown;
        const char* expected;
    };
    const Row rows[] = {
        {"whole text", "Could not bind socket. Address and port are already in use.",
         "Socket konnte nicht gebunden werden. Adresse und Port werden bereits verwendet."},
        {"numbered value", "Could not bind socket. 300.1.1.1 is not an IP address.",
         "Socket konnte nicht gebunden werden. 300.1.1.1 ist keine IP-Adresse."},
        {"values in order", "'abc' is not a valid value for field 'Name'",
         "'abc' ist kein gültiger Wert für das Feld 'Name'"},
        {"a value that is a core text", "Expression expected but nothing found",
         "Ausdruck erwartet, aber nichts gefunden"},
        {"lines each on their own",
         "The received messages could not be saved. They are kept in memory and saving is tried again with "
         "the next "
         "message.\nCannot write file \"/data/MessageSet.vtx\". No space left on device",
         "Die empfangenen Meldungen konnten nicht gespeichert werden. Sie bleiben im Speicher, und das "
         "Speichern wird "
         "mit der nächsten Meldung erneut versucht.\nDatei „/data/MessageSet.vtx“ kann nicht geschrieben "
         "werden. No space left "
         "on device"},
        {"no core text", "Something the system said", "Something the system said"},
        {"empty", "", ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(translateCoreText(QString::fromUtf8(row.shown)), QString::fromUtf8(row.expected));
    }
    ASSERT_TRUE(Translation::instance().setLanguage(QStringLiteral("ENU")));
    EXPECT_EQ(translateCoreText(QStringLiteral("Expression expected but nothing found")),
              QStringLiteral("Expression expected but nothing found"));
}

TEST_F(TranslationSwitch, SwitchingRetranslatesShownCaptionsAndLeavesValuesAlone) {
    Translation& translation = Translation::instance();
    ASSERT_TRUE(translation.setLanguage(QStringLiteral("ENU")));
    QLabel caption(QCoreApplication::translate("corvane::TSysLogForm", " Up Time: "));
    caption.setToolTip(QCoreApplication::translate("corvane::TSysLogForm", " Setup "));
    QLabel value(QStringLiteral("Kernel"));
    QLabel composed(QCoreApplication::translate("corvane::TSysLogForm", " Dropped: %1").arg(3));

    ASSERT_TRUE(translation.setLanguage(QStringLiteral("DEU")));
    EXPECT_EQ(translation.language(), QStringLiteral("DEU"));
    EXPECT_EQ(caption.text(), QStringLiteral(" Laufzeit: "));
    EXPECT_EQ(caption.toolTip(), QStringLiteral(" Einstellungen "));
    EXPECT_EQ(value.text(), QStringLiteral("Kernel"));
    EXPECT_EQ(composed.text(), QStringLiteral(" Dropped: 3"));

    ASSERT_TRUE(translation.setLanguage(QStringLiteral("FRA")));
    EXPECT_EQ(caption.text(), QStringLiteral(" En service : "));
    ASSERT_TRUE(translation.setLanguage(QStringLiteral("ENU")));
    EXPECT_EQ(caption.text(), QStringLiteral(" Up Time: "));
    EXPECT_EQ(caption.toolTip(), QStringLiteral(" Setup "));

    // An unknown code is English.
    EXPECT_TRUE(translation.setLanguage(QStringLiteral("XYZ")));
    EXPECT_EQ(translation.language(), QStringLiteral("ENU"));
}

TEST(TranslationCodes, CodesCataloguesAndHints) {
    EXPECT_EQ(supportedLanguageCodes(), (QStringList{"DEU", "ENU", "ESN", "FRA"}));
    EXPECT_EQ(catalogueOfCode(QStringLiteral("ESN")), QStringLiteral("es"));
    EXPECT_EQ(catalogueOfCode(QStringLiteral("ENU")), QString());
    EXPECT_EQ(normalizedLanguageCode(QStringLiteral("fra")), QStringLiteral("ENU"));
    EXPECT_EQ(languageHint(QStringLiteral("ENU")), QStringLiteral("English(US)"));
    EXPECT_FALSE(QPixmap(flagResource(QStringLiteral("FRA"))).isNull());
}

}  // namespace
}  // namespace corvane
