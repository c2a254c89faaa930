#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>
#include <string>
#include <vector>

class QProgressDialog;
class QWidget;

namespace corvane {

class MessageDialogs;
class MessageIntake;
class TData;

// Export of the messages in view and import of log files from the window: "Export View..." and
// "Import Log File..." in the context menu of the message grids it is attached to, and the keys
// Ctrl+E and Ctrl+I. The work runs in short slices under a progress dialog with Cancel, so the
// window keeps painting and answering between them; the listener's messages wait meanwhile.
//
//   auto* exchange = new ExchangeActions(form, data, [form] { return &form->core()->intake(); },
//                                        columnsOfTheGridInView, dialogs);
//   exchange->attachTo(grid);
class ExchangeActions : public QObject {
    Q_OBJECT
public:
    using IntakeSource = std::function<MessageIntake*()>;
    using ColumnSource = std::function<std::vector<std::string>()>;

    ExchangeActions(QWidget* window, TData& data, IntakeSource intake, ColumnSource columns,
                    MessageDialogs& dialogs);

    // Adds the context menu to a grid.
    void attachTo(QWidget* grid);

    // Ask for a file, then export or import it.
    void exportView();
    void importFiles();
    // The same without asking; answers true when the work ran to its end.
    bool exportTo(const QString& path, const QString& format);
    bool importFrom(const QStringList& paths);

    // Runs while the progress dialog is up (tests use it to press Cancel).
    std::function<void(QProgressDialog&)> onProgress;

private:
    QProgressDialog* makeProgress(const QString& label);

    QWidget* m_window;
    TData& m_data;
    IntakeSource m_intake;
    ColumnSource m_columns;
    MessageDialogs& m_dialogs;
    bool m_running = false;
};

}  // namespace corvane
