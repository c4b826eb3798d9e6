// The companion windows the main window opens: the star-fix wizard and the
// azimuth tool. Each is made on first use, owned by the main window, shown
// centred on it and unloaded when the program quits.
#pragma once

#include <QPointer>
#include <functional>
#include <memory>

#include "companions/companion_links.h"

class QWidget;

namespace orvex {

class FrmAzimuth;
class FrmStarFixWizard;
class SystemClock;

class CompanionWindows {
  public:
    // `owner` parents and centres the windows; `makeLinks` gives the links
    // of a window at the time it is made (the user's separator read at
    // start-up, the owner's callbacks).
    CompanionWindows(QWidget& owner, std::function<CompanionLinks()> makeLinks);

    // Opens the wizard at step 1, or brings it forward when still open.
    void ShowWizard();
    // Shows the open wizard again and activates it; nothing when none.
    void ActivateWizard();
    // Opens the azimuth tool, or raises it when open.
    void ShowAzimuth();
    void UnloadAzimuth();
    void UnloadWizard();

    // The wizard started from the main window and the azimuth tool (null
    // until first shown, or after they unloaded).
    FrmStarFixWizard* StarFixWizard() const;
    FrmAzimuth* AzimuthTool() const;

    // The PC clock the companion windows read; nullptr reads the host's.
    std::shared_ptr<SystemClock> Clock;

  private:
    QWidget& owner_;
    std::function<CompanionLinks()> makeLinks_;
    QPointer<FrmStarFixWizard> wizard_;
    QPointer<FrmAzimuth> azimuth_;
};

}  // namespace orvex
