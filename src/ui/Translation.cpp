#include "ui/Translation.h"

#include "ui/TranslationCoreTexts.h"
#include "widgets/TImageLabel.h"
#include "widgets/TnDBGrid.h"
#include "widgets/TgLabel.h"
#include "widgets/TnControl.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCoreApplication>
#include <QGroupBox>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QMutex>
#include <QRegularExpression>
#include <QTabBar>
#include <QTreeWidget>
#include <QTranslator>

#include <algorithm>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

namespace corvane {
namespace {

struct LanguageInfo {
    const char* code;
    const char* catalogue;
    const char* hint;
    const char* flag;
};

// The hints are each language's own name, as the language dialog lists them.
constexpr LanguageInfo kLanguages[] = {
    {"DEU", "de", "Deutsch (Deutschland)", "flag-de"},
    {"ENU", "", "English(US)", "flag-us"},
    {"ESN", "es", "Español (Internacional)", "flag-es"},
    {"FRA", "fr", "Français (France)", "flag-fr"},
};

const LanguageInfo* infoOf(const QString& code) {
    for (const LanguageInfo& info : kLanguages)
        if (code == QLatin1String(info.code))
            return &info;
    return nullptr;
}

using SourceKey = std::pair<QString, QString>;  // context, source text

// Sits in front of the application's translators: answers from the catalogue of the chosen
// language (none for English) and remembers which context and source text every shown text came
// from, in every language used so far.
class RecordingTranslator : public QTranslator {
public:
    QString translate(const char* context, const char* sourceText, const char* disambiguation,
                      int n) const override {
        if (!context || !sourceText || !*sourceText)
            return {};
        QString result =
            m_catalogue ? m_catalogue->translate(context, sourceText, disambiguation, n) : QString();
        const QString shown = result.isEmpty() ? QString::fromUtf8(sourceText) : result;
        QMutexLocker lock(&m_mutex);
        if (!m_sources.contains(shown))
            m_sources.insert(shown, {QString::fromUtf8(context), QString::fromUtf8(sourceText)});
        return result;
    }

    bool isEmpty() const override { return false; }

    void setCatalogue(std::unique_ptr<QTranslator> catalogue) { m_catalogue = std::move(catalogue); }

