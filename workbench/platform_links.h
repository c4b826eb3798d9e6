// The platform services the main window uses: its settings store, rich-text
// documents and help viewer, gathered here.
#pragma once

#include <QString>

class QTextEdit;
class QWidget;

namespace orvex {

struct MainSettings;

// The settings store of application "Orvex", section "Settings".
MainSettings PlatformMainSettings();

// Loads a rich-text file into a text box; false (box left empty) when the
// file is missing or cannot be read.
bool LoadRichTextFile(QTextEdit* box, const QString& path);

// Registers the application's help file (shown by ShowHelpFile).
void SetApplicationHelpFile(const QString& path);
// Opens the registered help file at its default topic, owned by `owner`.
void ShowHelpFile(QWidget* owner);
// Closes every help window the program opened.
void CloseAllHelpWindows();

}  // namespace orvex
