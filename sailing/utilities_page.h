// The sailing utilities page of the main window: three tabs, the rhumb line,
// the great circle and the ETA table, with their fields, their erase,
// compute, swap and print buttons and their spinners. The page keeps its
// inputs in its UtilitiesSession (UtilEntered, the Earth model it was handed,
// RLCourse/RLDist, the ETA values, the waypoints and the great-circle
// outline) and shares position slots 1 to 5 and the decimal separator with
// the main window (UtilitiesShared); the widgets show the session, and the
// computations themselves live in sailing/core and navlib. The page meets
// the main window through UtilitiesLinks and the three functions below;
// everything else is its own.
#pragma once

#include <QTabWidget>
#include <array>

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
    // Builds the page, hidden, with its controls laid out and hooked, and
    // its time-zone lists filled with "GMT" chosen.
    UtilitiesPage(UtilitiesSession& state, UtilitiesShared shared, UtilitiesLinks links,
                  QWidget* parent);

    // The shown tab was entered (by the menu or the tab buttons).
    void tabUtil_GotFocus();
    // A model was chosen in the preferences' ellipsoid list: the page
    // computes on it from now on and shows its name and distance unit. The
    // choice made at start only sets the model; later, the page is
    // recomputed when it shows, or when it waits under the preferences
    // opened from it.
    void EllipsoidChosen(const EarthChoice& earth);
    // The box the great-circle report's template CalcWP.rtf is loaded into
    // at start; each great circle is written into it.
    RichTextBox& ReportTemplate() const { return *rtfCalcWP; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private slots:
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
    void mskDist_LostFocus();
    void mskDTG_LostFocus();
    void mskMinSpeed_LostFocus();
    void mskMaxSpeed_LostFocus();
    void mskInterv_LostFocus();
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
    // The rhumb-line course mskCourse(1) and the departure picker dtpTime(2)
    // are left.
    void mskCourse_LostFocus();
    void dtpDeparture_LostFocus();
    void updLat_Click(bool up);
    void updLong_Click(bool up);
    void updMinSpeed_Click(bool up);
    void updMaxSpeed_Click(bool up);
    void updInterval_Click(bool up);

  private:
    void BuildTabs();
    void BuildControls();
    void FillTimeZoneLists();
    void ShowTabByCode(int index);
    void AddDeparturePicker();
    void HookPositionFields();
    void BuildRhumbLineControls();
    void BuildGreatCircleControls();
    void BuildEllipsoidFrames();
    void BuildOutlineAndReport();
    void BuildEtaControls();
    void BuildButtonRows();
    QPushButton* MakeEraseButton(int index, const QString& tip, QWidget* parent);
    QString BlankPosition(bool latitude) const;
    // Empties entry `index` of the erase buttons (see cmdErase_Click);
    // returns its field, or nullptr for an index that is no entry.
    MaskedField* EmptyEntry(int index);
    // Writes the positions of slots (from + 1, from + 2) into the position
    // fields `to` and `to + 1` and commits them, as if typed.
    void TakeRoute(int from, int to);
    // Recomputes what the shown tab computes: the rhumb line for any
    // iButton, the great circle for 1, the ETA table for 2.
    void TestCompute(int iButton);
    void RunRhumbLineCase();
    // Throws UtilityFault when CalcWP.rtf is missing (53), not a file or
    // unreadable (75), or short of its marks (321), hiding the last report.
    void CheckGreatCircleTemplate();
    void RunGreatCircleCase();
    // A refused limit: the last sailing is withdrawn and the limit field
    // marked (error 1 departure, 2 arrival).
    void RefuseGreatCircleLimit(int error);
    void RunEtaCase();
    void InitETAGrid(int count);
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

    // ---- Controls, by their control names ------------------------------------
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
};

}  // namespace orvex
