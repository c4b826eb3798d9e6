// The shell's handlers: page switches, tab navigation, the menu commands
// that belong to the window itself, the dialogs and the quit command.
#include <QAction>
#include <QDateTimeEdit>
#include <QLabel>
#include <QMenu>
#include <QStatusBar>
#include <QTabWidget>
#include <QTextEdit>
#include <QToolBar>
#include <functional>
#include <map>
#include <utility>

#include "charts/print_lib.h"
#include "charts/print_setup_dialog.h"
#include "companions/intro.h"
#include "companions/splash.h"
#include "platform/help_window.h"
#include "platform/masked_field.h"
#include "platform/message_box.h"
#include "platform/pc_clock.h"
#include "platform/rich_text_box.h"
#include "platform/shell_open.h"
#include "sailing/utilities_page.h"
#include "workbench/companion_windows.h"
#include "workbench/frm_end.h"
#include "workbench/frm_proba.h"
#include "workbench/frm_time_store.h"
#include "workbench/main_window.h"
#include "workbench/observation_grid.h"
#include "workbench/options_page.h"
#include "workbench/page_focus.h"
#include "workbench/platform_links.h"
#include "workbench/results_page.h"
#include "workbench/small_dialogs.h"
#include "workbench/star_fix_input_page.h"
#include "workbench/status_line.h"
#include "workbench/window_art.h"

