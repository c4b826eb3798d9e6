// The main window frmWorking: one resizable window that shows one page at a
// time (start screen, star-fix input, numeric results, graphic results,
// utilities, preferences), each page with its own toolbar docked at the left
// edge, a menu bar and the status bar staNumDisp along the bottom.
//
// The window is built by the constructor; start-up (Form_Load) is a separate
// call so that a test can give the window its settings and scripts first.
// Every widget and action carries its control name as objectName; control
// arrays are named "name_index" (e.g. "mskLat_5") and also reachable through
// the array members below.
#pragma once

#include <QMainWindow>
#include <QPointer>
#include <QStringList>
#include <array>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/masked_field.h"
#include "platform/rich_text_box.h"
#include "workbench/workbench_state.h"

class QAction;
class QCheckBox;
class QComboBox;
class QDateTimeEdit;
class QGridLayout;
class QKeyEvent;
class QTimer;
class QGroupBox;
class QRadioButton;
class QTableWidget;
class QTreeWidget;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QStackedWidget;
class QStatusBar;
class QTabWidget;
class QTextEdit;
class QToolBar;
class QWidget;

namespace orvex {

class FrmEnd;
class FrmAzimuth;
class FrmStarFixWizard;
class SystemClock;

class FrmIntro;
class FrmProba;
class FrmSplash;
class FrmTimeStore;
class FrmWait;
class OptionsPage;
class ResultsPage;
class ObservationGrid;
struct ObservationFileData;
class StartPicture;
class UpDownButtons;
class UtilitiesPage;

// The settings store as the main window uses it: application "Orvex",
// section "Settings". A read answers the stored text, or empty when the key
// is missing.
struct MainSettings {
    std::function<std::string(const std::string& key)> Read;
    std::function<void(const std::string& key, const std::string& value)> Write;
};

class FrmWorking : public QMainWindow {
    Q_OBJECT
  public:
    explicit FrmWorking(QWidget* parent = nullptr);
    ~FrmWorking() override;

    WorkbenchState& State() { return state_; }
    const WorkbenchState& State() const { return state_; }

    // Replaces the settings store (tests give a fake one).
    void SetSettings(MainSettings settings) { settings_ = std::move(settings); }

    // ---- Start-up and shut-down -----------------------------------------
    // The load handler: restores the geometry, builds the version text,
    // shows the splash modally until it hides itself, runs InitMainWindow
    // once, remembers the command-line file and opens it, registers the help
    // file. `arguments` are the program's arguments without its own name.
    void Form_Load(const QStringList& arguments);
    // Unload modes: the user's close box, and any close by code or by the
    // system (session end).
    enum UnloadMode { kUnloadFromCloseBox = 0, kUnloadFromCode = 1, kUnloadFromSystem = 2 };
    // Answers whether the close is cancelled. Only a close-box close asks
    // the quit confirmation; "NO" cancels it, any other answer quits.
    bool Form_QueryUnload(int unloadMode);
    // Saves the geometry unless the window is minimised.
    void Form_Unload();
    // Lays the pages out for the current size.
    void Form_Resize();
    // True once the quit sequence has unloaded the main window.
    bool Unloaded() const { return unloaded_; }

    // ---- Initialisation ----------------------------------------------------
    void InitMainWindow();
    void cboEllipsoid_Click(int index);
    // Documents that could not be loaded at start (file names), in load order.
    const QStringList& MissingDocuments() const { return missingDocuments_; }

    // ---- Shell --------------------------------------------------------------
    void CenterControl(QWidget* ctl);
    void cmdNextTabIn_Click();
    void cmdPrevTabIn_Click();
    void cmdCancel_Click(int index);
    void tabIn_GotFocus();
    void mnuAstroEnter_Click();
    void mnuAstroProba_Click();
    void mnuAstroSave_Click();
    void mnuAziGo_Click();
    void mnuFileQuit_Click();
    void mnuFilePageSetup_Click();
    void mnuHelpAbout_Click();
    void mnuHelpIntro_Click();
    void mnuHelpManual_Click();
    void mnuOptionsTab_Click();
    void mnuStarFixWizardStart_Click();
    void mnuUtil_Click(int tab);
    void cmdNextTabUtil_Click();
    void cmdPrevTabUtil_Click();
    void cmdEndTabUtil_Click();
    void mnuViewWebBrowser_Click();
    void picStarFixWizard_Click();
    void staNumDisp_PanelDblClick(const QString& key);
    void ShowTimeStore();

