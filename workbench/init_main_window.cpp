// InitMainWindow: turns the freshly built main window into a working input
// form (locale separator, option defaults, documents, masks and lists), and
// the selection handlers of the ellipsoid and time-zone lists.
#include <QComboBox>
#include <QLabel>
#include <QLocale>
#include <QTextEdit>

#include "companions/intro.h"
#include "companions/splash.h"
#include "ephemeris/ephemeris.h"
#include "inputs/main_lists.h"
#include "navlib/app_path.h"
#include "platform/locale_info.h"
#include "platform/message_box.h"
#include "platform/rich_text_box.h"
#include "sailing/utilities_page.h"
#include "workbench/core/input_masks.h"
#include "workbench/main_window.h"
#include "workbench/masked_input.h"
#include "workbench/options_page.h"
#include "workbench/platform_links.h"
#include "workbench/small_dialogs.h"
#include "workbench/star_fix_input_page.h"
#include "workbench/startup_helpers.h"

namespace orvex {

void FrmWorking::InitMainWindow() {
    // 1. The user's decimal separator.
    state_.DecSep = DecimalSeparatorOf(QLocale()).toStdString();
    state_.Dates = DateNamesOf(QLocale());
    // 2. Option defaults.
    state_.Proba = 0.95;
    state_.FullRoutine = true;
    state_.OneEstPos = false;
    state_.Utilities.RLShown = false;
    state_.Utilities.EtaRound = 86400;
    // 3. The program folder, without a trailing separator.
    std::string path = AppPath();
    while (!path.empty() && path.back() == ' ') path.pop_back();
    if (path.size() > 1 && (path.back() == '/' || path.back() == '\\')) path.pop_back();
    state_.AppPath = path;
    // 4. The four documents.
    // (The report template is only checked here: the results page reads it
    // afresh for every report.)
    RichTextBox reportTemplate;
    documents_.Load(QString::fromStdString(state_.AppPath), dialogs_->Splash()->rtfAboutProg,
                    &reportTemplate, &utilitiesPage_->ReportTemplate(), this);
    // 5. Masks with the separator.
    for (const MaskAssignment& m : StartMasks(state_.DecSep))
        if (MaskedField* f = MaskField(m.Field, m.Index)) SetFieldMask(f, m.Mask);
    // 6.
    state_.WizardOpen = false;
    // 7. Body names and the body list.
    state_.BodyNames = BodyNames();
    state_.BodyList.assign(state_.BodyNames.size(), std::string());
    for (size_t i = 0; i < state_.BodyNames.size(); ++i) state_.BodyList[i] = state_.BodyNames[i];
    inputPage_->FillBodyList();
    // 8. Ellipsoids; choosing WGS 1984 sets the Earth model.
    optionsPage_->FillEllipsoidList(state_.DecSep);
    // 9. The time-zone lists are the utilities page's own: it fills them,
    // "GMT" chosen (offset 0), when it is built.
}

}  // namespace orvex
