#include "store/TData.h"
#include "ui/ExchangeActions.h"

#include "app/LogImport.h"
#include "app/MessageIntake.h"
#include "app/RecordExport.h"
#include "platform/MessageDialogs.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QFileInfo>
#include <QMenu>
#include <QProgressDialog>
#include <QShortcut>
#include <QWidget>

#include <memory>

namespace corvane {

namespace {

// How long one slice of work may hold the window before it paints and answers again.
constexpr qint64 kSliceMs = 40;
constexpr int kProgressSteps = 1000;

std::string local(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

}  // namespace

ExchangeActions::ExchangeActions(QWidget* window, TData& data, IntakeSource intake, ColumnSource columns,
                                 MessageDialogs& dialogs)
    : QObject(window),
      m_window(window),
      m_data(data),
      m_intake(std::move(intake)),
      m_columns(std::move(columns)),
      m_dialogs(dialogs) {
    auto* exportKey = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_E), window);
    connect(exportKey, &QShortcut::activated, this, &ExchangeActions::exportView);
    auto* importKey = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_I), window);
    connect(importKey, &QShortcut::activated, this, &ExchangeActions::importFiles);
}

void ExchangeActions::attachTo(QWidget* grid) {
    grid->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(grid, &QWidget::customContextMenuRequested, this, [this, grid](const QPoint& at) {
        QMenu menu(grid);
        QAction* exportAction = menu.addAction(tr("Export View..."));
        exportAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_E));
        QAction* importAction = menu.addAction(tr("Import Log File..."));
        importAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_I));
        QAction* chosen = menu.exec(grid->mapToGlobal(at));
        (void)at;
        if (chosen == exportAction)
            exportView();
        else if (chosen == importAction)
            importFiles();
    });
}

void ExchangeActions::exportView() {
    if (m_running)
        return;
    const QString csv = tr("CSV (*.csv)"), jsonl = tr("JSON Lines (*.jsonl)"),
                  syslog = tr("Syslog text (*.log)");
    QString selected = csv;
    const QString path = QFileDialog::getSaveFileName(m_window, tr("Export View"), tr("messages.csv"),
                                                      csv + ";;" + jsonl + ";;" + syslog, &selected);
    if (path.isEmpty())
        return;
    QString format = selected == jsonl    ? QStringLiteral("jsonl")
                     : selected == syslog ? QStringLiteral("syslog")
                                          : QStringLiteral("csv");
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("jsonl"))
        format = QStringLiteral("jsonl");
    else if (suffix == QLatin1String("log"))
        format = QStringLiteral("syslog");
    else if (suffix == QLatin1String("csv"))
        format = QStringLiteral("csv");
    exportTo(path, format);
}

void ExchangeActions::importFiles() {
    if (m_running)
        return;
    const QStringList paths = QFileDialog::getOpenFileNames(
        m_window, tr("Import Log File"), QStringLiteral("/var/log"),
        tr("Log files (*.log *.gz *.jsonl *.txt syslog* messages*);;All files (*)"));
    if (!paths.isEmpty())
        importFrom(paths);
}

QProgressDialog* ExchangeActions::makeProgress(const QString& label) {
    auto* progress = new QProgressDialog(label, tr("Cancel"), 0, kProgressSteps, m_window);
    progress->setWindowTitle(QCoreApplication::applicationName());
    progress->setWindowModality(Qt::WindowModal);
    progress->setMinimumDuration(300);
    progress->setAutoClose(false);
    progress->setAutoReset(false);
    progress->setValue(0);
    return progress;
}

bool ExchangeActions::exportTo(const QString& path, const QString& format) {
    const auto kind = exportFormatFromName(format.toStdString());
    if (!kind || m_running)
        return false;
    MessageIntake* intake = m_intake ? m_intake() : nullptr;
    m_running = true;
    if (intake)
        intake->HoldIntake();
    std::vector<std::string> columns;
    if (*kind == ExportFormat::Csv && m_columns)
        columns = m_columns();

    RecordExport job(m_data.MessageSet(), *kind, columns);
    ExportResult result;
    if (std::string error = job.open(local(path)); !error.empty()) {
        result.error = error;
    } else {
        std::unique_ptr<QProgressDialog> progress(
            makeProgress(tr("Exporting %1 messages...").arg(job.total())));
        bool more = true;
        while (more && !progress->wasCanceled()) {
            QElapsedTimer slice;
            slice.start();
            while (more && slice.elapsed() < kSliceMs) more = job.step(2048);
            progress->setValue(job.total() ? static_cast<int>(job.done() * kProgressSteps / job.total()) : 0);
            if (onProgress)
                onProgress(*progress);
            QApplication::processEvents();
        }
        result = progress->wasCanceled() && more ? job.cancel() : job.finish();
    }
    if (intake)
        intake->ReleaseIntake();
    m_running = false;
    if (result.cancelled)
        return false;
    if (!result.ok()) {
        m_dialogs.show(result.error, tr("Export").toStdString(), 16);
        return false;
    }
    m_dialogs.show(tr("%1 messages exported to %2.").arg(result.records).arg(path).toStdString(),
                   tr("Export").toStdString(), 64);
    return true;
}

bool ExchangeActions::importFrom(const QStringList& paths) {
    MessageIntake* intake = m_intake ? m_intake() : nullptr;
    if (!intake || m_running)
        return false;
    if (intake->busy()) {
        m_dialogs.show(tr("Messages are being stored; try the import again in a moment.").toStdString(),
                       tr("Import").toStdString(), 48);
        return false;
    }
    m_running = true;
    QStringList report;
    bool completed = true;
    int kind = 64;
    for (const QString& path : paths) {
        LogImport job(*intake, m_data);
        if (std::string error = job.open(local(path)); !error.empty()) {
            report << QString::fromStdString(error);
            kind = 16;
            continue;
        }
        std::unique_ptr<QProgressDialog> progress(makeProgress(tr("Importing %1...").arg(path)));
        bool more = true;
        while (more && !progress->wasCanceled()) {
            QElapsedTimer slice;
            slice.start();
            while (more && slice.elapsed() < kSliceMs) more = job.step(1024);
            progress->setValue(static_cast<int>(job.progress() * kProgressSteps));
            if (onProgress)
                onProgress(*progress);
            QApplication::processEvents();
        }
        const bool cancelled = more && progress->wasCanceled();
        const ImportSummary s = cancelled ? job.cancel() : job.finish();
        QString line = tr("%1: %2 lines read, %3 stored, %4 skipped.")
                           .arg(path)
                           .arg(s.linesRead)
                           .arg(s.stored)
                           .arg(s.skipped);
        if (s.firstBadLine != 0)
            line += QLatin1Char(' ') +
                    tr("The first line that could not be taken in is line %1.").arg(s.firstBadLine);
        if (cancelled)
            line += QLatin1Char(' ') + tr("Cancelled.");
        if (!s.error.empty()) {
            line += QLatin1Char('\n') + QString::fromStdString(s.error);
            kind = 16;
        }
        report << line;
        if (cancelled) {
            completed = false;
            break;
        }
    }
    m_running = false;
    m_dialogs.show(report.join(QLatin1Char('\n')).toStdString(), tr("Import").toStdString(), kind);
    return completed && kind != 16;
}

}  // namespace corvane
