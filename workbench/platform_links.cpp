#include "workbench/platform_links.h"

#include "platform/help_window.h"
#include "platform/rich_text_box.h"

namespace orvex {

namespace {
QString& HelpFile() {
    static QString path;
    return path;
}
}  // namespace

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
