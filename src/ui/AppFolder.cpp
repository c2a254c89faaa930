#include "ui/AppFolder.h"

#include "platform/AppFolder.h"

namespace corvane {

QString appFolder() {
    return QString::fromStdString(programFolder());
}

QString helpFolder(const QString& app) {
    QString folder = app;
    if (!folder.endsWith(QLatin1Char('/')))
        folder += QLatin1Char('/');
    return folder + QStringLiteral("help");
}

}  // namespace corvane
