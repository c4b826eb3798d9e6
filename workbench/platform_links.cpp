#include "workbench/platform_links.h"

#include "platform/help_window.h"
#include "platform/rich_text_box.h"
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

bool LoadRichTextFile(RichTextBox* box, const QString& path) {
    if (!box->LoadFile(path)) {
        box->clear();
        box->NameFile(path);
        return false;
    }
    // Known to read: setting the name loads it again without a message.
    return box->SetFileName(path);
}

void SetApplicationHelpFile(const QString& path) {
    HelpFile() = path;
}

void ShowHelpFile(QWidget* owner) {
    ShowHelp(owner, HelpFile());
}

}  // namespace orvex