    // ---- Sailing utilities page ------------------------------------------------
    // The page widget (tabUtil), with its handlers.
    UtilitiesPage* Utilities() const { return utilitiesPage_; }

    // ---- Result toolbars and chart view ------------------------------------
    void bthBackStarFix_Click();
    void mnuAstroGraphGrid_Click();
    // True while the chart shows its grid.
    bool GridShown() const;
    // The results page: the numeric report and the chart with their
    // commands.
    ResultsPage* Results() const { return resultsPage_; }

    // Page switches: the page's toolbar alone, docked at the left edge.
    void ShowToolbar(QToolBar* bar);
    // The start screen with its toolbar and menus.
    void RestoreStartScreen();

    // ---- Status bar -----------------------------------------------------------
    // The ten panels, by key: "TimeTruePos", "MPP", "Proba", "Ellipse",
    // "Circle", "Course", "Speed", "Full", "Iter", "SystErr".
    static const QStringList& StatusPanelKeys();
    QLabel* StatusPanel(const QString& key) const;
    // Simple style: one text, no panels (from a new fix until its result).
    void SetStatusSimple(bool simple, const QString& text = QString());
    bool StatusSimple() const { return statusSimple_; }

    // ---- Dialogs (created on first use, then hidden and reused) -----------
    FrmEnd* EndDialog();
    FrmProba* ProbaDialog();
    FrmTimeStore* TimeStoreDialog();
    FrmWait* WaitDialog();
    FrmSplash* SplashDialog();
    // Whether a dialog exists (the quit sequence skips the ones never made).
    bool HasDialog(const char* name) const;

    // The web page and the first page of the manual.
    static QString WebPageAddress();
    QString HelpFilePath() const;

    // ---- Widgets by control name (for the pages of later windows) -----------
    QToolBar* tlhWorking = nullptr;
    QToolBar* tlhStarfix = nullptr;
    QToolBar* tlhNum = nullptr;
    QToolBar* tlhGraph = nullptr;
    QWidget* panhGradient = nullptr;
    StartPicture* picStarFix = nullptr;
    StartPicture* picRLGC = nullptr;
    StartPicture* picAzimuth = nullptr;
    StartPicture* picStarFixWizard = nullptr;
    QTabWidget* tabIn = nullptr;
    QTabWidget* tabUtil = nullptr;
    QTabWidget* tabOptions = nullptr;  // the preferences page, Options()
    RichTextBox* rtfNumDisp = nullptr;  // the results page's views
    RichTextBox* rtfCalcWP = nullptr;
    QWidget* picLMChart = nullptr;
    QStatusBar* staNumDisp = nullptr;
    QComboBox* cboBody = nullptr;
    QComboBox* cboEllipsoid = nullptr;  // the preferences page's Earth-model list
    std::array<QComboBox*, 2> cboGMT{};
    QLabel* lblDistance1 = nullptr;  // lblDistance(1): the utilities' distance unit
    std::array<MaskedField*, 6> mskLat{};
    std::array<MaskedField*, 6> mskLong{};
    std::array<MaskedField*, 2> mskCourse{};
    std::array<MaskedField*, 2> mskInstErr{};
    std::array<MaskedField*, 2> mskTempCelcius{};
    std::array<MaskedField*, 2> mskTempFahr{};
    std::map<std::string, MaskedField*> singleMasks;  // mskSpeed, mskHeightM, ...
    std::array<QPushButton*, 3> cmdCancel{};
    std::array<QPushButton*, 2> cmdNextTabIn{};  // tabs 0 and 1
    std::array<QPushButton*, 2> cmdPrevTabIn{};  // tabs 1 and 2
    // The utilities page's fields that the shared field handlers reach:
    // mskLat/mskLong(0..4), mskCourse(1), mskDist, mskDTG, mskMinSpeed,
    // mskMaxSpeed, mskInterv, cboGMT, lblDistance(1), rtfCalcWP and
    // lblChoosenEllipsoid point into the page.
    std::array<QLabel*, 2> lblChoosenEllipsoid{};
    // The field that holds masks for a control name and index (-1: single).
    MaskedField* MaskField(const std::string& name, int index) const;

