#include "companions/frm_azimuth.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <cmath>

#include "companions/companion_controls.h"
#include "companions/core/compass_errors.h"
#include "companions/frm_star_fix_wizard.h"
#include "companions/position_entry.h"
#include "ephemeris/ephemeris.h"
#include "navlib/inout_lib.h"
#include "navlib/math_lib.h"
#include "navlib/number_format.h"
#include "navlib/sight_reduction.h"
#include "platform/date_time_picker.h"
#include "platform/masked_field.h"
#include "platform/message_box.h"
#include "platform/pc_clock.h"
#include "platform/tab_page.h"
#include "platform/window_placement.h"

namespace orvex {

using namespace companion_ui;

namespace {

const char* const kErrorPattern = "+ ##0°.0;- ##0°.0";
const char* const kDirectionHint = "Enter degrees [°] & tenths of degree";

QLabel* ResultLabel(QWidget* parent, const QString& name) {
    auto* l = new QLabel(parent);
    l->setObjectName(name);
    l->setMinimumWidth(110);
    l->setFrameShape(QFrame::Panel);
    l->setFrameShadow(QFrame::Sunken);
    l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    QFont f = l->font();
    f.setBold(true);
    l->setFont(f);
    l->setFixedHeight(l->sizeHint().height() + 6);
    return l;
}

MaskedField* Field(QWidget* parent, const QString& name, const QString& tip) {
    auto* m = new MaskedField(parent);
    m->setObjectName(name);
    m->setToolTip(tip);
    m->setMinimumWidth(110);
    m->setMaximumWidth(140);
    return m;
}

}  // namespace

FrmAzimuth::FrmAzimuth(CompanionLinks links, QWidget* owner)
    : QWidget(owner, Qt::Window), links_(std::move(links)) {
    setObjectName("frmAzimuth");
    setWindowTitle("Compute the azimuth");
    auto* outer = new QVBoxLayout(this);
    BuildObservation(outer);
    BuildBodyPlace(outer);
    BuildGyroCompass(outer);
    BuildMagneticCompass(outer);
    BuildErrors(outer);
    BuildButtons(outer);

    HookHemisphereKeys(*mskLat, *mskLong);
    mskLat->SetCommitHook([this](MaskedField& m) { CommitLatitude(m); });
    mskLong->SetCommitHook([this](MaskedField& m) { CommitLongitude(m); });
    for (int i = 0; i < 3; ++i)
        mskCourse[static_cast<std::size_t>(i)]->SetCommitHook(
            [this, i](MaskedField& m) { CommitDirection(m, i); });
    mskVariation->SetCommitHook([this](MaskedField& m) { CommitVariation(m); });

    // Load: the bodies, the masks, then "Erase all".
    const QString sep = Q(links_.DecSep);
    for (const std::string& name : BodyNames()) cboBody->addItem(Q(name));
    mskLat->SetMask("9#°##'" + sep + "# ?");
    mskLong->SetMask("99#°##'" + sep + "# ?");
    for (MaskedField* m : {mskCourse[0], mskCourse[1], mskCourse[2], mskVariation})
        m->SetMask("99#°" + sep + "#");
    cmdErase_Click();
}

QLabel* FrmAzimuth::Caption(QWidget* parent, const QString& text) {
    return MakeLabel(parent, text, Indexed("lblLabels", captions_++));
}

QWidget* FrmAzimuth::Result(QWidget* w) {
    results_.push_back(w);
    return w;
}

// Body, time and position.
void FrmAzimuth::BuildObservation(QVBoxLayout* outer) {
    auto* obs = new QGroupBox("Observation", this);
    auto* og = new QGridLayout(obs);
    cboBody = new QComboBox(obs);
    cboBody->setObjectName("cboBody");
    cboBody->setToolTip("Scroll with arrows or mouse");
    cboBody->installEventFilter(this);
    dtpTime = MakeUtPicker(obs, "dtpTime", "d MMM yyyy HH:mm:ss");
    dtpTime->installEventFilter(this);
    mskLat = Field(obs, "mskLat", "Enter degrees [°] minutes ['] & tenths of minute N/+ S/-");
    mskLong = Field(obs, "mskLong", "Enter degrees [°] minutes ['] & tenths of minute E/+ W/-");
    cmdEraseObsPos[0] = MakeButton(obs, "Erase latitude", "cmdEraseObsPos_0");
    cmdEraseObsPos[1] = MakeButton(obs, "Erase longitude", "cmdEraseObsPos_1");
    og->addWidget(Caption(obs, "Body :"), 0, 0);
    og->addWidget(cboBody, 0, 1);
    og->addWidget(Caption(obs, "Time (UT) :"), 1, 0);
    og->addWidget(dtpTime, 1, 1);
    og->addWidget(Caption(obs, "Latitude :"), 2, 0);
    og->addWidget(mskLat, 2, 1);
    og->addWidget(cmdEraseObsPos[0], 2, 2);
    og->addWidget(Caption(obs, "Longitude :"), 3, 0);
    og->addWidget(mskLong, 3, 1);
    og->addWidget(cmdEraseObsPos[1], 3, 2);
    // Tab follows the rows: each field, then its erase button.
    QWidget::setTabOrder(mskLat, cmdEraseObsPos[0]);
    QWidget::setTabOrder(cmdEraseObsPos[0], mskLong);
    QWidget::setTabOrder(mskLong, cmdEraseObsPos[1]);
    og->setColumnStretch(3, 1);
    outer->addWidget(obs);
}

// The body's place.
void FrmAzimuth::BuildBodyPlace(QVBoxLayout* outer) {
    auto* place = new QGroupBox("Body", this);
    auto* pg = new QGridLayout(place);
    lblGHA = ResultLabel(place, "lblGHA");
    lblLHA = ResultLabel(place, "lblLHA");
    lblDecl = ResultLabel(place, "lblDecl");
    lblTrueBearing = ResultLabel(place, "lblTrueBearing");
    pg->addWidget(Result(Caption(place, "GHA")), 0, 0);
    pg->addWidget(Result(lblGHA), 0, 1);
    pg->addWidget(Result(Caption(place, "LHA")), 0, 2);
    pg->addWidget(Result(lblLHA), 0, 3);
    pg->addWidget(Result(Caption(place, "Declination")), 1, 0);
    pg->addWidget(Result(lblDecl), 1, 1);
    pg->addWidget(Result(Caption(place, "True bearing")), 1, 2);
    pg->addWidget(Result(lblTrueBearing), 1, 3);
    pg->setColumnStretch(4, 1);
    outer->addWidget(place);
}

void FrmAzimuth::BuildGyroCompass(QVBoxLayout* outer) {
    auto* gyro = new QGroupBox("Gyro compass", this);
    auto* gg = new QGridLayout(gyro);
    for (int i = 0; i < 2; ++i)
        mskCourse[static_cast<std::size_t>(i)] =
            Field(gyro, Indexed("mskCourse", i), kDirectionHint);
    lblErrg[0] = ResultLabel(gyro, "lblErrg_0");
    lblTrueCourse[0] = ResultLabel(gyro, "lblTrueCourse_0");
    gg->addWidget(Caption(gyro, "Gyro bearing"), 0, 0);
    gg->addWidget(mskCourse[0], 0, 1);
    gg->addWidget(Result(Caption(gyro, "Gyro error")), 0, 2);
    gg->addWidget(Result(lblErrg[0]), 0, 3);
    gg->addWidget(Caption(gyro, "Gyro heading"), 1, 0);
    gg->addWidget(mskCourse[1], 1, 1);
    gg->addWidget(Result(Caption(gyro, "True heading")), 1, 2);
    gg->addWidget(Result(lblTrueCourse[0]), 1, 3);
    gg->setColumnStretch(4, 1);
    outer->addWidget(gyro);
}

void FrmAzimuth::BuildMagneticCompass(QVBoxLayout* outer) {
    auto* mag = new QGroupBox("Magnetic compass", this);
    auto* mg = new QGridLayout(mag);
    mskCourse[2] = Field(mag, "mskCourse_2", kDirectionHint);
    mskVariation = Field(mag, "mskVariation", kDirectionHint);
    fraEW = new QGroupBox(mag);
    fraEW->setObjectName("fraEW");
    auto* ew = new QHBoxLayout(fraEW);
    ew->setContentsMargins(4, 0, 4, 0);
    optEW[0] = new QRadioButton("E/+", fraEW);
    optEW[0]->setObjectName("optEW_0");
    optEW[1] = new QRadioButton("W/-", fraEW);
    optEW[1]->setObjectName("optEW_1");
    optEW[0]->setChecked(true);
    ew->addWidget(optEW[0]);
    ew->addWidget(optEW[1]);
    lblTrueCourse[1] = ResultLabel(mag, "lblTrueCourse_1");
    lblErrc[0] = ResultLabel(mag, "lblErrc_0");
    lblDev = ResultLabel(mag, "lblDev");
    mg->addWidget(Caption(mag, "Compass heading"), 0, 0);
    mg->addWidget(mskCourse[2], 0, 1);
    mg->addWidget(Result(Caption(mag, "True heading")), 0, 3);
    mg->addWidget(Result(lblTrueCourse[1]), 0, 4);
    mg->addWidget(Caption(mag, "Magnetic variation"), 1, 0);
    mg->addWidget(mskVariation, 1, 1);
    mg->addWidget(fraEW, 1, 2);
    mg->addWidget(Result(Caption(mag, "Compass error")), 1, 3);
    mg->addWidget(Result(lblErrc[0]), 1, 4);
    mg->addWidget(Result(Caption(mag, "Magnetic deviation")), 2, 3);
    mg->addWidget(Result(lblDev), 2, 4);
    mg->setColumnStretch(5, 1);
    outer->addWidget(mag);
}

// Summary of the two errors.
void FrmAzimuth::BuildErrors(QVBoxLayout* outer) {
    auto* sum = new QGroupBox("Errors", this);
    auto* sg = new QHBoxLayout(sum);
    lblErrg[1] = ResultLabel(sum, "lblErrg_1");
    lblErrc[1] = ResultLabel(sum, "lblErrc_1");
    sg->addWidget(Result(Caption(sum, "Gyro error")));
    sg->addWidget(Result(lblErrg[1]));
    sg->addSpacing(20);
    sg->addWidget(Result(Caption(sum, "Compass error")));
    sg->addWidget(Result(lblErrc[1]));
    sg->addStretch(1);
    outer->addWidget(sum);
}

void FrmAzimuth::BuildButtons(QVBoxLayout* outer) {
    auto* buttons = new QHBoxLayout;
    cmdCompute = MakeButton(this, "&Compute", "cmdCompute");
    cmdCompute->setToolTip("Compute azimuth");
    cmdErase = MakeButton(this, "Erase all", "cmdErase");
    cmdWhatIsUp = MakeButton(this, "What is up ?", "cmdWhatIsUp");
    cmdEnd = MakeButton(this, "&End", "cmdEnd");
    for (QPushButton* b : {cmdCompute, cmdErase, cmdWhatIsUp}) buttons->addWidget(b);
    buttons->addStretch(1);
    buttons->addWidget(cmdEnd);
    outer->addLayout(buttons);

    connect(cmdCompute, &QPushButton::clicked, this, &FrmAzimuth::cmdCompute_Click);
    connect(cmdErase, &QPushButton::clicked, this, &FrmAzimuth::cmdErase_Click);
    connect(cmdWhatIsUp, &QPushButton::clicked, this, &FrmAzimuth::cmdWhatIsUp_Click);
    connect(cmdEnd, &QPushButton::clicked, this, &FrmAzimuth::cmdEnd_Click);
    for (int i = 0; i < 2; ++i) {
        const auto u = static_cast<std::size_t>(i);
        connect(cmdEraseObsPos[u], &QPushButton::clicked, this,
                [this, i] { cmdEraseObsPos_Click(i); });
        connect(optEW[u], &QRadioButton::clicked, this, [this, i] { optEW_Click(i); });
    }
}

FrmAzimuth::~FrmAzimuth() {
    delete whatIsUp_.data();
}

// The close box ends the tool as End does, so that the main window gets
// its controls back.
void FrmAzimuth::closeEvent(QCloseEvent* event) {
    cmdEnd_Click();
    event->accept();
}

bool FrmAzimuth::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusOut) {
        if (watched == dtpTime) dtpTime_LostFocus();
        if (watched == cboBody) cboBody_LostFocus();
    }
    return QWidget::eventFilter(watched, event);
}

