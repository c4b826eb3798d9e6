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

#include "platform/main_settings.h"
#include "platform/masked_field.h"
#include "platform/rich_text_box.h"
#include "workbench/program_documents.h"
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

class CompanionWindows;
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
class PageFocus;
class ResultsPage;
class ResultsToolbar;
class SmallDialogs;
class StartPicture;
class StatusLine;
class StarFixInputPage;
class UpDownButtons;
class UtilitiesPage;

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
    // The documents read at start, with the ones that could not be loaded.
    const ProgramDocuments& Documents() const { return documents_; }

    // ---- Shell --------------------------------------------------------------
    void CenterControl(QWidget* ctl);
    void cmdCancel_Click(int index);
    void mnuAstroEnter_Click();
    // Back to the input tabs with every input as it was.
    void mnuAstroCorrect_Click();
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
    void mnuViewWebBrowser_Click();
    void picStarFixWizard_Click();
    void ShowTimeStore();

    // ---- Sailing utilities page ------------------------------------------------
    // The page widget (tabUtil), with its handlers.
    UtilitiesPage* Utilities() const { return utilitiesPage_; }

    // ---- Result toolbars and chart view ------------------------------------
    // The result toolbars' controls, with the chart's grid state.
    ResultsToolbar* ResultsBar() const { return resultsToolbar_; }
    // The results page: the numeric report and the chart with their
    // commands.
    ResultsPage* Results() const { return resultsPage_; }

    // Page switches: the page's toolbar alone, docked at the left edge.
    void ShowToolbar(QToolBar* bar);
    // The start screen with its toolbar and menus.
    void RestoreStartScreen();

    // ---- Status bar -----------------------------------------------------------
    // The status bar staNumDisp with its ten panels and its simple style.
    StatusLine* Status() const { return status_; }

    // ---- Dialogs (created on first use, then hidden and reused) -----------
    SmallDialogs* Dialogs() const { return dialogs_.get(); }

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
    QTabWidget* tabOptions = nullptr;   // the preferences page, Options()
    RichTextBox* rtfNumDisp = nullptr;  // the results page's views
    QWidget* picLMChart = nullptr;
    QStatusBar* staNumDisp = nullptr;
    QComboBox* cboEllipsoid = nullptr;  // the preferences page's Earth-model list
    // The field that holds masks for a control name and index (-1: single),
    // on the input or the utilities page.
    MaskedField* MaskField(const std::string& name, int index) const;

    // Actions by control name ("mnuFileQuit", "bthExit", ...).
    QAction* Action(const QString& name) const;
    QMenu* Menu(const QString& name) const;

    // ---- Results commands -----------------------------------------------------
    // The numeric report and the chart of the lines of position: each commits
    // the open grid cell and computes the fix again from the inputs.
    void cmdNumRes_Click();
    void cmdGraphRes_Click();

    // ---- Preferences page (tabOptions, with the clock page as its third tab)
    OptionsPage* Options() const { return optionsPage_; }

    // Hooks for the windows of later work: the azimuth tool, the wizard and
    // the results commands. Unset hooks do nothing.
    std::function<void()> onShowAzimuth;
    std::function<void()> onShowWizard;
    std::function<void()> onActivateWizard;
    std::function<void()> onNumericResults;
    std::function<void()> onGraphicResults;
    std::function<void()> onLoadObservations;
    // Runs when a utilities tab is entered (its inputs' checks).
    std::function<void()> onUtilTabEntered;
    // The quit sequence closes the azimuth tool and the wizard (when open)
    // before the main window.
    std::function<void()> onUnloadAzimuth;
    std::function<void()> onUnloadWizard;

    // ---- Star-fix input page (tabIn) ---------------------------------------------
    // The page: the tab set tabIn with its fields, the grid and their handlers.
    StarFixInputPage* InputPage() const { return inputPage_; }

    // The present UT in days (the PC's local clock plus its UTC offset);
    // tests give their own.
    std::function<double()> clockUtcNow;

    // A close asked by the system (session end): closes without asking.
    void RequestSystemClose();

    // ---- Status line of the fix --------------------------------------------------
    // Writes the fix into the ten status panels and shows them.
    void FillStatusPanels();

    // ---- Companion windows: the star-fix wizard and the azimuth tool -------
    // Fills the hooks above that open, raise and unload them.
    void ConnectCompanions();
    // The wizard and the azimuth tool with the clock they read.
    CompanionWindows* Companions() const { return companions_.get(); }

  protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    void BuildMenus();
    void BuildToolbars();
    void BuildPages();
    void BuildInputTabs();
    void BuildUtilityTabs();
    void ConnectActions();
    QAction* AddAction(QMenu* menu, const char* name, const QString& text);
    QMenu* AddMenu(QMenu* parent, const char* name, const QString& text);
    QAction* AddToolButton(QToolBar* bar, const char* name, const QString& tip,
                           const QString& glyph);
    void BuildResultsPage(QWidget* client);
    void SetAstroMenuForInput();
    void UnloadOtherWindows();
    void SetTabByCode(QTabWidget* tabs, int index);
    void RestoreGeometry();
    double TwipsPerPixel() const;
    void KeepKeysOnShownPage();
    // Takes the report and the chart off: they no longer show the current
    // data's fix.
    void WithdrawResults();
    // The page shown: the preferences, the utilities, the input tabs (also
    // over a result), the report, the chart, or else the client area with
    // the start screen. The keyboard stays on it (PageFocus).
    QWidget* ShownPage() const;

    WorkbenchState state_;
    OptionsPage* optionsPage_ = nullptr;
    ResultsPage* resultsPage_ = nullptr;
    ResultsToolbar* resultsToolbar_ = nullptr;
    MainSettings settings_;
    std::map<QString, QAction*> actions_;
    std::map<QString, QMenu*> menus_;
    StatusLine* status_ = nullptr;
    PageFocus* pageFocus_ = nullptr;
    ProgramDocuments documents_;
    bool loaded_ = false;
    bool quitting_ = false;
    bool unloaded_ = false;
    bool systemClosing_ = false;
    bool changingTabByCode_ = false;
    UtilitiesPage* utilitiesPage_ = nullptr;
    std::unique_ptr<SmallDialogs> dialogs_;
    std::unique_ptr<CompanionWindows> companions_;

    StarFixInputPage* inputPage_ = nullptr;

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
    AtTeardown gridTeardown_;
};

}  // namespace orvex