    // Actions by control name ("mnuFileQuit", "bthExit", ...).
    QAction* Action(const QString& name) const;
    QMenu* Menu(const QString& name) const;

    // ---- Results commands -----------------------------------------------------
    // The numeric report and the chart of the lines of position: each commits
    // the open grid cell and computes the fix again from the inputs.
    void cmdNumRes_Click();
    void cmdGraphRes_Click();
    // A toolbar button or menu takes no focus: the star-fix field the
    // navigator is typing in is left here first, so that its value is
    // checked and taken. False when the field refused it (and kept the
    // focus, its message shown).
    bool LeaveStarFixField();

    // ---- Preferences page (tabOptions, with the clock page as its third tab)
    OptionsPage* Options() const { return optionsPage_; }

    // Hooks for the windows of later work: the azimuth tool, the wizard and
    // the results commands. Unset hooks do nothing.
    std::function<void()> onShowAzimuth;
    std::function<void()> onShowWizard;
    std::function<void()> onActivateWizard;
    std::function<void()> onNumericResults;
    std::function<void()> onGraphicResults;
    std::function<void()> onSaveObservations;
    std::function<void()> onLoadObservations;
    std::function<void()> onNewStarFixReset;
    // The utilities' single computing procedure, TestCompute(iButton): the
    // ellipsoid choice and the erase buttons pass 0.
    std::function<void(int)> onTestCompute;
    // Runs when a utilities tab is entered (its inputs' checks).
    std::function<void()> onUtilTabEntered;
    // The quit sequence closes the azimuth tool and the wizard (when open)
    // before the main window.
    std::function<void()> onUnloadAzimuth;
    std::function<void()> onUnloadWizard;

    // ---- Star-fix inputs: pickers, options, condition and position fields --
    // Lays out the star-fix input tabs and the options' check boxes, makes
    // the pickers, spin buttons and erase buttons, and hooks every condition
    // and position field to its handler (main_window_input_page.cpp).
    void BuildStarFixInputControls();
    void ch3FullRoutine_Click();
    void ch3OneEstPos_Click(int index);
    // Commit of a date-time picker: 0 time of the estimated position, 1 time
    // of the position wanted, 2 the ETA departure time.
    void dtpTime_LostFocus(int index);
    void cmdChronoF5_Click();
    void mnuAstroCorrect_Click();
    // The new-fix reset and the two erase buttons of the estimated position.
    void cmdEraseObs_Click();
    void cmdEraseLat_Click();
    void cmdEraseLong_Click();
    // Condition fields: each LostFocus is the field's commit; the spin
    // buttons, the observation-file loader and the star-fix driver call them
    // directly after putting a text into the field.
    void mskCourse_LostFocus(int index);
    void mskSpeed_LostFocus();
    void mskHeightM_LostFocus();
    void mskHeightF_LostFocus();
    void mskPress_mBars_LostFocus();
    void mskPressHg_LostFocus();
    void mskTempCelcius_LostFocus(int index);
    void mskTempFahr_LostFocus(int index);
    void updPressHg_DownClick();
    void updPressHg_UpClick();
    void updPress_mBars_DownClick();
    void updPress_mBars_UpClick();
    void updTempCelcius_DownClick(int index);
    void updTempCelcius_UpClick(int index);
    void updTempFahr_DownClick(int index);
    void updTempFahr_UpClick(int index);
    // Before a fix: course and speed committed again from their fields (a
    // previous fix may have corrected them), and every star-fix field that
    // still shows a text it refused checked again, so that no fix runs on a
    // value other than the fields show. False when a field refuses again
    // (its message shown).
    bool CommitStarFixFieldsAgain();
    // Position fields mskLat(0..5) and mskLong(0..5): the hemisphere typed as
    // a sign, and the commit (cancel = true keeps the focus in the field).
    void mskLat_KeyPress(int index, QChar& key);
    void mskLong_KeyPress(int index, QChar& key);
    void mskLat_Validate(int index, bool& cancel);
    void mskLong_Validate(int index, bool& cancel);

