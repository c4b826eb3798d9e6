#include "platform/settings_store.h"

#include <QLocale>
#include <QSettings>
#include <cmath>

namespace orvex {

namespace {
const QString kGroup = QStringLiteral("Settings/");
}

SettingsStore::SettingsStore()
    : settings_(std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                            QStringLiteral("Orvex"), QStringLiteral("Orvex"))) {}

SettingsStore::SettingsStore(const QString& iniFile)
    : settings_(std::make_unique<QSettings>(iniFile, QSettings::IniFormat)) {}

SettingsStore::~SettingsStore() = default;

bool ReadStoredNumber(const QString& text, double& value) {
    const QString t = text.trimmed();
    if (t.isEmpty()) return false;
    bool ok = false;
    double v = QLocale::c().toDouble(t, &ok);
    if (!ok) {
        QString comma = t;
        if (comma.count(QLatin1Char(',')) == 1 && !comma.contains(QLatin1Char('.'))) {
            comma.replace(QLatin1Char(','), QLatin1Char('.'));
            v = QLocale::c().toDouble(comma, &ok);
        }
    }
    if (!ok || !std::isfinite(v)) return false;
    value = v;
    return true;
}

bool SettingsStore::SaveNumber(const QString& key, double value) {
    if (!std::isfinite(value)) return false;
    settings_->setValue(kGroup + key, QLocale::c().toString(value, 'g', 15));
    return Sync();
}

double SettingsStore::GetNumber(const QString& key, double fallback) const {
    const QVariant v = settings_->value(kGroup + key);
    if (!v.isValid()) return fallback;
    // An INI file reads "12,5" as a list of two texts: join it back.
    const QString text = v.typeId() == QMetaType::QStringList
                             ? v.toStringList().join(QLatin1Char(','))
                             : v.toString();
    double d = fallback;
    return ReadStoredNumber(text, d) ? d : fallback;
}

bool SettingsStore::SaveText(const QString& key, const QString& value) {
    settings_->setValue(kGroup + key, value);
    return Sync();
}

QString SettingsStore::GetText(const QString& key, const QString& fallback) const {
    const QVariant v = settings_->value(kGroup + key);
    if (!v.isValid()) return fallback;
    if (v.typeId() == QMetaType::QStringList) return v.toStringList().join(QLatin1Char(','));
    return v.toString();
}

bool SettingsStore::Sync() {
    settings_->sync();
    return settings_->status() == QSettings::NoError;
}

}  // namespace orvex
