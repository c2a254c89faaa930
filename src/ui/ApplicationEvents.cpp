#include "ui/ApplicationEvents.h"

#include "ui/MsgDialog.h"
#include "ui/Translation.h"

#include <QWidget>

namespace corvane {

ErrorDisplayText errorDisplayText(const QObject* sender, const std::exception* error) {
    ErrorDisplayText shown;
    shown.title = sender ? sender->objectName() : QString::fromLatin1(kUnknownComponent);
    shown.message = error ? textFromCore(error->what()) : QString::fromLatin1(kUnknownException);
    return shown;
}

void ApplicationEventsException(const QObject* sender, const std::exception* error) {
    try {
        const ErrorDisplayText shown = errorDisplayText(sender, error);
        QWidget* owner = QApplication::activeWindow();
        MsgDialog(owner, translateCoreText(shown.message), translateCoreText(shown.title), QString(),
                  QStringLiteral("btnHidden"), mkError);
    } catch (...) {
        // The display itself raises nothing.
    }
}

CorvaneApplication::CorvaneApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool CorvaneApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& e) {
        ApplicationEventsException(receiver, &e);
    } catch (...) {
        ApplicationEventsException(receiver, nullptr);
    }
    return false;
}

}  // namespace corvane