    std::array<QDateTimeEdit*, 4> dtpTime{};  // 0..2 here; 3 is the clock page's
    QCheckBox* ch3FullRoutine = nullptr;
    QCheckBox* ch3FindSystErr = nullptr;
    std::array<QCheckBox*, 2> ch3OneEstPos{};  // 0 options page, 1 input page
    QPushButton* cmdEraseLat = nullptr;
    QPushButton* cmdEraseLong = nullptr;
    // The present UT in days (the PC's local clock plus its UTC offset);
    // tests give their own.
    std::function<double()> clockUtcNow;
    // The observation grid rebuilt empty with its headers and its cell flags
    // cleared (InitObsGrid); run by the new-fix reset.
    std::function<void()> onClearGrid;

    // A close asked by the system (session end): closes without asking.
    void RequestSystemClose();

    // ---- Observation grid and its in-cell editors (third input tab) ---------
    ObservationGrid* grdObs = nullptr;
    QDateTimeEdit* dtpObsTime = nullptr;
    MaskedField* mskHeightInst = nullptr;
    // Empties the grid and forgets every committed cell (the new-fix reset
    // calls it); the same as InitObsGrid.
    void ClearObservationGrid();
    void InitObsGrid();
    // Validates the rows and fills the observation set; false after its own
    // message.
    bool ReadObsGrid();
    // Sorts rows 1..ObsCount by time.
    void SelectObsGrid();
    // Commits the open editor into its cell (the results commands and the
    // file save call it first).
    void grdObs_GotFocus();
    // Commits the open editor and hides it.
    void grdObs_LeaveCell();
    // Opens the editor of the current column over the current cell;
    // keyAscii is the typed character, or 32 for space and double click.
    void BeginGridEdit(QWidget* editor, int keyAscii);
    // The editors' navigation keys: Esc, Tab, Up, Down (Qt key codes; shift
    // 1 Shift, 2 Ctrl).
    void EndGridEdit(QWidget* editor, int keyCode, int shift);
    bool grdObs_KeyDown(int keyCode, int shift);
    void grdObs_KeyPress(int keyAscii);
    void grdObs_RowColChange();
    void grdObs_MouseMove(int row, int col);
    // The editors' commits (their lost-focus handlers).
    void dtpObsTime_LostFocus();
    void mskHeightInst_LostFocus();
    // Shared by the conditions field (index 0) and the grid editor (index 1).
    void mskInstErr_LostFocus(int index);
    void mskInstErr_GotFocus(int index);
    // The grid editor that belongs to a column (0..3).
    QWidget* GridEditor(int col) const;

    // ---- Star-fix driver and status line -----------------------------------------
    // Checks the inputs ("Missing data"), reads the grid, sorts it and runs
    // the solver into State().Obs and State().Fix. True only when the solver
    // found a fix; after a failure of its own (reported by the solver) the
    // status line shows no fix.
    bool RunStarFix();
    // Writes the fix into the ten status panels and shows them.
    void FillStatusPanels();
    // Whether the systematic-error box ch3FindSystErr is ticked.
    bool FindSystErrChecked() const;

    // ---- Observation file ------------------------------------------------------------
    void cmdSaveObs_Click();
    void cmdLoadObs_Click();

    // ---- Companion windows: the star-fix wizard and the azimuth tool -------
    // Fills the hooks above that open, raise and unload them.
    void ConnectCompanions();
    // The wizard started from this window and the azimuth tool (null until
    // first shown, or after they unloaded).
    FrmStarFixWizard* StarFixWizard() const;
    FrmAzimuth* AzimuthTool() const;
    // The PC clock the companion windows read; nullptr reads the host's.
    std::shared_ptr<SystemClock> CompanionClock;

  protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void BuildMenus();
    void BuildToolbars();
    void BuildPages();
    void BuildInputTabs();
    void BuildObservationGrid(QWidget* page, QGridLayout* layout);
    bool GridEditorKey(QWidget* editor, QKeyEvent* key);
    void CommitGridEditor(int col);
    // Shows a committed cell's value green for a moment (no waiting).
    void ConfirmGridCell(int row, int col);
    void ResetForNewStarFix();
    // Stores a time of the page (0 the estimated position's, 1 the wanted
    // one) as its picker's commit does, and shows it in the picker.
    void SetFixTime(int index, double days);
    void ApplyObservationFile(const ObservationFileData& d);
    void ApplyOldObservationFile(const ObservationFileData& d, double timeEstPos,
                                 double timeTruePos);
    void BuildUtilityTabs();
    void BuildStatusBar();
    void BuildSailingControls();
    void ConnectActions();
    void ConnectResultActions();
    QAction* AddAction(QMenu* menu, const char* name, const QString& text);
    QMenu* AddMenu(QMenu* parent, const char* name, const QString& text);
    QAction* AddToolButton(QToolBar* bar, const char* name, const QString& tip,
                           const QString& glyph);
    // Gives the results hooks (onNumericResults, onGraphicResults) their
    // commands.
    void ConnectResultCommands();
    void BuildResultsPage(QWidget* client);
    void SetAstroMenuForInput();
    void LoadDocuments();
    void UnloadOtherWindows();
    void SetTabByCode(QTabWidget* tabs, int index);
    void RestoreGeometry();
    double TwipsPerPixel() const;

    WorkbenchState state_;
    OptionsPage* optionsPage_ = nullptr;
    ResultsPage* resultsPage_ = nullptr;
    MainSettings settings_;
    std::map<QString, QAction*> actions_;
    std::map<QString, QMenu*> menus_;
    std::map<QString, QLabel*> statusPanels_;
    QLabel* statusSimpleText_ = nullptr;
    bool statusSimple_ = false;
    QStringList missingDocuments_;
    bool loaded_ = false;
    bool quitting_ = false;
    bool unloaded_ = false;
    bool systemClosing_ = false;
    bool changingTabByCode_ = false;
    UtilitiesPage* utilitiesPage_ = nullptr;
    QPointer<FrmEnd> frmEnd_;
    QPointer<FrmProba> frmProba_;
    QPointer<FrmTimeStore> frmTimeStore_;
    QPointer<FrmWait> frmWait_;
    QPointer<FrmSplash> frmSplash_;
    QPointer<FrmIntro> frmIntro_;
    QPointer<FrmStarFixWizard> frmStarFixWizard_;
    QPointer<FrmAzimuth> frmAzimuth_;
    // The introduction letter as loaded at start; each showing of frmIntro
    // gets a copy.
    QString introLetterHtml_;
    bool introLetterLoaded_ = false;
    bool aboutTextLoaded_ = false;
    // The cell the open grid editor was opened over (row 0: none).
    int editRow_ = 0;
    int editCol_ = 0;
    // True while Esc closes an editor without committing it.
    bool editCancelled_ = false;
    // The last refused altitude (cell and text), so that the same refusal is
    // not shown twice when two commits run for one leave.
    QString refusedAltitude_;
    int refusedAltitudeRow_ = 0;
    // The committed value shown over its cell, and the timer that hides it.
    QLabel* gridConfirm_ = nullptr;
    QTimer* gridConfirmTimer_ = nullptr;
    // Star-fix inputs: True after the first choice in the ellipsoid list.
    bool ellipsoidSeen_ = false;
    // Star-fix inputs: the picker commits and the chosen ellipsoid's labels.
    void HookStarFixInputFields();
    void ShowChosenEllipsoid(const QString& name);
    // The Earth model and the unit labels from the ellipsoid list's row,
    // without any recomputation; false when no row is chosen.
    bool TakeEllipsoidChoice();
    void RecomputeUtilities();

    // Observation grid: runs its function when the window's members go. Kept
    // the last member, so that it goes first: the editors' hooks are taken
    // off while everything they touch still stands (the widgets themselves
    // go later, and losing the focus on the way must not reach the window).
    struct AtTeardown {
        std::function<void()> run;
        ~AtTeardown() {
            if (run) run();
        }
    };
    void DetachObservationGrid();
    std::vector<QObject*> gridHooks_;
    AtTeardown gridTeardown_;
};

}  // namespace orvex
