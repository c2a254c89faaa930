#include "ui/HelpWindow.h"

#include "platform/MessageDialogs.h"
#include "ui/UiTexts.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QPointer>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace corvane {

namespace {

QPointer<HelpWindow>& theWindow() {
    static QPointer<HelpWindow> window;
    return window;
}

}  // namespace

HelpWindow::HelpWindow(QString helpFolder, QWidget* parent)
    : QWidget(parent, Qt::Window), m_folder(std::move(helpFolder)), m_browser(new QTextBrowser(this)) {
    setObjectName(QStringLiteral("HelpWindow"));
    setWindowTitle(tr("Corvane Help"));
    setAttribute(Qt::WA_DeleteOnClose);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_browser);
    m_browser->setOpenExternalLinks(true);
    m_browser->setSearchPaths({m_folder});
    resize(720, 600);
}

QString HelpWindow::pageForContext(int context) {
    switch (context) {
        case kSettingsContext:
            return QStringLiteral("settings.html");
        case kFilterContext:
            return QStringLiteral("filter-expressions.html");
        default:
            return QStringLiteral("index.html");
    }
}

bool HelpWindow::showContext(int context) {
    const QString path = QDir(m_folder).filePath(pageForContext(context));
    if (!QFileInfo::exists(path))
        return false;
    m_browser->setSource(QUrl::fromLocalFile(path));
    if (isMinimized())
        setWindowState(windowState() & ~Qt::WindowMinimized);
    show();
    raise();
    activateWindow();
    return true;
}

bool ShowHelp(const QString& helpFolder, int context) {
    auto& window = theWindow();
    if (!window || window->helpFolder() != helpFolder) {
        if (window)
            window->close();
        window = new HelpWindow(helpFolder);
    }
    // A modal dialog blocks every window but its own: the help window opened from it becomes
    // one of its windows, so it shows above it and takes input; otherwise it stands alone.
    QWidget* owner = QApplication::activeModalWidget();
    if (window->parentWidget() != owner) {
        const bool visible = window->isVisible();
        window->setParent(owner, Qt::Window);
        if (visible)
            window->show();
    }
    const bool shown = window->showContext(context);
    if (!shown && !window->isVisible())
        delete window.data();
    return shown;
}

void ShowHelpOrWarn(const QString& helpFolder, int context, MessageDialogs& dialogs) {
    if (ShowHelp(helpFolder, context))
        return;
    const QString text = QString::fromLatin1(ui_texts::kHelpPagesMissing).arg(helpFolder);
    dialogs.show(text.toStdString(), ui_texts::kHelpTitle, 48);
}

void CloseAllHelp() {
    if (auto& window = theWindow())
        window->close();
}

HelpWindow* currentHelpWindow() {
    return theWindow().data();
}

}  // namespace corvane
