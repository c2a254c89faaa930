#pragma once

#include "filter/LocaleFormats.h"

class QPlainTextEdit;

namespace corvane {

class Table;
class TgLabel;
class TImageLabel;
class TImageList;

// The labels and memos of the details pane, as the window builds them.
struct DetailsPaneWidgets {
    TImageLabel* facility = nullptr;
    TgLabel* date = nullptr;
    TgLabel* severity = nullptr;
    TgLabel* process = nullptr;
    TgLabel* subProcess = nullptr;
    TgLabel* processId = nullptr;
    TgLabel* processEx = nullptr;
    QPlainTextEdit* data = nullptr;
    QPlainTextEdit* description = nullptr;
};

// Fills the details pane from the current record of the message table: the facility picture
// and name, the date, severity, process, "%8d" process ID, the raw message and the description
// sentence. Without a current record the pane keeps what it showed.
class DetailsPane {
public:
    DetailsPane(DetailsPaneWidgets widgets, const TImageList* facilityImages, LocaleFormats formats);

    void setFormats(const LocaleFormats& formats) { m_formats = formats; }

    // MessageSelect's work: record recNo (1-based within the view) becomes current and is shown;
    // a negative number does nothing. Answers whether a record was shown.
    bool MessageSelect(Table& messages, int recNo);
    // Shows the current record as it is; false when there is none.
    bool showCurrent(const Table& messages);

private:
    DetailsPaneWidgets m_widgets;
    const TImageList* m_facilityImages;
    LocaleFormats m_formats;
};

}  // namespace corvane
