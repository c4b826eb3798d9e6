// The main window frmWorking: one resizable window that shows one page at a
// time (start screen, star-fix input, numeric results, graphic results,
// utilities, preferences), each page with its own toolbar docked at the left
// edge, a menu bar and the status bar staNumDisp along the bottom.
//
// The window is built by the constructor; start-up (Form_Load) is a separate
// call so that a test can give the window its settings and scripts first.
// Every widget and action carries its control name as objectName; control
// arrays are named "name_index" (e.g. "mskLat_5"). The menus, the toolbars
// and the pages' buttons run the window's commands; the window owns its
// pages and companion windows and calls them directly.
#pragma once

#include <QMainWindow>
#include <QStringList>
#include <functional>
#include <map>
#include <memory>
#include <string>

#include "platform/main_settings.h"
#include "platform/masked_field.h"
#include "workbench/program_documents.h"
#include "workbench/workbench_state.h"

class QAction;
class QComboBox;
class QMenu;
class QTabWidget;
class QToolBar;
class QWidget;

namespace orvex {

class CompanionWindows;
class OptionsPage;
class PageFocus;
class ResultsPage;
class SmallDialogs;
class StartPicture;
class StatusLine;
class StarFixInputPage;
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
    // The present UT in days; unset, the PC's local clock plus its UTC
    // offset. Tests give their own.
    std::function<double()> clockUtcNow;

    // ---- Start-up and shut-down -----------------------------------------
    // The load handler: restores the geometry, builds the version text,
    // shows the splash modally until it hides itself, runs InitMainWindow
    // once, remembers the command-line file and opens it, registers the help
    // file. `arguments` are the program's arguments without its own name.
    void Form_Load(const QStringList& arguments);
    // True once the quit sequence has unloaded the main window.
    bool Unloaded() const { return unloaded_; }
    // A close asked by the system (session end): closes without asking.
    void RequestSystemClose();
    // The documents read at start, with the ones that could not be loaded.
    const ProgramDocuments& Documents() const { return documents_; }

    // ---- By control name ------------------------------------------------------
    // Actions: menu items and toolbar buttons ("mnuFileQuit", "bthExit", ...).
    QAction* Action(const QString& name) const;
    // The field that holds masks for a control name and index (-1: single),
    // on the input or the utilities page.
    MaskedField* MaskField(const std::string& name, int index) const;

    // The web page the Help menu opens, and the manual's first page.
    static QString WebPageAddress();
    QString HelpFilePath() const;
    // The wizard and the azimuth tool with the clock they read.
    CompanionWindows* Companions() const { return companions_.get(); }

    // The status line and the small dialogs, for the tests that look at
    // them directly.
    StatusLine* Status() const { return status_; }
    SmallDialogs* Dialogs() const { return dialogs_.get(); }
    // Writes the fix into the ten status panels and shows them.
    void FillStatusPanels();
    // Page switches: the page's toolbar alone, docked at the left edge.
    void ShowToolbar(QToolBar* bar);

  protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private slots:
    void mnuUtil_Click(int tab);
    void mnuOptionsTab_Click();
    void mnuAstroEnter_Click();
    void cmdCancel_Click(int index);
    // The numeric results: the report of the fix computed again from the
    // inputs.
    void cmdNumRes_Click();
    void mnuAziGo_Click();
    void mnuHelpAbout_Click();
    // The introductory letter (its menu item is greyed).
    void mnuHelpIntro_Click();
    void mnuStarFixWizardStart_Click();
    void mnuViewWebBrowser_Click();
    void picStarFixWizard_Click();
    // Back to the input tabs with every input as it was.
    void mnuAstroCorrect_Click();
    void mnuAstroProba_Click();
    void mnuAstroSave_Click();
    void mnuAstroErase_Click();
    void mnuFileQuit_Click();
    void mnuFilePageSetup_Click();
    void mnuHelpManual_Click();
    // The graphic results: the chart of the fix computed again from the
    // inputs.
    void cmdGraphRes_Click();
    // Back to the star-fix toolbar; the report or chart stays on screen.
    void bthBackStarFix_Click();

  private:
    UtilitiesPage* Utilities() const { return utilitiesPage_; }
    // The window's own widgets (tests find them by their control names).
    QToolBar* tlhWorking = nullptr;
    QToolBar* tlhStarfix = nullptr;
    QToolBar* tlhNum = nullptr;
    QToolBar* tlhGraph = nullptr;
    StartPicture* picStarFix = nullptr;
    StartPicture* picRLGC = nullptr;
    QTabWidget* tabIn = nullptr;
    QTabWidget* tabUtil = nullptr;
    QTabWidget* tabOptions = nullptr;
    QComboBox* cboEllipsoid = nullptr;  // the preferences page's Earth-model list

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
    void InitMainWindow();
    void CenterControl(QWidget* ctl);
    void ShowTimeStore();
    // The star-fix page with the observation file chosen in the open dialog
    // (or named on the command line).
    void LoadObservations();
    // The star-fix wizard and the azimuth tool, with the links they are made
    // with.
    void ConnectCompanions();
    // The start screen with its toolbar and menus.
    void RestoreStartScreen();
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
    // over a result), the results, or else the client area with the start
    // screen. The keyboard stays on it (PageFocus).
    QWidget* ShownPage() const;
    double UtcNow() const;

    WorkbenchState state_;
    QWidget* panhGradient = nullptr;
    StartPicture* picAzimuth = nullptr;
    StartPicture* picStarFixWizard = nullptr;
    OptionsPage* optionsPage_ = nullptr;
    ResultsPage* resultsPage_ = nullptr;
    MainSettings settings_;
    std::map<QString, QAction*> actions_;
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
