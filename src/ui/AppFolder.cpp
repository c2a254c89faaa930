#include "ui/AppFolder.h"

#include "ui/ImageLibrary.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#ifndef CORVANE_INSTALLED_DATADIR
#define CORVANE_INSTALLED_DATADIR "/usr/local/share/corvane"
#endif

namespace corvane {

namespace {

QString withSlash(QString folder) {
    if (!folder.endsWith(QLatin1Char('/')))
        folder += QLatin1Char('/');
    return folder;
}

}  // namespace

QString chooseAppFolder(const QString& executableFolder, const QString& installedFolder) {
    if (QFileInfo::exists(QDir(executableFolder).filePath(QString::fromLatin1(kImageLibraryFile))))
        return withSlash(executableFolder);
    return withSlash(installedFolder);
}

QString appFolder() {
    return chooseAppFolder(QCoreApplication::applicationDirPath(), QStringLiteral(CORVANE_INSTALLED_DATADIR));
}

QString helpFolder(const QString& app) {
    return withSlash(app) + QStringLiteral("help");
}

}  // namespace corvane
