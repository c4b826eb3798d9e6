// A grid printed as a ruled table, page after page.
#include <QApplication>
#include <QFontMetricsF>
#include <QHeaderView>
#include <QScreen>
#include <QTableWidget>
#include <cmath>

#include "charts/print_lib.h"

namespace orvex {

namespace {

// Round to the nearest whole number, halves to even.
double RoundEven(double v) {
    return std::nearbyint(v);
}
// Integer division of two rounded values, fraction dropped.
double IntDiv(double a, double b) {
    const double rb = RoundEven(b);
    if (rb == 0.0) throw PrinterError(11, "Division by zero");
    return std::trunc(RoundEven(a) / rb);
}

}  // namespace

TableWidgetGrid::TableWidgetGrid(QTableWidget& table, bool headerAsFixedRow, int fixedRows)
    : table_(table), header_(headerAsFixedRow), fixedRows_(fixedRows) {}

int TableWidgetGrid::Rows() const {
    return table_.rowCount() + (header_ ? 1 : 0);
}
int TableWidgetGrid::Cols() const {
    return table_.columnCount();
}
int TableWidgetGrid::FixedRows() const {
    return header_ ? 1 : fixedRows_;
}

namespace {
double ScreenTwipsPerPixel() {
    const QScreen* screen = QApplication::primaryScreen();
    const double dpi = screen ? screen->logicalDotsPerInchX() : 96.0;
    return 1440.0 / (dpi > 0 ? dpi : 96.0);
}
double ScreenTwipsPerPixelY() {
    const QScreen* screen = QApplication::primaryScreen();
    const double dpi = screen ? screen->logicalDotsPerInchY() : 96.0;
    return 1440.0 / (dpi > 0 ? dpi : 96.0);
}
}  // namespace

double TableWidgetGrid::ColWidth(int col) const {
    return table_.columnWidth(col) * ScreenTwipsPerPixel();
}
double TableWidgetGrid::RowHeight(int row) const {
    if (header_) {
        if (row == 0) {
            const int h = table_.horizontalHeader()->height();
            return (h > 0 ? h : table_.horizontalHeader()->sizeHint().height()) *
                   ScreenTwipsPerPixelY();
        }
        return table_.rowHeight(row - 1) * ScreenTwipsPerPixelY();
    }
    return table_.rowHeight(row) * ScreenTwipsPerPixelY();
}
QString TableWidgetGrid::Text(int row, int col) const {
    if (header_) {
        if (row == 0) {
            const QTableWidgetItem* h = table_.horizontalHeaderItem(col);
            return h ? h->text() : QString();
        }
        --row;
    }
    const QTableWidgetItem* item = table_.item(row, col);
    return item ? item->text() : QString();
}
QFont TableWidgetGrid::Font() const {
    return table_.font();
}
void TableWidgetGrid::SetRedraw(bool on) {
    table_.setUpdatesEnabled(on);
}

namespace {

// The layout of one grid print (twips unless said otherwise).
struct GridLayout {
    PrintableGrid* grid = nullptr;
    int lastRow = 0, lastCol = 0, fixedRows = 0, fixedCols = 0;
    double left = 0, right = 0, top = 0, bottom = 0;
    double tppX = 1, tppY = 1;      // printer twips per pixel
    double scaleX = 1, scaleY = 1;  // screen to paper
    double lineHeight = 0;
    double x = 0, y = 0, colWidth = 0, rowHeight = 0;
    QString text;
    int row = 0, col = 0;
    std::vector<double> colWidths;  // printed widths, from SizeGridColumns
};

// A cell's text as printed: its indent, the grid's text trimmed, and the
// heading row's additions.
QString PrintedCellText(const PrintableGrid& grid, int row, int col) {
    const QString indent = (row == 0 || col == 0) ? "    " : "  ";
    QString text = indent + grid.Text(row, col).trimmed();
    if (row == 0) {
        if (col == 1) text += " (Orvex)";
        if (col == 2) text += "          (" + ProgramNameVersion().right(3) + ")";
    }
    return text;
}

// Each column as wide as its screen width scaled to paper, and at least as
// wide as the widest of its printed texts in the print font as the printer
// measures it, between the cells' 30-twip insets and with two printer
// pixels to spare: a cell's text is never wrapped or cut. A table that is
// then wider than the printed area gets a smaller print font, half a point
// at a time, until it fits (or the font reaches 4 points).
void SizeGridColumns(GridLayout& g) {
    QPainter& painter = ProgramPrinter::Instance().Painter();
    const int cols = g.grid->Cols();
    for (;;) {
        const QFontMetricsF fm(painter.font(), painter.device());
        g.colWidths.assign(static_cast<size_t>(std::max(cols, 0)), 0.0);
        double total = 0;
        for (int c = 0; c < cols; ++c) {
            double width = (IntDiv(g.grid->ColWidth(c) * g.scaleX, g.tppX) + 1) * g.tppX;
            double widest = 0;
            for (int r = 0; r < g.grid->Rows(); ++r)
                widest = std::max(widest, fm.horizontalAdvance(PrintedCellText(*g.grid, r, c)));
            const double need = std::ceil(widest + 2.0) * g.tppX + 60.0;
            width = std::max(width, std::ceil(need / g.tppX) * g.tppX);
            g.colWidths[static_cast<size_t>(c)] = width;
            total += width;
        }
        QFont font = painter.font();
        if (total <= g.right - g.left || font.pointSizeF() <= 4.0) break;
        font.setPointSizeF(std::max(4.0, font.pointSizeF() - 0.5));
        painter.setFont(font);
        g.lineHeight = QFontMetricsF(font, painter.device()).height() * g.tppY;
    }
}

void MeasureGridForPrint(GridLayout& g, double hFactor, double vFactor,
                         const GridPrintSettings& s) {
    ProgramPrinter& printer = ProgramPrinter::Instance();
    QPainter& painter = printer.Painter();
    QPrinter& device = printer.Device();
    g.tppX = printer.TwipsPerPixel();
    g.tppY = 1440.0 / device.logicalDpiY();
    const QRectF paper = printer.PaperTwips();
    const QRectF printable = printer.PrintableTwips();
    const double halfW = (paper.width() - printable.width()) / 2.0;
    g.left = s.PrnUnit - halfW;
    g.right = printable.width() - (s.PrnUnit - halfW);
    const double halfH = (paper.height() - printable.height()) / 2.0;
    g.top = s.PrnUnit - halfH;
    g.bottom = printable.height() - (s.PrnUnit - halfH);

    QFont font(s.PrnFontName);
    font.setPointSize(s.PrnFontSize);
    font.setBold(s.PrnFontBold);
    font.setItalic(s.PrnFontItalic);
    painter.setFont(QFont(font, &device));

    const QString sample = "GgIiWw ";
    const QFontMetricsF screen(g.grid->Font());
    const QFontMetricsF paperFm(painter.font(), &device);
    const double sw = screen.horizontalAdvance(sample) * ScreenTwipsPerPixel();
    const double sh = screen.height() * ScreenTwipsPerPixelY();
    if (sw <= 0 || sh <= 0) throw PrinterError(11, "Division by zero");
    g.scaleX = g.tppX * paperFm.horizontalAdvance(sample) / sw * hFactor;
    g.scaleY = g.tppY * paperFm.height() / sh * vFactor;
    g.lineHeight = paperFm.height() * g.tppY;
}

void SetRowHeight(GridLayout& g, int row) {
    g.rowHeight = (IntDiv(g.grid->RowHeight(row) * g.scaleY, g.tppY) + 1) * g.tppY;
    if (row == 0) g.rowHeight *= 0.8;
    // A row lower than one line of text would print its box empty (the
    // heading row at 80 % of a screen header often is): a row holds at
    // least one line between its 30-twip inset and 15 twips of space.
    g.rowHeight = std::max(g.rowHeight, g.lineHeight + 45);
}

void PrintGridCell(GridLayout& g) {
    QPainter& painter = ProgramPrinter::Instance().Painter();
    const double left = RoundEven((g.x + 30) / g.tppX);
    const double top = RoundEven((g.y + 30) / g.tppY);
    const double right = RoundEven((g.x + g.colWidth - 30) / g.tppX);
    const double n = IntDiv(g.rowHeight, g.lineHeight);
    const double bottom = RoundEven((n * g.lineHeight + g.y + 15) / g.tppY);
    const QRectF textRect(QPointF(left, top), QPointF(right, bottom));
    painter.save();
    painter.setPen(Qt::black);
    if (textRect.width() > 0 && textRect.height() > 0) {
        painter.setClipRect(textRect);
        painter.drawText(textRect, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, g.text);
        painter.setClipping(false);
    }
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(Qt::black, 0));
    painter.drawRect(QRectF(g.x / g.tppX, g.y / g.tppY, g.colWidth / g.tppX, g.rowHeight / g.tppY));
    painter.restore();
    if (PrinterScript* script = PrinterScript::Current())
        script->gridCells.push_back({ProgramPrinter::Instance().PageCount(), g.row, g.col,
                                     QRectF(g.x, g.y, g.colWidth, g.rowHeight), g.text});
}

bool PrintGridRow(GridLayout& g, int row) {
    g.x = g.left;
    g.row = row;
    SetRowHeight(g, row);
    for (int c = 0; c <= g.lastCol; ++c) {
        g.col = c;
        g.colWidth = g.colWidths.at(static_cast<size_t>(c));
        g.text = PrintedCellText(*g.grid, row, c);
        PrintGridCell(g);
        g.x += g.colWidth;
        if (g.x >= g.right) break;
    }
    g.y += g.rowHeight;
    if (row < g.lastRow) {
        SetRowHeight(g, row + 1);
        return g.y + g.rowHeight >= g.bottom;
    }
    return false;
}

}  // namespace

