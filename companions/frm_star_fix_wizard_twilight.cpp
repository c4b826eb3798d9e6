// The star-fix wizard's step 2: the Sun's times of the date and place, the
// choice of the morning or the evening twilight, and the time of the
// observations typed where the chosen twilight has none.
#include <QDateTimeEdit>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>
#include <cmath>

#include "companions/companion_controls.h"
#include "companions/frm_star_fix_wizard.h"
#include "navlib/hooks.h"
#include "navlib/number_format.h"
#include "platform/message_box.h"
#include "platform/pc_clock.h"
#include "platform/tab_page.h"

namespace orvex {

using namespace companion_ui;

namespace {

const char* const kSunTimeLabel[9] = {"Time to start morning observations :",
                                      "Time to end morning observations :",
                                      "Time of visible sunrise :",
                                      "Time of theoretical sunrise :",
                                      "Time of upper meridian passage of the Sun :",
                                      "Time of theoretical sunset :",
                                      "Time of visible sunset :",
                                      "Time to start evening observations :",
                                      "Time to end evening observations :"};

}  // namespace

void FrmStarFixWizard::BuildStep2(QFrame* f) {
    auto* v = new QVBoxLayout(f);
    lblStep[1] = MakeCaption(f, "Choose the time of observation :", "lblStep_1");
    v->addWidget(lblStep[1]);
    auto* opts = new QHBoxLayout;
    optTime[0] = new QRadioButton("Sunrise", f);
    optTime[0]->setObjectName("optTime_0");
    optTime[1] = new QRadioButton("Sunset", f);
    optTime[1]->setObjectName("optTime_1");
    optTime[0]->setChecked(true);
    opts->addWidget(optTime[0]);
    opts->addWidget(optTime[1]);
    opts->addStretch(1);
    v->addLayout(opts);
    v->addSpacing(8);
    auto* g = new QGridLayout;
    for (int i = 0; i < 9; ++i) {
        const auto u = static_cast<std::size_t>(i);
        g->addWidget(MakeLabel(f, kSunTimeLabel[i]), i, 0);
        lblTimes[u] = MakeLabel(f, "", Indexed("lblTimes", i));
        lblTimes[u]->setMinimumWidth(150);
        lblGMT[u] = MakeLabel(f, "GMT", Indexed("lblGMT", i));
        g->addWidget(lblTimes[u], i, 1);
        g->addWidget(lblGMT[u], i, 2);
    }
    g->setColumnStretch(3, 1);
    v->addLayout(g);
    // Where the chosen twilight has no time, the user types the time of
    // the observations here.
    obsTimeRow_ = new QWidget(f);
    auto* h = new QHBoxLayout(obsTimeRow_);
    h->setContentsMargins(0, 8, 0, 0);
    dtpObsTime = MakeUtPicker(obsTimeRow_, "dtpObsTime", "d MMM yyyy HH:mm");
    h->addWidget(MakeLabel(obsTimeRow_, "Time of observation :", "lblObsTime"));
    h->addWidget(dtpObsTime);
    h->addWidget(MakeLabel(obsTimeRow_, "UT"));
    h->addStretch(1);
    obsTimeRow_->setVisible(false);
    v->addWidget(obsTimeRow_);
    v->addStretch(1);
    for (int i = 0; i < 2; ++i)
        connect(optTime[static_cast<std::size_t>(i)], &QRadioButton::clicked, this,
                [this, i] { optTime_Click(i); });
}

void FrmStarFixWizard::optTime_Click(int index) {
    optTime[static_cast<std::size_t>(index)]->setChecked(true);
    ShowObsTimeOfChoice();
    obsTimeRow_->setVisible(ChosenTwilightMissing());
}

void FrmStarFixWizard::ShowObsTimeOfChoice() {
    const std::size_t chosen = optTime[0]->isChecked() ? 0 : 1;
    if (chosen == obsTimeShown_) return;
    obsTimeOf_[obsTimeShown_] = ToDateValue(dtpObsTime->dateTime().toUTC());
    obsTimeShown_ = chosen;
    SetPickerValue(dtpObsTime, obsTimeOf_[chosen]);
}

bool FrmStarFixWizard::ChosenTwilightMissing() const {
    return sunTimes_[optTime[0]->isChecked() ? kMorningSightsStart : kEveningSightsStart] == 0.0;
}

double FrmStarFixWizard::NearestSunTime(bool morning) const {
    const int morningOrder[] = {kMorningSightsEnd, kVisibleSunrise, kSunrise, kMeridianPassage};
    const int eveningOrder[] = {kVisibleSunset, kSunset, kMeridianPassage, kMeridianPassage};
    for (int i : morning ? morningOrder : eveningOrder)
        if (sunTimes_[static_cast<std::size_t>(i)] != 0.0)
            return sunTimes_[static_cast<std::size_t>(i)];
    return std::floor(inputs_.date);
}

// One plain sentence for the shallowest altitude the Sun does not reach
// (the deeper ones are then not reached either); empty when all are.
QString FrmStarFixWizard::MissingTwilightText() const {
    const struct {
        int morning, evening;
        const char* altitude;
    } targets[] = {{kSunrise, kSunset, "the horizon"},
                   {kVisibleSunrise, kVisibleSunset, "the sea horizon"},
                   {kMorningSightsEnd, kEveningSightsStart, "3° below the horizon"},
                   {kMorningSightsStart, kEveningSightsEnd, "9° below the horizon"}};
    for (const auto& t : targets)
        if (sunTimes_[static_cast<std::size_t>(t.morning)] == 0.0 ||
            sunTimes_[static_cast<std::size_t>(t.evening)] == 0.0)
            return QString(
                       "At this date and place the Sun does not reach %1.\r\n"
                       "Its times are marked \"—\": for that twilight, type the time of "
                       "your observations.")
                .arg(QString::fromUtf8(t.altitude));
    return QString();
}

bool FrmStarFixWizard::StepTwilight() {
    // A shortcut key leaves the focus in the date field: take its value.
    if (dtpTime->hasFocus()) dtpTime_LostFocus();
    if (!inputs_.Complete()) {
        ShowMessage(kIconExclamation + kButtonsOk, "Missing data",
                    "Some data are missing.\r\nPlease check that the whole input form is "
                    "completed.",
                    this);
        return false;
    }
    if (!StarSightTwilight(inputs_.lat, inputs_.lon, inputs_.date, inputs_.heightEye, sunTimes_)) {
        ShowMessage(kIconExclamation + kButtonsOk, "No rise/set times",
                    "At your latitude, the Sun is now circumpolar.\r\nThere is neither sunrise, "
                    "nor sunset.",
                    this);
        return false;
    }
    // A time of 0 is a time the Sun does not reach: "not available".
    for (std::size_t i = 0; i < 9; ++i)
        lblTimes[i]->setText(sunTimes_[i] == 0.0
                                 ? QString("—")
                                 : Q(FormatDateTime(sunTimes_[i], "d mmm yyyy hh:mm")));
    // For a new date or place: the time of each twilight starts from its
    // nearest Sun time (whole minutes, as the field shows them), and a
    // missing twilight is told once. Back on this step for the same day,
    // both stay as they were.
    if (sunTimes_ != obsTimeBasis_) {
        obsTimeBasis_ = sunTimes_;
        for (std::size_t i = 0; i < 2; ++i)
            obsTimeOf_[i] = std::floor(NearestSunTime(i == 0) * 1440.0 + 1e-7) / 1440.0;
        obsTimeShown_ = optTime[0]->isChecked() ? 0 : 1;
        SetPickerValue(dtpObsTime, obsTimeOf_[obsTimeShown_]);
        const QString missing = MissingTwilightText();
        if (!missing.isEmpty())
            ShowMessage(kIconInformation + kButtonsOk, QString("Twilight"), missing, this);
    }
    obsTimeRow_->setVisible(ChosenTwilightMissing());
    wizLastCandidate_ = 0;
    return true;
}

}  // namespace orvex
