// The main window's menu bar and its four page toolbars.
#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>

#include "workbench/main_window.h"
#include "workbench/menu_access_keys.h"
#include "workbench/window_art.h"

namespace orvex {

QAction* FrmWorking::AddAction(QMenu* menu, const char* name, const QString& text) {
    auto* a = menu->addAction(text);
    a->setObjectName(name);
    actions_[name] = a;
    return a;
}

QMenu* FrmWorking::AddMenu(QMenu* parent, const char* name, const QString& text) {
    QMenu* m = parent ? parent->addMenu(text) : menuBar()->addMenu(text);
    m->setObjectName(name);
    m->menuAction()->setObjectName(name);
    actions_[name] = m->menuAction();
    return m;
}

void FrmWorking::BuildMenus() {
    QMenu* file = AddMenu(nullptr, "mnuFile", "&File");
    AddAction(file, "mnuFilePageSetup", "Print Setup");
    file->addSeparator();
    QAction* quit = AddAction(file, "mnuFileQuit", "E&xit");
    quit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));

    QMenu* astro = AddMenu(nullptr, "mnuAstro", "&Astro Position");
    AddAction(astro, "mnuAstroEnter", "&Enter datas...");
    AddAction(astro, "mnuAstroLoad", "&Load datas...");
    astro->addSeparator();
    AddAction(astro, "mnuAstroCorrect", "&Correct datas...")->setEnabled(false);
    AddAction(astro, "mnuAstroSave", "&Save datas...")->setEnabled(false);
    AddAction(astro, "mnuAstroErase", "E&rase datas")->setEnabled(false);
    astro->addSeparator();
    QMenu* num = AddMenu(astro, "mnuAstroNum", "&Numeric Results");
    num->menuAction()->setEnabled(false);
    AddAction(num, "mnuAstroNumDisp", "&Display");
    AddAction(num, "mnuAstroNumPrint", "&Print");
    QMenu* graph = AddMenu(astro, "mnuAstroGraph", "&Graphic Results");
    graph->menuAction()->setEnabled(false);
    AddAction(graph, "mnuAstroGraphDisp", "&Display");
    QMenu* chart = AddMenu(graph, "mnuAstroGraphChart", "&Chart size");
    AddAction(chart, "mnuAstroGraphChartInc", "&Increase");
    AddAction(chart, "mnuAstroGraphChartDec", "&Decrease");
    QMenu* lop = AddMenu(graph, "mnuAstroGraphLOP", "&LOPs size");
    AddAction(lop, "mnuAstroGraphLOPInc", "&Increase");
    AddAction(lop, "mnuAstroGraphLOPDec", "&Decrease");
    QAction* grid = AddAction(graph, "mnuAstroGraphGrid", "&Grid");
    grid->setCheckable(true);
    grid->setChecked(false);
    AddAction(graph, "mnuAstroGraphPrint", "&Print");
    astro->addSeparator();
    AddAction(astro, "mnuAstroProba", "&Probability...");

    QMenu* util = AddMenu(nullptr, "mnuUtil", "&Utilities");
    AddAction(util, "mnuUtilRL", "&Rhumb Line...");
    AddAction(util, "mnuUtilGC", "&Great Circle...");
    AddAction(util, "mnuUtilETA", "&ETA Calculation...");

    QMenu* azi = AddMenu(nullptr, "mnuAzi", "A&zimuth");
    AddAction(azi, "mnuAziGo", "&Calculation...");

    QMenu* wizard = AddMenu(nullptr, "mnuStarFixWizard", "&Wizard");
    AddAction(wizard, "mnuStarFixWizardStart", "&Start star fix wizard...");

    QMenu* options = AddMenu(nullptr, "mnuOptions", "&Options");
    AddAction(options, "mnuOptionsTab", "&Preferences...");

    QMenu* help = AddMenu(nullptr, "mnuHelp", "&Help");
    AddAction(help, "mnuHelpManual", "&Manual");
    // No command enables the introduction letter: it stays greyed.
    AddAction(help, "mnuHelpIntro", "&Introductory Letter")->setEnabled(false);
    help->addSeparator();
    AddAction(help, "mnuViewWebBrowser", "&Brackmoor on the Web");
    help->addSeparator();
    AddAction(help, "mnuHelpAbout", "&About");
    // A menu's letter opens the menu even where a control shares it.
    new MenuAccessKeys(menuBar());
}

