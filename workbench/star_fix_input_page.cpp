// The star-fix input page built: its three tabs laid out in their frames
// (estimated position and times, observer motion; observer, external
// conditions; the observation grid), the navigation buttons of each tab,
// and the hooks that tie every field to its handler.
#include "workbench/star_fix_input_page.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "inputs/position_checks.h"
#include "platform/masked_field.h"
#include "platform/up_down_buttons.h"
#include "workbench/core/star_fix_session.h"
#include "workbench/field_layout.h"
#include "workbench/focus_watch.h"
#include "workbench/masked_input.h"
#include "workbench/observation_grid.h"
#include "workbench/sights_editor.h"
#include "workbench/star_fix_input_page.h"

namespace orvex {

namespace {

const QString kPositionTipLat = "Enter degrees [°] minutes ['] & tenths of minute N/+ S/-";
const QString kPositionTipLong = "Enter degrees [°] minutes ['] & tenths of minute E/+ W/-";
const QString kCourseTip = "Enter degrees [°] & tenths of degree";
const QString kSpeedTip = "Enter knots & tenths of knot (1 knot = 1.852 km/h)";

QString Indexed(const char* name, int index) {
    return QString("%1_%2").arg(name).arg(index);
}

// A tab page "tabIn_N": its field area "tabIn_N_fields" above a row of
// navigation buttons.
QWidget* MakeTab(QTabWidget* tabs, const QString& caption, int index, QWidget** fields) {
    auto* page = new QWidget(tabs);
    page->setObjectName(Indexed("tabIn", index));
    auto* v = new QVBoxLayout(page);
    *fields = new QWidget(page);
    (*fields)->setObjectName(Indexed("tabIn", index) + "_fields");
    v->addWidget(*fields, 1);
    auto* buttons = new QHBoxLayout;
    buttons->setObjectName("buttons");
    buttons->addStretch(1);
    v->addLayout(buttons);
    tabs->addTab(page, caption);
    return page;
}

QVBoxLayout* FrameColumn(QWidget* fields) {
    auto* v = new QVBoxLayout(fields);
    v->setContentsMargins(6, 4, 6, 4);
    return v;
}

QPushButton* MakeButton(QWidget* parent, const QString& text, const QString& name) {
    auto* b = new QPushButton(text, parent);
    b->setObjectName(name);
    return b;
}

}  // namespace

StarFixInputPage::StarFixInputPage(StarFixSession& session, StarFixInputContext context,
                                   StarFixInputLinks links, QWidget* parent)
    : QTabWidget(parent), state_(session), ctx_(context), links_(std::move(links)) {
    setObjectName("tabIn");
    setFixedSize(600, 400);
    setVisible(false);
    BuildPositionTab();
    BuildConditionsTab();
    BuildObservationsTab();
    AddTabButtons();
    HookFields();
    installEventFilter(this);
}

StarFixInputPage::~StarFixInputPage() = default;

MaskedField* StarFixInputPage::MaskField(const std::string& name, int index) const {
    auto pick = [index](const auto& arr) -> MaskedField* {
        return index >= 0 && index < static_cast<int>(arr.size()) ? arr[At(index)] : nullptr;
    };
    if (name == "mskLat") return index == 5 ? mskLat5 : nullptr;
    if (name == "mskLong") return index == 5 ? mskLong5 : nullptr;
    if (name == "mskCourse") return index == 0 ? mskCourse0 : nullptr;
    if (name == "mskInstErr") return pick(mskInstErr);
    if (name == "mskTempCelcius") return pick(mskTempCelcius);
    if (name == "mskTempFahr") return pick(mskTempFahr);
    if (index >= 0) return nullptr;
    const auto it = singleMasks_.find(name);
    return it == singleMasks_.end() ? nullptr : it->second;
}

QWidget* StarFixInputPage::BuildPositionTab() {
    QWidget* area = nullptr;
    QWidget* page = MakeTab(this, "&Position", 0, &area);
    QVBoxLayout* pos = FrameColumn(area);

    QGroupBox* fraEst = FieldFrame(" Estimated position ", "fraEstPos", area);
    auto* est = new QGridLayout(fraEst);
    dtpTime[0] = MakeUtPicker("dtpTime_0", fraEst);
    dtpTime[0]->setToolTip("Time (UT) of the estimated position");
    est->addWidget(FieldLabel("Time (UT) :", fraEst), 0, 0);
    est->addWidget(dtpTime[0], 0, 1, 1, 2);
    mskLat5 = MakeMaskedField(fraEst, "mskLat_5");
    mskLong5 = MakeMaskedField(fraEst, "mskLong_5");
    cmdEraseLat = MakeButton(fraEst, "Erase", "cmdEraseLat");
    cmdEraseLong = MakeButton(fraEst, "Erase", "cmdEraseLong");
    for (QPushButton* b : {cmdEraseLat, cmdEraseLong}) {
        // A click erases even while a refused entry holds the focus.
        b->setFocusPolicy(Qt::NoFocus);
        b->setToolTip("Erase this field");
    }
    est->addWidget(FieldLabel("Latitude :", fraEst), 1, 0);
    est->addWidget(mskLat5, 1, 1);
    est->addWidget(cmdEraseLat, 1, 2, Qt::AlignLeft);
    est->addWidget(FieldLabel("Longitude :", fraEst), 2, 0);
    est->addWidget(mskLong5, 2, 1);
    est->addWidget(cmdEraseLong, 2, 2, Qt::AlignLeft);
    est->setColumnStretch(3, 1);
    pos->addWidget(fraEst);

    QGroupBox* fraWanted = FieldFrame(" Position wanted ", "fraTruePos", area);
    auto* wanted = new QGridLayout(fraWanted);
    dtpTime[1] = MakeUtPicker("dtpTime_1", fraWanted);
    dtpTime[1]->setToolTip("Time (UT) at which the position is wanted");
    wanted->addWidget(FieldLabel("Time (UT) :", fraWanted), 0, 0);
    wanted->addWidget(dtpTime[1], 0, 1);
    wanted->setColumnStretch(2, 1);
    pos->addWidget(fraWanted);

    QGroupBox* fraMotion = FieldFrame(" Observer motion ", "fraMotion", area);
    auto* motion = new QGridLayout(fraMotion);
    mskCourse0 = MakeMaskedField(fraMotion, "mskCourse_0");
    mskSpeed = MakeMaskedField(fraMotion, "mskSpeed");
    singleMasks_["mskSpeed"] = mskSpeed;
    motion->addWidget(FieldLabel("True course :", fraMotion), 0, 0);
    motion->addWidget(mskCourse0, 0, 1);
    motion->addWidget(FieldLabel("True speed (ground) :", fraMotion), 1, 0);
    motion->addWidget(mskSpeed, 1, 1);
    motion->addWidget(FieldLabel("knot(s)", fraMotion), 1, 2);
    motion->setColumnStretch(3, 1);
    pos->addWidget(fraMotion);

    ch3OneEstPos1 = new QCheckBox("Compute all intercepts with one estimated position.", area);
    ch3OneEstPos1->setObjectName("ch3OneEstPos_1");
    pos->addWidget(ch3OneEstPos1);
    pos->addStretch(1);

    FitField(mskLat5, "00°00'.0 N");
    FitField(mskLong5, "000°00'.0 W");
    FitField(mskCourse0, "000°.0");
    FitField(mskSpeed, "000.0");
    return page;
}

QWidget* StarFixInputPage::BuildConditionsTab() {
    QWidget* area = nullptr;
    QWidget* page = MakeTab(this, " Obs. &conditions", 1, &area);
    QVBoxLayout* cond = FrameColumn(area);
    auto single = [this](QWidget* parent, const char* name) {
        MaskedField* f = MakeMaskedField(parent, name);
        singleMasks_[name] = f;
        return f;
    };

    QGroupBox* fraObserver = FieldFrame(" Observer ", "fraObserver", area);
    auto* obs = new QGridLayout(fraObserver);
    mskHeightM = single(fraObserver, "mskHeightM");
    mskHeightF = single(fraObserver, "mskHeightF");
    mskInstErr[0] = MakeMaskedField(fraObserver, "mskInstErr_0");
    obs->addWidget(FieldLabel("Height of observer eye :", fraObserver), 0, 0);
    obs->addWidget(mskHeightM, 0, 1);
    obs->addWidget(FieldLabel("meters or", fraObserver), 0, 3);
    obs->addWidget(mskHeightF, 0, 4);
    obs->addWidget(FieldLabel("feet", fraObserver), 0, 6);
    obs->addWidget(FieldLabel("Instrument correction :", fraObserver), 1, 0);
    obs->addWidget(mskInstErr[0], 1, 1);
    obs->addWidget(FieldLabel("minutes", fraObserver), 1, 3);
    obs->setColumnMinimumWidth(2, 18);
    obs->setColumnMinimumWidth(5, 18);
    obs->setColumnStretch(7, 1);
    cond->addWidget(fraObserver);

    QGroupBox* fraExt = FieldFrame(" External conditions ", "fraExternal", area);
    auto* ext = new QGridLayout(fraExt);
    auto spin = [fraExt](const QString& name) { return new UpDownButtons(name, fraExt); };
    mskPressMBars = single(fraExt, "mskPress_mBars");
    mskPressHg = single(fraExt, "mskPressHg");
    UpDownButtons* updMBars = spin("updPress_mBars");
    UpDownButtons* updHg = spin("updPressHg");
    ext->addWidget(FieldLabel("Atmospheric pressure :", fraExt), 0, 0);
    ext->addWidget(mskPressMBars, 0, 1);
    ext->addWidget(updMBars, 0, 2);
    ext->addWidget(FieldLabel("mbars or", fraExt), 0, 3);
    ext->addWidget(mskPressHg, 0, 4);
    ext->addWidget(updHg, 0, 5);
    ext->addWidget(FieldLabel("inHg", fraExt), 0, 6);
    connect(updMBars, &UpDownButtons::UpClick, this, &StarFixInputPage::updPress_mBars_UpClick);
    connect(updMBars, &UpDownButtons::DownClick, this, &StarFixInputPage::updPress_mBars_DownClick);
    connect(updHg, &UpDownButtons::UpClick, this, &StarFixInputPage::updPressHg_UpClick);
    connect(updHg, &UpDownButtons::DownClick, this, &StarFixInputPage::updPressHg_DownClick);
    const char* tempCaptions[2] = {"Air temperature :", "Water temperature :"};
    for (int i = 0; i < 2; ++i) {
        mskTempCelcius[At(i)] = MakeMaskedField(fraExt, Indexed("mskTempCelcius", i));
        mskTempFahr[At(i)] = MakeMaskedField(fraExt, Indexed("mskTempFahr", i));
        UpDownButtons* updC = spin(Indexed("updTempCelcius", i));
        UpDownButtons* updF = spin(Indexed("updTempFahr", i));
        ext->addWidget(FieldLabel(tempCaptions[i], fraExt), i + 1, 0);
        ext->addWidget(mskTempCelcius[At(i)], i + 1, 1);
        ext->addWidget(updC, i + 1, 2);
        ext->addWidget(FieldLabel("°C  or", fraExt), i + 1, 3);
        ext->addWidget(mskTempFahr[At(i)], i + 1, 4);
        ext->addWidget(updF, i + 1, 5);
        ext->addWidget(FieldLabel("°F", fraExt), i + 1, 6);
        connect(updC, &UpDownButtons::UpClick, this, [this, i] { updTempCelcius_UpClick(i); });
        connect(updC, &UpDownButtons::DownClick, this, [this, i] { updTempCelcius_DownClick(i); });
        connect(updF, &UpDownButtons::UpClick, this, [this, i] { updTempFahr_UpClick(i); });
        connect(updF, &UpDownButtons::DownClick, this, [this, i] { updTempFahr_DownClick(i); });
    }
    ext->setColumnStretch(7, 1);
    cond->addWidget(fraExt);
    cond->addStretch(1);

    FitField(mskInstErr[0], "-00.00");
    FitField(mskHeightF, "000.0");
    FitField(mskHeightM, "00.00");
    FitField(mskPressMBars, "00000");
    FitField(mskPressHg, "00.000");
    for (int i = 0; i < 2; ++i) {
        FitField(mskTempCelcius[At(i)], "-000");
        FitField(mskTempFahr[At(i)], "-000");
    }
    return page;
}

QWidget* StarFixInputPage::BuildObservationsTab() {
    QWidget* area = nullptr;
    QWidget* page = MakeTab(this, "&Observations", 2, &area);
    auto* grid = new QGridLayout(area);
    grid->setColumnStretch(2, 1);
    SightsEditorLinks links;
    links.ShowTimeStore = [this] {
        if (links_.ShowTimeStore) links_.ShowTimeStore();
    };
    links.ConditionsCorrection = [this] {
        return mskInstErr[0]->IsEmptyEntry() ? QString() : mskInstErr[0]->text();
    };
    sights_ = new SightsEditor(state_, ctx_, std::move(links), this, area);
    mskInstErr[1] = sights_->CorrectionField();
    mskHeightInst = sights_->AltitudeField();
    singleMasks_["mskHeightInst"] = mskHeightInst;
    cboBody = sights_->BodyList();
    auto* chrono = MakeButton(area, "F5", "cmdChronoF5");
    chrono->setToolTip("Store current time");
    grid->addWidget(chrono, 0, 0);
    connect(chrono, &QPushButton::clicked, this, &StarFixInputPage::cmdChronoF5_Click);
    sights_->Build(grid);
    grdObs = sights_->Grid();
    dtpObsTime = sights_->TimePicker();
    mskHeightInst->setToolTip("[TAB] next cell/row");
    mskInstErr[0]->setToolTip("Enter minutes & tenths of minute");
    // The conditions tab's correction reads its keys as the grid cell's does.
    mskInstErr[0]->installEventFilter(this);
    mskInstErr[0]->SetCommitHook([this](MaskedField&) { mskInstErr_LostFocus(); });
    mskInstErr[0]->SetEnterHook([this](MaskedField&) { mskInstErr_GotFocus(0); });
    conditionsTyping_ = CorrectionTyping(mskInstErr[0]);
    return page;
}

bool StarFixInputPage::eventFilter(QObject* watched, QEvent* event) {
    if (watched == mskInstErr[0] && event->type() == QEvent::KeyPress)
        return conditionsTyping_.Key(static_cast<QKeyEvent*>(event), ctx_.DecSep);
    if (watched == this && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_F5 && currentIndex() == 2) {
        cmdChronoF5_Click();
        return true;
    }
    return QTabWidget::eventFilter(watched, event);
}

bool StarFixInputPage::LeaveStarFixField() {
    if (!LeaveFieldOutsideGrid()) return false;
    grdObs_GotFocus();
    return true;
}

bool StarFixInputPage::LeaveFieldOutsideGrid() {
    QWidget* field = QApplication::focusWidget();
    if (!field || !isAncestorOf(field) || field == grdObs || grdObs->isAncestorOf(field))
        return true;
    for (int c = 0; c < 4; ++c)  // the grid commits its own editor
        if (GridEditor(c) == field || GridEditor(c)->isAncestorOf(field)) return true;
    field->clearFocus();
    return QApplication::focusWidget() != field;
}

void StarFixInputPage::FillBodyList() {
    cboBody->clear();
    for (const std::string& name : ctx_.BodyList) cboBody->addItem(QString::fromStdString(name));
    cboBody->setCurrentIndex(0);
}

void StarFixInputPage::cmdChronoF5_Click() {
    if (links_.ShowTimeStore) links_.ShowTimeStore();
}

void StarFixInputPage::AddTabButtons() {
    for (int tab = 0; tab < 3; ++tab) {
        QWidget* page = widget(tab);
        auto* row = page->layout()->findChild<QHBoxLayout*>("buttons");
        if (tab >= 1) {
            cmdPrevTabIn[At(tab - 1)] =
                MakeButton(page, "&Previous tab", Indexed("cmdPrevTabIn", tab));
            row->addWidget(cmdPrevTabIn[At(tab - 1)]);
        }
        if (tab <= 1) {
            cmdNextTabIn[At(tab)] = MakeButton(page, "&Next tab", Indexed("cmdNextTabIn", tab));
            row->addWidget(cmdNextTabIn[At(tab)]);
        }
        cmdCancel[At(tab)] = MakeButton(page, "C&ancel", Indexed("cmdCancel", tab));
        row->addWidget(cmdCancel[At(tab)]);
        connect(cmdCancel[At(tab)], &QPushButton::clicked, this,
                [this, tab] { emit Cancelled(tab); });
    }
    for (QPushButton* b : cmdPrevTabIn)
        connect(b, &QPushButton::clicked, this, &StarFixInputPage::cmdPrevTabIn_Click);
    for (QPushButton* b : cmdNextTabIn)
        connect(b, &QPushButton::clicked, this, &StarFixInputPage::cmdNextTabIn_Click);
    connect(this, &QTabWidget::currentChanged, this, [this] {
        if (!changingTabByCode_) tabIn_GotFocus();
    });
}

void StarFixInputPage::HookFields() {
    // Pickers commit when they are left.
    for (int i = 0; i <= 1; ++i)
        new FocusWatch(dtpTime[At(i)], [this, i] { dtpTime_LostFocus(i); });

    // The estimated position: the hemisphere typed as a sign.
    mskLat5->SetKeyRewrite(
        [](QChar c) { return QChar(static_cast<char16_t>(LatitudeKey(c.unicode()))); });
    mskLong5->SetKeyRewrite(
        [](QChar c) { return QChar(static_cast<char16_t>(LongitudeKey(c.unicode()))); });
    mskLat5->SetCommitHook([this](MaskedField&) {
        bool cancel = false;
        mskLat_Validate(cancel);
    });
    mskLong5->SetCommitHook([this](MaskedField&) {
        bool cancel = false;
        mskLong_Validate(cancel);
    });
    mskLat5->setToolTip(kPositionTipLat);
    mskLong5->setToolTip(kPositionTipLong);
    connect(cmdEraseLat, &QPushButton::clicked, this, &StarFixInputPage::cmdEraseLat_Click);
    connect(cmdEraseLong, &QPushButton::clicked, this, &StarFixInputPage::cmdEraseLong_Click);

    // Condition fields.
    mskCourse0->setToolTip(kCourseTip);
    mskCourse0->SetCommitHook([this](MaskedField&) { mskCourse_LostFocus(); });
    for (int i = 0; i < 2; ++i) {
        mskTempCelcius[At(i)]->SetCommitHook(
            [this, i](MaskedField&) { mskTempCelcius_LostFocus(i); });
        mskTempFahr[At(i)]->SetCommitHook([this, i](MaskedField&) { mskTempFahr_LostFocus(i); });
    }
    mskSpeed->setToolTip(kSpeedTip);
    mskSpeed->SetCommitHook([this](MaskedField&) { mskSpeed_LostFocus(); });
    mskHeightM->SetCommitHook([this](MaskedField&) { mskHeightM_LostFocus(); });
    mskHeightF->SetCommitHook([this](MaskedField&) { mskHeightF_LostFocus(); });
    mskPressMBars->SetCommitHook([this](MaskedField&) { mskPress_mBars_LostFocus(); });
    mskPressHg->SetCommitHook([this](MaskedField&) { mskPressHg_LostFocus(); });
    // The caret lands on the first digit a navigator types, and a new entry
    // begins there however the field is entered.
    mskHeightM->SetEnterHook([](MaskedField& f) { f.setCursorPosition(0); });
    mskHeightF->SetEnterHook([](MaskedField& f) { f.setCursorPosition(1); });
    mskSpeed->SetEnterHook([](MaskedField& f) { f.setCursorPosition(1); });
    mskHeightF->SetEntryPlace(1);
    mskSpeed->SetEntryPlace(1);
}

// ---- The sights editor's ---------------------------------------------------------

QWidget* StarFixInputPage::GridEditor(int col) const {
    return sights_->Editor(col);
}
void StarFixInputPage::InitObsGrid() {
    sights_->Layout();
}
bool StarFixInputPage::ReadObsGrid() {
    return sights_->Read();
}
void StarFixInputPage::SelectObsGrid() {
    sights_->SortByTime();
}
void StarFixInputPage::grdObs_GotFocus() {
    sights_->CommitOpenEditor();
}

void StarFixInputPage::DetachObservationGrid() {
    sights_->Detach();
    mskInstErr[0]->removeEventFilter(this);
    mskInstErr[0]->SetCommitHook(nullptr);
    mskInstErr[0]->SetEnterHook(nullptr);
}

}  // namespace orvex
