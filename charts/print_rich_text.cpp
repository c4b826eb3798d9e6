// A rich-text box printed page after page.
#include <QAbstractTextDocumentLayout>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <QTextLayout>
#include <cmath>

#include "charts/print_lib.h"

namespace orvex {

QRectF RichTextDrawingRect(int leftMargin, int topMargin, int rightMargin, int bottomMargin) {
    ProgramPrinter& printer = ProgramPrinter::Instance();
    // Offsets of the printable area from the paper's edges, whole twips.
    const QRectF paper = printer.PaperTwips();
    const QRectF printable = printer.PrintableTwips();
    const double offLeft = std::round(printable.left() - paper.left());
    const double offTop = std::round(printable.top() - paper.top());
    return QRectF(
        QPointF(leftMargin - offLeft, topMargin - offTop),
        QPointF((paper.width() - rightMargin) - offLeft, (paper.height() - bottomMargin) - offTop));
}

namespace {

// A heading: a paragraph with text, all of it bold.
bool IsHeading(const QTextBlock& block) {
    if (block.text().trimmed().isEmpty()) return false;
    for (auto it = block.begin(); !it.atEnd(); ++it) {
        const QTextFragment f = it.fragment();
        if (!f.text().trimmed().isEmpty() && f.charFormat().fontWeight() < QFont::Bold)
            return false;
    }
    return true;
}

// The page (0-based) of a paragraph's first line in a paged document.
int PageOfBlock(const QTextBlock& block, double pageHeight) {
    const QTextLayout* layout = block.layout();
    double y = layout->position().y();
    if (layout->lineCount() > 0) y += layout->lineAt(0).y();
    return static_cast<int>(std::floor(y / pageHeight));
}

// A heading that would end a page, its text starting on the next one,
// starts that page instead: a heading is never left alone at the foot of
// a page.
void KeepHeadingsWithTheirText(QTextDocument& doc) {
    const double pageHeight = doc.pageSize().height();
    if (!(pageHeight > 0)) return;
    bool moved = true;
    for (int pass = 0; moved && pass < 1000; ++pass) {
        moved = false;
        doc.documentLayout()->documentSize();  // lays the document out
        for (QTextBlock b = doc.begin(); b.isValid() && !moved; b = b.next()) {
            if (!IsHeading(b) ||
                b.blockFormat().pageBreakPolicy() & QTextFormat::PageBreak_AlwaysBefore)
                continue;
            QTextBlock text = b.next();
            while (text.isValid() && text.text().trimmed().isEmpty()) text = text.next();
            if (!text.isValid() || PageOfBlock(text, pageHeight) <= PageOfBlock(b, pageHeight))
                continue;
            QTextBlockFormat f;
            f.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
            QTextCursor(b).mergeBlockFormat(f);
            moved = true;
        }
    }
}

}  // namespace

void PrintRichText(QTextEdit& box, int leftMargin, int topMargin, int rightMargin,
                   int bottomMargin) {
    ProgramPrinter& printer = ProgramPrinter::Instance();
    if (!CheckPrinterInstalled()) return;
    printer.Step("PrintRichText");
    // A whole document: a job left open by an earlier failed attempt is
    // dropped so that a retry does not print its pages twice.
    printer.AbortDoc();
    QPainter& painter = printer.Painter();
    QPrinter& device = printer.Device();

    const QRectF drawTwips = RichTextDrawingRect(leftMargin, topMargin, rightMargin, bottomMargin);
    if (drawTwips.width() <= 0 || drawTwips.height() <= 0)
        throw PrinterError(483, "The margins leave no room on the page");

    const double pxPerTwip = printer.Resolution() / 1440.0;
    const QRectF drawPx(drawTwips.left() * pxPerTwip, drawTwips.top() * pxPerTwip,
                        drawTwips.width() * pxPerTwip, drawTwips.height() * pxPerTwip);

    std::unique_ptr<QTextDocument> doc(box.document()->clone());
    doc->documentLayout()->setPaintDevice(&device);
    doc->setDocumentMargin(0);
    doc->setPageSize(drawPx.size());
    KeepHeadingsWithTheirText(*doc);
    const int pages = std::max(1, doc->pageCount());
    for (int page = 0; page < pages; ++page) {
        if (page > 0) printer.NewPage();
        painter.save();
        painter.translate(drawPx.topLeft());
        painter.setClipRect(QRectF(0, 0, drawPx.width(), drawPx.height()));
        painter.translate(0, -page * drawPx.height());
        doc->drawContents(&painter,
                          QRectF(0, page * drawPx.height(), drawPx.width(), drawPx.height()));
        painter.restore();
    }
    printer.EndDoc();
}

}  // namespace orvex
