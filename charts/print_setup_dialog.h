// Print Setup: the printer the following prints use, or a PDF file, and
// the paper. When it opens it shows the current choice: the printer last
// chosen (else the system's default), or "Print to File (PDF)" with the
// file chosen for it. OK makes what it shows the current printer of the
// program (ProgramPrinter); Cancel changes nothing.
//
// The printers listed are the program's installed printers (the test
// script's when one is installed), so that the window lists what the
// printer choice and the prints use.
#pragma once

#include <QDialog>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace orvex {

class PrintSetupDialog : public QDialog {
    Q_OBJECT
  public:
    explicit PrintSetupDialog(QWidget* owner);

    // The entry of the PDF file in cboPrinters, after the printers.
    static QString PdfEntryText() { return "Print to File (PDF)"; }

    QComboBox* cboPrinters = nullptr;  // the system's printers, then the PDF file
    QLineEdit* txtPdfFile = nullptr;   // the PDF file's path, with the PDF entry
    QLabel* lblFile = nullptr;         // "&File:": Alt+F chooses the PDF file and its name
    QPushButton* cmdBrowse = nullptr;  // asks for the PDF file's name
    QComboBox* cboPaper = nullptr;     // "Printer's paper" or a paper size
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdCancel = nullptr;

    // OK: takes the choice and closes; a PDF file without a name, a folder,
    // a file in a folder that does not exist or takes no new file, or a
    // file of another program that the user does not want replaced keeps
    // the window open, the message naming the file or folder. A name
    // without a folder is taken in the home folder, and the path it
    // becomes is shown.
    void cmdOK_Click();
    void cmdBrowse_Click();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    bool PdfEntryChosen() const;
    void cboPrinters_Change();
};

}  // namespace orvex
