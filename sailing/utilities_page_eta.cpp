// The ETA tab of the sailing utilities page: its controls, the distance,
// speed and interval fields with their spinners, the rounding choice and the
// ETA table.
#include <QComboBox>
#include <QDateTimeEdit>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <cmath>

#include "navlib/inout_lib.h"
#include "navlib/number_format.h"
#include "platform/up_down_buttons.h"
#include "sailing/core/eta_table.h"
#include "sailing/utilities_layout.h"
#include "sailing/utilities_page.h"

namespace orvex {

using namespace utilities_layout;

namespace {

// The size of the ETA table's heading pictures.
constexpr int kEtaHeaderPicture = 20;  // pixels

QString PadLeft(const std::string& s, int width) {
    QString t = Q(s);
    while (t.size() < width) t.prepend('_');
    return t;
}

}  // namespace

void UtilitiesPage::BuildEtaControls() {
    QGridLayout* eta = FieldGrid(this, 2);
    QWidget* etaW = eta->parentWidget();
    Relabel(eta, mskDTG, "Distance to go :");
    Relabel(eta, mskMinSpeed, "min. speed :");
    Relabel(eta, mskMaxSpeed, "max. speed :");
    Relabel(eta, mskInterv, "interval :");
    Relabel(eta, cboGMT[0], "Departure time in");
    Relabel(eta, cboGMT[1], "Arrival local time in");
    mskDTG->setToolTip("Enter nautical miles & hundredths of nautical mile");
    mskMinSpeed->setToolTip("Minimum speed in knots");
    mskMaxSpeed->setToolTip("Maximum speed in knots");
    mskInterv->setToolTip("Interval between speeds in knots");
    PlaceBeside(eta, mskDTG, MakeEraseButton(15, "Erase distance", etaW), 2);
    PlaceBeside(eta, mskMinSpeed, MakeEraseButton(16, "Reset speed", etaW), 2);
    PlaceBeside(eta, mskMaxSpeed, MakeEraseButton(17, "Reset speed", etaW), 2);
    PlaceBeside(eta, mskInterv, MakeEraseButton(18, "Reset interval", etaW), 2);
    updMinSpeed = new UpDownButtons("updMinSpeed", etaW);
    updMaxSpeed = new UpDownButtons("updMaxSpeed", etaW);
    updInterval = new UpDownButtons("updInterval", etaW);
    // The speed fields are as wide as their five places: the table's speed
    // column is 1.7 of that width.
    for (MaskedField* f : {mskMinSpeed, mskMaxSpeed, mskInterv}) {
        f->setFixedWidth(f->fontMetrics().horizontalAdvance("000.00") + 26);
        eta->setAlignment(f, Qt::AlignLeft);
    }
    PlaceBeside(eta, mskMinSpeed, updMinSpeed, 3);
    PlaceBeside(eta, mskMaxSpeed, updMaxSpeed, 3);
    PlaceBeside(eta, mskInterv, updInterval, 3);
    connect(updMinSpeed, &UpDownButtons::UpClick, this, [this] { updMinSpeed_Click(true); });
    connect(updMinSpeed, &UpDownButtons::DownClick, this, [this] { updMinSpeed_Click(false); });
    connect(updMaxSpeed, &UpDownButtons::UpClick, this, [this] { updMaxSpeed_Click(true); });
    connect(updMaxSpeed, &UpDownButtons::DownClick, this, [this] { updMaxSpeed_Click(false); });
    connect(updInterval, &UpDownButtons::UpClick, this, [this] { updInterval_Click(true); });
    connect(updInterval, &UpDownButtons::DownClick, this, [this] { updInterval_Click(false); });
    {
        // The departure picker dtpTime(2) stands in the field column; its
        // commit is its own (dtpDeparture_LostFocus).
        if (dtpDeparture && RowOf(eta, dtpDeparture) >= 0) {
            const int row = RowOf(eta, dtpDeparture);
            eta->removeWidget(dtpDeparture);
            eta->addWidget(dtpDeparture, row, 1, 1, 3, Qt::AlignLeft);
        }
        auto* fra = new QGroupBox(" Correct ETA to read  ", etaW);
        fra->setObjectName("fraRound");
        auto* v = new QVBoxLayout(fra);
        const char* texts[] = {"exact time", "tenths of hour", "quaters of hour"};
        for (int i = 0; i < 3; ++i) {
            auto* option = new QRadioButton(texts[i], fra);
            option->setObjectName(Indexed("optRound", i));
            v->addWidget(option);
            connect(option, &QRadioButton::clicked, this, [this, i] { optRound_Click(i); });
            optRound[static_cast<size_t>(i)] = option;
        }
        optRound[0]->setChecked(true);
        eta->addWidget(fra, eta->rowCount(), 0, 1, 4);
        eta->addWidget(MakeEraseButton(14, "Erase all", etaW), eta->rowCount(), 1, Qt::AlignLeft);
        grdCalcETA = new QTableWidget(etaW);
        grdCalcETA->setObjectName("grdCalcETA");
        // The picker is wide enough that the table's time columns, 0.9 of
        // its width, show a whole ETA in the table's font.
        QFont tableFont = grdCalcETA->font();
        tableFont.setPointSize(12);
        const int etaText = QFontMetrics(tableFont).horizontalAdvance("28 Sep 2026 22:22:22") + 18;
        dtpDeparture->setMinimumWidth(static_cast<int>(std::ceil(etaText / 0.9)));
        grdCalcETA->setEditTriggers(QAbstractItemView::NoEditTriggers);
        grdCalcETA->verticalHeader()->setVisible(false);
        grdCalcETA->setVisible(false);
        const int lastRow = eta->rowCount();
        eta->addWidget(grdCalcETA, 0, 4, lastRow + 1, 1);
        eta->setColumnStretch(4, 1);
        eta->setRowStretch(lastRow, 1);
    }
}

void UtilitiesPage::BuildButtonRows() {
    const char* computeTips[] = {"Compute RL", "Compute GC", "Compute ETA"};
    for (int tab = 0; tab < 3; ++tab) {
        QHBoxLayout* row = ButtonRow(this, tab);
        QWidget* page = widget(tab);
        auto* compute = new QPushButton("&Compute", page);
        compute->setObjectName(Indexed("cmdCompute", tab));
        compute->setToolTip(computeTips[tab]);
        connect(compute, &QPushButton::clicked, this, [this, tab] { cmdCompute_Click(tab); });
        row->insertWidget(0, compute);
        if (tab >= 1) {
            auto* p = new QPushButton("&Print", page);
            p->setObjectName(Indexed("cmdAskPrint", tab - 1));
            p->setToolTip("Print results");
            connect(p, &QPushButton::clicked, this, [this, tab] { cmdAskPrint_Click(tab - 1); });
            row->insertWidget(1, p);
            cmdAskPrint[static_cast<size_t>(tab - 1)] = p;
        }
    }
}

void UtilitiesPage::mskDTG_LostFocus() {
    MaskedField* f = mskDTG;
    if (f->IsEmptyEntry()) return;
    state_.EtaDist = ParsePositiveText(f->MaskedText().toStdString(), shared_.DecSep);
    MarkEtaRefused(f, state_.EtaDist == kNegativeNumber);
    if (state_.EtaDist == kNegativeNumber) {
        f->Reject("Negative distance.", MaskedField::RejectMode::ReplaceLastWithPrompt);
        return;
    }
    f->SetBackColor(kValidGreen);
    f->ShowCommitted(Q(FormatNumber(state_.EtaDist, "00000.00", shared_.DecSep)));
}

void UtilitiesPage::mskMinSpeed_LostFocus() {
    MaskedField* f = mskMinSpeed;
    if (f->IsEmptyEntry()) return;
    MarkEtaRefused(f, true);  // until the value is taken
    // The commit after a refusal of either speed passes without a message;
    // a valid speed typed then is still taken.
    const bool silent = state_.SkipSpeedCheck;
    state_.SkipSpeedCheck = false;
    const double v = ParsePositiveText(f->MaskedText().toStdString(), shared_.DecSep);
    if (silent && (v <= 0.0 || v > state_.MaxSpeed)) return;
    state_.MinSpeed = v;
    if (v <= 0.0) {
        state_.MinSpeed = state_.MaxSpeed;
        f->Reject("Your minimum speed is zero or negative.",
                  MaskedField::RejectMode::ReplaceLastWithPrompt);
        return;
    }
    if (v > state_.MaxSpeed) {
        state_.SkipSpeedCheck = true;
        state_.MinSpeed = state_.MaxSpeed;
        f->Reject("Your minimum speed is greater than the maximum speed.",
                  MaskedField::RejectMode::ReplaceLastWithPrompt);
        return;
    }
    MarkEtaRefused(f, false);
    f->SetBackColor(kValidGreen);
    f->ShowCommitted(PadLeft(FormatNumber(v, "##0.0", shared_.DecSep), 5));
}

void UtilitiesPage::mskMaxSpeed_LostFocus() {
    MaskedField* f = mskMaxSpeed;
    if (f->IsEmptyEntry()) return;
    MarkEtaRefused(f, true);  // until the value is taken
    // The commit after a refusal of either speed passes without a message;
    // a valid speed typed then is still taken.
    const bool silent = state_.SkipSpeedCheck;
    state_.SkipSpeedCheck = false;
    const double v = ParsePositiveText(f->MaskedText().toStdString(), shared_.DecSep);
    if (silent && (v <= 0.0 || v < state_.MinSpeed)) return;
    state_.MaxSpeed = v;
    if (v <= 0.0) {
        state_.MaxSpeed = state_.MinSpeed;
        f->Reject("Your maximum speed is zero or negative.",
                  MaskedField::RejectMode::ReplaceLastWithPrompt);
        return;
    }
    if (v < state_.MinSpeed) {
        state_.SkipSpeedCheck = true;
        state_.MaxSpeed = state_.MinSpeed;
        f->Reject("Your maximum speed is less than the minimum speed.",
                  MaskedField::RejectMode::ReplaceLastWithPrompt);
        return;
    }
    MarkEtaRefused(f, false);
    f->SetBackColor(kValidGreen);
    f->ShowCommitted(PadLeft(FormatNumber(v, "##0.0", shared_.DecSep), 5));
}

void UtilitiesPage::mskInterv_LostFocus() {
    MaskedField* f = mskInterv;
    if (f->IsEmptyEntry()) return;
    const double v = ParsePositiveText(f->MaskedText().toStdString(), shared_.DecSep);
    state_.SpeedInterv = v;
    const double range = std::fabs(state_.MaxSpeed - state_.MinSpeed);
    MarkEtaRefused(f, v <= 0.0 || v > range);
    if (v <= 0.0) {
        state_.SpeedInterv = 0.1;
        f->Reject("Your speed interval is negative or zero.",
                  MaskedField::RejectMode::ReplaceLastWithPrompt);
        return;
    }
    if (v > range) {
        state_.SpeedInterv = range;
        f->Reject("Your speed interval is too big.",
                  MaskedField::RejectMode::ReplaceLastWithPrompt);
        return;
    }
    f->SetBackColor(kValidGreen);
    f->ShowCommitted(PadLeft(FormatNumber(v, "#0.00", shared_.DecSep), 5));
}

void UtilitiesPage::optRound_Click(int index) {
    static const double steps[] = {86400.0, 240.0, 96.0};
    if (index < 0 || index > 2) return;
    state_.EtaRound = steps[index];
    if (!optRound[static_cast<size_t>(index)]->isChecked())
        optRound[static_cast<size_t>(index)]->setChecked(true);
}

void UtilitiesPage::updMinSpeed_Click(bool up) {
    double& v = state_.MinSpeed;
    if (up && v < 999.0) v += 1.0;
    if (!up && v > 1.0) v -= 1.0;
    MaskedField* f = mskMinSpeed;
    f->SetMaskedText(PadLeft(FormatNumber(v, "##0.0", shared_.DecSep), 5));
    f->Commit();
}

void UtilitiesPage::updMaxSpeed_Click(bool up) {
    double& v = state_.MaxSpeed;
    if (up && v < 999.0) v += 1.0;
    if (!up && v > 1.0) v -= 1.0;
    MaskedField* f = mskMaxSpeed;
    f->SetMaskedText(PadLeft(FormatNumber(v, "##0.0", shared_.DecSep), 5));
    f->Commit();
}

void UtilitiesPage::updInterval_Click(bool up) {
    double& v = state_.SpeedInterv;
    if (up && v < 99.0) v += 0.5;
    if (!up && v > 0.5) v -= 0.5;
    MaskedField* f = mskInterv;
    f->SetMaskedText(PadLeft(FormatNumber(v, "#0.00", shared_.DecSep), 5));
    f->Commit();
}

void UtilitiesPage::InitETAGrid(int count) {
    grdCalcETA->clear();
    QFont f = grdCalcETA->font();
    f.setPointSize(12);
    grdCalcETA->setFont(f);
    grdCalcETA->setColumnCount(3);
    grdCalcETA->setRowCount(count);
    // The pictures of the three headings: speed, ETA in UTC, ETA in the zone time.
    auto HeaderPicture = [this](int column) {
        static const char* const glyphs[] = {"kn", "UT", "LT"};
        static const QColor colours[] = {QColor(0, 110, 170), QColor(0, 140, 90),
                                         QColor(190, 110, 0)};
        if (!links_.Picture) return QIcon();
        return QIcon(links_.Picture(glyphs[column], colours[column]).pixmap(kEtaHeaderPicture));
    };
    const QStringList headers = {"Speed", "ETA in GMT" + QString(8, ' '),
                                 "ETA in LT" + QString(11, ' ')};
    for (int c = 0; c < 3; ++c) {
        auto* h = new QTableWidgetItem(HeaderPicture(c), headers[c]);
        h->setForeground(QColor(0, 0, 255));
        h->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        grdCalcETA->setHorizontalHeaderItem(c, h);
    }
    grdCalcETA->horizontalHeader()->setIconSize(QSize(kEtaHeaderPicture, kEtaHeaderPicture));
    grdCalcETA->horizontalHeader()->setMinimumHeight(
        static_cast<int>(std::lround(1.1 * kEtaHeaderPicture)));
    const int rowHeight = std::max(dtpDeparture->sizeHint().height(), 22);
    grdCalcETA->verticalHeader()->setDefaultSectionSize(rowHeight);
    // The widths follow the speed field and the departure picker as they
    // stand on the tab.
    auto width = [](const QWidget* w) {
        return w->width() > 0 ? w->width() : w->sizeHint().width();
    };
    const int w1 = static_cast<int>(std::lround(0.9 * width(dtpDeparture)));
    grdCalcETA->setColumnWidth(0, static_cast<int>(std::lround(1.7 * width(mskMinSpeed))));
    grdCalcETA->setColumnWidth(1, w1);
    grdCalcETA->setColumnWidth(2, w1);
    if (count > 0) grdCalcETA->setCurrentCell(0, 0);
}

void UtilitiesPage::RunEtaCase() {
    for (MaskedField* f : {mskDTG, mskMinSpeed, mskMaxSpeed, mskInterv}) {
        if (EtaRefused(f)) {
            f->setFocus();
            return;
        }
    }
    dtpDeparture_LostFocus();
    EtaInputs in;
    in.DepTime = state_.EtaDepTime;
    in.ZoneDep = state_.GMTZone[0];
    in.ZoneLocal = state_.GMTZone[1];
    in.Dist = state_.EtaDist;
    in.MinSpeed = state_.MinSpeed;
    in.MaxSpeed = state_.MaxSpeed;
    in.Interval = state_.SpeedInterv;
    in.Round = state_.EtaRound;
    const std::vector<EtaRow> rows = ComputeEtaTable(in);
    InitETAGrid(static_cast<int>(rows.size()));
    for (size_t i = 0; i < rows.size(); ++i) {
        const int r = static_cast<int>(i);
        const QString cells[3] = {Q(EtaSpeedText(rows[i].Speed, shared_.DecSep)),
                                  Q(EtaTimeText(rows[i].EtaUT)), Q(EtaTimeText(rows[i].EtaLT))};
        for (int c = 0; c < 3; ++c) {
            auto* item = new QTableWidgetItem(cells[c]);
            item->setTextAlignment(Qt::AlignCenter);
            grdCalcETA->setItem(r, c, item);
        }
    }
    grdCalcETA->setVisible(true);
    grdCalcETA->viewport()->update();
}

}  // namespace orvex