void PrintGrid(PrintableGrid& grid, double horizontalFactor, double verticalFactor,
               const GridPrintSettings& settings) {
    ProgramPrinter& printer = ProgramPrinter::Instance();
    if (!CheckPrinterInstalled()) return;
    printer.Step("PrintGrid");
    printer.AbortDoc();  // a whole document: a retry starts afresh

    GridLayout g;
    g.grid = &grid;
    MeasureGridForPrint(g, horizontalFactor, verticalFactor, settings);
    SizeGridColumns(g);
    grid.SetRedraw(false);
    struct RedrawOn {
        PrintableGrid& grid;
        ~RedrawOn() { grid.SetRedraw(true); }
    } redrawOn{grid};

    g.lastRow = grid.Rows() - 1;
    g.lastCol = grid.Cols() - 1;
    g.fixedRows = grid.FixedRows();
    g.fixedCols = grid.FixedCols();
    bool newPage = true;
    for (int r = g.fixedRows; r <= g.lastRow; ++r) {
        if (newPage) {
            QPainter& painter = printer.Painter();
            painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
            painter.setPen(QPen(Qt::black, 0, Qt::SolidLine));
            painter.setBrush(Qt::NoBrush);
            g.y = g.top;
            for (int f = 0; f < g.fixedRows; ++f) PrintGridRow(g, f);
        }
        newPage = PrintGridRow(g, r);
        if (newPage) printer.NewPage();
    }
    printer.EndDoc();
}

}  // namespace orvex
