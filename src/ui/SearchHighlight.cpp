#include "ui/SearchHighlight.h"

#include "filter/HighlightTerms.h"
#include "ui/MsgDialog.h"

#include <QPainter>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextLayout>

namespace corvane {

bool SearchHighlight::setFilter(const std::string& filterText, bool ignoreCase) {
    if (filterText == m_filter && ignoreCase == m_ignoreCase)
        return false;
    m_filter = filterText;
    m_ignoreCase = ignoreCase;
    QStringList terms;
    for (const std::string& t : highlightTerms(filterText)) terms << textFromCore(t);
    if (terms == m_terms)
        return false;
    m_terms = std::move(terms);
    return true;
}

QList<SearchHighlight::Span> SearchHighlight::matches(const QString& text) const {
    QList<Span> spans;
    if (m_terms.isEmpty() || text.isEmpty())
        return spans;
    const Qt::CaseSensitivity cs = m_ignoreCase ? Qt::CaseInsensitive : Qt::CaseSensitive;
    int at = 0;
    while (at < text.size()) {
        Span best{-1, 0};
        for (const QString& term : m_terms) {
            const int found = text.indexOf(term, at, cs);
            if (found < 0)
                continue;
            if (best.start < 0 || found < best.start || (found == best.start && term.size() > best.length))
                best = {found, static_cast<int>(term.size())};
        }
        if (best.start < 0)
            break;
        spans.append(best);
        at = best.start + best.length;
    }
    return spans;
}

void SearchHighlight::markIn(QPlainTextEdit& edit) const {
    QList<QTextEdit::ExtraSelection> selections;
    QTextDocument* document = edit.document();
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        for (const Span& s : matches(block.text())) {
            QTextEdit::ExtraSelection mark;
            mark.cursor = QTextCursor(block);
            mark.cursor.setPosition(block.position() + s.start);
            mark.cursor.setPosition(block.position() + s.start + s.length, QTextCursor::KeepAnchor);
            mark.format.setBackground(m_mark);
            mark.format.setForeground(QColor(0, 0, 0));
            selections.append(mark);
        }
    }
    edit.setExtraSelections(selections);
}

void drawHighlightedText(QPainter& p, const QRect& rect, int flags, const QString& text,
                         const QList<SearchHighlight::Span>& spans, const QColor& mark) {
    if (spans.isEmpty()) {
        p.drawText(rect, flags, text);
        return;
    }
    QTextOption option;
    option.setWrapMode((flags & Qt::TextWrapAnywhere) ? QTextOption::WrapAnywhere
                       : (flags & Qt::TextWordWrap)   ? QTextOption::WrapAtWordBoundaryOrAnywhere
                                                      : QTextOption::NoWrap);
    QTextLayout layout(text, p.font(), p.device());
    layout.setTextOption(option);
    QList<QTextLayout::FormatRange> ranges;
    for (const SearchHighlight::Span& s : spans) {
        QTextLayout::FormatRange range;
        range.start = s.start;
        range.length = s.length;
        range.format.setBackground(mark);
        range.format.setForeground(QColor(0, 0, 0));
        ranges.append(range);
    }
    layout.setFormats(ranges);
    const QFontMetricsF metrics(p.font(), p.device());
    qreal y = 0;
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(rect.width());
        line.setPosition(QPointF(0, y));
        y += metrics.height();
        if (y > rect.height() + metrics.height())
            break;
    }
    layout.endLayout();
    layout.draw(&p, rect.topLeft());
}

}  // namespace corvane
