// The sailing utilities page: its tabs and fields, the erase, compute and
// print buttons, the moves between its tabs and TestCompute with its error
// report. The tabs' own controls and cases are in utilities_page_rhumb_line,
// utilities_page_great_circle and utilities_page_eta.
#include "sailing/utilities_page.h"

#include <QApplication>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QEvent>
#include <QGroupBox>
#include <QPushButton>
#include <QTableWidget>
#include <QTreeWidget>
#include <cmath>

#include "charts/print_lib.h"
#include "inputs/main_lists.h"
#include "navlib/hooks.h"
#include "navlib/inout_lib.h"
#include "navlib/nautical_angles.h"
#include "navlib/number_format.h"
#include "platform/message_box.h"
#include "platform/pc_clock.h"
#include "platform/tab_page.h"
#include "sailing/core/great_circle_report.h"
#include "sailing/core/utility_fault.h"
#include "sailing/utilities_layout.h"

namespace orvex {

using namespace utilities_layout;

namespace {

MaskedField* MakeField(QWidget* parent, const QString& name) {
    auto* f = new MaskedField(parent);
    f->setObjectName(name);
    f->setMaximumWidth(160);
    return f;
}

}  // namespace

// ---- Building the page ---------------------------------------------------------

UtilitiesPage::UtilitiesPage(UtilitiesSession& state, UtilitiesShared shared, UtilitiesLinks links,
                             QWidget* parent)
    : QTabWidget(parent), state_(state), shared_(shared), links_(std::move(links)) {
    setObjectName("tabUtil");
    setFixedSize(640, 420);
    setVisible(false);
    BuildTabs();
    BuildControls();
}

void UtilitiesPage::BuildTabs() {
    const TabPage rl = MakeTabPage(this, "&Rhumb Line", "tabUtil_0");
    const TabPage gc = MakeTabPage(this, "&Great Circle", "tabUtil_1");
    const TabPage eta = MakeTabPage(this, " &ETA Calculation", "tabUtil_2");

    for (int i = 0; i <= 4; ++i) {
        const TabPage& t = i <= 1 ? rl : gc;
        mskLat[static_cast<size_t>(i)] = MakeField(t.fields, Indexed("mskLat", i));
        mskLong[static_cast<size_t>(i)] = MakeField(t.fields, Indexed("mskLong", i));
    }
    AddRow(rl, "Departure latitude", mskLat[0]);
    AddRow(rl, "Departure longitude", mskLong[0]);
    AddRow(rl, "Arrival latitude", mskLat[1]);
    AddRow(rl, "Arrival longitude", mskLong[1]);
    mskCourse1 = MakeField(rl.fields, Indexed("mskCourse", 1));
    AddRow(rl, "Course", mskCourse1);
    mskDist = MakeField(rl.fields, "mskDist");
    AddRow(rl, "Distance", mskDist);
    lblDistance1 = new QLabel("[ nautical miles ]", rl.fields);
    lblDistance1->setObjectName("lblDistance_1");
    rl.grid->addWidget(lblDistance1, rl.grid->rowCount() - 1, 2);

    AddRow(gc, "Departure latitude", mskLat[2]);
    AddRow(gc, "Departure longitude", mskLong[2]);
    AddRow(gc, "Arrival latitude", mskLat[3]);
    AddRow(gc, "Arrival longitude", mskLong[3]);
    AddRow(gc, "Limiting latitude", mskLat[4]);
    AddRow(gc, "Waypoint interval", mskLong[4]);
    rtfCalcWP = new RichTextBox(gc.fields);
    rtfCalcWP->setObjectName("rtfCalcWP");
    rtfCalcWP->setReadOnly(true);
    rtfCalcWP->setVisible(false);

    mskDTG = MakeField(eta.fields, "mskDTG");
    mskMinSpeed = MakeField(eta.fields, "mskMinSpeed");
    mskMaxSpeed = MakeField(eta.fields, "mskMaxSpeed");
    mskInterv = MakeField(eta.fields, "mskInterv");
    AddRow(eta, "Distance to go", mskDTG);
    AddRow(eta, "Minimum speed", mskMinSpeed);
    AddRow(eta, "Maximum speed", mskMaxSpeed);
    AddRow(eta, "Speed interval", mskInterv);
    for (int i = 0; i < 2; ++i) {
        QComboBox* list = new QComboBox(eta.fields);
        list->setObjectName(Indexed("cboGMT", i));
        connect(list, &QComboBox::currentIndexChanged, this, [this, i] { cboGMT_Click(i); });
        cboGMT[static_cast<size_t>(i)] = list;
    }
    AddRow(eta, "Zone of the departure time", cboGMT[0]);
    AddRow(eta, "Zone of the local ETA", cboGMT[1]);

    const TabPage* pages[] = {&rl, &gc, &eta};
    for (int tab = 0; tab < 3; ++tab) {
        const TabPage& t = *pages[tab];
        if (tab >= 1) {
            QPushButton* prev = MakeButton(t.page, "&Previous tab", Indexed("cmdPrevTabUtil", tab));
            t.buttons->addWidget(prev);
            connect(prev, &QPushButton::clicked, this, &UtilitiesPage::cmdPrevTabUtil_Click);
        }
        if (tab <= 1) {
            QPushButton* next = MakeButton(t.page, "&Next tab", Indexed("cmdNextTabUtil", tab));
            t.buttons->addWidget(next);
            connect(next, &QPushButton::clicked, this, &UtilitiesPage::cmdNextTabUtil_Click);
        }
        QPushButton* end = MakeButton(t.page, "En&d", Indexed("cmdEndTabUtil", tab));
        t.buttons->addWidget(end);
        connect(end, &QPushButton::clicked, this, &UtilitiesPage::cmdEndTabUtil_Click);
    }
}

void UtilitiesPage::BuildControls() {
    AddDeparturePicker();
    HookPositionFields();
    setFixedSize(940, 600);
    for (int tab = 0; tab < 3; ++tab) {
        QGridLayout* g = FieldGrid(this, tab);
        g->setColumnStretch(2, 0);
        g->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    }
    BuildRhumbLineControls();
    BuildGreatCircleControls();
    BuildEtaControls();
    BuildButtonRows();
    FillTimeZoneLists();
    // No great-circle report yet: nothing to print.
    cmdAskPrint[0]->setEnabled(false);

    // Commits of the utilities' own fields.
    auto hook = [](MaskedField* f, std::function<void()> fn) {
        f->SetCommitHook([fn](MaskedField&) { fn(); });
    };
    hook(mskDist, [this] { mskDist_LostFocus(); });
    hook(mskDTG, [this] { mskDTG_LostFocus(); });
    hook(mskMinSpeed, [this] { mskMinSpeed_LostFocus(); });
    hook(mskMaxSpeed, [this] { mskMaxSpeed_LostFocus(); });
    hook(mskInterv, [this] { mskInterv_LostFocus(); });
    connect(this, &QTabWidget::currentChanged, this, [this] {
        const bool byCode =
            changingTabByCode_ || (links_.ChangingTabByCode && links_.ChangingTabByCode());
        if (!byCode && isVisible()) tabUtil_GotFocus();
    });
    imgStopCompute->setVisible(true);
}

void UtilitiesPage::FillTimeZoneLists() {
    // "GMT" is chosen as the user would: the zones are 0 hours.
    for (QComboBox* list : cboGMT) {
        list->blockSignals(true);
        list->clear();
        for (const TimeZoneRow& row : TimeZoneRows()) list->addItem(row.Label, row.ItemData);
        list->setCurrentIndex(-1);
        list->blockSignals(false);
        list->setCurrentIndex(kGmtTimeZoneRow);
    }
}

void UtilitiesPage::ShowTabByCode(int index) {
    changingTabByCode_ = true;
    setCurrentIndex(index);
    changingTabByCode_ = false;
}

void UtilitiesPage::cmdNextTabUtil_Click() {
    if (currentIndex() < count() - 1) {
        ShowTabByCode(currentIndex() + 1);
        tabUtil_GotFocus();
    }
}

void UtilitiesPage::cmdPrevTabUtil_Click() {
    if (currentIndex() >= 1) {
        ShowTabByCode(currentIndex() - 1);
        tabUtil_GotFocus();
    }
}

void UtilitiesPage::cmdEndTabUtil_Click() {
    setVisible(false);
    if (links_.PageClosed) links_.PageClosed();
}

QPushButton* UtilitiesPage::MakeEraseButton(int i, const QString& tip, QWidget* parent) {
    const bool all = i == 6 || i == 7 || i == 14;
    auto* b = new QPushButton(all ? "Erase all" : QString(u8"×"), parent);
    b->setObjectName(Indexed("cmdErase", i));
    b->setToolTip(tip);
    if (!all) b->setFixedWidth(28);
    // Tab walks from field to field, as on the star-fix page: a field's
    // own erase button is for the mouse (and a click erases even while a
    // refused entry holds the focus); "Erase all" is a stop of its own.
    b->setFocusPolicy(all ? Qt::TabFocus : Qt::NoFocus);
    connect(b, &QPushButton::clicked, this, [this, i] { cmdErase_Click(i); });
    return b;
}

QString UtilitiesPage::BlankPosition(bool latitude) const {
    return links_.BlankPositionText ? Q(links_.BlankPositionText(latitude)) : QString();
}

bool UtilitiesPage::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonDblClick &&
        watched->property("UtilEllipsoidLabel").toBool()) {
        lblChoosenEllipsoid_DblClick();
        return true;
    }
    return QTabWidget::eventFilter(watched, event);
}

