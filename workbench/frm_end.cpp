#include "workbench/frm_end.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include "companions/splash.h"

namespace orvex {

FrmEnd::FrmEnd(QWidget* owner) : QDialog(owner) {
    setObjectName("frmEnd");
    setWindowTitle("Quit Orvex");
    setModal(true);

    auto* picture = new QLabel(this);
    picture->setObjectName("picEnd");
    picture->setPixmap(ProgramLogo(64));

    lblEndProg[0] = new QLabel("Do you really want to quit the program ?", this);
    lblEndProg[0]->setObjectName("lblEndProg_0");
    lblEndProg[1] = new QLabel("Don't forget to save your datas before quitting.", this);
    lblEndProg[1]->setObjectName("lblEndProg_1");
    QFont bold = lblEndProg[0]->font();
    bold.setBold(true);
    lblEndProg[0]->setFont(bold);

    cmdYes = new QPushButton("&Yes", this);
    cmdYes->setObjectName("cmdYes");
    cmdYes->setToolTip("Quit");
    cmdYes->setDefault(true);
    cmdYes->setAutoDefault(true);
    cmdNo = new QPushButton("&Cancel", this);
    cmdNo->setObjectName("cmdNo");
    cmdNo->setToolTip("Back to Orvex");
    // Enter presses the button that has the focus: on "Cancel" it cancels.
    cmdNo->setAutoDefault(true);

    tmrQuit = new QTimer(this);
    tmrQuit->setObjectName("tmrQuit");
    tmrQuit->setInterval(1000);

    auto* texts = new QVBoxLayout;
    texts->addWidget(lblEndProg[0]);
    texts->addWidget(lblEndProg[1]);
    auto* top = new QHBoxLayout;
    top->addWidget(picture);
    top->addLayout(texts, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdYes);
    buttons->addWidget(cmdNo);
    auto* all = new QVBoxLayout(this);
    all->addLayout(top);
    all->addLayout(buttons);

    connect(cmdYes, &QPushButton::clicked, this, &FrmEnd::cmdYes_Click);
    connect(cmdNo, &QPushButton::clicked, this, &FrmEnd::cmdNo_Click);
    connect(tmrQuit, &QTimer::timeout, this, &FrmEnd::tmrQuit_Timer);
    SetReminderColour(kRed);
}

void FrmEnd::SetReminderColour(int colour) {
    reminderColour_ = colour;
    lblEndProg[1]->setStyleSheet(colour == kRed ? "color: rgb(255,0,0);" : "color: rgb(0,0,0);");
}

void FrmEnd::Form_Activate() {
    // The reminder opens red each time, then blinks.
    SetReminderColour(kRed);
    tmrQuit->start();
}

void FrmEnd::tmrQuit_Timer() {
    SetReminderColour(reminderColour_ != kRed ? kRed : kBlack);
}

void FrmEnd::cmdYes_Click() {
    tag_ = "YES";
    tmrQuit->stop();
    hide();
}

void FrmEnd::cmdNo_Click() {
    tag_ = "NO";
    tmrQuit->stop();
    hide();
}

void FrmEnd::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    Form_Activate();
}

void FrmEnd::closeEvent(QCloseEvent* event) {
    // The close box is Cancel: never the previous answer.
    tag_ = "NO";
    tmrQuit->stop();
    QDialog::closeEvent(event);
}

void FrmEnd::reject() {
    cmdNo_Click();
    QDialog::reject();
}

}  // namespace orvex
