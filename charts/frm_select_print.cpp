#include "charts/frm_select_print.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "charts/print_lib.h"

namespace orvex {

FrmSelectPrint::FrmSelectPrint(QWidget* owner, bool& printConfirmed)
    : QDialog(owner), printConfirmed_(printConfirmed) {
    setObjectName("frmSelectPrint");
    setWindowTitle(" Printer choice");
    setModal(true);
    printConfirmed_ = false;

    lblWait = new QLabel("Please select a printer & confirm printing:", this);
    lblWait->setObjectName("lblWait");
    QFont f("Arial");
    f.setPointSize(10);
    lblWait->setFont(f);
    cboListPrinters = new QComboBox(this);
    cboListPrinters->setObjectName("cboListPrinters");
    cboListPrinters->setMinimumWidth(280);
    cmdOK = new QPushButton("&Print", this);
    cmdOK->setObjectName("cmdOK");
    cmdOK->setToolTip("Start Printing");
    cmdOK->setDefault(true);
    cmdCancel = new QPushButton("&Cancel", this);
    cmdCancel->setObjectName("cmdCancel");
    cmdCancel->setToolTip("Cancel Printing");

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdCancel);
    auto* all = new QVBoxLayout(this);
    all->addWidget(lblWait);
    all->addWidget(cboListPrinters);
    all->addSpacing(8);
    all->addLayout(buttons);

    connect(cboListPrinters, qOverload<int>(&QComboBox::activated), this,
            &FrmSelectPrint::cboListPrinters_Click);
    connect(cmdOK, &QPushButton::clicked, this, &FrmSelectPrint::cmdOK_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &FrmSelectPrint::cmdCancel_Click);
    Form_Load();
}

void FrmSelectPrint::Form_Load() {
    SetWaitCursor(true);
    loading_ = true;
    ProgramPrinter& printer = ProgramPrinter::Instance();
    cboListPrinters->clear();
    const QString def = printer.DefaultPrinter();
    // The PDF file's entry names the file the print will write.
    for (const QString& name : printer.InstalledPrinters()) {
        const QString shown = printer.ShownName(name);
        cboListPrinters->addItem(name == def ? shown + " (system default)" : shown, name);
    }
    cboListPrinters->setCurrentIndex(cboListPrinters->findData(printer.DeviceName()));
    loading_ = false;
    SetWaitCursor(false);
}

void FrmSelectPrint::cboListPrinters_Click(int index) {
    if (loading_) return;
    ProgramPrinter::Instance().SelectPrinter(index);
}

void FrmSelectPrint::cmdOK_Click() {
    printConfirmed_ = true;
    accept();
}

void FrmSelectPrint::cmdCancel_Click() {
    printConfirmed_ = false;
    reject();
}

}  // namespace orvex