void UtilitiesPage::cboGMT_Click(int index) {
    if (index < 0 || index > 1) return;
    QComboBox* list = cboGMT[static_cast<size_t>(index)];
    const int row = list->currentIndex();
    if (row < 0) return;
    state_.GMTZone[static_cast<size_t>(index)] = list->itemData(row).toInt() / 100.0;
}

// ---- Erase, compute, print ---------------------------------------------------------

MaskedField* UtilitiesPage::EmptyEntry(int i) {
    const std::string& sep = shared_.DecSep;
    MaskedField* f = nullptr;
    QString blank;
    switch (i) {
        case 0:
        case 1:
        case 2:
        case 3:
        case 8:
        case 9:
        case 10:
        case 11: {
            // Entries 0 to 3 are slots 1 and 2, entries 8 to 11 slots 3 and 4.
            const bool lat = i % 2 == 0;
            const int field = (i < 8 ? i : i - 4) / 2;
            f = (lat ? mskLat : mskLong)[static_cast<size_t>(field)];
            blank = BlankPosition(lat);
            (lat ? shared_.Lat : shared_.Long)(field + 1) = 0.0;
            state_.UtilEntered[static_cast<size_t>(i < 8 ? i : i - 4)] = false;
            if (i >= 8) HideGreatCircleResults();
            break;
        }
        case 4:
            f = mskCourse1;
            blank = Q("___°" + sep + "_");
            state_.RLCourse = 0.0;
            state_.UtilEntered[10] = false;
            break;
        case 5:
            f = mskDist;
            blank = Q("_____" + sep + "__");
            state_.RLDist = 0.0;
            state_.UtilEntered[11] = false;
            break;
        case 12:
            f = mskLat[4];
            blank = QString::fromUtf8("__°__'");
            shared_.Lat(5) = 0.0;
            state_.UtilEntered[8] = false;
            lblNS->clear();
            for (size_t r = 10; r <= 22; ++r) state_.GCOutline[r].Level = 0;
            HideGreatCircleResults();
            break;
        case 13:
            f = mskLong[4];
            blank = QString::fromUtf8("__°_0'");
            shared_.Long(5) = 0.0;
            state_.UtilEntered[9] = false;
            HideGreatCircleResults();
            break;
        case 15:
            f = mskDTG;
            blank = Q("_____" + sep + "__");
            state_.EtaDist = 0.0;
            break;
        case 16:
            f = mskMinSpeed;
            blank = Q("_10" + sep + "0");
            state_.MinSpeed = 10.0;
            break;
        case 17:
            f = mskMaxSpeed;
            blank = Q("_24" + sep + "0");
            state_.MaxSpeed = 24.0;
            break;
        case 18:
            f = mskInterv;
            blank = Q("_0" + sep + "50");
            state_.SpeedInterv = 0.5;
            break;
        default:
            return nullptr;
    }
    f->SetMaskedText(blank);
    f->SetBackColor(MaskedField::WindowColor());
    MarkEtaRefused(f, false);
    return f;
}

