// The rhumb-line tab of the sailing utilities page: its controls, the
// distance field, the departure-arrival swap and the rhumb-line case.
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <cmath>

#include "navlib/inout_lib.h"
#include "navlib/nautical_angles.h"
#include "navlib/number_format.h"
#include "sailing/core/rhumb_line_utility.h"
#include "sailing/core/utility_fault.h"
#include "sailing/utilities_layout.h"
#include "sailing/utilities_page.h"

namespace orvex {

using namespace utilities_layout;

namespace {

// The red sign shown while the rhumb-line inputs pose no problem.
QPixmap StopPicture() {
    QPixmap pm(28, 28);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(QColor(200, 0, 0));
    p.setPen(QPen(Qt::white, 2));
    p.drawEllipse(2, 2, 24, 24);
    p.drawRect(7, 12, 14, 4);
    return pm;
}

}  // namespace

void UtilitiesPage::BuildRhumbLineControls() {
    QGridLayout* rl = FieldGrid(this, 0);
    QWidget* rlW = rl->parentWidget();
    for (size_t i = 0; i < 2; ++i) {
        Relabel(rl, mskLat[i], kPositionLabels[2 * i]);
        Relabel(rl, mskLong[i], kPositionLabels[2 * i + 1]);
        mskLat[i]->setToolTip(kLatitudeTip);
        mskLong[i]->setToolTip(kLongitudeTip);
        const int erase = 2 * static_cast<int>(i);
        PlaceBeside(rl, mskLat[i], MakeEraseButton(erase, "Erase latitude", rlW), 2);
        PlaceBeside(rl, mskLong[i], MakeEraseButton(erase + 1, "Erase longitude", rlW), 2);
    }
    Relabel(rl, mskCourse1, "Course :");
    Relabel(rl, mskDist, "Distance :");
    mskCourse1->setToolTip("Enter degrees [°] & tenths of degree");
    mskDist->setToolTip("Enter nautical miles & hundredths of nautical mile");
    PlaceBeside(rl, mskCourse1, MakeEraseButton(4, "Erase course", rlW), 2);
    PlaceBeside(rl, mskDist, MakeEraseButton(5, "Erase distance", rlW), 2);
    rl->removeWidget(lblDistance1);
    PlaceBeside(rl, mskDist, lblDistance1, 3);
    {
        const int row = rl->rowCount();
        auto* cmdShift = new QPushButton(u8"Departure ⇅ Arrival", rlW);
        cmdShift->setObjectName("cmdShift");
        cmdShift->setToolTip("Invert departure - arrival");
        connect(cmdShift, &QPushButton::clicked, this, &UtilitiesPage::cmdShift_Click);
        rl->addWidget(cmdShift, row, 1);
        rl->addWidget(MakeEraseButton(6, "Erase all", rlW), row, 2, 1, 2, Qt::AlignLeft);
        imgStopCompute = new QLabel(rlW);
        imgStopCompute->setObjectName("imgStopCompute");
        imgStopCompute->setPixmap(StopPicture());
        imgStopCompute->setToolTip("Not able to compute");
        rl->addWidget(imgStopCompute, 0, 4, 2, 1, Qt::AlignLeft | Qt::AlignTop);
        rl->setColumnStretch(5, 1);
    }
}

void UtilitiesPage::mskDist_LostFocus() {
    MaskedField* f = mskDist;
    if (f->IsEmptyEntry()) {
        state_.UtilEntered[11] = false;
        TestCompute(0);
        return;
    }
    state_.RLDist = ParsePositiveText(f->MaskedText().toStdString(), shared_.DecSep);
    state_.RLDistTyped = state_.RLDist;
    if (state_.RLDist == kNegativeNumber) {
        f->Reject("Negative distance.", MaskedField::RejectMode::ReplaceLastWithPrompt);
        return;
    }
    state_.UtilEntered[11] = true;
    f->SetBackColor(kValidGreen);
    f->ShowCommitted(
        QString::fromStdString(FormatNumber(state_.RLDist, "00000.00", shared_.DecSep)));
    TestCompute(0);
}

void UtilitiesPage::cmdShift_Click() {
    const std::string sep = shared_.DecSep;
    auto swap = [](MaskedField* a, MaskedField* b, const QString& blank) {
        const QString ta = a->IsEmptyEntry() ? blank : a->MaskedText();
        const QString tb = b->IsEmptyEntry() ? blank : b->MaskedText();
        a->SetMaskedText(tb);
        b->SetMaskedText(ta);
        if (tb == blank) a->SetBackColor(MaskedField::WindowColor());
        if (ta == blank) b->SetBackColor(MaskedField::WindowColor());
    };
    swap(mskLat[0], mskLat[1], BlankPosition(true));
    swap(mskLong[0], mskLong[1], BlankPosition(false));
    for (size_t i = 0; i < 4; ++i) state_.UtilEntered[i] = false;
    mskLat[0]->Commit();
    mskLong[0]->Commit();
    mskLat[1]->Commit();
    mskLong[1]->Commit();
    cmdErase_Click(4);
    cmdErase_Click(5);
}

void UtilitiesPage::RunRhumbLineCase() {
    const RhumbLineProblem problem = ChooseRhumbLineProblem(state_.UtilEntered);
    if (problem == RhumbLineProblem::None) {
        imgStopCompute->setVisible(true);
        return;
    }
    imgStopCompute->setVisible(false);
    if (state_.RLShown && !rlComputePressed_) return;
    if (problem == RhumbLineProblem::DepartureIncomplete) return;
    RhumbLineValues v;
    v.Lat1 = shared_.Lat(1);
    v.Long1 = shared_.Long(1);
    v.Lat2 = shared_.Lat(2);
    v.Long2 = shared_.Long(2);
    v.Course = state_.RLCourse;
    v.Dist = state_.RLDist;
    const SailingStatus status = SolveRhumbLine(problem, v, state_.Earth.Model);
    for (double x : {v.Lat2, v.Long2, v.Course, v.Dist})
        if (!std::isfinite(x)) throw UtilityFault(UtilityFault::kOverflow, "Overflow");
    shared_.Lat(2) = v.Lat2;
    shared_.Long(2) = v.Long2;
    state_.RLCourse = v.Course;
    state_.RLDist = v.Dist;
    const std::string& sep = shared_.DecSep;
    // A refused problem has no result: its result fields are left empty
    // rather than show the routine's neutral values as an answer.
    const bool refused = status == SailingStatus::NoSolution;
    auto show = [refused](MaskedField* f, const std::string& text) {
        f->SetMaskedText(refused ? QString() : QString::fromStdString(text));
        f->SetBackColor(refused ? MaskedField::WindowColor() : kComputedYellow);
    };
    MaskedField* dist = mskDist;
    switch (problem) {
        case RhumbLineProblem::Direct:
            show(mskLat[1], FormatLatitude(v.Lat2, sep));
            show(mskLong[1], FormatLongitude(v.Long2, sep));
            break;
        case RhumbLineProblem::ByLatitude:
            show(mskLong[1], FormatLongitude(v.Long2, sep));
            show(dist, FormatNumber(v.Dist, "00000.00", sep));
            break;
        case RhumbLineProblem::ByLongitude:
            show(mskLat[1], FormatLatitude(v.Lat2, sep));
            show(dist, FormatNumber(v.Dist, "00000.00", sep));
            break;
        default:
            show(mskCourse1, FormatNumber(v.Course, "000°.0", sep));
            show(dist, FormatNumber(v.Dist, "00000.00", sep));
            break;
    }
    state_.RLShown = true;
}

}  // namespace orvex
