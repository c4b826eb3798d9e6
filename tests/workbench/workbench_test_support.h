// Shared pieces of the workbench tests: a fake settings store, a program
// folder with the four documents, and a main window started through the
// scripted platform seam.
#pragma once

#include <gtest/gtest.h>

#include <QAction>
#include <QCloseEvent>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QListWidget>
#include <QPushButton>
#include <QString>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QToolBar>
#include <QWindow>
#include <map>
#include <memory>
#include <ostream>
#include <string>

#include "charts/chart_picture.h"
#include "locale_texts.h"
#include "navlib/app_path.h"
#include "platform/message_box.h"
#include "platform/rich_text_box.h"
#include "sailing/utilities_page.h"
#include "tests/keyboard.h"
#include "workbench/companion_windows.h"
#include "workbench/main_window.h"
#include "workbench/results_page.h"
#include "workbench/small_dialogs.h"
#include "workbench/star_fix_input_page.h"
#include "workbench/status_line.h"

// Readable QString values in test failures.
inline void PrintTo(const QString& s, std::ostream* os) {
    *os << '"' << s.toStdString() << '"';
}
inline void PrintTo(const QStringList& l, std::ostream* os) {
    *os << '{';
    for (const QString& s : l) *os << '"' << s.toStdString() << "\", ";
    *os << '}';
}

namespace orvex::test {

// An in-memory settings store that records every write in order.
struct FakeSettings {
    std::map<std::string, std::string> values;
    std::vector<std::string> writes;
    MainSettings Store() {
        MainSettings s;
        s.Read = [this](const std::string& key) {
            const auto it = values.find(key);
            return it == values.end() ? std::string() : it->second;
        };
        s.Write = [this](const std::string& key, const std::string& value) {
            values[key] = value;
            writes.push_back(key);
        };
        return s;
    }
};

// A program folder holding the four documents (or only some of them); it
// is the program folder while the object lives.
class ProgramFolder {
  public:
    explicit ProgramFolder(bool withDocuments = true) {
        if (withDocuments)
            for (const char* name :
                 {"InfoProg.rtf", "IntroLetter.rtf", "NumResults.rtf", "CalcWP.rtf"})
                Write(name, std::string("{\\rtf1\\ansi {\\b ") + name + "} text\\par}");
        SetAppPath(dir_.path().toStdString());
    }
    ~ProgramFolder() { SetAppPath(""); }
    void Write(const QString& name, const std::string& content) {
        QDir(dir_.path()).mkpath(QFileInfo(dir_.filePath(name)).path());
        QFile f(dir_.filePath(name));
        f.open(QIODevice::WriteOnly);
        f.write(content.c_str());
    }
    QString Path() const { return dir_.path(); }

