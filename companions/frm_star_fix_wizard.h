// The star-fix wizard: a modeless window that plans the star sights of one
// twilight in four steps: (1) date, position and height of eye; (2) the
// Sun's times of that date and the choice of the morning or evening
// twilight; (3) bright, well-spread stars proposed for that twilight;
// (4) a table of azimuth, expected sextant altitude and magnitude of the
// chosen stars, for the twilight, for a time the user types, or following
// the PC clock every 15 seconds.
//
// The same window, opened by the azimuth tool with the tag "FromAzi", shows
// only the table of step 4 filled with every body above the horizon at the
// tool's time and position ("What is up?").
//
// Every control carries its control name as objectName; control arrays are
// "name_index". The window hands nothing back to the star-fix input.
//
// The window's code lies in one file per part: the window's life and the
// steps' navigation (frm_star_fix_wizard.cpp), step 1's inputs (_inputs),
// step 2's Sun times (_twilight), step 3's proposed stars (_stars) and
// step 4's live table (_table).
#pragma once

#include <QString>
#include <QWidget>
#include <array>
#include <cstddef>
#include <vector>

#include "companions/companion_links.h"
#include "companions/core/wizard_inputs.h"
#include "companions/core/wizard_star_choice.h"
#include "ephemeris/twilight.h"

class QDateTimeEdit;
class QFrame;
class QLabel;
class QListWidget;
class QPushButton;
class QRadioButton;
class QTableWidget;
class QTimer;

namespace orvex {

class MaskedField;

class FrmStarFixWizard : public QWidget {
    Q_OBJECT
  public:
    // owner: the main window (the wizard) or the azimuth tool ("What is
    // up?"); the window stays above its owner and goes with it.
    FrmStarFixWizard(CompanionLinks links, QWidget* owner = nullptr);
    ~FrmStarFixWizard() override;

    // "FromMain" (started by the main window), "FromAzi" (opened by the
    // azimuth tool), "FromOther" (after the first activation), or empty.
    QString Tag() const { return tag_; }
    void SetTag(const QString& tag) { tag_ = tag; }
    // The azimuth tool's hand-over: time (UT days), latitude and longitude
    // (degrees, north and east positive).
    void SetHandOver(double aziTime, double aziLat, double aziLong);

    // Every activation (also the first showing): resets to step 1 for
    // "FromMain", fills the visible bodies for "FromAzi", then restores and
    // raises the window.
    void Form_Activate();
    // The close box: stops the timer, tells the main window, unloads.
    void Form_QueryUnload();
    // True once the window has unloaded itself (it is then deleted later).
    bool Unloaded() const { return unloaded_; }

    // The inputs of step 1 as the window holds them; for "FromAzi", the
    // tool's time and position with a height of eye of 10 m.
    const WizardInputs& Inputs() const { return inputs_; }

  protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private slots:
    void cmdNav_Click(int index);  // 0 Help, 1 Cancel, 2 Back, 3 Next, 4 End
    void cmdErase_Click();
    void cmdEraseObsPos_Click(int index);
    void optTime_Click(int index);
    void bthStartTimer_Click();
    void tmrRealTime_Timer();
    // The user typed a time into dtpRealTime (value: UT days).
    void dtpRealTime_Change();

  private:
    // ---- Window life and navigation (frm_star_fix_wizard.cpp) ------------
    // The two halves of Form_Activate.
    void ResetForMain();
    void ShowWhatIsUp();
    // Losing the activation to another window of the program: minimises
    // the window; a second loss within 0.5 s unloads it.
    void Form_Deactivate();
    // F5: minimises the window and shows the time-store dialog.
    void Form_KeyDown(int keyCode);
    void Unload();
    // The work of step n (1..4), then the frames and buttons; false when
    // the work was refused (the window stays on its step).
    bool ShowStep(int n);
    bool DoStepWork(int n);
    void UpdateNavButtons(int n);
    void SetStepCaption(int frame);
    void PlaceFrames();
    void SetPickerValue(QDateTimeEdit* picker, double ut);

    // ---- Step 1: date, position, height of eye (_inputs.cpp) -------------
    void BuildStep1(QFrame* f);
    void dtpTime_LostFocus();
    void CommitLatitude(MaskedField& f);
    void CommitLongitude(MaskedField& f);
    void CommitHeight(MaskedField& f, bool metres);

