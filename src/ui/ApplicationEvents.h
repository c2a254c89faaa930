#pragma once

#include <QApplication>
#include <QString>

#include <exception>

class QObject;

namespace corvane {

// The application's error display: every exception that no other code handled is shown in the
// message dialog as an error with one OK button, titled with the name of the component that
// raised it, and the program goes on.
struct ErrorDisplayText {
    QString title;
    QString message;
};

inline constexpr const char* kUnknownComponent = "Unknown Component";
inline constexpr const char* kUnknownException = "An unknown exception has occured.";

// The title and text shown for an exception (null when there is no exception object) raised by
// sender (null when the sender is no component).
ErrorDisplayText errorDisplayText(const QObject* sender, const std::exception* error);

// Shows the error display; never throws.
void ApplicationEventsException(const QObject* sender, const std::exception* error);

// Catches what event handlers throw and hands it to ApplicationEventsException with the
// receiving object as the sender.
class CorvaneApplication : public QApplication {
    Q_OBJECT
public:
    CorvaneApplication(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;
};

}  // namespace corvane
