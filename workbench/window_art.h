// The program's pictures drawn in code: the start screen's background and
// its four picture buttons, the toolbar glyphs and the small dialog
// pictures. Drawing them here keeps the program free of image files it
// cannot find.
#pragma once

#include <QIcon>
#include <QLabel>
#include <QPixmap>
#include <QString>
#include <QWidget>

namespace orvex {

// A toolbar button's icon: a rounded square with a short glyph.
QIcon ToolbarIcon(const QString& glyph, const QColor& colour);

// The start screen's background: a vertical gradient from deep sea blue to
// pale sky, painted over its whole area.
class GradientBackground : public QWidget {
    Q_OBJECT
  public:
    explicit GradientBackground(QWidget* parent = nullptr);

  protected:
    void paintEvent(QPaintEvent* event) override;
};

// One of the start screen's picture buttons: a framed picture with a
// caption; clicking it (when enabled) emits clicked(). A disabled picture
// is drawn greyed.
class StartPicture : public QWidget {
    Q_OBJECT
  public:
    StartPicture(const QString& caption, int kind, QWidget* parent = nullptr);

  signals:
    void clicked();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    QString caption_;
    int kind_;
};

}  // namespace orvex
