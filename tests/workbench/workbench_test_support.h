// Shared pieces of the workbench tests: a fake settings store, a program
// folder with the four documents, and a main window started through the
// scripted platform seam.
#pragma once

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <QTemporaryDir>
#include <map>
#include <memory>
#include <ostream>
#include <string>

#include "locale_texts.h"
#include "navlib/app_path.h"
#include "platform/message_box.h"
#include "sailing/utilities_page.h"
#include "tests/keyboard.h"
#include "workbench/companion_windows.h"
#include "workbench/main_window.h"
#include "workbench/results_toolbar.h"
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

}  // namespace orvex::test