void FrmAzimuth::SetBodyColour(bool green) {
    cboBody->setStyleSheet(green ? "QComboBox { background-color: rgb(0, 255, 0); }" : "");
    cboBody->setProperty("Valid", green);
}

void FrmAzimuth::ShowResults(bool shown) {
    for (QWidget* w : results_) w->setVisible(shown);
}

void FrmAzimuth::SetTime(double ut) {
    dtpTime->setDateTime(FromDateValue(ut));
}

void FrmAzimuth::cmdErase_Click() {
    cboBody->setCurrentIndex(0);
    SetBodyColour(false);
    // The present UT, cut down to the whole hour.
    const double now = links_.UtNow();
    SetTime(std::floor(now * 24.0) / 24.0);
    dtpTime_LostFocus();
    const QString sep = Q(links_.DecSep);
    mskLat->SetMaskedText("__°__'" + sep + "_ _");
    mskLong->SetMaskedText("___°__'" + sep + "_ _");
    for (MaskedField* m : {mskCourse[0], mskCourse[1], mskCourse[2], mskVariation})
        m->SetMaskedText("___°" + sep + "_");
    for (MaskedField* m : {mskLat, mskLong, mskCourse[0], mskCourse[1], mskCourse[2], mskVariation})
        m->SetBackColor(MaskedField::WindowColor());
    inputs_.lat = inputs_.lon = 0.0;
    inputs_.direction.fill(0.0);
    inputs_.variation = 0.0;
    ShowResults(false);
}

