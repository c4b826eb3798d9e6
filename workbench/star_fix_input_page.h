// The star-fix input page: the tab set tabIn with its three tabs (estimated
// position and times with the observer's motion; the observer and the
// external conditions; the observation grid grdObs with its in-cell
// editors), the handlers of all their fields, the new-fix reset and the load
// and save of observation files.
//
// The page reads and writes the navigator's inputs in the shared state; what
// it needs of the main window comes through StarFixInputLinks. Every widget
// carries its control name as objectName ("mskLat_5", "grdObs", ...).
#pragma once

#include <QString>
#include <QTabWidget>
#include <array>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "workbench/correction_typing.h"

class QCheckBox;
class QComboBox;
class QDateTimeEdit;
class QGridLayout;
class QPushButton;

namespace orvex {

class MaskedField;
class ObservationGrid;
class SightsEditor;
struct ObservationFileData;
struct StarFixSession;

// What the page reads besides the session, held by the main window.
struct StarFixInputContext {
    // The user's decimal separator: one character, in every mask and number.
    const std::string& DecSep;
    // The body names in ascending character-code order (the grid's list).
    const std::vector<std::string>& BodyList;
    // The program folder, without a trailing separator.
    const std::string& AppPath;
    // The observation file named on the command line; the first load that
    // uses it empties it.
    std::string& CommandLineFile;
    // A UT time (days) captured by the time-store dialog; 0 when none. The
    // grid's time editor opens at it once and clears it.
    double& TimeStored;
};

// What the input page needs of the main window. Unset callbacks do nothing.
struct StarFixInputLinks {
    // Shows the time-store dialog (F5 and the chrono button).
    std::function<void()> ShowTimeStore;
    // The status bar's simple style (one text, no panels) on or off.
    std::function<void(bool simple)> SetStatusSimple;
    // Enables or disables a menu command by control name ("mnuAstroSave").
    std::function<void(const char* name, bool enabled)> EnableAction;
    // The Star fix menu as it stands while the inputs are shown.
    std::function<void()> SetAstroMenuForInput;
    // The present UT in days since 1899 December 30.
    std::function<double()> UtcNow;
    // Whether the preferences ask for the altitudes' systematic error.
    std::function<bool()> FindSystErr;
    // The new-fix reset: the chart's view back to its start.
    std::function<void()> ResetChartView;
};

class StarFixInputPage : public QTabWidget {
    Q_OBJECT
  public:
    StarFixInputPage(StarFixSession& session, StarFixInputContext context, StarFixInputLinks links,
                     QWidget* parent);
    ~StarFixInputPage() override;

    // A toolbar button or menu takes no focus: the field of the page the
    // navigator is typing in is left first, so that its value is checked
    // and taken, and the grid's open editor is committed into its cell (a
    // half-typed cell is not lost). False when the field refused it (and
    // kept the focus, its message shown).
    bool LeaveStarFixField();
    // Fills the grid's body editor from the context's body list.
    void FillBodyList();

    // The page's fields by control name and index (-1: a single field);
    // nullptr for a name the page does not hold.
    MaskedField* MaskField(const std::string& name, int index) const;

    // Shows a tab as code does: no entry checks run.
    void ShowTab(int index);
    // Where the keys go when the page shows again without its entry checks
    // (back from a result): the grid's current cell on the observations
    // tab, else the tab row.
    QWidget* EntryControl();
    // The new-fix reset.
    void cmdEraseObs_Click();
    // Checks the inputs ("Missing data"), reads the grid, sorts it and runs
    // the solver into the state's Obs and Fix. True only when the solver
    // found a fix; after a failure of its own (reported by the solver) the
    // status line shows no fix.
    bool RunStarFix();

    // Takes the editors' hooks off (the main window's teardown calls it
    // while the state they touch still stands).
    void DetachObservationGrid();

    // ---- Observation file ---------------------------------------------------------
    void cmdSaveObs_Click();
    // Loads a file from the open dialog, or the command-line file once.
    void cmdLoadObs_Click();

  signals:
    // The Cancel button of tab 0..2 was clicked.
    void Cancelled(int tab);

