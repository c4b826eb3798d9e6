// A spin button pair beside a field: an up and a down arrow stacked, each
// click reported as one step. The arrows take no focus, so the field being
// typed in is still open when one is clicked: its text is committed first,
// as leaving it would, and a refused text stops the step (no signal).
#pragma once

#include <QWidget>

class QToolButton;

namespace orvex {

class UpDownButtons : public QWidget {
    Q_OBJECT
  public:
    // name is the control's name; the arrows are name + "_Up" / "_Down".
    UpDownButtons(const QString& name, QWidget* parent);
    QToolButton* UpButton() const { return up_; }
    QToolButton* DownButton() const { return down_; }

  signals:
    void UpClick();
    void DownClick();

  private:
    QToolButton* up_;
    QToolButton* down_;
};

}  // namespace orvex
