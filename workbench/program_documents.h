// The four documents the program reads from its folder at start: the about
// text, the introduction letter, the numeric report's template and the
// waypoint report's template.
#pragma once

#include <QString>
#include <QStringList>

class QWidget;

namespace orvex {

class RichTextBox;

struct ProgramDocuments {
    // Loads the documents from `folder` (the program folder, no trailing
    // separator) into their boxes; names the missing ones once in a message
    // owned by `owner`.
    void Load(const QString& folder, RichTextBox* aboutText, RichTextBox* numericReport,
              RichTextBox* waypointReport, QWidget* owner);

    // Documents that could not be loaded (file names), in load order.
    QStringList Missing;
    // The introduction letter as loaded; each showing gets a copy.
    QString IntroLetterHtml;
    bool IntroLetterLoaded = false;
    bool AboutTextLoaded = false;
};

}  // namespace orvex
