// The sailing utilities page of the main window: three tabs, the rhumb line,
// the great circle and the ETA table, with their fields, their erase,
// compute, swap and print buttons and their spinners. The page keeps its own
// values in its UtilitiesSession (UtilEntered, RLCourse/RLDist, the ETA
// values, the waypoints and the great-circle outline) and shares position
// slots 1 to 5, the Earth model and the decimal separator with the main
// window (UtilitiesShared); the computations themselves live in
// sailing/core and navlib. The page meets the main window through
// UtilitiesLinks.
//
// Building takes two steps: the constructor makes the tabs and their fields;
// BuildControls lays out the rest and hooks the handlers.
#pragma once

#include <QTabWidget>
#include <array>
#include <string>

#include "navlib/message_throttle.h"
#include "platform/masked_field.h"
#include "platform/rich_text_box.h"
#include "sailing/core/utilities_session.h"
#include "sailing/utilities_links.h"

class QComboBox;
class QDateTimeEdit;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QTableWidget;
class QTreeWidget;

namespace orvex {

class UpDownButtons;

class UtilitiesPage : public QTabWidget {
    Q_OBJECT
  public:
    UtilitiesPage(UtilitiesSession& state, UtilitiesShared shared, UtilitiesLinks links,
                  QWidget* parent);

    // Places the ETA departure picker dtpTime(2), lays out the page's
    // controls and hooks their handlers.
    void BuildControls();

    // Recomputes what the shown tab computes: the rhumb line for any
    // iButton, the great circle for 1, the ETA table for 2.
    void TestCompute(int iButton);
    // The shown tab was entered (by the menu or the tab buttons).
    void tabUtil_GotFocus();
    // The tab buttons: the next and the previous tab (entered as by the
    // menu), and En&d, which closes the page.
    void cmdNextTabUtil_Click();
    void cmdPrevTabUtil_Click();
    void cmdEndTabUtil_Click();
    void cmdErase_Click(int index);
    void cmdCompute_Click(int index);
    void cmdShift_Click();
    void cmdAskPrint_Click(int index);
    void lblChoosenEllipsoid_DblClick();
    // A row of the preferences' ellipsoid list was chosen: the Earth model
    // follows it. The choice made at start only sets the model; later, the
    // page is recomputed when it shows, or when it waits under the
    // preferences opened from it.
    void EllipsoidChosen();
    // The departure picker dtpTime(2) is left.
    void dtpDeparture_LostFocus();
    void updLat_Click(bool up);
    void updLong_Click(bool up);
    void updMinSpeed_Click(bool up);
    void updInterval_Click(bool up);
    // The outline rows as shown (text and indent level; level 0 hidden),
    // rows 0 to 22.
    QString OutlineText(int row) const;
    int OutlineLevel(int row) const;

    // ---- Widgets by control name ----------------------------------------------
    // The page's field that holds masks for a control name ("mskLat",
    // "mskDist", ...) and index (mskLat/mskLong 0..4, mskCourse 1; the single
    // fields take any index), or nullptr.
    MaskedField* MaskField(const std::string& name, int index) const;
    // Position fields: 0/1 rhumb-line departure/arrival, 2/3 great-circle
    // departure/arrival, 4 the great-circle limits.
    std::array<MaskedField*, 5> mskLat{};
    std::array<MaskedField*, 5> mskLong{};
    MaskedField* mskCourse1 = nullptr;  // mskCourse(1): the rhumb-line course
    MaskedField* mskDist = nullptr;
    MaskedField* mskDTG = nullptr;
    MaskedField* mskMinSpeed = nullptr;
    MaskedField* mskMaxSpeed = nullptr;
    MaskedField* mskInterv = nullptr;
    std::array<QComboBox*, 2> cboGMT{};
    QLabel* lblDistance1 = nullptr;  // lblDistance(1): the distance unit
    RichTextBox* rtfCalcWP = nullptr;
    QDateTimeEdit* dtpDeparture = nullptr;  // dtpTime(2)
    std::array<QPushButton*, 2> cmdNextTabUtil{};
    std::array<QPushButton*, 2> cmdPrevTabUtil{};
    std::array<QPushButton*, 3> cmdEndTabUtil{};
    std::array<QPushButton*, 19> cmdErase{};
    std::array<QPushButton*, 3> cmdCompute{};
    QPushButton* cmdShift = nullptr;
    std::array<QPushButton*, 2> cmdAskPrint{};
    std::array<QRadioButton*, 3> optRound{};
    std::array<QGroupBox*, 2> fraEllipsoid{};
    std::array<QLabel*, 2> lblChoosenEllipsoid{};
    QLabel* lblNS = nullptr;
    QLabel* imgStopCompute = nullptr;
    QTableWidget* grdCalcETA = nullptr;
    QTreeWidget* outGCRes = nullptr;
    UpDownButtons* updLat = nullptr;
    UpDownButtons* updLong = nullptr;
    UpDownButtons* updMinSpeed = nullptr;
    UpDownButtons* updMaxSpeed = nullptr;
    UpDownButtons* updInterval = nullptr;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // Takes the ellipsoid list's chosen row into the Earth model and the
    // unit labels, without recomputing anything; false when no row is chosen.
    bool TakeEllipsoidChoice();
    void mskDist_LostFocus();
    void mskDTG_LostFocus();
    void mskMinSpeed_LostFocus();
    void mskMaxSpeed_LostFocus();
    void mskInterv_LostFocus();
    void updMaxSpeed_Click(bool up);
    void optRound_Click(int index);
    // A time-zone list's choice: 0 the zone of the departure time, 1 the
    // local column of the table.
    void cboGMT_Click(int index);
    // Position fields mskLat(0..4) and mskLong(0..4): the hemisphere typed
    // as a sign, and the commit (cancel = true keeps the focus in the field).
    void mskLat_KeyPress(int index, QChar& key);
    void mskLong_KeyPress(int index, QChar& key);
    void mskLat_Validate(int index, bool& cancel);
    void mskLong_Validate(int index, bool& cancel);
    // The rhumb-line course mskCourse(1) is left.
    void mskCourse_LostFocus();
    void InitETAGrid(int count);
    void BuildTabs();
    void ShowTabByCode(int index);
    void AddDeparturePicker();
    void HookPositionFields();
    // A position or the course was entered or emptied.
    void RecomputeAfterEntry();
    void BuildRhumbLineControls();
    void BuildGreatCircleControls();
    void BuildEtaControls();
    void BuildButtonRows();
    QPushButton* MakeEraseButton(int index, const QString& tip, QWidget* parent);
    QString BlankPosition(bool latitude) const;
    void RunRhumbLineCase();
    // Throws UtilityFault when CalcWP.rtf is missing (53), not a file or
    // unreadable (75), or short of its marks (321), hiding the last report.
    void CheckGreatCircleTemplate();
    void RunGreatCircleCase();
    void RunEtaCase();
    void HideGreatCircleResults();
    void ShowOutline();
    void ReportUtilityError(int number, const QString& description);

    UtilitiesSession& state_;
    UtilitiesShared shared_;
    UtilitiesLinks links_;
    // The same error report is shown at most once a second.
    MessageThrottle errorThrottle_;
    bool changingTabByCode_ = false;
    bool ellipsoidSeen_ = false;     // true after the first choice in the list
    bool rlComputePressed_ = false;  // cmdCompute(0) is being handled
};

}  // namespace orvex
