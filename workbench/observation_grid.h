// The observation grid grdObs: a table of sights, one per row, whose cells are
// never typed into directly. Rows are counted as the navigator sees them: row
// 0 is the header (time, body, altitude, correction), rows 1..Rows()-1 hold
// sights; columns 0..3. The grid only shows texts and colours and reports the
// user's keys, clicks and moves to the star-fix input page, which shows in it
// the session's table of sights (ObservationTable) and hands that table what
// the editors commit.
#pragma once

#include <QColor>
#include <QPixmap>
#include <QString>
#include <QTableWidget>
#include <functional>

namespace orvex {

class ObservationGrid : public QTableWidget {
    Q_OBJECT
  public:
    explicit ObservationGrid(QWidget* parent = nullptr);

    // The header texts of the four columns as the program knows them (a
    // carriage return alone breaks the line; trailing blanks belong to them).
    static QString HeaderText(int col);

    // Rows counted with the header: 50 after a layout.
    int Rows() const { return rowCount() + 1; }
    // The current cell (row 1.. and column 0..3).
    int Row() const;
    int Col() const;
    // Moves the current cell; rows below 1 or beyond the last are clamped.
    void SetCurrentCell(int row, int col);

    // The text of a cell; row 0 gives the header text.
    QString TextMatrix(int row, int col) const;
    void SetTextMatrix(int row, int col, const QString& text);
    QColor CellBackColor(int row, int col) const;
    void SetCellBackColor(int row, int col, const QColor& colour);

    // Lays the grid out empty with `dataRows` sight rows.
    void Reset(int dataRows);
    // Removes one sight row: the rows below move up and an empty row comes
    // in at the end, so the grid keeps its number of rows.
    void RemoveGridRow(int row);
    // The cell's rectangle in the coordinates of the grid's viewport (where
    // the editors live).
    QRect CellRect(int row, int col) const;
    // The row and column under a point of the viewport; row -1 outside the
    // rows.
    int RowAt(int y) const { return rowAt(y) < 0 ? -1 : rowAt(y) + 1; }

    // The window's handlers. Keys: onKeyDown(key, shift) sees every key
    // first (shift: 1 Shift, 2 Ctrl, 4 Alt); when it answers true the key is
    // done. Otherwise a key with a character goes to onKeyPress(code), and
    // the arrow and page keys move the current cell as usual.
    std::function<bool(int key, int shift)> onKeyDown;
    std::function<void(int keyAscii)> onKeyPress;
    std::function<void()> onDblClick;
    std::function<void()> onGotFocus;
    // After the current cell changed: the cell that was left.
    std::function<void(int row, int col)> onLeaveCell;
    std::function<void()> onRowColChange;
    std::function<void(int row, int col)> onMouseMove;

  protected:
    bool event(QEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    bool viewportEvent(QEvent* e) override;

  private:
    QTableWidgetItem* Item(int row, int col);
    const QTableWidgetItem* Item(int row, int col) const;
};

// The four small pictures of the header row, drawn in code, `size` pixels
// square: 1 a clock, 2 a star, 3 a sextant's arc, 4 a plus-minus sign.
QPixmap GridHeaderPicture(int k, int size);

}  // namespace orvex
