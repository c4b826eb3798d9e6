// A pair of small arrow buttons stacked on each other, as beside a field
// whose value steps up or down (the utilities' spinners). The widget carries
// the control's name; its buttons are "<name>_Up" and "<name>_Down".
#pragma once

#include <QWidget>

class QToolButton;

namespace orvex {

class UpDownButtons : public QWidget {
    Q_OBJECT
  public:
    UpDownButtons(const QString& name, QWidget* parent = nullptr);
    QToolButton* UpButton() const { return up_; }
    QToolButton* DownButton() const { return down_; }

  signals:
    void upClicked();
    void downClicked();

  private:
    QToolButton* up_;
    QToolButton* down_;
};

}  // namespace orvex
