// The per-user settings store: application "Orvex", section "Settings".
// Only the main window's geometry lives there ("MainLeft", "MainTop",
// "MainWidth", "MainHeight", in twips).
//
// Numbers are written as locale-independent text ("1234.5") so that a store
// written under one locale reads back under another; a value that cannot be
// read as a finite number (edited by hand, written by an older version in a
// comma locale and not readable either way) gives the caller's default.
//
// A store whose file is there but is not a regular file (a FIFO, a device,
// a folder) is never opened: opening a FIFO would hold the program until
// something writes into it. Such a store reads as empty (every default
// holds) and refuses every write, as an unreadable one does.
#pragma once

#include <QString>
#include <memory>

class QSettings;

namespace orvex {

class SettingsStore {
  public:
    // The user's own store (QSettings, organisation and application "Orvex"),
    // group "Settings"; on Linux the file Orvex/Orvex.conf in the user's
    // configuration folder (XDG_CONFIG_HOME, else ~/.config).
    SettingsStore();
    // A store in the given INI file, same group; for tests and portable use.
    explicit SettingsStore(const QString& iniFile);
    ~SettingsStore();
    SettingsStore(const SettingsStore&) = delete;
    SettingsStore& operator=(const SettingsStore&) = delete;

    // Writes a number under key. Returns false when the store could not be
    // written (read-only file, full disk); nothing is reported to the user.
    bool SaveNumber(const QString& key, double value);
    // The number under key, or fallback when the key is missing or its text
    // is not a finite number. Text in the C form ("12.5") is read first; text
    // with a comma as decimal separator ("12,5") is read too.
    double GetNumber(const QString& key, double fallback) const;

    bool SaveText(const QString& key, const QString& value);
    QString GetText(const QString& key, const QString& fallback) const;

    // Writes pending changes to disk; false when that failed.
    bool Sync();

    // False when the store's file is not a regular file and was left alone.
    bool Usable() const { return settings_ != nullptr; }

  private:
    std::unique_ptr<QSettings> settings_;  // null: the file was not a regular file
};

// Reads a number written by SaveNumber (or by hand): C form first, then a
// comma as separator; false when the text is not a finite number.
bool ReadStoredNumber(const QString& text, double& value);

}  // namespace orvex