    // ---- Step 2: the Sun's times (_twilight.cpp) --------------------------
    void BuildStep2(QFrame* f);
    bool StepTwilight();
    // The chosen twilight's start of observations is not available.
    bool ChosenTwilightMissing() const;
    // The first Sun time of that half of the day that is available.
    double NearestSunTime(bool morning) const;
    QString MissingTwilightText() const;
    // The time of observation field shows the time kept for the twilight
    // chosen (the one it showed keeps what it held).
    void ShowObsTimeOfChoice();

    // ---- Step 3: the proposed stars (_stars.cpp) ---------------------------
    void BuildStep3(QFrame* f);
    bool StepCandidates();
    bool IsSelectedItem(int i) const;

    // ---- Step 4: the live table (_table.cpp) ------------------------------
    void BuildStep4(QFrame* f);
    bool StepTable();
    void InitStarsGrid();
    void FillStarsTable();
    void StopTimer();
    // The live-display button as stopped or running.
    void ShowTimerButton(bool running);
    void SetRealTimeHint(const QString& hint);
    // The table: rows as places, shown in the columns' current order.
    void ShowRows();
    // Column widths as fractions of the table's visible width.
    void SizeStarColumns();
    void SortRows(bool byColumnOne);
    // The header drag: press on header column `column` (row 0) or on the
    // table's body (row 1), release over header column `targetColumn` (-1:
    // not over the header).
    void grdStars_MouseDown(int row, int column);
    void grdStars_MouseUp(int targetColumn);
    // The table's share of eventFilter: true when the event was taken.
    bool StarTableEvent(QObject* watched, QEvent* e);

    // ---- Controls -----------------------------------------------------------
    QFrame* frameArea_ = nullptr;
    std::array<QFrame*, 4> fraStep{};
    std::array<QLabel*, 4> lblStep{};
    std::array<QPushButton*, 5> cmdNav{};
    QDateTimeEdit* dtpTime = nullptr;
    MaskedField* mskLat = nullptr;
    MaskedField* mskLong = nullptr;
    MaskedField* mskHeightM = nullptr;
    MaskedField* mskHeightF = nullptr;
    std::array<QLabel*, 4> lblLabels{};
    QPushButton* cmdErase = nullptr;
    std::array<QPushButton*, 2> cmdEraseObsPos{};
    std::array<QRadioButton*, 2> optTime{};
    std::array<QLabel*, 9> lblTimes{};
    std::array<QLabel*, 9> lblGMT{};
    // Step 2: the time of observation typed where the chosen twilight has
    // no time (the Sun does not reach its altitude that day), in its row.
    QWidget* obsTimeRow_ = nullptr;
    QDateTimeEdit* dtpObsTime = nullptr;
    QListWidget* lstStars = nullptr;
    QTableWidget* grdStars = nullptr;
    QDateTimeEdit* dtpRealTime = nullptr;
    QPushButton* bthStartTimer = nullptr;
    QTimer* tmrRealTime = nullptr;
    QPushButton* cmdStarsGraph = nullptr;

    // ---- State ---------------------------------------------------------------
    CompanionLinks links_;
    QString tag_;
    WizardInputs inputs_;
    int wizStep_ = 1;
    bool wizEndEnabled_ = false;
    bool wizUserSorted_ = false;
    int wizRowCount_ = 0;
    int wizTimeIndex_ = 0;
    int wizLastCandidate_ = 0;
    TwilightTimes sunTimes_{};
    StarCandidates cand_;
    TwilightTimes obsTimeBasis_{};  // the Sun times the typed time started from
    // The time of observation of the morning (0) and evening (1) twilight,
    // and the twilight whose time the field shows.
    std::array<double, 2> obsTimeOf_{};
    std::size_t obsTimeShown_ = 0;
    double wizObsTime_ = 0;      // the time the candidates were chosen for
    bool obsTimeTyped_ = false;  // typed by the user, not a twilight time
    double aziTime_ = 0, aziLat_ = 0, aziLong_ = 0;

    // The table's data rows and which field each column shows (0 name,
    // 1 azimuth, 2 altitude, 3 magnitude).
    std::vector<BodyPlace> rows_;
    std::array<int, 4> columnField_{0, 1, 2, 3};
    int draggedColumn_ = -1;

    float lastDeactivate_ = 0.0f;
    bool unloaded_ = false;
    bool settingByCode_ = false;
};

}  // namespace orvex
