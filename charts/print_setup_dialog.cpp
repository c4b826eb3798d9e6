#include "charts/print_setup_dialog.h"

#include <QComboBox>
#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPageSize>
#include <QPushButton>
#include <QTemporaryFile>
#include <QVBoxLayout>

#include "charts/print_lib.h"
#include "platform/message_box.h"

namespace orvex {

namespace {
const QPageSize::PageSizeId kPapers[] = {QPageSize::A4,       QPageSize::Letter, QPageSize::Legal,
                                         QPageSize::A3,       QPageSize::A5,     QPageSize::B5,
                                         QPageSize::Executive};
}  // namespace

PrintSetupDialog::PrintSetupDialog(QWidget* owner) : QDialog(owner) {
    setObjectName("dlgCommonDialog");
    setWindowTitle("Print Setup");
    setModal(true);
    ProgramPrinter& printer = ProgramPrinter::Instance();

    cboPrinters = new QComboBox(this);
    cboPrinters->setObjectName("cboPrinters");
    cboPrinters->setMinimumWidth(300);
    const QString def = printer.DefaultPrinter();
    for (const QString& name : printer.SystemPrinters())
        cboPrinters->addItem(name == def ? name + " (system default)" : name, name);
    cboPrinters->addItem(PdfEntryText(), QString());
    if (printer.PdfFileCurrent())
        cboPrinters->setCurrentIndex(cboPrinters->count() - 1);
    else
        cboPrinters->setCurrentIndex(std::max(0, cboPrinters->findData(printer.DeviceName())));

    txtPdfFile = new QLineEdit(this);
    txtPdfFile->setObjectName("txtPdfFile");
    txtPdfFile->setText(QDir::toNativeSeparators(
        printer.PdfFile().isEmpty() ? QDir::home().filePath("fix.pdf") : printer.PdfFile()));
    cmdBrowse = new QPushButton("...", this);
    cmdBrowse->setObjectName("cmdBrowse");
    cmdBrowse->setToolTip("Choose the PDF file");

    cboPaper = new QComboBox(this);
    cboPaper->setObjectName("cboPaper");
    cboPaper->addItem("Printer's paper", -1);
    for (QPageSize::PageSizeId id : kPapers) cboPaper->addItem(QPageSize::name(id), int(id));
    if (const QPageSize* paper = printer.Paper()) {
        int at = cboPaper->findData(int(paper->id()));
        if (at < 0) {
            cboPaper->addItem(paper->name(), int(paper->id()));
            at = cboPaper->count() - 1;
        }
        cboPaper->setCurrentIndex(at);
    }

    cmdOK = new QPushButton("OK", this);
    cmdOK->setObjectName("cmdOK");
    cmdOK->setDefault(true);
    cmdCancel = new QPushButton("&Cancel", this);
    cmdCancel->setObjectName("cmdCancel");

    auto* file = new QHBoxLayout;
    file->addWidget(txtPdfFile, 1);
    file->addWidget(cmdBrowse);
    // The file row holds a layout, which cannot be a label's buddy: its
    // label is the file name's, and Alt+F also chooses the PDF file.
    lblFile = new QLabel("&File:", this);
    lblFile->setObjectName("lblFile");
    lblFile->setBuddy(txtPdfFile);
    lblFile->installEventFilter(this);
    auto* form = new QFormLayout;
    form->addRow("&Printer:", cboPrinters);
    form->addRow(lblFile, file);
    form->addRow("P&aper:", cboPaper);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdCancel);
    auto* all = new QVBoxLayout(this);
    all->addLayout(form);
    all->addSpacing(8);
    all->addLayout(buttons);

