#include "workbench/frm_wait.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QTimer>
#include <QVBoxLayout>

#include "companions/splash.h"
#include "platform/message_box.h"

namespace orvex {

FrmWait::FrmWait(QWidget* owner) : QDialog(owner) {
    setObjectName("frmWait");
    setWindowTitle(" Print job in progress");
    setModal(true);
    auto* picture = new QLabel(this);
    picture->setObjectName("picWait");
    picture->setPixmap(ProgramLogo(48));
    auto* label = new QLabel("       Please wait ...      Send datas to the printer.", this);
    label->setObjectName("lblWait");
    prgWait = new QProgressBar(this);
    prgWait->setObjectName("prgWait");
    prgWait->setRange(0, 18);
    prgWait->setValue(0);
    prgWait->setTextVisible(false);
    tmrWait = new QTimer(this);
    tmrWait->setObjectName("tmrWait");
    tmrWait->setInterval(500);

    auto* top = new QHBoxLayout;
    top->addWidget(picture);
    top->addWidget(label, 1);
    auto* all = new QVBoxLayout(this);
    all->addLayout(top);
    all->addWidget(prgWait);
    connect(tmrWait, &QTimer::timeout, this, &FrmWait::tmrWait_Timer);
}

void FrmWait::ShowWhilePrinting() {
    tmrWait->setInterval(20);
    tmrWait->start();
    ExecDialog(*this);
    tmrWait->stop();
}

void FrmWait::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    Form_GotFocus();
}

void FrmWait::Form_GotFocus() {
    prgWait->setValue(prgWait->minimum());
    raise();
}

void FrmWait::tmrWait_Timer() {
    if (prgWait->value() < prgWait->maximum()) {
        prgWait->setValue(prgWait->value() + 1);
    } else {
        tmrWait->stop();
        hide();
    }
}

void FrmWait::closeEvent(QCloseEvent* event) {
    // Closing it early only stops the bar; the print goes on.
    tmrWait->stop();
    QDialog::closeEvent(event);
}

}  // namespace orvex
