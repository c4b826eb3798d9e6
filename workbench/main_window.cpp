// The main window's construction, start-up and shut-down.
#include "workbench/main_window.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLocale>
#include <QMenu>
#include <QMouseEvent>
#include <QScreen>
#include <QStatusBar>
#include <QTabWidget>
#include <QToolBar>
#include <algorithm>
#include <cmath>

#include "companions/intro.h"
#include "companions/splash.h"
#include "navlib/app_path.h"
#include "platform/help_window.h"
#include "platform/masked_field.h"
#include "platform/message_box.h"
#include "sailing/utilities_page.h"
#include "workbench/companion_windows.h"
#include "workbench/frm_end.h"
#include "workbench/frm_proba.h"
#include "workbench/frm_time_store.h"
#include "workbench/frm_wait.h"
#include "workbench/page_focus.h"
#include "workbench/platform_links.h"
#include "workbench/small_dialogs.h"
#include "workbench/star_fix_input_page.h"
#include "workbench/startup_helpers.h"
#include "workbench/status_line.h"
#include "workbench/still_layout.h"
#include "workbench/window_art.h"

namespace orvex {

namespace {
// The smallest outer size of the window: 11715 x 8415 twips.
constexpr double kMinWidthTwips = 11715.0;
constexpr double kMinHeightTwips = 8415.0;
}  // namespace

FrmWorking::FrmWorking(QWidget* parent) : QMainWindow(parent) {
    setObjectName("frmWorking");
    setWindowTitle("Orvex");
    setWindowIcon(QIcon(ProgramLogo(64)));
    settings_ = PlatformMainSettings();
    dialogs_ = std::make_unique<SmallDialogs>(*this, state_);
    BuildMenus();
    BuildToolbars();
    BuildPages();
    LayOutStill(*this);
    StatusLineLinks statusLinks;
    statusLinks.PanelDoubleClicked = [this](const QString& key) {
        if (key == "Proba") mnuAstroProba_Click();
    };
    status_ = new StatusLine(*this, std::move(statusLinks));
    staNumDisp = status_->Bar();
    ConnectActions();
    // The results hooks run the results commands.
    onNumericResults = [this] { cmdNumRes_Click(); };
    onGraphicResults = [this] { cmdGraphRes_Click(); };
    ConnectCompanions();
    KeepKeysOnShownPage();
    const double tpp = TwipsPerPixel();
    setMinimumSize(static_cast<int>(std::ceil(kMinWidthTwips / tpp)),
                   static_cast<int>(std::ceil(kMinHeightTwips / tpp)));
    ShowToolbar(tlhWorking);
    if (qApp) {
        connect(qApp, &QGuiApplication::commitDataRequest, this,
                [this](QSessionManager&) { systemClosing_ = true; });
        connect(qApp, &QCoreApplication::aboutToQuit, this, [this] {
            if (loaded_ && !unloaded_) {
                Form_Unload();
                unloaded_ = true;
            }
        });
    }
}

FrmWorking::~FrmWorking() {
    delete pageFocus_;  // no key is judged while the pages go
}

double FrmWorking::TwipsPerPixel() const {
    const QScreen* s = screen() ? screen() : QGuiApplication::primaryScreen();
    const double dpi = s ? s->logicalDotsPerInchX() : 96.0;
    return dpi > 0 ? 1440.0 / dpi : 15.0;
}

QAction* FrmWorking::Action(const QString& name) const {
    const auto it = actions_.find(name);
    return it == actions_.end() ? nullptr : it->second;
}

QMenu* FrmWorking::Menu(const QString& name) const {
    const auto it = menus_.find(name);
    return it == menus_.end() ? nullptr : it->second;
}

MaskedField* FrmWorking::MaskField(const std::string& name, int index) const {
    if (inputPage_)
        if (MaskedField* f = inputPage_->MaskField(name, index)) return f;
    if (!utilitiesPage_) return nullptr;
    // The utilities' fields by their names: "mskLat_0" to "mskLat_4",
    // "mskCourse_1"; the single fields ("mskDist") whatever the index.
    const QString single = QString::fromStdString(name);
    if (auto* f = utilitiesPage_->findChild<MaskedField*>(single + "_" + QString::number(index)))
        return f;
    return utilitiesPage_->findChild<MaskedField*>(single);
}

// ---- Start-up ----------------------------------------------------------

void FrmWorking::RestoreGeometry() {
    const double tpp = TwipsPerPixel();
    const QScreen* s = screen() ? screen() : QGuiApplication::primaryScreen();
    const QRect screenRect = s ? s->geometry() : QRect(0, 0, 1024, 768);
    // The screens' usable areas, the primary first.
    QList<QScreen*> all = QGuiApplication::screens();
    std::stable_partition(all.begin(), all.end(),
                          [](QScreen* x) { return x == QGuiApplication::primaryScreen(); });
    std::vector<TwipsRect> screens;
    for (const QScreen* x : all) {
        const QRect a = x->availableGeometry();
        screens.push_back({a.x() * tpp, a.y() * tpp, a.width() * tpp, a.height() * tpp});
    }
    const TwipsRect r =
        KeepOnScreen(RestoreMainGeometry(
                         [this](const std::string& key) {
                             return settings_.Read ? settings_.Read(key) : std::string();
                         },
                         screenRect.width() * tpp, screenRect.height() * tpp),
                     screens);
    resize(static_cast<int>(std::lround(r.Width / tpp)),
           static_cast<int>(std::lround(r.Height / tpp)));
    move(static_cast<int>(std::lround(r.Left / tpp)), static_cast<int>(std::lround(r.Top / tpp)));
}

void FrmWorking::Form_Load(const QStringList& arguments) {
    if (loaded_) return;  // start-up runs once
    RestoreGeometry();
    ShowToolbar(tlhWorking);
    state_.VersionText = BuildVersionText(kVersionMajor, kVersionMinor, kVersionRevision);

    // The splash holds the start-up until it hides itself.
    FrmSplash* splash = dialogs_->Splash();
    splash->SetVersionText(QString::fromStdString(state_.VersionText));
    ExecDialog(*splash);
    if (splash->Tag() == "FromStart") splash->CloseStep();

    InitMainWindow();
    loaded_ = true;

    // The command line names at most one observation file.
    const std::string raw = arguments.join(' ').toStdString();
    if (!raw.empty()) {
        state_.CommandLineFile = CleanCommandLine(raw);
        mnuAstroEnter_Click();
        if (onLoadObservations) onLoadObservations();
    }
    SetApplicationHelpFile(HelpFilePath());
    SetMessageOwner(this);
}

QString FrmWorking::HelpFilePath() const {
    // The manual: HTML pages in the program folder's "help" folder.
    return QString::fromStdString(state_.AppPath.empty() ? AppPath() : state_.AppPath) +
           "/help/index.html";
}

// ---- Shut-down -----------------------------------------------------------

bool FrmWorking::Form_QueryUnload(int unloadMode) {
    if (unloadMode != kUnloadFromCloseBox) return false;
    FrmEnd* end = dialogs_->End();
    ExecDialog(*end);
    if (end->Tag() == "NO") return true;
    CloseAllHelpWindows();
    UnloadOtherWindows();
    return false;
}

void FrmWorking::UnloadOtherWindows() {
    // Fixed order; a window never made is skipped.
    if (onUnloadAzimuth) onUnloadAzimuth();
    for (const char* n : {"frmEnd", "frmIntro", "frmProba", "frmSplash"}) dialogs_->Unload(n);
    if (onUnloadWizard) onUnloadWizard();
    for (const char* n : {"frmTimeStore", "frmWait"}) dialogs_->Unload(n);
}

void FrmWorking::Form_Unload() {
    if (isMinimized()) return;
    const double tpp = TwipsPerPixel();
    // Locale-independent text, so that a store written under one locale
    // reads back under another.
    auto text = [](double twips) {
        return QString::number(static_cast<double>(static_cast<float>(twips)), 'g', 9)
            .toStdString();
    };
    if (!settings_.Write) return;
    QPoint pos = isVisible() ? frameGeometry().topLeft() : QPoint(x(), y());
    QSize size = this->size();
    // A maximised frame may reach past its screen by its borders (where the
    // platform puts them there); restored in the normal state it would open
    // past the screen's edge. The window that fills the screen's area,
    // frame included, is stored instead.
    if (isVisible() && isMaximized() && screen()) {
        const QRect area = screen()->availableGeometry();
        pos = area.topLeft();
        size = (area.size() - (frameGeometry().size() - geometry().size())).expandedTo({1, 1});
    }
    settings_.Write("MainLeft", text(pos.x() * tpp));
    settings_.Write("MainTop", text(pos.y() * tpp));
    settings_.Write("MainWidth", text(size.width() * tpp));
    settings_.Write("MainHeight", text(size.height() * tpp));
}

void FrmWorking::RequestSystemClose() {
    systemClosing_ = true;
    close();
}

void FrmWorking::closeEvent(QCloseEvent* event) {
    if (!unloaded_) {
        int mode = kUnloadFromCode;
        if (systemClosing_)
            mode = kUnloadFromSystem;
        else if (!quitting_ && event->spontaneous())
            mode = kUnloadFromCloseBox;
        if (Form_QueryUnload(mode)) {
            event->ignore();
            return;
        }
        if (loaded_) Form_Unload();
        unloaded_ = true;
    }
    event->accept();
}

void FrmWorking::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    Form_Resize();
}

}  // namespace orvex