    connect(cboPrinters, qOverload<int>(&QComboBox::currentIndexChanged), this,
            &PrintSetupDialog::cboPrinters_Change);
    connect(cmdBrowse, &QPushButton::clicked, this, &PrintSetupDialog::cmdBrowse_Click);
    connect(cmdOK, &QPushButton::clicked, this, &PrintSetupDialog::cmdOK_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
    cboPrinters_Change();
}

bool PrintSetupDialog::eventFilter(QObject* watched, QEvent* event) {
    if (watched == lblFile && event->type() == QEvent::Shortcut && !PdfEntryChosen())
        cboPrinters->setCurrentIndex(cboPrinters->count() - 1);  // the label then goes on
    return QDialog::eventFilter(watched, event);
}

bool PrintSetupDialog::PdfEntryChosen() const {
    return cboPrinters->currentIndex() == cboPrinters->count() - 1;
}

void PrintSetupDialog::cboPrinters_Change() {
    txtPdfFile->setEnabled(PdfEntryChosen());
    cmdBrowse->setEnabled(PdfEntryChosen());
}

void PrintSetupDialog::cmdBrowse_Click() {
    const QString path =
        AskSaveFileName(this, "Print To File ...", txtPdfFile->text(), "PDF files (*.pdf)", "pdf");
    if (path.isEmpty()) return;
    txtPdfFile->setText(QDir::toNativeSeparators(path));
    cboPrinters->setCurrentIndex(cboPrinters->count() - 1);
}

void PrintSetupDialog::cmdOK_Click() {
    ProgramPrinter& printer = ProgramPrinter::Instance();
    const int paperId = cboPaper->currentData().toInt();
    const QPageSize paper(static_cast<QPageSize::PageSizeId>(std::max(paperId, 0)));
    const QPageSize* chosenPaper = paperId >= 0 ? &paper : nullptr;
    if (!PdfEntryChosen()) {
        printer.TakeSetup(cboPrinters->currentData().toString(), chosenPaper);
        accept();
        return;
    }
    QString path = QDir::fromNativeSeparators(txtPdfFile->text().trimmed());
    if (path.isEmpty()) {
        ShowMessage(kIconExclamation + kButtonsOk, QString(" Print Setup"),
                    QString("Please enter the name of the PDF file."), this);
        txtPdfFile->setFocus();
        return;
    }
    const bool relative = QDir::isRelativePath(path);
    if (relative) path = QDir::home().filePath(path);
    path = QDir::cleanPath(path);
    const QFileInfo file(path);
    // Prints write the file through a new one beside it: its folder must
    // be there and take new files, or every print would fail.
    const QString folder = QDir::toNativeSeparators(file.absolutePath());
    QString refusal;
    if (file.isDir())
        refusal = QDir::toNativeSeparators(path) + " is a folder.";
    else if (!file.dir().exists())
        refusal = "The folder " + folder + " does not exist.";
    else if (QTemporaryFile probe(file.dir().filePath(".orvex-XXXXXX")); !probe.open())
        refusal = "The folder " + folder + " cannot be written to.";
    if (!refusal.isEmpty()) {
        ShowMessage(kIconExclamation + kButtonsOk, QString(" Print Setup"),
                    refusal + "\r\nPlease choose a different file name.", this);
        txtPdfFile->setFocus();
        return;
    }
    // The file already chosen was asked about then (and this run's prints
    // into it go on with the next free name); another existing file would
    // be replaced by the first print.
    if (path != printer.PdfFile() && file.exists() &&
        ShowMessage(
            kIconQuestion + kButtonsYesNo + kDefaultButton2, QString(" Print Setup"),
            QDir::toNativeSeparators(path) + " already exists.\r\nDo you want to replace it?",
            this) != kAnswerYes) {
        txtPdfFile->setFocus();
        return;
    }
    if (relative) {
        txtPdfFile->setText(QDir::toNativeSeparators(path));
        ShowMessage(kIconInformation + kButtonsOk, QString(" Print Setup"),
                    "A file name without its folder is taken in your home folder:\r\n" +
                        QDir::toNativeSeparators(path),
                    this);
    }
    printer.TakePdfSetup(path, chosenPaper);
    accept();
}

}  // namespace orvex
