#pragma once

#include <QColor>
#include <QList>
#include <QString>
#include <QStringList>

#include <string>
#include <vector>

class QPainter;
class QPlainTextEdit;
class QRect;

namespace corvane {

// The words the filter in force looks for in the message text (highlightTerms), and where they
// stand in a text. The message grid paints them marked in the Message column and the details
// pane's raw data box gets them as extra selections; both ask `matches`, which is empty while
// the filter holds no such word, so a grid without a search paints as before.
//   highlight.setFilter(messages.filterText(), messages.caseInsensitive());
//   drawHighlightedText(p, rect, flags, text, highlight.matches(text), highlight.markColor());
class SearchHighlight {
public:
    struct Span {
        int start = 0;
        int length = 0;
        bool operator==(const Span&) const = default;
    };

    // Takes the words of `filterText`; true when they changed (what shows them must repaint).
    bool setFilter(const std::string& filterText, bool ignoreCase);
    const QStringList& terms() const { return m_terms; }
    bool empty() const { return m_terms.isEmpty(); }

    // Where the words stand in `text`: in text order, never overlapping; where two words start
    // at the same place the longer one counts.
    QList<Span> matches(const QString& text) const;

    // Behind the words; the text keeps its own colour, which stays readable on it.
    QColor markColor() const { return m_mark; }
    void setMarkColor(const QColor& color) { m_mark = color; }

    // Marks the words in the edit as extra selections (replacing its earlier ones).
    void markIn(QPlainTextEdit& edit) const;

private:
    QStringList m_terms;
    std::string m_filter;
    bool m_ignoreCase = false;
    QColor m_mark{255, 222, 89};
};

// Draws `text` in `rect` as QPainter::drawText does with `flags` (alignment left and top, word
// wrap or wrap anywhere), with the spans filled in `mark` behind the text. Uses the painter's pen
// and font; the caller brackets it with save()/restore() when it changes them.
void drawHighlightedText(QPainter& p, const QRect& rect, int flags, const QString& text,
                         const QList<SearchHighlight::Span>& spans, const QColor& mark);

}  // namespace corvane
