#include "platform/help_window.h"

#include <QFileInfo>
#include <QKeyEvent>
#include <QPointer>
#include <QUrl>
#include <QVBoxLayout>
#include <vector>

#include "navlib/app_path.h"
#include "navlib/hooks.h"
#include "platform/message_box.h"
#include "platform/shell_open.h"
#include "platform/window_placement.h"

namespace orvex {

namespace {
std::vector<QPointer<HelpWindow>>& OpenWindows() {
    static std::vector<QPointer<HelpWindow>> windows;
    return windows;
}

void Forget(HelpWindow* w) {
    auto& all = OpenWindows();
    for (auto it = all.begin(); it != all.end();) {
        if (it->isNull() || it->data() == w)
            it = all.erase(it);
        else
            ++it;
    }
}
}  // namespace

QString HelpIndexPath() {
    return QString::fromStdString(AppPath()) + QStringLiteral("/help/index.html");
}

HelpWindow::HelpWindow(const QString& page, QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("frmHelp"));
    setWindowTitle(QStringLiteral("Orvex - Manual"));
    setAttribute(Qt::WA_DeleteOnClose);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    browser_ = new QTextBrowser(this);
    browser_->setObjectName(QStringLiteral("brwHelp"));
    // Links are followed here: pages of the manual in this window, web and
    // mail links in the user's own programs.
    browser_->setOpenLinks(false);
    layout->addWidget(browser_);
    connect(browser_, &QTextBrowser::anchorClicked, this, [this](const QUrl& url) {
        const QUrl target = browser_->source().resolved(url);
        if (target.isLocalFile())
            browser_->setSource(target);
        else
            ShellOpen(url.toString());
    });
    browser_->setSource(QUrl::fromLocalFile(page));
    resize(720, 560);
    OpenWindows().push_back(this);
}

HelpWindow::~HelpWindow() {
    Forget(this);
}

// Escape closes the manual as its close box does.
void HelpWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

QString HelpWindow::CurrentPage() const {
    return browser_->source().toLocalFile();
}

HelpWindow* ShowHelp(QWidget* owner, const QString& page) {
    const QString path = page.isEmpty() ? HelpIndexPath() : page;
    if (!QFileInfo(path).isFile()) {
        ShowMessage(kIconExclamation + kButtonsOk, QStringLiteral(" Help"),
                    QStringLiteral("The manual could not be found:\r\n") + path, owner);
        return nullptr;
    }
    Forget(nullptr);
    HelpWindow* w = nullptr;
    for (const auto& p : OpenWindows())
        if (p && p->parentWidget() == owner) w = p.data();
    if (w) {
        w->Browser().setSource(QUrl::fromLocalFile(path));
    } else {
        w = new HelpWindow(path, owner);
        if (owner) CentreOnOwner(*w, *owner);
    }
    w->show();
    w->raise();
    w->activateWindow();
    return w;
}

void CloseAllHelpWindows() {
    const auto windows = OpenWindows();  // closing edits the list
    for (const auto& p : windows)
        if (p) p->close();
    Forget(nullptr);
}

int OpenHelpWindowCount() {
    Forget(nullptr);
    int n = 0;
    for (const auto& p : OpenWindows())
        if (p && p->isVisible()) ++n;
    return n;
}

}  // namespace orvex
