#pragma once

#include <QString>

namespace corvane {

// The folder of the program's files (image library, templates, help, sounds), with a trailing
// slash: the rule both programs share (platform/AppFolder.h).
QString appFolder();

// The help pages: <app folder>help/.
QString helpFolder(const QString& appFolder);

}  // namespace corvane
