#include "ui/DetailsPane.h"

#include "app/MessageDetails.h"
#include "store/Table.h"
#include "ui/MsgDialog.h"
#include "widgets/TImageLabel.h"
#include "widgets/TImageList.h"
#include "widgets/TgLabel.h"

#include <QScrollBar>
#include <QTextCursor>
#include <QCoreApplication>
#include <QPixmap>
#include <QPlainTextEdit>

namespace corvane {

namespace {

void setText(TgLabel* label, const std::string& text) {
    if (label)
        label->setCaption(textFromCore(text));
}

void setText(QPlainTextEdit* memo, const std::string& text) {
    if (!memo)
        return;
    const QString value = textFromCore(text);
    if (memo->toPlainText() == value)
        return;
    memo->setPlainText(value);
    // A message is read from its first line: priority, time and host.
    memo->moveCursor(QTextCursor::Start);
    memo->verticalScrollBar()->setValue(0);
}

}  // namespace

DetailsPane::DetailsPane(DetailsPaneWidgets widgets, const TImageList* facilityImages, LocaleFormats formats)
    : m_widgets(widgets), m_facilityImages(facilityImages), m_formats(std::move(formats)) {}

bool DetailsPane::MessageSelect(Table& messages, int recNo) {
    if (recNo < 0 || !messages.isOpen())
        return false;
    if (recNo > 0 && recNo <= messages.recordCount() && messages.recNo() != recNo)
        messages.moveTo(recNo - 1);
    return showCurrent(messages);
}

bool DetailsPane::showCurrent(const Table& messages) {
    MessageDetails d;
    if (!readMessageDetails(messages, m_formats, d))
        return false;
    if (m_widgets.facility) {
        m_widgets.facility->setCaption(textFromCore(d.facility));
        // An index outside the list leaves the picture as it was.
        if (m_facilityImages && m_facilityImages->isValidIndex(d.facilityImage))
            m_widgets.facility->setPicture(QPixmap::fromImage(m_facilityImages->image(d.facilityImage)));
    }
    setText(m_widgets.date, d.date);
    setText(m_widgets.severity, d.severity);
    setText(m_widgets.process, d.process);
    setText(m_widgets.subProcess, d.subProcess);
    setText(m_widgets.processId, d.processId);
    setText(m_widgets.processEx, d.processEx);
    setText(m_widgets.data, d.data);
    const QString description =
        QCoreApplication::translate("corvane::DetailsPane",
                                    "From: %1 at Address: %2, Host: %3, related process %4.")
            .arg(textFromCore(d.facility), textFromCore(d.address), textFromCore(d.host),
                 textFromCore(d.process));
    if (m_widgets.description && m_widgets.description->toPlainText() != description)
        m_widgets.description->setPlainText(description);
    return true;
}

}  // namespace corvane
