#pragma once

#include <QString>
#include <QWidget>

class QTextBrowser;

namespace corvane {

class MessageDialogs;

// The program's help: HTML pages in the help folder, shown in one in-program window. A context
// number names a page: 100 the settings, 101 the filter expressions; any other opens the
// contents page.
class HelpWindow : public QWidget {
    Q_OBJECT
public:
    static constexpr int kSettingsContext = 100;
    static constexpr int kFilterContext = 101;

    explicit HelpWindow(QString helpFolder, QWidget* parent = nullptr);

    // The page file of a context number, relative to the help folder.
    static QString pageForContext(int context);

    // Opens the page of the context and brings the window forward. False (and nothing shown)
    // when the help folder holds no such page.
    bool showContext(int context);
    QTextBrowser* browser() const { return m_browser; }
    const QString& helpFolder() const { return m_folder; }

private:
    QString m_folder;
    QTextBrowser* m_browser;
};

// Opens the help at a context number in the program's help window, creating it on first use.
// Answers false when there is no help page to show.
bool ShowHelp(const QString& helpFolder, int context);
// Opens the help as ShowHelp does; when there is no page, tells the operator where the help was
// looked for, as a warning.
void ShowHelpOrWarn(const QString& helpFolder, int context, MessageDialogs& dialogs);
// Closes every help window the program opened.
void CloseAllHelp();
// The help window, when one was opened (for tests).
HelpWindow* currentHelpWindow();

}  // namespace corvane