  protected:
    // F5 on the observations tab shows the time-store dialog.
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // Validates the table's rows and fills the observation set; false after
    // its own message.
    bool ReadObsGrid();
    // A control's index (0..) as the index of its array.
    static size_t At(int index) { return static_cast<size_t>(index); }
    // The tab buttons: the next or previous tab, then its entry checks.
    void cmdNextTabIn_Click();
    void cmdPrevTabIn_Click();
    // Commits the open editor into its cell (a fix and the file save call it
    // first).
    void grdObs_GotFocus();
    // Shared by the conditions field (index 0) and the grid editor (index 1):
    // entering the field selects its text for a new number.
    void mskInstErr_GotFocus(int index);
    // Lays the grid out empty, with an empty table of sights (the new-fix
    // reset calls it).
    void InitObsGrid();
    // The grid editor that belongs to a column (0..3).
    QWidget* GridEditor(int col) const;
    // Commit of the pickers of tab 0: 0 time of the estimated position,
    // 1 time of the position wanted.
    void dtpTime_LostFocus(int index);
    // LeaveStarFixField without the grid's commit.
    bool LeaveFieldOutsideGrid();
    // The entry checks of the tab shown: on the second and third tabs the
    // default times are offered for keeping and the inputs of the tabs
    // before are required; the focus goes to the tab's first field.
    void tabIn_GotFocus();
    // The time-store button of the observations tab (as F5).
    void cmdChronoF5_Click();
    // The two erase buttons of the estimated position.
    void cmdEraseLat_Click();
    void cmdEraseLong_Click();
    // Condition fields: each LostFocus is the field's commit (its commit
    // hook); the spin buttons call them after putting their step's text into
    // the field.
    void mskCourse_LostFocus();
    void mskSpeed_LostFocus();
    void mskHeightM_LostFocus();
    void mskHeightF_LostFocus();
    void mskPress_mBars_LostFocus();
    void mskPressHg_LostFocus();
    void mskTempCelcius_LostFocus(int index);
    void mskTempFahr_LostFocus(int index);
    // The spin buttons: one step, never past the field's limits.
    void updPressHg_DownClick();
    void updPressHg_UpClick();
    void updPress_mBars_DownClick();
    void updPress_mBars_UpClick();
    void updTempCelcius_DownClick(int index);
    void updTempCelcius_UpClick(int index);
    void updTempFahr_DownClick(int index);
    void updTempFahr_UpClick(int index);
    // The estimated position's commits (cancel = true keeps the focus).
    void mskLat_Validate(bool& cancel);
    void mskLong_Validate(bool& cancel);
    // Before a fix: course and speed committed again from their fields (a
    // previous fix may have corrected them), and every star-fix field that
    // still shows a text it refused checked again, so that no fix runs on a
    // value other than the fields show. False when a field refuses again
    // (its message shown).
    bool CommitStarFixFieldsAgain();
    // Sorts the table's rows 1..ObsCount by time and shows them.
    void SelectObsGrid();
    // The conditions tab's correction (mskInstErr(0)) committed.
    void mskInstErr_LostFocus();

    QWidget* BuildPositionTab();
    QWidget* BuildConditionsTab();
    QWidget* BuildObservationsTab();
    void AddTabButtons();
    void HookFields();
    void ResetForNewStarFix();
    // Stores a time of the page (0 the estimated position's, 1 the wanted
    // one) as its picker's commit does, and shows it in the picker.
    void SetFixTime(int index, double days);
    void ApplyObservationFile(const ObservationFileData& d);
    void ApplyOldObservationFile(const ObservationFileData& d, double timeEstPos,
                                 double timeTruePos);
    QString OldObservationFileProblem(const ObservationFileData& d, double times[2]) const;

    StarFixSession& state_;
    StarFixInputContext ctx_;
    StarFixInputLinks links_;
    // ---- Estimated position and times, observer motion (tab 0) -------------
    std::array<QDateTimeEdit*, 2> dtpTime{};  // 0 the estimated position's, 1 the wanted
    MaskedField* mskLat5 = nullptr;           // "mskLat_5"
    MaskedField* mskLong5 = nullptr;          // "mskLong_5"
    MaskedField* mskCourse0 = nullptr;        // "mskCourse_0"
    MaskedField* mskSpeed = nullptr;
    QCheckBox* ch3OneEstPos1 = nullptr;  // "ch3OneEstPos_1", kept in step by the options page
    // ---- Observer and external conditions (tab 1) ----------------------------
    MaskedField* mskHeightM = nullptr;
    std::array<MaskedField*, 2> mskInstErr{};      // 0 conditions tab, 1 the grid's editor
    std::array<MaskedField*, 2> mskTempCelcius{};  // 0 air, 1 sea
    // ---- Navigation buttons of the three tabs (Cancel: the main window's) ----
    std::array<QPushButton*, 2> cmdNextTabIn{};  // tabs 0 and 1
    std::array<QPushButton*, 2> cmdPrevTabIn{};  // tabs 1 and 2
    std::array<QPushButton*, 3> cmdCancel{};
    // ---- Observation grid and its in-cell editors (tab 2), the sights editor's
    ObservationGrid* grdObs = nullptr;
    QDateTimeEdit* dtpObsTime = nullptr;
    QComboBox* cboBody = nullptr;
    QPushButton* cmdEraseLat = nullptr;
    QPushButton* cmdEraseLong = nullptr;
    MaskedField* mskHeightF = nullptr;
    MaskedField* mskPressHg = nullptr;
    std::array<MaskedField*, 2> mskTempFahr{};
    MaskedField* mskHeightInst = nullptr;  // the sights editor's
    MaskedField* mskPressMBars = nullptr;  // "mskPress_mBars"
    // True while code changes the tab (its entry checks do not run).
    bool changingTabByCode_ = false;
    std::map<std::string, MaskedField*> singleMasks_;  // mskSpeed, mskHeightM, ...
    SightsEditor* sights_ = nullptr;
    // The number being typed into the conditions tab's correction.
    CorrectionTyping conditionsTyping_;
};

}  // namespace orvex
