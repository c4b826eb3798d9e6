// The manual beside the program: every page loads in the help window, has a
// title and a way back to the contents, and every link and picture inside it
// leads somewhere that exists.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QMap>
#include <QRegularExpression>
#include <QSet>
#include <QStringList>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <QTextFragment>
#include <QUrl>
#include <QWidget>

#include "navlib/app_path.h"
#include "platform/help_window.h"
#include "platform/message_box.h"

namespace orvex {
namespace {

const QString kHelpFolder = QStringLiteral(ORVEX_SOURCE_DIR "/data/files/help");

// What the help window made of one page.
struct PageContent {
    QString title;
    QStringList hrefs;    // link targets as written
    QSet<QString> names;  // anchors a link may point at
    QStringList images;   // picture sources as written
    QString raw;          // the file as stored
};

// Loads `path` the way the help window shows it and walks the rendered
// document, so that only what the browser understood counts.
PageContent LoadPage(const QString& path) {
    PageContent page;
    QFile f(path);
    if (f.open(QIODevice::ReadOnly)) page.raw = QString::fromLatin1(f.readAll());
    QTextBrowser browser;
    browser.setSource(QUrl::fromLocalFile(path));
    const QTextDocument* doc = browser.document();
    page.title = doc->metaInformation(QTextDocument::DocumentTitle).trimmed();
    for (QTextBlock b = doc->begin(); b != doc->end(); b = b.next()) {
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat cf = it.fragment().charFormat();
            if (cf.isAnchor()) {
                const QString href = cf.anchorHref();
                if (!href.isEmpty() && !page.hrefs.contains(href)) page.hrefs << href;
                for (const QString& n : cf.anchorNames()) page.names.insert(n);
            }
            if (cf.isImageFormat()) page.images << cf.toImageFormat().name();
        }
    }
    return page;
}

QStringList ManualPages() {
    QStringList pages;
    const QDir dir(kHelpFolder);
    for (const QString& name : dir.entryList({"*.html"}, QDir::Files, QDir::Name))
        pages << dir.absoluteFilePath(name);
    return pages;
}

bool IsWebLink(const QUrl& url) {
    return url.scheme() == "http" || url.scheme() == "https" || url.scheme() == "mailto";
}

class HelpManual : public ::testing::Test {
  protected:
    void SetUp() override {
        for (const QString& p : ManualPages())
            pages_.insert(QFileInfo(p).canonicalFilePath(), LoadPage(p));
    }
    QMap<QString, PageContent> pages_;
};

// Guards a manual that shrank back to its first page, or a page that the
// browser cannot show at all (empty after loading).
TEST_F(HelpManual, HasItsPagesAndEachShowsText) {
    ASSERT_GE(pages_.size(), 10);
    EXPECT_TRUE(pages_.contains(QFileInfo(kHelpFolder + "/index.html").canonicalFilePath()));
    for (auto it = pages_.cbegin(); it != pages_.cend(); ++it) {
        QTextBrowser browser;
        browser.setSource(QUrl::fromLocalFile(it.key()));
        EXPECT_GT(browser.toPlainText().size(), 500) << it.key().toStdString();
    }
}

// Guards a page without a window title, one that strands the reader with no
// way back to the contents, and a page that the contents cannot reach.
TEST_F(HelpManual, EveryPageHasATitleALinkToTheContentsAndIsReachable) {
    const QString index = QFileInfo(kHelpFolder + "/index.html").canonicalFilePath();
    for (auto it = pages_.cbegin(); it != pages_.cend(); ++it) {
        const std::string name = QFileInfo(it.key()).fileName().toStdString();
        EXPECT_FALSE(it->title.isEmpty()) << name;
        bool toContents = false;
        for (const QString& href : it->hrefs) {
            const QUrl target = QUrl::fromLocalFile(it.key()).resolved(QUrl(href));
            if (target.isLocalFile() &&
                QFileInfo(target.toLocalFile()).canonicalFilePath() == index)
                toContents = true;
        }
        EXPECT_TRUE(toContents) << name << " has no link to the contents";
    }
    // Every page can be reached from the contents by following links.
    QSet<QString> seen{index};
    QStringList queue{index};
    while (!queue.isEmpty()) {
        const QString page = queue.takeFirst();
        for (const QString& href : pages_.value(page).hrefs) {
            const QUrl target = QUrl::fromLocalFile(page).resolved(QUrl(href));
            if (!target.isLocalFile()) continue;
            const QString file = QFileInfo(target.toLocalFile()).canonicalFilePath();
            if (pages_.contains(file) && !seen.contains(file)) {
                seen.insert(file);
                queue << file;
            }
        }
    }
    for (auto it = pages_.cbegin(); it != pages_.cend(); ++it)
        EXPECT_TRUE(seen.contains(it.key())) << QFileInfo(it.key()).fileName().toStdString()
                                             << " cannot be reached from the contents";
}

// Guards a misspelt page name, a link to a section heading that does not
// exist, and a link that would leave the program for the web.
TEST_F(HelpManual, EveryLinkLeadsToAnExistingPageAndSection) {
    int links = 0;
    for (auto it = pages_.cbegin(); it != pages_.cend(); ++it) {
        const std::string from = QFileInfo(it.key()).fileName().toStdString();
        for (const QString& href : it->hrefs) {
            const QUrl target = QUrl::fromLocalFile(it.key()).resolved(QUrl(href));
            EXPECT_FALSE(IsWebLink(target)) << from << ": " << href.toStdString();
            if (!target.isLocalFile()) continue;
            ++links;
            const QString file = QFileInfo(target.toLocalFile()).canonicalFilePath();
            ASSERT_TRUE(pages_.contains(file)) << from << ": " << href.toStdString();
            if (target.hasFragment()) {
                EXPECT_TRUE(pages_.value(file).names.contains(target.fragment()))
                    << from << ": no section " << href.toStdString();
            }
        }
    }
    EXPECT_GT(links, 80);
}

// Guards a picture that is missing, not a readable PNG, or fetched from
// outside the program's folder.
TEST_F(HelpManual, EveryPictureIsAPngBesideTheManual) {
    int pictures = 0;
    for (auto it = pages_.cbegin(); it != pages_.cend(); ++it) {
        const std::string from = QFileInfo(it.key()).fileName().toStdString();
        for (const QString& src : it->images) {
            ++pictures;
            const QUrl target = QUrl::fromLocalFile(it.key()).resolved(QUrl(src));
            ASSERT_TRUE(target.isLocalFile()) << from << ": " << src.toStdString();
            const QString file = target.toLocalFile();
            EXPECT_TRUE(file.endsWith(".png")) << from << ": " << src.toStdString();
            EXPECT_TRUE(QFileInfo(file).canonicalFilePath().startsWith(
                QFileInfo(kHelpFolder).canonicalFilePath() + "/"))
                << from << ": " << src.toStdString();
            EXPECT_FALSE(QImage(file).isNull()) << from << ": " << src.toStdString();
        }
    }
    EXPECT_GE(pictures, 5);
}

// Guards markup that the help window shows wrongly or not at all: a page
// that is not plain HTML 4, characters that depend on the file's encoding
// (everything beyond ASCII is written as an entity), inline styles, and
// outside style sheets or scripts.
TEST_F(HelpManual, PagesArePlainHtml4InAscii) {
    const QRegularExpression doctype("^<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4\\.01//EN\">");
    const QRegularExpression forbidden(
        "(style\\s*=|<script|<link|<iframe|<object|src\\s*=\\s*\"https?:)",
        QRegularExpression::CaseInsensitiveOption);
    const QRegularExpression title("<title>[^<]+</title>");
    for (auto it = pages_.cbegin(); it != pages_.cend(); ++it) {
        const std::string name = QFileInfo(it.key()).fileName().toStdString();
        const QString& raw = it->raw;
        EXPECT_TRUE(doctype.match(raw).hasMatch()) << name;
        EXPECT_TRUE(title.match(raw).hasMatch()) << name;
        EXPECT_FALSE(forbidden.match(raw).hasMatch())
            << name << ": " << forbidden.match(raw).captured().toStdString();
        for (const QChar c : raw)
            if (c.unicode() > 126 || (c.unicode() < 32 && c != '\n' && c != '\t')) {
                ADD_FAILURE() << name << " holds the character " << static_cast<int>(c.unicode());
                break;
            }
        // Every <img> carries a text for readers who cannot see it.
        const QRegularExpression img("<img\\b[^>]*>");
        for (auto m = img.globalMatch(raw); m.hasNext();)
            EXPECT_TRUE(m.next().captured().contains("alt=\"")) << name;
    }
}

// Guards a link inside the manual that the help window hands to the web
// browser instead of showing the page itself.
TEST(HelpManualWindow, LinksBetweenPagesStayInTheHelpWindow) {
    PlatformScript script;
    SetAppPath(ORVEX_SOURCE_DIR "/data/files");
    QWidget main;
    HelpWindow* w = ShowHelp(&main);
    ASSERT_NE(w, nullptr);
    emit w->Browser().anchorClicked(QUrl("starfix.html#grid"));
    EXPECT_EQ(QFileInfo(w->CurrentPage()).fileName(), QString("starfix.html"));
    EXPECT_TRUE(w->Browser().toPlainText().contains("Keys of the grid"));
    // The manual tells its readers that Alt+Left goes back and Alt+Up home.
    QTest::keyClick(&w->Browser(), Qt::Key_Left, Qt::AltModifier);
    EXPECT_EQ(QFileInfo(w->CurrentPage()).fileName(), QString("index.html"));
    emit w->Browser().anchorClicked(QUrl("messages.html#files"));
    emit w->Browser().anchorClicked(QUrl("obsfiles.html"));
    EXPECT_EQ(QFileInfo(w->CurrentPage()).fileName(), QString("obsfiles.html"));
    QTest::keyClick(&w->Browser(), Qt::Key_Up, Qt::AltModifier);
    EXPECT_EQ(QFileInfo(w->CurrentPage()).fileName(), QString("index.html"));
    EXPECT_TRUE(script.openedUrls.empty());
    EXPECT_TRUE(script.messages.empty());
    CloseAllHelpWindows();
    SetAppPath("");
}

}  // namespace
}  // namespace orvex