void FrmAzimuth::cmdEraseObsPos_Click(int index) {
    EraseObsPosField(index == 0 ? *mskLat : *mskLong, index == 0, links_.DecSep);
}

void FrmAzimuth::dtpTime_LostFocus() {
    inputs_.obsTime = ToDateValue(dtpTime->dateTime().toUTC());
}

void FrmAzimuth::cboBody_LostFocus() {
    SetBodyColour(true);
}

void FrmAzimuth::optEW_Click(int index) {
    optEW[static_cast<std::size_t>(index)]->setChecked(true);
    inputs_.variation = std::fabs(inputs_.variation) * (index == 0 ? 1.0 : -1.0);
}

// A refused entry leaves the value held before it: the parser's sentinel
// never becomes a latitude, a longitude or a direction.
void FrmAzimuth::CommitLatitude(MaskedField& f) {
    if (const auto v = CommitLatitudeField(f, links_.DecSep)) inputs_.lat = *v;
}

void FrmAzimuth::CommitLongitude(MaskedField& f) {
    if (const auto v = CommitLongitudeField(f, links_.DecSep)) inputs_.lon = *v;
}

void FrmAzimuth::CommitDirection(MaskedField& f, int index) {
    if (f.IsEmptyEntry()) return;
    const double v = ParseBearingText(f.MaskedText().toStdString(), links_.DecSep);
    if (v == kBearingNegative)
        return f.Reject("Negative bearing or heading.",
                        MaskedField::RejectMode::ReplaceLastWithPrompt);
    if (v == kBearingOver360)
        return f.Reject("Bearing or heading > 360°",
                        MaskedField::RejectMode::ReplaceLastWithPrompt);
    inputs_.direction[static_cast<size_t>(index)] = v;
    f.SetBackColor(kValidGreen);
    f.ShowCommitted(Q(FormatNumber(v, "000°.0", links_.DecSep)));
}