    bool sourceOf(const QString& shown, SourceKey& key) const {
        QMutexLocker lock(&m_mutex);
        const auto it = m_sources.constFind(shown);
        if (it == m_sources.constEnd())
            return false;
        key = *it;
        return true;
    }

private:
    std::unique_ptr<QTranslator> m_catalogue;
    mutable QMutex m_mutex;
    mutable QHash<QString, SourceKey> m_sources;
};

QString translated(const SourceKey& key) {
    const QByteArray context = key.first.toUtf8();
    const QByteArray source = key.second.toUtf8();
    return QCoreApplication::translate(context.constData(), source.constData());
}

}  // namespace

QStringList supportedLanguageCodes() {
    QStringList codes;
    for (const LanguageInfo& info : kLanguages) codes << QLatin1String(info.code);
    return codes;
}

QString catalogueOfCode(const QString& code) {
    const LanguageInfo* info = infoOf(code);
    return info ? QLatin1String(info->catalogue) : QString();
}

QString normalizedLanguageCode(const QString& code) {
    return infoOf(code) ? code : QStringLiteral("ENU");
}

QString languageHint(const QString& code) {
    const LanguageInfo* info = infoOf(normalizedLanguageCode(code));
    return QString::fromUtf8(info->hint);
}

QString flagResource(const QString& code) {
    const LanguageInfo* info = infoOf(normalizedLanguageCode(code));
    return QStringLiteral(":/corvane/ui/%1.png").arg(QLatin1String(info->flag));
}

struct Translation::Private {
    RecordingTranslator recorder;
    QString language = QStringLiteral("ENU");
    bool installed = false;
};

Translation& Translation::instance() {
    static Translation translation;
    return translation;
}

Translation::Translation() : d(new Private) {}

Translation::~Translation() {
    delete d;
}

QString Translation::language() const {
    return d->language;
}

bool Translation::setLanguage(const QString& code) {
    const QString wanted = normalizedLanguageCode(code);
    const QString catalogue = catalogueOfCode(wanted);
    std::unique_ptr<QTranslator> loaded;
    bool ok = true;
    if (!catalogue.isEmpty()) {
        loaded = std::make_unique<QTranslator>();
        if (!loaded->load(QStringLiteral(":/corvane/i18n/corvane_%1.qm").arg(catalogue))) {
            loaded.reset();
            ok = false;
        }
    }
    d->language = ok ? wanted : QStringLiteral("ENU");
    d->recorder.setCatalogue(std::move(loaded));
    // Installing again tells every widget that the language changed.
    if (d->installed)
        QCoreApplication::removeTranslator(&d->recorder);
    d->installed = QCoreApplication::installTranslator(&d->recorder);
    retranslateWidgets();
    return ok;
}

bool Translation::sourceOf(const QString& shown, QString& context, QString& source) const {
    SourceKey key;
    if (!d->recorder.sourceOf(shown, key))
        return false;
    context = key.first;
    source = key.second;
    return true;
}

void Translation::retranslateWidgets() {
    if (!qobject_cast<QApplication*>(QCoreApplication::instance()))
        return;
    // One text property: its source is found from what it shows now, so texts that the program
    // has since replaced by values of its own are left alone.
    auto retranslate = [this](const QString& shown, const std::function<void(const QString&)>& set) {
        SourceKey key;
        if (shown.isEmpty() || !d->recorder.sourceOf(shown, key))
            return;
        const QString now = translated(key);
        if (now != shown)
            set(now);
    };
    const QWidgetList widgets = QApplication::allWidgets();
    for (QWidget* w : widgets) {
        if (w->isWindow())
            retranslate(w->windowTitle(), [w](const QString& t) { w->setWindowTitle(t); });
        retranslate(w->toolTip(), [w](const QString& t) { w->setToolTip(t); });
        if (auto* label = qobject_cast<QLabel*>(w))
            retranslate(label->text(), [label](const QString& t) { label->setText(t); });
        if (auto* button = qobject_cast<QAbstractButton*>(w))
            retranslate(button->text(), [button](const QString& t) { button->setText(t); });
        if (auto* group = qobject_cast<QGroupBox*>(w))
            retranslate(group->title(), [group](const QString& t) { group->setTitle(t); });
        if (auto* edit = qobject_cast<QLineEdit*>(w))
            retranslate(edit->placeholderText(), [edit](const QString& t) { edit->setPlaceholderText(t); });
        if (auto* tabs = qobject_cast<QTabBar*>(w)) {
            for (int i = 0; i < tabs->count(); ++i) {
                retranslate(tabs->tabText(i), [tabs, i](const QString& t) { tabs->setTabText(i, t); });
                retranslate(tabs->tabToolTip(i), [tabs, i](const QString& t) { tabs->setTabToolTip(i, t); });
            }
        }
        if (auto* panel = qobject_cast<TnControl*>(w))
            retranslate(panel->caption(), [panel](const QString& t) { panel->setCaption(t); });
        if (auto* glabel = qobject_cast<TgLabel*>(w))
            retranslate(glabel->caption(), [glabel](const QString& t) { glabel->setCaption(t); });
        if (auto* image = qobject_cast<TImageLabel*>(w))
            retranslate(image->caption(), [image](const QString& t) { image->setCaption(t); });
        if (auto* tree = qobject_cast<QTreeWidget*>(w)) {
            for (int i = 0; i < tree->topLevelItemCount(); ++i) {
                QTreeWidgetItem* item = tree->topLevelItem(i);
                retranslate(item->text(0), [item](const QString& t) { item->setText(0, t); });
            }
        }
        if (auto* grid = qobject_cast<TnDBGrid*>(w)) {
            QList<GridColumn> columns = grid->columns();
            bool changed = false;
            for (GridColumn& column : columns)
                retranslate(column.title, [&column, &changed](const QString& t) {
                    column.title = t;
                    changed = true;
                });
            if (changed)
                grid->setColumns(columns);
        }
    }
}

namespace {

// A core text with placeholders as a pattern that finds the values in a shown line.
struct CorePattern {
    const char* source;
    QRegularExpression pattern;
    QStringList placeholders;  // in the order they appear in the source
};

const QRegularExpression& placeholderPattern() {
    static const QRegularExpression pattern(QStringLiteral("%[1-9]|%s|%d"));
    return pattern;
}

const std::vector<CorePattern>& corePatterns() {
    static const std::vector<CorePattern> patterns = [] {
        std::vector<CorePattern> list;
        for (const char* source : coreTexts()) {
            const QString text = QString::fromUtf8(source);
            QString regex = QStringLiteral("^");
            QStringList placeholders;
            qsizetype at = 0;
            for (auto m = placeholderPattern().globalMatch(text); m.hasNext();) {
                const auto match = m.next();
                regex += QRegularExpression::escape(text.mid(at, match.capturedStart() - at));
                regex += QStringLiteral("(.*?)");
                placeholders << match.captured();
                at = match.capturedEnd();
            }
            if (placeholders.isEmpty())
                continue;
            regex += QRegularExpression::escape(text.mid(at)) + QStringLiteral("$");
            list.push_back({source, QRegularExpression(regex, QRegularExpression::DotMatchesEverythingOption),
                            placeholders});
        }
        // The longest fixed text first, so a general pattern never takes a line of a specific one.
        auto fixedLength = [](const CorePattern& p) {
            return static_cast<qsizetype>(qstrlen(p.source)) - 2 * p.placeholders.size();
        };
        std::stable_sort(list.begin(), list.end(),
                         [&fixedLength](const CorePattern& a, const CorePattern& b) {
                             return fixedLength(a) > fixedLength(b);
                         });
        return list;
    }();
    return patterns;
}

QString translateCoreLine(const QString& line) {
    if (line.isEmpty())
        return line;
    const QByteArray bytes = line.toUtf8();
    const QString whole = QCoreApplication::translate(kCoreTextContext, bytes.constData());
    if (whole != line)
        return whole;
    for (const CorePattern& p : corePatterns()) {
        const QRegularExpressionMatch m = p.pattern.match(line);
        if (!m.hasMatch())
            continue;
        const QString target = QCoreApplication::translate(kCoreTextContext, p.source);
        if (target == QString::fromUtf8(p.source))
            return line;
        // Values are kept, except a value that is itself a core text (the word for the end of
        // a filter text, for one).
        QStringList values;
        for (int i = 1; i <= m.lastCapturedIndex(); ++i) {
            const QString value = m.captured(i);
            const QByteArray valueBytes = value.toUtf8();
            values << (value.isEmpty()
                           ? value
                           : QCoreApplication::translate(kCoreTextContext, valueBytes.constData()));
        }
        QString out;
        qsizetype at = 0;
        int nextPrintf = 0;
        for (auto it = placeholderPattern().globalMatch(target); it.hasNext();) {
            const auto match = it.next();
            out += target.mid(at, match.capturedStart() - at);
            const QString ph = match.captured();
            int index = -1;
            if (ph == QLatin1String("%s") || ph == QLatin1String("%d")) {
                // printf-style values are taken in order.
                int seen = -1;
                for (int i = 0; i < p.placeholders.size(); ++i) {
                    if (p.placeholders[i] == ph && ++seen == nextPrintf) {
                        index = i;
                        break;
                    }
                }
                ++nextPrintf;
            } else {
                index = static_cast<int>(p.placeholders.indexOf(ph));
            }
            out += index >= 0 && index < values.size() ? values[index] : ph;
            at = match.capturedEnd();
        }
        out += target.mid(at);
        return out;
    }
    return line;
}

}  // namespace

QString translateCoreText(const QString& text) {
    const QStringList lines = text.split(QLatin1Char('\n'));
    QStringList out;
    out.reserve(lines.size());
    for (const QString& line : lines) out << translateCoreLine(line);
    return out.join(QLatin1Char('\n'));
}

}  // namespace corvane