namespace orvex {

QString FrmWorking::WebPageAddress() {
    return FrmIntro::WebAddress();
}

void FrmWorking::ConnectActions() {
    auto on = [this](const char* name, auto&& handler) {
        connect(Action(name), &QAction::triggered, this, handler);
    };
    // Each menu command is kept by its item's name, so that the toolbar
    // buttons of the same meaning run the command itself: an item follows
    // the page and may be greyed where the button still shows.
    std::map<QString, std::function<void()>> commands;
    auto menu = [&](const char* name, std::function<void()> handler) {
        commands[name] = handler;
        on(name, std::move(handler));
    };
    menu("mnuFilePageSetup", [this] { mnuFilePageSetup_Click(); });
    menu("mnuFileQuit", [this] { mnuFileQuit_Click(); });
    menu("mnuAstroEnter", [this] { mnuAstroEnter_Click(); });
    menu("mnuAstroLoad", [this] { LoadObservations(); });
    menu("mnuAstroCorrect", [this] { mnuAstroCorrect_Click(); });
    menu("mnuAstroSave", [this] { mnuAstroSave_Click(); });
    menu("mnuAstroErase", [this] { mnuAstroErase_Click(); });
    menu("mnuAstroNumDisp", [this] { cmdNumRes_Click(); });
    menu("mnuAstroGraphDisp", [this] { cmdGraphRes_Click(); });
    menu("mnuAstroProba", [this] { mnuAstroProba_Click(); });
    menu("mnuUtilRL", [this] { mnuUtil_Click(0); });
    menu("mnuUtilGC", [this] { mnuUtil_Click(1); });
    menu("mnuUtilETA", [this] { mnuUtil_Click(2); });
    menu("mnuAziGo", [this] { mnuAziGo_Click(); });
    menu("mnuStarFixWizardStart", [this] { mnuStarFixWizardStart_Click(); });
    menu("mnuOptionsTab", [this] { mnuOptionsTab_Click(); });
    menu("mnuHelpManual", [this] { mnuHelpManual_Click(); });
    menu("mnuHelpIntro", [this] { mnuHelpIntro_Click(); });
    menu("mnuViewWebBrowser", [this] { mnuViewWebBrowser_Click(); });
    menu("mnuHelpAbout", [this] { mnuHelpAbout_Click(); });

    // Toolbar buttons run the menu commands of the same meaning, whatever
    // the items' enabled state; a few carry a rule of their own.
    for (const auto& [button, item] : {std::pair{"bthStarfix", "mnuAstroEnter"},
                                       {"bthAzimuth", "mnuAziGo"},
                                       {"bthRLGC", "mnuUtilRL"},
                                       {"bthExit", "mnuFileQuit"},
                                       {"bthNumRes", "mnuAstroNumDisp"},
                                       {"bthGraphRes", "mnuAstroGraphDisp"},
                                       {"bthCorr", "mnuAstroCorrect"}})
        on(button, commands.at(item));
    on("bthStarFixWizard", [this] { picStarFixWizard_Click(); });
    on("bthMain", [this] { cmdCancel_Click(-1); });
    on("bthBackStarFix1", [this] { bthBackStarFix_Click(); });
    on("bthBackStarFix2", [this] { bthBackStarFix_Click(); });

    connect(picStarFix, &StartPicture::clicked, this, [this] { mnuAstroEnter_Click(); });
    connect(picRLGC, &StartPicture::clicked, this, [this] { mnuUtil_Click(0); });
    connect(picAzimuth, &StartPicture::clicked, this, [this] { mnuAziGo_Click(); });
    connect(picStarFixWizard, &StartPicture::clicked, this, [this] { picStarFixWizard_Click(); });
}

void FrmWorking::SetTabByCode(QTabWidget* tabs, int index) {
    changingTabByCode_ = true;
    tabs->setCurrentIndex(index);
    changingTabByCode_ = false;
}

// ---- Pages ----------------------------------------------------------------

void FrmWorking::ShowToolbar(QToolBar* bar) {
    // The four bars are docked at the left edge once, when they are built;
    // a hidden bar takes no room there, so showing one bar and hiding the
    // others is the whole switch.
    for (QToolBar* t : {tlhWorking, tlhStarfix, tlhNum, tlhGraph})
        if (t != bar) t->setVisible(false);
    bar->setVisible(true);
}

QWidget* FrmWorking::ShownPage() const {
    for (QWidget* page : {static_cast<QWidget*>(tabOptions), static_cast<QWidget*>(tabUtil),
                          static_cast<QWidget*>(tabIn), static_cast<QWidget*>(resultsPage_)})
        if (page->isVisible()) return page;
    return centralWidget();
}

void FrmWorking::KeepKeysOnShownPage() {
    PageFocusLinks links;
    links.ShownPage = [this] { return ShownPage(); };
    // A tab set is entered by its tab row (the input page's observations
    // tab by its grid), the results by the view shown, the start screen by
    // its first picture that can be clicked.
    links.EntryOf = [this](QWidget* page) -> QWidget* {
        if (page == tabIn) return inputPage_->EntryControl();
        if (page != centralWidget()) return page;
        for (StartPicture* p : {picStarFix, picRLGC, picAzimuth, picStarFixWizard})
            if (p->isVisible() && p->isEnabled()) return p;
        return page;
    };
    pageFocus_ = new PageFocus(this, centralWidget(), std::move(links));
    for (QWidget* page :
         {static_cast<QWidget*>(tabOptions), static_cast<QWidget*>(tabUtil),
          static_cast<QWidget*>(tabIn), static_cast<QWidget*>(resultsPage_), panhGradient})
        pageFocus_->Watch(page);
    for (StartPicture* p : {picStarFix, picRLGC, picAzimuth, picStarFixWizard})
        pageFocus_->Watch(p);
}

void FrmWorking::RestoreStartScreen() {
    resultsPage_->Withdraw();
    panhGradient->setVisible(true);
    for (StartPicture* p : {picStarFix, picRLGC, picAzimuth, picStarFixWizard}) {
        p->setVisible(true);
        p->setEnabled(true);
    }
    tabIn->setVisible(false);
    ShowToolbar(tlhWorking);
    tlhWorking->setEnabled(true);
    for (const char* n :
         {"mnuAstroCorrect", "mnuAstroSave", "mnuAstroErase", "mnuAstroNum", "mnuAstroGraph"})
        Action(n)->setEnabled(false);
    for (const char* n : {"mnuUtil", "mnuAzi", "mnuOptions"}) Action(n)->setEnabled(true);
}

void FrmWorking::mnuAstroEnter_Click() {
    for (const char* n : {"mnuUtil", "mnuAzi", "mnuOptions"}) Action(n)->setEnabled(false);
    for (StartPicture* p : {picStarFix, picRLGC, picAzimuth, picStarFixWizard})
        p->setVisible(false);
    CenterControl(tabIn);
    if (!state_.FixPageStarted) {
        state_.FixPageStarted = true;
        state_.FixEntered.fill(false);
        state_.LopLength = 5.0;
        state_.ChartScale = 0.1;
        status_->SetSimple(true);
        inputPage_->cmdEraseObs_Click();
    }
    tabIn->setVisible(true);
    tabIn->raise();
    ShowToolbar(tlhStarfix);
}

void FrmWorking::LoadObservations() {
    mnuAstroEnter_Click();
    inputPage_->cmdLoadObs_Click();
}

void FrmWorking::mnuAstroErase_Click() {
    inputPage_->cmdEraseObs_Click();
    status_->SetSimple(true);
    resultsPage_->Withdraw();
    if (!tabIn->isVisible()) RestoreStartScreen();
    for (const char* n :
         {"mnuAstroCorrect", "mnuAstroSave", "mnuAstroErase", "mnuAstroNum", "mnuAstroGraph"})
        Action(n)->setEnabled(false);
    for (const char* n : {"mnuUtil", "mnuAzi", "mnuOptions"}) Action(n)->setEnabled(true);
}

void FrmWorking::mnuAstroCorrect_Click() {
    CenterControl(tabIn);
    tabIn->setVisible(true);
    tabIn->raise();
}

void FrmWorking::mnuUtil_Click(int tab) {
    for (StartPicture* p : {picStarFix, picRLGC, picAzimuth}) p->setEnabled(false);
    Action("mnuAstro")->setEnabled(false);
    Action("mnuAzi")->setEnabled(false);
    tlhWorking->setEnabled(false);
    CenterControl(tabUtil);
    SetTabByCode(tabUtil, tab);
    tabUtil->setVisible(true);
    tabUtil->raise();
    utilitiesPage_->tabUtil_GotFocus();
}

void FrmWorking::bthBackStarFix_Click() {
    // The report or chart stays on screen; only the toolbar and menus change.
    ShowToolbar(tlhStarfix);
    for (const char* n : {"mnuAstroNum", "mnuAstroNumDisp", "mnuAstroGraph", "mnuAstroGraphDisp"})
        Action(n)->setEnabled(true);
    for (const char* n : {"mnuAstroNumPrint", "mnuAstroGraphChart", "mnuAstroGraphLOP",
                          "mnuAstroGraphGrid", "mnuAstroGraphPrint"})
        Action(n)->setEnabled(false);
}

// ---- Tab navigation ----------------------------------------------------------

void FrmWorking::SetAstroMenuForInput() {
    for (const char* n : {"mnuAstroCorrect", "mnuAstroSave", "mnuAstroErase", "mnuAstroNum",
                          "mnuAstroNumDisp", "mnuAstroGraph", "mnuAstroGraphDisp"})
        Action(n)->setEnabled(true);
    for (const char* n : {"mnuAstroNumPrint", "mnuAstroGraphChart", "mnuAstroGraphLOP",
                          "mnuAstroGraphGrid", "mnuAstroGraphPrint"})
        Action(n)->setEnabled(false);
}

void FrmWorking::cmdCancel_Click(int index) {
    inputPage_->ShowTab(0);
    const bool resultShown = resultsPage_->Shown() != ResultsPage::View::None;
    if (tlhStarfix->isVisible() && index != -1 && resultShown) {
        tabIn->setVisible(false);
        return;
    }
    RestoreStartScreen();
}

void FrmWorking::mnuOptionsTab_Click() {
    CenterControl(tabOptions);
    optionsPage_->Open();
}

// ---- Menu commands --------------------------------------------------------------

void FrmWorking::mnuAstroProba_Click() {
    const double before = state_.Proba;
    FrmProba* dlg = dialogs_->Proba();
    dlg->BeginShow();
    ExecDialog(*dlg);
    if (state_.Proba == before) return;
    const ResultsPage::View shown = resultsPage_->Shown();
    if (shown == ResultsPage::View::Report) {
        cmdNumRes_Click();
    } else if (shown == ResultsPage::View::Chart) {
        cmdGraphRes_Click();
    } else if (!status_->Simple()) {
        // "##.0" with the user's separator.
        QString level = QString::number(state_.Proba * 100.0, 'f', 1);
        level.replace('.', QString::fromStdString(state_.DecSep));
        status_->Panel("Proba")->setText(level + " %");
    }
}

void FrmWorking::mnuAstroSave_Click() {
    inputPage_->cmdSaveObs_Click();
}

void FrmWorking::mnuAziGo_Click() {
    for (StartPicture* p : {picStarFix, picRLGC, picAzimuth}) p->setEnabled(false);
    for (const char* n : {"mnuUtil", "mnuAzi", "mnuOptions", "mnuAstro"})
        Action(n)->setEnabled(false);
    tlhWorking->setEnabled(false);
    // The tool gives them back when it ends.
    companions_->ShowAzimuth();
}

void FrmWorking::mnuStarFixWizardStart_Click() {
    state_.WizardOpen = true;
    Action("mnuStarFixWizard")->setEnabled(false);
    companions_->ShowWizard();
}

void FrmWorking::picStarFixWizard_Click() {
    if (state_.WizardOpen) {
        companions_->ActivateWizard();
    } else {
        mnuStarFixWizardStart_Click();
    }
}

void FrmWorking::mnuFilePageSetup_Click() {
    // As the system's own set-up dialog does, the printer (or PDF file)
    // chosen here is the one the following prints use; the dialog takes
    // the choice itself, and a cancel changes nothing and is not reported.
    PrintSetupDialog dlg(this);
    ExecDialog(dlg);
}

void FrmWorking::mnuFileQuit_Click() {
    FrmEnd* end = dialogs_->End();
    ExecDialog(*end);
    if (end->Tag() != "YES") return;
    CloseAllHelpWindows();
    UnloadOtherWindows();
    quitting_ = true;
    close();
}

void FrmWorking::mnuHelpManual_Click() {
    ShowHelpFile(this);
}

void FrmWorking::mnuViewWebBrowser_Click() {
    ShellOpen(WebPageAddress());
}

void FrmWorking::mnuHelpAbout_Click() {
    if (!documents_.AboutTextLoaded) {
        ShowMessage(kIconExclamation + kButtonsOk, QString(" File access error"),
                    QString("The about text InfoProg.rtf was not found beside the program."), this);
        return;
    }
    FrmSplash* about = dialogs_->Splash();
    // Once the splash has closed it is the about box for good.
    if (about->Tag() == "FromStart") about->CloseStep();
    ExecDialog(*about);
}

void FrmWorking::mnuHelpIntro_Click() {
    if (!documents_.IntroLetterLoaded) {
        ShowMessage(kIconExclamation + kButtonsOk, QString(" File access error"),
                    QString("The introduction letter IntroLetter.rtf was not found beside the "
                            "program."),
                    this);
        return;
    }
    // A new window at each showing; Continue ends it.
    auto* intro = new FrmIntro(this);
    dialogs_->Intro = intro;
    intro->rtfIntroLetter->setHtml(documents_.IntroLetterHtml);
    ExecDialog(*intro);
    delete dialogs_->Intro;
}

void FrmWorking::ShowTimeStore() {
    ExecDialog(*dialogs_->TimeStore());
}

}  // namespace orvex
