#pragma once

#include <QString>

namespace corvane {

// The folder of the program's files (image library, templates, help, sounds), with a trailing
// slash: the executable's folder when it holds the image library (a build tree), otherwise the
// installed data folder compiled in (<prefix>/share/corvane/).
QString appFolder();
// The same rule on given folders, for tests.
QString chooseAppFolder(const QString& executableFolder, const QString& installedFolder);

// The help pages: <app folder>help/.
QString helpFolder(const QString& appFolder);

}  // namespace corvane
