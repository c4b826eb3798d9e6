#include "platform/main_settings.h"

#include "platform/settings_store.h"

namespace orvex {

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

}  // namespace orvex
