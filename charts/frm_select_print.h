// The printer choice: a small modal window that lists the installed
// printers (and a PDF file chosen in Print Setup, shown with the name of
// the file the print will write) with the current one
// selected and the system's default printer marked as such, makes the one
// the user picks the program's current printer at once, and confirms or
// cancels the print.
// The answer lands in the flag handed to the window: true after "&Print",
// false after "&Cancel". Closing the window any other way leaves the flag
// false (nothing is printed).
#pragma once

#include <QDialog>

class QComboBox;
class QLabel;
class QPushButton;

namespace orvex {

class FrmSelectPrint : public QDialog {
    Q_OBJECT
  public:
    // printConfirmed: the shared flag the print command reads afterwards;
    // it is set to false now and written by the two buttons.
    FrmSelectPrint(QWidget* owner, bool& printConfirmed);

  private:
    // Fills the list from the installed printers (the system's order) and
    // selects the current printer. Runs at construction.
    void Form_Load();
    // The printer at the list's index becomes the current printer.
    void cboListPrinters_Click(int index);
    void cmdOK_Click();
    void cmdCancel_Click();

    QLabel* lblWait = nullptr;
    QComboBox* cboListPrinters = nullptr;
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdCancel = nullptr;

    bool& printConfirmed_;
    bool loading_ = false;
};

}  // namespace orvex