void UtilitiesPage::cmdErase_Click(int index) {
    int from = index, to = index;
    if (index == 6) {
        from = 0;
        to = 5;
        state_.RLShown = false;
    } else if (index == 7) {
        from = 8;
        to = 13;
    } else if (index == 14) {
        grdCalcETA->setVisible(false);
        grdCalcETA->scrollToTop();
        from = 15;
        to = 18;
    }
    MaskedField* last = nullptr;
    for (int i = from; i <= to; ++i) last = EmptyEntry(i);
    if (from == to && last) last->setFocus();
    TestCompute(0);
}

void UtilitiesPage::HideGreatCircleResults() {
    outGCRes->setVisible(false);
    rtfCalcWP->setVisible(false);
    fraEllipsoid[1]->setVisible(true);
    // A report not shown is not the inputs' any more: it is not printed.
    cmdAskPrint[0]->setEnabled(false);
}

void UtilitiesPage::cmdCompute_Click(int index) {
    // The Earth model and its labels already follow the ellipsoid list (it
    // hands each choice over); the computation is the button's own, once per
    // click.
    rlComputePressed_ = index == 0;
    if (index == 1) {
        const auto& f = state_.UtilEntered;
        if (!f[4] || !f[5] || !f[6] || !f[7]) {
            ShowMessage(kIconExclamation + kButtonsOk, QString(" Missing data"),
                        QString("Departure and/or arrival position not complete. Please correct."),
                        this);
            rlComputePressed_ = false;
            return;
        }
        if (SamePosition(shared_.Lat(3), shared_.Long(3), shared_.Lat(4), shared_.Long(4))) {
            ShowMessage(kIconExclamation + kButtonsOk, QString(" Departure = Arrival ?"),
                        QString("Same departure and arrival positions. Please correct."), window());
            rlComputePressed_ = false;
            return;
        }
    }
    TestCompute(index);
    rlComputePressed_ = false;
}

