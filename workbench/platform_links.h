// The platform services the main window uses: its rich-text documents and
// help viewer, gathered here.
#pragma once

#include <QString>

class QWidget;

namespace orvex {

class RichTextBox;

// Gives a rich-text box its file: loads it and sets the box's file name,
// from which the report commands reload it. False, with the box left empty
// (but naming the file) and no message, when the file is missing or cannot
// be read (the caller names the missing documents once).
bool LoadRichTextFile(RichTextBox* box, const QString& path);

// Registers the application's help file (shown by ShowHelpFile).
void SetApplicationHelpFile(const QString& path);
// Opens the registered help file at its first page, owned by `owner`.
void ShowHelpFile(QWidget* owner);

}  // namespace orvex
