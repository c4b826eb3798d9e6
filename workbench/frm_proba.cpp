#include "workbench/frm_proba.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "workbench/workbench_state.h"

namespace orvex {

FrmProba::FrmProba(WorkbenchState& state, QWidget* owner) : QDialog(owner), state_(state) {
    setObjectName("frmProba");
    setWindowTitle("Choose probability");
    setModal(true);
    lblProba = new QLabel(
        "Enter the probability of the error ellipse and of the circle of equivalent probability.",
        this);
    lblProba->setObjectName("lblProba");
    lblProba->setWordWrap(true);
    lstProba = new QListWidget(this);
    lstProba->setObjectName("lstProba");
    lstProba->setMaximumHeight(90);
    cmdOK = new QPushButton("&OK", this);
    cmdOK->setObjectName("cmdOK");
    cmdOK->setDefault(true);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdOK);
    auto* all = new QVBoxLayout(this);
    all->addWidget(lblProba);
    all->addWidget(lstProba);
    all->addLayout(buttons);
    resize(340, 200);

    connect(lstProba, &QListWidget::currentRowChanged, this, [this] { lstProba_Click(); });
    connect(cmdOK, &QPushButton::clicked, this, &FrmProba::cmdOK_Click);
    Form_Load();
}

void FrmProba::Form_Load() {
    lstProba->blockSignals(true);
    lstProba->clear();
    const QString sep = QString::fromStdString(state_.DecSep);
    const struct {
        const char* digits;
        int data;
    } rows[] = {{"5", 500}, {"95", 950}, {"99", 990}, {"999", 999}};
    for (const auto& r : rows) {
        auto* item = new QListWidgetItem("0" + sep + r.digits, lstProba);
        item->setData(Qt::UserRole, r.data);
    }
    lstProba->blockSignals(false);
    lstProba->setCurrentRow(1);  // runs lstProba_Click: 0.95
    lstProba_Click();
}

void FrmProba::lstProba_Click() {
    const auto* item = lstProba->currentItem();
    if (!item) return;
    state_.Proba = item->data(Qt::UserRole).toInt() / 1000.0;
}

void FrmProba::cmdOK_Click() {
    answered_ = true;
    hide();
}

void FrmProba::BeginShow() {
    openedWith_ = state_.Proba;
    openedRow_ = lstProba->currentRow();
    answered_ = false;
}

void FrmProba::Cancel() {
    if (answered_) return;
    answered_ = true;
    lstProba->blockSignals(true);
    lstProba->setCurrentRow(openedRow_);
    lstProba->blockSignals(false);
    state_.Proba = openedWith_;
}

void FrmProba::closeEvent(QCloseEvent* event) {
    closedByBox_ = true;
    Cancel();
    QDialog::closeEvent(event);
}

void FrmProba::reject() {
    Cancel();
    QDialog::reject();
}

}  // namespace orvex