QAction* FrmWorking::AddToolButton(QToolBar* bar, const char* name, const QString& tip,
                                   const QString& glyph) {
    static const QColor colours[] = {QColor(30, 80, 160), QColor(20, 120, 90), QColor(150, 90, 20),
                                     QColor(120, 30, 50)};
    const QColor colour = colours[bar == tlhWorking   ? 0
                                  : bar == tlhStarfix ? 1
                                  : bar == tlhNum     ? 2
                                                      : 3];
    // A button without a tooltip of its own has no text either: the mouse
    // would show the text as its tooltip.
    auto* a = bar->addAction(ToolbarIcon(glyph, colour),
                             tip.isEmpty() ? QString() : QString(name).mid(3));
    a->setObjectName(name);
    if (!tip.isEmpty()) a->setToolTip(tip);
    if (auto* w = bar->widgetForAction(a)) w->setObjectName(name);
    actions_[name] = a;
    return a;
}

void FrmWorking::BuildToolbars() {
    auto make = [this](const char* name) {
        auto* bar = new QToolBar(this);
        bar->setObjectName(name);
        bar->setWindowTitle(name);
        bar->setMovable(false);
        bar->setFloatable(false);
        bar->setOrientation(Qt::Vertical);
        bar->setIconSize(QSize(40, 40));
        // 690 twips at design: 46 pixels.
        bar->setFixedWidth(46);
        bar->toggleViewAction()->setVisible(false);
        addToolBar(Qt::LeftToolBarArea, bar);
        bar->setVisible(false);
        return bar;
    };
    tlhWorking = make("tlhWorking");
    tlhStarfix = make("tlhStarfix");
    tlhNum = make("tlhNum");
    tlhGraph = make("tlhGraph");
    setContextMenuPolicy(Qt::NoContextMenu);

    AddToolButton(tlhWorking, "bthStarfix", "", "Fix");
    AddToolButton(tlhWorking, "bthStarFixWizard", "Star Fix Wizard", "Wiz");
    AddToolButton(tlhWorking, "bthAzimuth", "", "Az");
    AddToolButton(tlhWorking, "bthRLGC", "", "GC");
    AddToolButton(tlhWorking, "bthExit", "", "End");

    AddToolButton(tlhStarfix, "bthNumRes", "Numeric results", "123");
    AddToolButton(tlhStarfix, "bthGraphRes", "Graphic results", "LOP");
    AddToolButton(tlhStarfix, "bthCorr", "Correction of datas", "Cor");
    AddToolButton(tlhStarfix, "bthMain", "Back to main screen", "⌂");

    AddToolButton(tlhNum, "bthBackStarFix1", "Back to starfix menu", "←");
    AddToolButton(tlhNum, "bthPrint1", "", "Prn");
    AddToolButton(tlhNum, "bthEllipse1", "Probability of ellipse", "%");

    AddToolButton(tlhGraph, "bthBackStarFix2", "Back to starfix menu", "←");
    AddToolButton(tlhGraph, "bthPrint2", "", "Prn");
    AddToolButton(tlhGraph, "bthEllipse2", "Probability of ellipse", "%");
    AddToolButton(tlhGraph, "bthChartIncr", "Increase chart size", "C+");
    AddToolButton(tlhGraph, "bthChartDecr", "Decrease chart size", "C−");
    AddToolButton(tlhGraph, "bthLopIncr", "Increase LOPs size", "L+");
    AddToolButton(tlhGraph, "bthLopDecr", "Decrease LOPs size", "L−");
    QAction* grid1 = AddToolButton(tlhGraph, "bthGrid1", "", "#");
    QAction* grid2 = AddToolButton(tlhGraph, "bthGrid2", "No grid", "□");
    // The grid starts hidden: bthGrid1 is down, bthGrid2 ("No grid") up and
    // the menu item unchecked; a toggle swaps all three.
    grid1->setCheckable(true);
    grid2->setCheckable(true);
    grid1->setChecked(true);
    grid1->setProperty("GridDown", true);
    grid2->setChecked(false);
}

}  // namespace orvex