void FrmAzimuth::CommitVariation(MaskedField& f) {
    if (f.IsEmptyEntry()) return;
    const double v = ParseBearingText(f.MaskedText().toStdString(), links_.DecSep);
    if (v == kBearingNegative)
        return f.Reject(
            "Don't enter a negative value for the variation.\r\nChoose de W/- option button "
            "instead.",
            MaskedField::RejectMode::ReplaceLastWithPrompt);
    if (v == kBearingOver360)
        return f.Reject("The variation cannot be over 360°.",
                        MaskedField::RejectMode::ReplaceLastWithPrompt);
    f.SetBackColor(kValidGreen);
    f.ShowCommitted(Q(FormatNumber(v, "000°.0", links_.DecSep)));
    inputs_.variation = std::fabs(v) * (optEW[0]->isChecked() ? 1.0 : -1.0);
}

void FrmAzimuth::cmdCompute_Click() {
    // A shortcut key leaves the focus in the time field: take its value.
    if (dtpTime->hasFocus()) dtpTime_LostFocus();
    if (mskLat->IsEmptyEntry() || mskLong->IsEmptyEntry()) {
        ShowMessage(kIconExclamation + kButtonsOk, "Missing latitude/longitude",
                    "Please enter the latitude and/or longitude.", this);
        return;
    }
    EphemerisResult e;
    ComputeEphemeris(cboBody->currentText().toStdString(), inputs_.obsTime, e);
    const double lha = Norm360(e.gha + inputs_.lon);
    const double zn = ComputeAzimuth(inputs_.lat, inputs_.lon, e.gha, e.dec);
    const CompassErrors c = ComputeCompassErrors(zn, inputs_.direction[0], inputs_.direction[1],
                                                 inputs_.direction[2], inputs_.variation);

    const std::string& sep = links_.DecSep;
    lblGHA->setText(Q(FormatDegreesMinutes(e.gha, "000°00'.0", sep)));
    lblLHA->setText(Q(FormatDegreesMinutes(lha, "000°00'.0", sep)));
    lblDecl->setText(Q(FormatLatitude(e.dec, sep)));
    lblTrueBearing->setText(Q(FormatNumber(zn, "000°.0", sep)));
    const QString gyroError = Q(FormatNumber(c.gyroError, kErrorPattern, sep));
    const QString trueHeading = Q(FormatNumber(c.trueHeading, "000°.0", sep));
    const QString compassError = Q(FormatNumber(c.compassError, kErrorPattern, sep));
    for (std::size_t i = 0; i < 2; ++i) {
        lblErrg[i]->setText(gyroError);
        lblTrueCourse[i]->setText(trueHeading);
        lblErrc[i]->setText(compassError);
    }
    mskVariation->SetMaskedText(Q(FormatNumber(std::fabs(inputs_.variation), "000°.0", sep)));
    lblDev->setText(Q(FormatNumber(c.deviation, kErrorPattern, sep)));
    ShowResults(true);
    KeepOnScreen(*this);  // the results make the window taller
}

void FrmAzimuth::cmdWhatIsUp_Click() {
    if (inputs_.lat == 0.0 && inputs_.lon == 0.0) {
        const int answer = ShowMessage(
            kIconQuestion + kButtonsYesNo + kDefaultButton2, "Missing latitude and longitude",
            "The latitude and longitude are equal to zero.\r\nDo you want to display the visible "
            "stars for\r\na latitude of 0° and a longitude of 0° ?",
            this);
        if (answer == kAnswerNo) return;
    }
    auto* w = new FrmStarFixWizard(links_, this);
    w->SetHandOver(inputs_.obsTime, inputs_.lat, inputs_.lon);
    w->SetTag("FromAzi");
    whatIsUp_ = w;
    CentreOnOwner(*w, parentWidget() ? *parentWidget() : *this);
    w->show();
}

void FrmAzimuth::cmdEnd_Click() {
    cmdErase_Click();
    if (links_.AzimuthEnded) links_.AzimuthEnded();
    if (whatIsUp_) {
        FrmStarFixWizard* w = whatIsUp_.data();
        whatIsUp_.clear();
        w->Form_QueryUnload();
    }
    hide();
}

}  // namespace orvex