  private:
    QTemporaryDir dir_;
};

// A main window built and started as the program starts it, with a fake
// settings store and every modal window answered by `script`.
inline std::unique_ptr<FrmWorking> StartedWindow(FakeSettings& settings,
                                                 const QStringList& arguments = {}) {
    auto w = std::make_unique<FrmWorking>();
    w->SetSettings(settings.Store());
    w->Form_Load(arguments);
    return w;
}

// The control named `name` on the utilities page (tabUtil) of `w`; null
// when there is none or more than one.
template <class T = QWidget>
T* UtilitiesControl(const FrmWorking& w, const QString& name) {
    return Named<T>(Named<QWidget>(&w, "tabUtil"), name);
}

// The folder where tests leave their pictures for people to look at:
// ORVEX_TEST_OUTPUT, or "test-output" in the build folder.
inline QString TestOutputFolder() {
    QString dir = qEnvironmentVariable("ORVEX_TEST_OUTPUT");
    if (dir.isEmpty()) dir = QDir::cleanPath(QString(ORVEX_PROGRAM_DIR) + "/../test-output");
    QDir().mkpath(dir);
    return dir;
}

// ---- The main window as a person drives it -------------------------------

// Runs the window's action of that control name as a person does: a click
// on its toolbar button where one shows, else the menu item chosen.
inline void RunAction(FrmWorking& w, const char* name) {
    QAction* a = w.Action(name);
    if (a == nullptr) {
        ADD_FAILURE() << "no action " << name;
        return;
    }
    for (QToolBar* bar : w.findChildren<QToolBar*>())
        if (QWidget* b = bar->widgetForAction(a); b && b->isVisible()) return ClickButton(b);
    a->trigger();
}

// The window's toolbars, tab sets and Earth-model list, found by name.
inline QToolBar* Bar(const FrmWorking& w, const char* name) {
    return Named<QToolBar>(&w, name);
}
inline QTabWidget* TabSet(const FrmWorking& w, const char* name) {
    return Named<QTabWidget>(&w, name);
}

// The results page, its report box and its chart, found by name.
inline ResultsPage* Results(const FrmWorking& w) {
    return Named<ResultsPage>(&w, "ResultsPage");
}
inline RichTextBox* ReportBox(const FrmWorking& w) {
    return Named<RichTextBox>(&w, "rtfNumDisp");
}
inline QWidget* ChartBox(const FrmWorking& w) {
    return Named(&w, "picLMChart");
}
// The chart's picture as last drawn.
inline QImage ChartImage(const FrmWorking& w) {
    return Named<ChartPicture>(&w, "chartPicture")->Image();
}

// "Save datas..." as a person chooses it, its file dialog cancelled: the
// sights are read and checked on the way (their messages recorded by
// `script`). The item is enabled as the program enables it once the fix's
// inputs are there. True when the sights were taken (the dialog came up).
inline bool SaveCancelled(FrmWorking& w, PlatformScript& script) {
    w.Action("mnuAstroSave")->setEnabled(true);
    const size_t dialogs = script.fileDialogs.size();
    script.fileNames.clear();
    RunAction(w, "mnuAstroSave");
    return script.fileDialogs.size() > dialogs;
}

// A fix asked for from the star-fix page by "Graphic results": true when
// the chart page took the page's place. From a results page a person
// first goes back to the sights ("Back to starfix menu", then "Correction
// of datas").
inline bool RunFix(FrmWorking& w) {
    QWidget* page = Named(&w, "tabIn");
    if (!page->isVisibleTo(&w)) {
        ADD_FAILURE() << "the star-fix page does not show: go back to the sights first";
        return false;
    }
    RunAction(w, "mnuAstroGraphDisp");
    return !page->isVisibleTo(&w) && ChartBox(w)->isVisibleTo(&w);
}

// The program's own report template and planetary file in `folder`, so
// that the results commands run as they do for the user.
inline void CopyProgramData(ProgramFolder& folder) {
    for (const char* name : {"NumResults.rtf", "Planet.dat"}) {
        QFile::remove(folder.Path() + "/" + name);
        QFile::copy(QString(ORVEX_PROGRAM_DIR) + "/" + name, folder.Path() + "/" + name);
    }
}

// The sample observation file of 8 Dec 2026.
inline QString SampleObservations() {
    return QString(ORVEX_SOURCE_DIR) + "/data/files/Observations/08Dec26A.obs";
}

// A dialog handed to the script, shown and answered by a click on its
// button of that control name.
inline int ClickIn(QDialog& d, const char* button) {
    d.show();
    ClickButton(Named<QPushButton>(&d, button));
    return d.result();
}

// A click on a row of a list.
inline void ClickRow(QListWidget* list, int row) {
    ClickAt(list->viewport(), list->visualItemRect(list->item(row)).center());
}

// A click on the close box of a shown window: the window system asks it to
// close.
inline void ClickCloseBox(QWidget* window) {
    QCloseEvent e;
    QCoreApplication::sendEvent(window->windowHandle(), &e);
    QCoreApplication::processEvents();
}

}  // namespace orvex::test
