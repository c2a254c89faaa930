// Renders the image library's pictures from the SVG sources listed in manifest.txt and writes
// the resource collection file that rcc packs into the library.
//   corvane_artgen MANIFEST ART_FOLDER OUTPUT_FOLDER
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHash>
#include <QImage>
#include <QPainter>
#include <QRegularExpression>
#include <QSvgRenderer>
#include <QTextStream>

#include <cstdio>

namespace {

using Vars = QHash<QString, QString>;

// The colours of a button picture in each of its states, in one palette with the rest of the art.
Vars stateVars(const QString& state)
{
    if (state == QLatin1String("disabled"))
        return {{"fg", "#A3ACB6"}, {"bg1", "#F3F4F6"}, {"bg2", "#DCE0E4"}, {"ring", "#B9C1C9"},
                {"halo", "0"}, {"shadow", "0.08"}, {"dy", "0"}};
    if (state == QLatin1String("active"))
        return {{"fg", "#0F4C8A"}, {"bg1", "#FFFFFF"}, {"bg2", "#B7D6F7"}, {"ring", "#2F6FB5"},
                {"halo", "0.55"}, {"shadow", "0.22"}, {"dy", "0"}};
    if (state == QLatin1String("down"))
        return {{"fg", "#0B2E55"}, {"bg1", "#AFC4DF"}, {"bg2", "#E4ECF6"}, {"ring", "#1F4E86"},
                {"halo", "0"}, {"shadow", "0"}, {"dy", "0.8"}};
    return {{"fg", "#1F3A5F"}, {"bg1", "#FFFFFF"}, {"bg2", "#CFDDEE"}, {"ring", "#7E9CC0"},
            {"halo", "0"}, {"shadow", "0.22"}, {"dy", "0"}};
}

bool readText(const QString& path, QString& text)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly | QIODevice::Text))
        return false;
    text = QString::fromUtf8(f.readAll());
    return true;
}

int fail(const QString& message)
{
    std::fprintf(stderr, "corvane_artgen: %s\n", qPrintable(message));
    return 1;
}

}  // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 4)
        return fail(QStringLiteral("usage: corvane_artgen MANIFEST ART_FOLDER OUTPUT_FOLDER"));
    const QDir art(QString::fromLocal8Bit(argv[2]));
    const QDir out(QString::fromLocal8Bit(argv[3]));
    QString manifest;
    if (!readText(QString::fromLocal8Bit(argv[1]), manifest))
        return fail(QStringLiteral("cannot read the manifest"));

    QStringList outputs;
    const QRegularExpression placeholder(QStringLiteral("\\{\\{(\\w+)\\}\\}"));
    int lineNo = 0;
    for (const QString& rawLine : manifest.split(QLatin1Char('\n'))) {
        ++lineNo;
        const QString line = rawLine.trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        const QStringList parts = line.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        if (parts.size() < 4)
            return fail(QStringLiteral("line %1: OUTPUT SOURCE WIDTH HEIGHT expected").arg(lineNo));
        const QString output = parts[0];
        const int width = parts[2].toInt();
        const int height = parts[3].toInt();
        Vars vars;
        for (qsizetype i = 4; i < parts.size(); ++i) {
            const qsizetype eq = parts[i].indexOf(QLatin1Char('='));
            if (eq <= 0)
                return fail(QStringLiteral("line %1: name=value expected").arg(lineNo));
            vars.insert(parts[i].left(eq), parts[i].mid(eq + 1));
        }
        if (vars.contains(QStringLiteral("state"))) {
            const Vars preset = stateVars(vars.value(QStringLiteral("state")));
            for (auto it = preset.begin(); it != preset.end(); ++it)
                if (!vars.contains(it.key()))
                    vars.insert(it.key(), it.value());
        }
        QString filled;
        if (!readText(art.filePath(parts[1]), filled))
            return fail(QStringLiteral("line %1: cannot read %2").arg(lineNo).arg(parts[1]));
        if (vars.contains(QStringLiteral("glyph"))) {
            QString glyph;
            if (!readText(art.filePath(vars.value(QStringLiteral("glyph"))), glyph))
                return fail(QStringLiteral("line %1: cannot read the glyph").arg(lineNo));
            filled.replace(QStringLiteral("{{glyph}}"), glyph);
        }
        QString missing;
        for (auto m = placeholder.globalMatch(filled); m.hasNext();) {
            const QString name = m.next().captured(1);
            if (!vars.contains(name))
                missing = name;
        }
        if (!missing.isEmpty())
            return fail(QStringLiteral("line %1: no value for {{%2}}").arg(lineNo).arg(missing));
        for (auto it = vars.begin(); it != vars.end(); ++it)
            filled.replace(QStringLiteral("{{%1}}").arg(it.key()), it.value());

        QSvgRenderer renderer(filled.toUtf8());
        if (!renderer.isValid() || width <= 0 || height <= 0)
            return fail(QStringLiteral("line %1: %2 is not a valid picture").arg(lineNo).arg(parts[1]));
        QImage image(width, height, QImage::Format_ARGB32);
        image.fill(Qt::transparent);
        {
            QPainter p(&image);
            p.setRenderHint(QPainter::Antialiasing);
            renderer.render(&p, QRectF(0, 0, width, height));
        }
        const QString target = out.filePath(output);
        QDir().mkpath(QFileInfo(target).absolutePath());
        if (!image.save(target, "PNG"))
            return fail(QStringLiteral("cannot write %1").arg(target));
        outputs << output;
    }

    QFile qrc(out.filePath(QStringLiteral("corvane-images.qrc")));
    if (!qrc.open(QIODevice::WriteOnly | QIODevice::Text | QIODevice::Truncate))
        return fail(QStringLiteral("cannot write the resource list"));
    QTextStream ts(&qrc);
    ts << "<RCC>\n  <qresource prefix=\"/\">\n";
    for (const QString& o : outputs)
        ts << "    <file>" << o << "</file>\n";
    ts << "  </qresource>\n</RCC>\n";
    return 0;
}