void UtilitiesPage::cmdAskPrint_Click(int index) {
    if (!CheckPrinterInstalled()) return;
    SetWaitCursor(true);
    if (links_.ShowPrintWait) links_.ShowPrintWait();
    std::vector<std::function<void()>> steps;
    if (index == 0) {
        steps.push_back([&] { PrintRichText(*rtfCalcWP, 1685, 1000, 500, 1000); });
    } else {
        steps.push_back([&] {
            GridPrintSettings settings;  // 1440 twips, Arial 12, plain
            TableWidgetGrid grid(*grdCalcETA);
            PrintGrid(grid, 0.77, 0.7, settings);
        });
        steps.push_back([&] { grdCalcETA->viewport()->update(); });
    }
    const bool done = RunPortraitPrintSteps(steps, "the results may not be properly printed.");
    if (!done) return;
    SetWaitCursor(false);
    TellWherePdfWent(index == 0 ? "The great-circle report" : "The ETA table");
}

// ---- Moves between the tabs ----------------------------------------------------

void UtilitiesPage::lblChoosenEllipsoid_DblClick() {
    setVisible(false);
    if (links_.ChangeEllipsoid) links_.ChangeEllipsoid();
}

void UtilitiesPage::tabUtil_GotFocus() {
    const auto& f = state_.UtilEntered;
    switch (currentIndex()) {
        case 0:
            if (f[4] && f[5] && f[6] && f[7]) TakeRoute(2, 0);
            mskLat[0]->setFocus();
            break;
        case 1:
            if (f[0] && f[1] && f[2] && f[3]) TakeRoute(0, 2);
            lblNS->clear();
            state_.GCOutline = GreatCircleOutlineHeadings();
            ShowOutline();
            outGCRes->clearSelection();
            outGCRes->setVisible(false);
            fraEllipsoid[1]->setVisible(true);
            mskLat[2]->setFocus();
            break;
        case 2: {
            cmdErase_Click(14);
            // The present UT cut down to the whole hour (a hair added so that
            // an exact hour is not taken for the one before).
            const double nowUtc = links_.UtNow ? links_.UtNow() : 0.0;
            dtpDeparture->setDateTime(FromDateValue(std::floor(nowUtc * 24.0 + 1e-7) / 24.0));
            dtpDeparture_LostFocus();
            // The distance typed on the rhumb-line tab, else the last one
            // computed (rhumb line or great circle).
            const double dist = f[11] ? state_.RLDistTyped : state_.RLDist;
            if (f[11] || dist != 0.0) {
                mskDTG->SetMaskedText(Q(FormatNumber(dist, "00000.00", shared_.DecSep)));
                mskDTG_LostFocus();
            }
            break;
        }
        default:
            break;
    }
}

void UtilitiesPage::TakeRoute(int from, int to) {
    const std::string& sep = shared_.DecSep;
    for (int k = 0; k < 2; ++k) {
        const auto field = static_cast<size_t>(to + k);
        mskLat[field]->SetMaskedText(Q(FormatLatitude(shared_.Lat(from + k + 1), sep)));
        mskLong[field]->SetMaskedText(Q(FormatLongitude(shared_.Long(from + k + 1), sep)));
    }
    for (int k = 0; k < 2; ++k) {
        const auto field = static_cast<size_t>(to + k);
        mskLat[field]->Commit();
        mskLong[field]->Commit();
    }
}

// ---- TestCompute -----------------------------------------------------------------

void UtilitiesPage::TestCompute(int iButton) {
    // The chosen ellipsoid's name on the two tabs that use it.
    for (QLabel* l : lblChoosenEllipsoid) l->setText(Q(state_.Earth.Name));
    const int tab = currentIndex();
    try {
        if (tab == 0)
            RunRhumbLineCase();
        else if (tab == 1 && iButton == 1)
            RunGreatCircleCase();
        else if (tab == 2 && iButton == 2)
            RunEtaCase();
    } catch (const UtilityFault& fault) {
        ReportUtilityError(fault.Number(), QString::fromStdString(fault.what()));
    } catch (const std::exception& e) {
        ReportUtilityError(51, QString::fromStdString(e.what()));
    }
}

void UtilitiesPage::ReportUtilityError(int number, const QString& description) {
    QApplication::restoreOverrideCursor();
    const std::string text = UtilityErrorText(number, description.toStdString());
    if (errorThrottle_.Admit(text, TimerSeconds()))
        ShowMessage(kIconCritical + kButtonsOk, QString(" ERROR REPORT"), Q(text), window());
}

}  // namespace orvex
