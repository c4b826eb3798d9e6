// The great-circle tab of the sailing utilities page: its controls (with
// the reference-ellipsoid frames of both position tabs), the limit
// spinners, the outline and the great-circle case.
#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QPushButton>
#include <QTextDocument>
#include <QTreeWidget>
#include <algorithm>
#include <cmath>

#include "navlib/inout_lib.h"
#include "navlib/nautical_angles.h"
#include "platform/message_box.h"
#include "platform/rtf_reader.h"
#include "platform/up_down_buttons.h"
#include "sailing/core/great_circle_sailing.h"
#include "sailing/core/utility_fault.h"
#include "sailing/great_circle_report_box.h"
#include "sailing/utilities_layout.h"
#include "sailing/utilities_page.h"

namespace orvex {

using namespace utilities_layout;

void UtilitiesPage::BuildGreatCircleControls() {
    QGridLayout* gc = FieldGrid(this, 1);
    QWidget* gcW = gc->parentWidget();
    for (size_t i = 2; i < 4; ++i) {
        const size_t label = 2 * (i - 2);
        Relabel(gc, mskLat[i], kPositionLabels[label]);
        Relabel(gc, mskLong[i], kPositionLabels[label + 1]);
        mskLat[i]->setToolTip(kLatitudeTip);
        mskLong[i]->setToolTip(kLongitudeTip);
        const int erase = 2 * static_cast<int>(i) + 4;
        PlaceBeside(gc, mskLat[i], MakeEraseButton(erase, "Erase latitude", gcW), 2);
        PlaceBeside(gc, mskLong[i], MakeEraseButton(erase + 1, "Erase longitude", gcW), 2);
    }
    Relabel(gc, mskLat[4], "Max. Latitude :");
    Relabel(gc, mskLong[4], "Long. interval :");
    mskLat[4]->setToolTip("Enter max. lat. you don't want to exceed");
    mskLong[4]->setToolTip("Enter long. interval between 2 waypoints");
    PlaceBeside(gc, mskLat[4], MakeEraseButton(12, "Erase max. latitude", gcW), 2);
    PlaceBeside(gc, mskLong[4], MakeEraseButton(13, "Erase long. interval", gcW), 2);
    auto* box = new QWidget(gcW);
    auto* h = new QHBoxLayout(box);
    h->setContentsMargins(0, 0, 0, 0);
    updLat = new UpDownButtons("updLat", box);
    lblNS = new QLabel(box);
    lblNS->setObjectName("lblNS");
    lblNS->setMinimumWidth(12);
    h->addWidget(updLat);
    h->addWidget(lblNS);
    PlaceBeside(gc, mskLat[4], box, 3);
    updLong = new UpDownButtons("updLong", gcW);
    PlaceBeside(gc, mskLong[4], updLong, 3);
    connect(updLat, &UpDownButtons::UpClick, this, [this] { updLat_Click(true); });
    connect(updLat, &UpDownButtons::DownClick, this, [this] { updLat_Click(false); });
    connect(updLong, &UpDownButtons::UpClick, this, [this] { updLong_Click(true); });
    connect(updLong, &UpDownButtons::DownClick, this, [this] { updLong_Click(false); });
    gc->addWidget(MakeEraseButton(7, "Erase all", gcW), gc->rowCount(), 1, Qt::AlignLeft);
    BuildEllipsoidFrames();
    BuildOutlineAndReport();
}

void UtilitiesPage::BuildEllipsoidFrames() {
    for (int i = 0; i < 2; ++i) {
        QGridLayout* g = FieldGrid(this, i);
        QWidget* parent = g->parentWidget();
        auto* frame = new QGroupBox(" Reference ellipsoid ", parent);
        frame->setObjectName(Indexed("fraEllipsoid", i));
        auto* v = new QVBoxLayout(frame);
        v->addWidget(new QLabel("You are currently using", frame));
        auto* name = new QLabel(frame);
        name->setObjectName(Indexed("lblChoosenEllipsoid", i));
        name->setToolTip("2x click to change ellipsoid");
        QFont f = name->font();
        f.setBold(true);
        name->setFont(f);
        name->installEventFilter(this);
        name->setProperty("UtilEllipsoidLabel", true);
        v->addWidget(name);
        v->addWidget(new QLabel("as reference ellipsoid for all the computations.", frame));
        auto* sphere = new QLabel(
            i == 0 ? "Use \"Normal Sphere\" to compare with traditional results."
                   : "Use \"Normal Sphere\" to compare with traditional results.\n"
                     "On an ellipsoid the track is a geodesic: its vertex, distance and\n"
                     "courses differ slightly from those of a great circle on a sphere.",
            frame);
        sphere->setObjectName(Indexed("lblSphere", i));
        v->addWidget(sphere);
        v->addStretch(1);
        g->addWidget(frame, g->rowCount(), 0, 1, 4);
        fraEllipsoid[static_cast<size_t>(i)] = frame;
        lblChoosenEllipsoid[static_cast<size_t>(i)] = name;
    }
}

void UtilitiesPage::BuildOutlineAndReport() {
    QGridLayout* gc = FieldGrid(this, 1);
    QWidget* gcW = gc->parentWidget();
    outGCRes = new QTreeWidget(gcW);
    outGCRes->setObjectName("outGCRes");
    outGCRes->setHeaderHidden(true);
    outGCRes->setRootIsDecorated(false);
    outGCRes->setIndentation(14);
    outGCRes->setVisible(false);
    outGCRes->setMinimumHeight(230);
    const int row = RowOf(gc, fraEllipsoid[1]);
    gc->addWidget(outGCRes, row, 0, 1, 4);
    rtfCalcWP->setParent(gcW);
    rtfCalcWP->setMinimumWidth(500);
    gc->addWidget(rtfCalcWP, 0, 4, row + 1, 1);
    gc->setColumnStretch(3, 1);
    gc->setColumnStretch(4, 4);
    gc->setRowStretch(row, 1);
}

void UtilitiesPage::updLat_Click(bool up) {
    // The limit is shown without its hemisphere, and after a computation it
    // holds the vertex's sign: the arrows step its size.
    double& v = shared_.Lat(5);
    const double size = std::fabs(v), sign = v < 0.0 ? -1.0 : 1.0;
    if (up) {
        if (v == 0.0)
            v = std::fabs(shared_.Lat(3)) >= std::fabs(shared_.Lat(4)) ? shared_.Lat(3)
                                                                       : shared_.Lat(4);
        else if (size <= 89.0)
            v = sign * (size + 1.0);
    } else if (size >= 1.0) {
        v = sign * (size - 1.0);
    }
    mskLat[4]->SetMaskedText(Q(FormatLatitude(v, shared_.DecSep)).left(6));
    mskLat[4]->Commit();
}

void UtilitiesPage::updLong_Click(bool up) {
    double& v = shared_.Long(5);
    if (up) {
        if (v < 99.0) v += 1.0;
    } else if (v > 1.0) {
        v -= 1.0;
    }
    mskLong[4]->SetMaskedText(Q(FormatLongitude(v, shared_.DecSep)).mid(1, 6));
    mskLong[4]->Commit();
}

void UtilitiesPage::ShowOutline() {
    outGCRes->clear();
    std::array<QTreeWidgetItem*, 4> parents{};
    for (const OutlineRow& r : state_.GCOutline) {
        const int level = std::clamp(r.Level, 0, 3);
        const auto at = static_cast<size_t>(level);
        QTreeWidgetItem* parent = level >= 2 ? parents[at - 1] : nullptr;
        auto* item = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(outGCRes);
        item->setText(0, Q(r.Text));
        item->setData(0, Qt::UserRole, level);
        item->setHidden(level == 0);
        if (level >= 1) parents[at] = item;
    }
    outGCRes->expandAll();
}

void UtilitiesPage::CheckGreatCircleTemplate() {
    // Named at start even when it could not be read there.
    const QString path = rtfCalcWP->FileName();
    const QFileInfo info(path);
    QString problem;
    int number = 0;
    int marks = 0;
    if (path.isEmpty() || !info.exists()) {
        number = 53;
        problem = "File not found: CalcWP.rtf";
    } else if (!info.isFile()) {
        number = 75;
        problem = "Path/File access error: CalcWP.rtf is not a regular file.";
    } else {
        // Read aside and its marks counted, as the numeric report's template
        // is: a template cut short or without its marks would give a report
        // without its figures.
        QTextDocument probe;
        const RtfReadResult read = ReadRtfFile(path, probe);
        marks = static_cast<int>(probe.toRawText().count(QStringLiteral("§")));
        if (!read.ok && !QFile(path).open(QIODevice::ReadOnly)) {
            number = 75;
            problem = "Path/File access error: CalcWP.rtf cannot be read (" +
                      QFile(path).errorString() + ").";
        } else if (!read.ok || marks < kGreatCircleSlotCount) {
            number = 321;
            problem = QString(
                          "Invalid file format: the great-circle report template CalcWP.rtf "
                          "holds %1 of its %2 marks \"§\"; put the program's own template back "
                          "beside the program.")
                          .arg(read.ok ? marks : 0)
                          .arg(kGreatCircleSlotCount);
        }
    }
    if (number != 0) {
        // An earlier report would now disagree with the inputs.
        HideGreatCircleResults();
        throw UtilityFault(number, problem.toStdString());
    }
}

void UtilitiesPage::RunGreatCircleCase() {
    // The report template is read at each computation; without it nothing
    // is computed and the error report names what is wrong with the file.
    CheckGreatCircleTemplate();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    GreatCircleInputs in;
    in.Lat3 = shared_.Lat(3);
    in.Long3 = shared_.Long(3);
    in.Lat4 = shared_.Lat(4);
    in.Long4 = shared_.Long(4);
    in.LimitEntered = state_.UtilEntered[8];
    in.Limit = shared_.Lat(5);
    in.IntervalEntered = state_.UtilEntered[9];
    in.Interval = shared_.Long(5);
    GreatCircleResult r;
    try {
        r = ComputeGreatCircle(in, state_.Earth.Model);
    } catch (...) {
        QApplication::restoreOverrideCursor();
        throw;
    }
    QApplication::restoreOverrideCursor();

    if (r.LimitApplied) {
        shared_.Lat(5) = r.Limit;
        lblNS->setText(r.Limit > 0.0 ? "N" : "S");
    }
    if (r.LimitError != 0) {
        RefuseGreatCircleLimit(r.LimitError);
        return;
    }

    GreatCircleReportContext ctx;
    ctx.EllipsoidName = state_.Earth.Name;
    ctx.DecSep = shared_.DecSep;
    ctx.Sphere = state_.Earth.Model.IsSphere();
    rtfCalcWP->Reload();
    rtfCalcWP->SetSelStart(0);
    FillGreatCircleReport(*rtfCalcWP, in, r, ctx);
    UpdateGreatCircleOutline(state_.GCOutline, in, r, ctx);
    if (r.HasWaypoints) state_.WaypointTable = r.Waypoints;
    state_.RLDist = r.Theoretical;
    state_.RLCourse = r.SingleRLCourse;

    fraEllipsoid[1]->setVisible(false);
    ShowOutline();
    outGCRes->setVisible(true);
    rtfCalcWP->SetSelStart(0);
    rtfCalcWP->Refresh();
    // Shown at once: a wait that turned the event loop here let a click or
    // a key run into the middle of this computation.
    rtfCalcWP->setVisible(true);
    cmdAskPrint[0]->setEnabled(true);
}

void UtilitiesPage::RefuseGreatCircleLimit(int error) {
    // A refused limit is no result: the previous sailing is withdrawn
    // (report, outline, print and the distance handed to the ETA tab) rather
    // than left beside a report stopped halfway. A distance the user typed
    // on the rhumb-line tab stays his.
    rtfCalcWP->clear();
    state_.GCOutline = GreatCircleOutlineHeadings();
    ShowOutline();
    HideGreatCircleResults();
    state_.RLDist = state_.UtilEntered[11] ? state_.RLDistTyped : 0.0;
    ShowMessage(kIconExclamation + kButtonsOk, kInputErrorTitle,
                error == 1 ? QString("The maximum latitude is smaller than the departure latitude.")
                           : QString("The maximum latitude is smaller than the arrival latitude."),
                this);
    const QString t = mskLat[4]->MaskedText();
    if (t.size() >= 2) mskLat[4]->SetMaskedText(t.left(t.size() - 2) + "_'");
    mskLat[4]->setFocus();
}

}  // namespace orvex
