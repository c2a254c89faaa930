#include "ui/QtNotifyActions.h"

#include "platform/MessageDialogs.h"
#include "platform/PlatformTexts.h"
#include "protocol/Placeholders.h"
#include "ui/MsgDialog.h"
#include "ui/SoundPlayer.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>

#include <cerrno>
#include <cstring>

namespace corvane {

namespace {

// A scheme of two letters or more ("https:", "mailto:"); a single letter is a drive ("C:").
bool hasScheme(const QString& path) {
    const qsizetype colon = path.indexOf(QLatin1Char(':'));
    if (colon < 2 || !path[0].isLetter())
        return false;
    for (qsizetype i = 0; i < colon; ++i) {
        const QChar c = path[i];
        if (!(c.isLetterOrNumber() || c == QLatin1Char('+') || c == QLatin1Char('-') ||
              c == QLatin1Char('.')))
            return false;
    }
    return true;
}

std::string openFailedText(const std::string& path, const QString& reason) {
    return fillIn(platform_texts::kOpenFileFailed, path) + ": " + reason.toStdString();
}

void detachStreams(QProcess& process) {
    process.setStandardInputFile(QProcess::nullDevice());
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
}

}  // namespace

QString DesktopPathOpener::openUrl(const QUrl& url, bool activate) {
    if (activate) {
        if (QDesktopServices::openUrl(url))
            return {};
        return QStringLiteral("No application is set up to open it.");
    }
    QProcess opener;
    opener.setProgram(QStringLiteral("xdg-open"));
    opener.setArguments({url.isLocalFile() ? url.toLocalFile() : url.toString()});
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("DESKTOP_STARTUP_ID"));
    env.remove(QStringLiteral("XDG_ACTIVATION_TOKEN"));
    opener.setProcessEnvironment(env);
    detachStreams(opener);
    if (opener.startDetached())
        return {};
    return QStringLiteral("xdg-open: ") + opener.errorString();
}

QString DesktopPathOpener::startProgram(const QString& program, const ProgramEnvironment& environment) {
    QProcess process;
    process.setProgram(program);
    if (!environment.empty()) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const auto& [name, value] : environment)
            env.insert(QString::fromStdString(name), QString::fromLocal8Bit(value.c_str()));
        process.setProcessEnvironment(env);
    }
    process.setWorkingDirectory(QFileInfo(program).absolutePath());
    detachStreams(process);
    if (process.startDetached())
        return {};
    return process.errorString();
}

QtNotifyActions::QtNotifyActions(QString appFolder, MessageDialogs& dialogs, SoundPlayer* player,
                                 PathOpener* opener)
    : m_appFolder(std::move(appFolder)),
      m_dialogs(dialogs),
      m_player(player),
      m_opener(opener ? opener : &m_desktop) {}

void QtNotifyActions::PlayNotifySound(const std::string& name) {
    if (name.empty())
        return;
    SoundPlayer& player = m_player ? *m_player : defaultSoundPlayer();
    const QString file = m_appFolder + textFromCore(name) + QStringLiteral(".wav");
    // Without the file the desktop's warning sound plays, as a missing wave file gives the
    // system's default sound.
    if (QFileInfo(file).isFile())
        player.playFile(file.toStdString());
    else
        player.playEvent("dialog-warning");
    if (const std::string failure = player.failure(); !failure.empty() && !m_soundReported) {
        m_soundReported = true;
        std::string text = platform_texts::kSoundFailed;
        if (const auto at = text.find("%s"); at != std::string::npos)
            text.replace(at, 2, failure);
        m_dialogs.show(text, platform_texts::kNotificationSound, mkWarning);
    }
}

int QtNotifyActions::RunNotifyProgramWith(const std::string& path, const ProgramEnvironment& environment) {
    if (path.empty())
        return kNotStarted;
    const QString text = textFromCore(path);
    // A path that ends in a separator names a folder, which opens without taking the focus.
    const bool folder = text.endsWith(QLatin1Char('/')) || text.endsWith(QLatin1Char('\\'));
    QString reason;
    if (hasScheme(text)) {
        reason = m_opener->openUrl(QUrl(text), !folder);
    } else {
        QString local = text;
        if (local.endsWith(QLatin1Char('\\')))
            local.chop(1);
        const QFileInfo info(QDir::cleanPath(local));
        // Opening hands the path to another program that reports nothing back, so a missing
        // path is caught here rather than reported as started.
        if (!info.exists())
            reason = QString::fromLocal8Bit(std::strerror(ENOENT));
        else if (!folder && info.isFile() && info.isExecutable())
            reason = m_opener->startProgram(info.absoluteFilePath(), environment);
        else
            reason = m_opener->openUrl(QUrl::fromLocalFile(info.absoluteFilePath()), !folder);
    }
    if (reason.isEmpty())
        return kStarted;
    m_dialogs.show(openFailedText(path, reason), platform_texts::kNotificationExecute, mkWarning);
    return kNotStarted;
}

}  // namespace corvane
