#include "workbench/platform_links.h"

#include <QFile>
#include <QTextEdit>

#include "platform/settings_store.h"
#include "workbench/main_window.h"

namespace orvex {

namespace {
QString& HelpFile() {
    static QString path;
    return path;
}
}  // namespace

MainSettings PlatformMainSettings() {
    MainSettings s;
    s.Read = [](const std::string& key) {
        SettingsStore store;
        return store.GetText(QString::fromStdString(key), QString()).toStdString();
    };
    s.Write = [](const std::string& key, const std::string& value) {
        SettingsStore store;
        store.SaveText(QString::fromStdString(key), QString::fromStdString(value));
        store.Sync();
    };
    return s;
}

bool LoadRichTextFile(QTextEdit* box, const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        box->clear();
        return false;
    }
    box->setPlainText(QString::fromLatin1(f.readAll()));
    return true;
}

void SetApplicationHelpFile(const QString& path) { HelpFile() = path; }
void ShowHelpFile(QWidget*) {}
void CloseAllHelpWindows() {}

}  // namespace orvex
