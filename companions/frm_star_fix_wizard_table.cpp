// The star-fix wizard's step 4: the table of the chosen stars' azimuth,
// expected sextant altitude and magnitude, for the twilight, for a time the
// navigator types, or following the PC clock; its columns change places by
// a drag of their headers, the first one then giving the order.
#include <QApplication>
#include <QDateTimeEdit>
#include <QFrame>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "companions/companion_controls.h"
#include "companions/frm_star_fix_wizard.h"
#include "companions/wizard_pictures.h"
#include "platform/masked_field.h"
#include "platform/message_box.h"
#include "platform/pc_clock.h"
#include "platform/tab_page.h"

namespace orvex {

using namespace companion_ui;

namespace {

constexpr int kLiveInterval = 15000;  // ms

const char* const kHeader[4] = {"Name of the Star  ", "Azimuth  ", "Altitude", "Magn. "};
const double kColumnWidth[4] = {0.3382, 0.21, 0.2, 0.2};
const WizardPicture kHeaderPicture[4] = {WizardPicture::HeaderName, WizardPicture::HeaderAzimuth,
                                         WizardPicture::HeaderAltitude,
                                         WizardPicture::HeaderMagnitude};

// Each value of a row in the column that shows `field`.
QString FieldText(const BodyPlace& p, int field, const std::string& decSep) {
    switch (field) {
        case 0:
            return Q(p.name);
        case 1:
            return Q(FormatWizardAzimuth(p.az));
        case 2:
            return Q(FormatWizardAltitude(p.hs));
        default:
            return Q(FormatWizardMagnitude(p.mag, decSep));
    }
}

// The number a field sorts by when the table is sorted numerically: a name
// holds no number and reads 0, as every name does.
double FieldNumber(const BodyPlace& p, int field) {
    switch (field) {
        case 1:
            return p.az;
        case 2:
            return p.hs;
        case 3:
            return p.mag;
        default:
            return 0.0;
    }
}

// Candidate i (0-based) as a row of the stars table.
BodyPlace CandidatePlace(const StarCandidates& cand, int i) {
    const auto u = static_cast<std::size_t>(i);
    BodyPlace p;
    p.name = cand.CandName[u];
    p.az = cand.CandAz[u];
    p.hs = cand.CandHs[u];
    p.mag = cand.CandMag[u];
    return p;
}

}  // namespace

void FrmStarFixWizard::BuildStep4(QFrame* f) {
    auto* v = new QVBoxLayout(f);
    auto* top = new QHBoxLayout;
    lblStep[3] = MakeCaption(f, "Position of the selected stars on", "lblStep_3");
    dtpRealTime = MakeUtPicker(f, "dtpRealTime", "d MMM yyyy HH:mm:ss");
    top->addWidget(lblStep[3]);
    top->addWidget(dtpRealTime);
    top->addWidget(MakeLabel(f, "UT"));
    top->addStretch(1);
    v->addLayout(top);
    bthStartTimer = MakeButton(f, "Start real time display", "bthStartTimer");
    bthStartTimer->setIcon(QIcon(WizardPictureOf(WizardPicture::TimerStart, 20)));
    bthStartTimer->setIconSize(QSize(20, 20));
    auto* bh = new QHBoxLayout;
    bh->addWidget(bthStartTimer);
    bh->addStretch(1);
    v->addLayout(bh);
    grdStars = new QTableWidget(f);
    grdStars->setObjectName("grdStars");
    grdStars->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grdStars->verticalHeader()->setVisible(false);
    grdStars->horizontalHeader()->setSectionsClickable(true);
    grdStars->horizontalHeader()->viewport()->installEventFilter(this);
    grdStars->viewport()->installEventFilter(this);
    v->addWidget(grdStars, 1);
    connect(bthStartTimer, &QPushButton::clicked, this, &FrmStarFixWizard::bthStartTimer_Click);
    connect(dtpRealTime, &QDateTimeEdit::dateTimeChanged, this, [this] {
        if (!settingByCode_) dtpRealTime_Change();
    });
}

bool FrmStarFixWizard::StepTable() {
    int count = 0;
    for (int i = 0; i <= wizLastCandidate_; ++i)
        if (IsSelectedItem(i)) ++count;
    if (count == 0) {
        ShowMessage(kIconExclamation + kButtonsOk, "No star selected",
                    "There is no star selected.\r\nPlease select at least one star.", this);
        return false;
    }
    wizRowCount_ = count;
    InitStarsGrid();
    rows_.clear();
    for (int i = 0; i <= wizLastCandidate_; ++i) {
        if (!IsSelectedItem(i)) continue;
        rows_.push_back(CandidatePlace(cand_, i));
    }
    SortRows(true);
    ShowRows();
    SetPickerValue(dtpRealTime, wizObsTime_);  // whole seconds
    SetRealTimeHint(obsTimeTyped_ ? "Time entered by user" : "Time of sunrise/sunset");
    wizEndEnabled_ = true;
    return true;
}

void FrmStarFixWizard::SetRealTimeHint(const QString& hint) {
    dtpRealTime->setToolTip(hint);
}

void FrmStarFixWizard::StopTimer() {
    if (tmrRealTime) tmrRealTime->stop();
}

void FrmStarFixWizard::ShowTimerButton(bool running) {
    bthStartTimer->setText(running ? "Stop real time display" : "Start real time display");
    bthStartTimer->setIcon(
        QIcon(WizardPictureOf(running ? WizardPicture::TimerStop : WizardPicture::TimerStart, 20)));
}

void FrmStarFixWizard::InitStarsGrid() {
    grdStars->setVisible(true);
    grdStars->setUpdatesEnabled(false);
    grdStars->clear();
    QFont font = grdStars->font();
    font.setPointSize(11);
    grdStars->setFont(font);
    grdStars->setColumnCount(4);
    grdStars->setRowCount(wizRowCount_);
    const int rowHeight = static_cast<int>(std::lround(0.8 * mskLat->sizeHint().height()));
    grdStars->verticalHeader()->setDefaultSectionSize(std::max(rowHeight, 18));
    grdStars->horizontalHeader()->setMinimumHeight(static_cast<int>(std::lround(1.1 * 20)));
    grdStars->horizontalHeader()->setDefaultAlignment(Qt::AlignRight | Qt::AlignVCenter);
    columnField_ = {0, 1, 2, 3};
    ShowRows();
    grdStars->setCurrentCell(wizRowCount_ > 0 ? 0 : -1, 0);
    grdStars->scrollToTop();
    grdStars->setUpdatesEnabled(true);
}

void FrmStarFixWizard::ShowRows() {
    grdStars->setColumnCount(4);
    grdStars->setRowCount(static_cast<int>(rows_.size()));
    for (int c = 0; c < 4; ++c) {
        const int field = columnField_[static_cast<std::size_t>(c)];
        auto* h =
            new QTableWidgetItem(QIcon(WizardPictureOf(kHeaderPicture[field], 18)), kHeader[field]);
        h->setForeground(QColor(0, 0, 255));
        QFont hf = grdStars->font();
        hf.setPointSize(11);
        h->setFont(hf);
        h->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        grdStars->setHorizontalHeaderItem(c, h);
        for (std::size_t r = 0; r < rows_.size(); ++r) {
            auto* item = new QTableWidgetItem(FieldText(rows_[r], field, links_.DecSep));
            item->setTextAlignment(Qt::AlignCenter);
            grdStars->setItem(static_cast<int>(r), c, item);
        }
    }
    // While its step is hidden the table has no width of its own yet: the
    // columns are then sized when it shows.
    if (grdStars->isVisible()) SizeStarColumns();
    grdStars->scrollToTop();
}

void FrmStarFixWizard::SizeStarColumns() {
    const int w = grdStars->viewport()->width();
    for (int c = 0; c < 4; ++c)
        grdStars->setColumnWidth(
            c, static_cast<int>(
                   std::lround(w * kColumnWidth[columnField_[static_cast<std::size_t>(c)]])));
}

void FrmStarFixWizard::SortRows(bool byColumnOne) {
    const std::array<int, 4> fields = columnField_;
    const std::string sep = links_.DecSep;
    if (byColumnOne) {
        const int f = fields[1];
        std::stable_sort(rows_.begin(), rows_.end(), [f](const BodyPlace& a, const BodyPlace& b) {
            return FieldNumber(a, f) < FieldNumber(b, f);
        });
        return;
    }
    const bool numeric = QString(kHeader[fields[0]]) == "Magn. ";
    std::stable_sort(rows_.begin(), rows_.end(), [&](const BodyPlace& a, const BodyPlace& b) {
        for (int f : fields) {
            if (numeric) {
                const double x = FieldNumber(a, f), y = FieldNumber(b, f);
                if (x != y) return x < y;
            } else {
                const QString x = FieldText(a, f, sep), y = FieldText(b, f, sep);
                if (x != y) return x < y;
            }
        }
        return false;
    });
}

void FrmStarFixWizard::FillStarsTable() {
    cand_ = VisibleBodies(inputs_.date, inputs_.lat, inputs_.lon, inputs_.heightEye);
    wizRowCount_ = cand_.Count();
    InitStarsGrid();
    rows_.clear();
    for (int i = 0; i < cand_.Count(); ++i) {
        rows_.push_back(CandidatePlace(cand_, i));
    }
    SortRows(true);
    ShowRows();
}

void FrmStarFixWizard::bthStartTimer_Click() {
    if (tmrRealTime->isActive()) {
        tmrRealTime->stop();
        ShowTimerButton(false);
        SetRealTimeHint("Computer clock (stopped)");
    } else {
        tmrRealTime->start(kLiveInterval);
        ShowTimerButton(true);
        SetRealTimeHint("Computer clock (updated every 15s)");
        tmrRealTime_Timer();
    }
}

void FrmStarFixWizard::tmrRealTime_Timer() {
    const double t = links_.UtNow();
    SetPickerValue(dtpRealTime, t);
    // The columns may have changed places: each value goes to the column
    // whose header names it (ShowRows places them by columnField_, which
    // the header texts follow).
    rows_.clear();
    for (int i = 0; i <= wizLastCandidate_; ++i) {
        if (!IsSelectedItem(i)) continue;
        rows_.push_back(ComputeBodyPlace(cand_.CandName[static_cast<std::size_t>(i)], t,
                                         inputs_.lat, inputs_.lon, inputs_.heightEye));
    }
    wizRowCount_ = static_cast<int>(rows_.size());
    SortRows(!wizUserSorted_);
    grdStars->setUpdatesEnabled(false);
    ShowRows();
    grdStars->setUpdatesEnabled(true);
}

void FrmStarFixWizard::dtpRealTime_Change() {
    if (tmrRealTime->isActive()) {
        tmrRealTime->stop();
        ShowTimerButton(false);
    }
    if (!dtpRealTime->dateTime().isValid()) return;
    SetRealTimeHint("Time entered by user");
    const double t = ToDateValue(dtpRealTime->dateTime().toUTC());
    rows_.clear();
    const bool everyBody = tag_ == "FromAzi";
    const int last = everyBody ? cand_.Count() - 1 : wizLastCandidate_;
    for (int i = 0; i <= last && i < cand_.Count(); ++i) {
        if (!everyBody && !IsSelectedItem(i)) continue;
        rows_.push_back(ComputeBodyPlace(cand_.CandName[static_cast<std::size_t>(i)], t,
                                         inputs_.lat, inputs_.lon, inputs_.heightEye));
    }
    wizRowCount_ = static_cast<int>(rows_.size());
    SortRows(true);
    ShowRows();
}

// ---- The header drag ----------------------------------------------------------

bool FrmStarFixWizard::StarTableEvent(QObject* watched, QEvent* e) {
    if (!grdStars) return false;
    if (watched == grdStars->horizontalHeader()->viewport()) {
        auto* header = grdStars->horizontalHeader();
        if (e->type() == QEvent::MouseButtonPress) {
            const auto* me = static_cast<QMouseEvent*>(e);
            grdStars_MouseDown(0, header->logicalIndexAt(me->position().toPoint()));
            QApplication::setOverrideCursor(Qt::SizeHorCursor);
            return true;
        }
        if (e->type() == QEvent::MouseButtonRelease) {
            const auto* me = static_cast<QMouseEvent*>(e);
            QApplication::restoreOverrideCursor();
            grdStars_MouseUp(header->logicalIndexAt(me->position().toPoint()));
            return true;
        }
    }
    if (watched == grdStars->viewport() &&
        (e->type() == QEvent::Show || e->type() == QEvent::Resize))
        SizeStarColumns();
    if (watched == grdStars->viewport() && e->type() == QEvent::MouseButtonRelease) {
        grdStars_MouseDown(1, -1);
        grdStars_MouseUp(-1);
    }
    return false;
}

void FrmStarFixWizard::grdStars_MouseDown(int row, int column) {
    draggedColumn_ = -1;
    if (row == 0 && column >= 0 && column < 4) draggedColumn_ = column;
}

void FrmStarFixWizard::grdStars_MouseUp(int targetColumn) {
    wizUserSorted_ = true;
    if (draggedColumn_ < 0) return;
    const auto from = static_cast<std::size_t>(draggedColumn_);
    draggedColumn_ = -1;
    const std::size_t to =
        (targetColumn >= 0 && targetColumn < 4) ? static_cast<std::size_t>(targetColumn) : from;
    grdStars->setUpdatesEnabled(false);
    const int moved = columnField_[from];
    std::array<int, 4> order{};
    std::size_t k = 0;
    for (std::size_t c = 0; c < 4; ++c)
        if (c != from) order[k++] = columnField_[c];
    // Insert the moved column at position `to`.
    std::array<int, 4> result{};
    std::size_t src = 0;
    for (std::size_t c = 0; c < 4; ++c) result[c] = (c == to) ? moved : order[src++];
    columnField_ = result;
    SortRows(false);
    ShowRows();
    grdStars->setUpdatesEnabled(true);
}

}  // namespace orvex
