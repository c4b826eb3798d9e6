// Loading the program's documents at start.
#include "workbench/program_documents.h"

#include <QFileInfo>

#include "platform/message_box.h"
#include "platform/rich_text_box.h"
#include "workbench/platform_links.h"

namespace orvex {

void ProgramDocuments::Load(const QString& folder, RichTextBox* aboutText,
                            RichTextBox* numericReport, RichTextBox* waypointReport,
                            QWidget* owner) {
    const QString dir = folder + "/";
    Missing.clear();
    AboutTextLoaded = LoadRichTextFile(aboutText, dir + "InfoProg.rtf");
    if (!AboutTextLoaded) Missing << "InfoProg.rtf";
    {
        // The letter's window is made anew at each showing: keep the letter.
        RichTextBox letter;
        IntroLetterLoaded = LoadRichTextFile(&letter, dir + "IntroLetter.rtf");
        IntroLetterHtml = IntroLetterLoaded ? letter.toHtml() : QString();
        if (!IntroLetterLoaded) Missing << "IntroLetter.rtf";
    }
    if (!LoadRichTextFile(numericReport, dir + "NumResults.rtf")) Missing << "NumResults.rtf";
    if (!LoadRichTextFile(waypointReport, dir + "CalcWP.rtf")) Missing << "CalcWP.rtf";
    if (!Missing.isEmpty()) {
        // Named once at start, a document that is there but cannot be read
        // apart from one that is not there; the commands that need a
        // missing document refuse with their own message.
        QStringList absent, unreadable;
        for (const QString& name : Missing)
            (QFileInfo::exists(dir + name) ? unreadable : absent) << name;
        QString text;
        if (!absent.isEmpty())
            text += "These documents were not found in the program folder " + folder + ":\r\n" +
                    absent.join("\r\n") + "\r\n";
        if (!unreadable.isEmpty())
            text += "These documents of the program folder " + folder +
                    " are there but could not be read:\r\n" + unreadable.join("\r\n") + "\r\n";
        ShowMessage(kIconExclamation + kButtonsOk, QString(" File access error"),
                    text + "Orvex starts without them; the commands that need them will not run.",
                    owner);
    }
}

}  // namespace orvex
