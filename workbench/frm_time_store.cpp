#include "workbench/frm_time_store.h"

#include <QApplication>
#include <QDateTime>
#include <QEvent>
#include <QFocusEvent>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>
#include <cmath>

#include "platform/message_box.h"
#include "platform/pc_clock.h"
#include "workbench/date_values.h"
#include "workbench/workbench_state.h"

namespace orvex {

namespace {
// The correction is read as a number in the user's locale or with a point.
bool ReadCorrection(const QString& text, double* value) {
    const QString t = text.trimmed();
    bool ok = false;
    double v = QLocale().toDouble(t, &ok);
    if (!ok) v = QLocale::c().toDouble(t, &ok);
    if (!ok || !std::isfinite(v)) return false;
    *value = v;
    return true;
}
}  // namespace

FrmTimeStore::FrmTimeStore(WorkbenchState& state, QWidget* owner) : QDialog(owner), state_(state) {
    setObjectName("frmTimeStore");
    setWindowTitle("Store current time");
    setModal(true);
    // The PC's local clock made UT.
    utcNow = [] { return PcClock().UtNowDays(); };

    txtGMT = new QLineEdit(this);
    txtGMT->setObjectName("txtGMT");
    txtGMT->setReadOnly(true);
    txtCorr = new QLineEdit("-15", this);
    txtCorr->setObjectName("txtCorr");
    txtCorr->setMaximumWidth(70);
    txtCorr->installEventFilter(this);
    updCorr = new QWidget(this);
    updCorr->setObjectName("updCorr");
    auto* up = new QToolButton(updCorr);
    up->setObjectName("updCorr_Up");
    up->setArrowType(Qt::UpArrow);
    auto* down = new QToolButton(updCorr);
    down->setObjectName("updCorr_Down");
    down->setArrowType(Qt::DownArrow);
    auto* updLayout = new QVBoxLayout(updCorr);
    updLayout->setContentsMargins(0, 0, 0, 0);
    updLayout->setSpacing(0);
    updLayout->addWidget(up);
    updLayout->addWidget(down);
    txtGMTCorr = new QLineEdit(this);
    txtGMTCorr->setObjectName("txtGMTCorr");
    txtGMTCorr->setReadOnly(true);
    cmdOK = new QPushButton("&OK", this);
    cmdOK->setObjectName("cmdOK");
    cmdOK->setDefault(true);

    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel("GMT :", this), 0, 0);
    grid->addWidget(txtGMT, 0, 1, 1, 3);
    auto* corrLabel =
        new QLabel("Correction (delay between observation time && data entry time):", this);
    corrLabel->setTextFormat(Qt::PlainText);
    corrLabel->setText("Correction (delay between observation time & data entry time):");
    grid->addWidget(corrLabel, 1, 0, 1, 4);
    grid->addWidget(txtCorr, 2, 1);
    grid->addWidget(updCorr, 2, 2);
    grid->addWidget(new QLabel("sec", this), 2, 3);
    grid->addWidget(new QLabel("GMT corr :", this), 3, 0);
    grid->addWidget(txtGMTCorr, 3, 1, 1, 3);
    auto* warning = new QLabel(
        "If you are using this function, check that the time of your computer clock is "
        "correct to a second.",
        this);
    warning->setWordWrap(true);
    auto* all = new QVBoxLayout(this);
    all->addLayout(grid);
    all->addWidget(warning);
    all->addWidget(cmdOK, 0, Qt::AlignRight);

    connect(up, &QToolButton::clicked, this, &FrmTimeStore::updCorr_UpClick);
    connect(down, &QToolButton::clicked, this, &FrmTimeStore::updCorr_DownClick);
    connect(cmdOK, &QPushButton::clicked, this, &FrmTimeStore::cmdOK_Click);
}

void FrmTimeStore::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    Form_Activate();
}

void FrmTimeStore::closeEvent(QCloseEvent* event) {
    closedByBox_ = true;
    QDialog::closeEvent(event);
}

void FrmTimeStore::Form_Activate() {
    txtGMT->setText(FormatDialogTime(utcNow()));
    ComputeCorrectedTime();
}

bool FrmTimeStore::ComputeCorrectedTime() {
    double shown = 0.0, corr = 0.0;
    if (!ParseDialogTime(txtGMT->text(), &shown) || !ReadCorrection(txtCorr->text(), &corr))
        return false;
    txtGMTCorr->setText(FormatDialogTime(shown + corr / 86400.0));
    return true;
}

bool FrmTimeStore::txtCorr_LostFocus() {
    double corr = 0.0;
    const bool isNumber = ReadCorrection(txtCorr->text(), &corr);
    if (!isNumber || corr >= 0.0) {
        checking_ = true;
        ShowMessage(kIconExclamation + kButtonsOk, QString(" Error in input data"),
                    isNumber ? QString("Please check your clock correction.\r\n"
                                       "This must be a negative value\r\n"
                                       "(time spent between the observation and the data entry).")
                             : QString("Please check your clock correction.\r\n"
                                       "This must be a numeric value."),
                    this);
        checking_ = false;
        txtCorr->setStyleSheet(QString());
        txtCorr->setFocus();
        return false;
    }
    txtCorr->setStyleSheet("background-color: rgb(0,255,0);");
    ComputeCorrectedTime();
    return true;
}

void FrmTimeStore::updCorr_Change() {
    ComputeCorrectedTime();
}

void FrmTimeStore::updCorr_UpClick() {
    double corr = 0.0;
    if (!ReadCorrection(txtCorr->text(), &corr)) corr = -15.0;
    corr = std::min(-1.0, std::floor(corr) + 1.0);
    txtCorr->setText(QString::number(static_cast<int>(corr)));
    updCorr_Change();
}

void FrmTimeStore::updCorr_DownClick() {
    double corr = 0.0;
    if (!ReadCorrection(txtCorr->text(), &corr)) corr = -15.0;
    corr = std::max(-3600.0, std::ceil(corr) - 1.0);
    txtCorr->setText(QString::number(static_cast<int>(corr)));
    updCorr_Change();
}

void FrmTimeStore::cmdOK_Click() {
    // A correction that is not a negative number is refused as on leaving
    // the field: nothing is stored and the dialog stays.
    if (!txtCorr_LostFocus()) return;
    ComputeCorrectedTime();
    double stored = 0.0;
    if (!ParseDialogTime(txtGMTCorr->text(), &stored)) return;
    state_.TimeStored = stored;
    accept();
}

bool FrmTimeStore::eventFilter(QObject* watched, QEvent* event) {
    if (watched == txtCorr && event->type() == QEvent::FocusOut && !checking_ &&
        static_cast<QFocusEvent*>(event)->reason() != Qt::ActiveWindowFocusReason &&
        static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason && isVisible()) {
        // Leaving for the OK button checks in cmdOK_Click instead, so the
        // message is not shown twice.
        QWidget* next = QApplication::focusWidget();
        if (next != cmdOK) txtCorr_LostFocus();
    }
    return QDialog::eventFilter(watched, event);
}

}  // namespace orvex
