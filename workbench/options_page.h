// The preferences page tabOptions: three tabs (the Earth model, the
// intercepts' options, the PC clock), each with its Previous/Next/End
// buttons. The intercepts' check boxes stand on the second tab; the input
// page shows a second copy of "one estimated position", kept in step.
//
// The page's property "Tag" holds "CalledFromUtil" while it was opened from
// the utilities page: En&d then shows the utilities again.
#pragma once

#include <QTabWidget>
#include <array>
#include <functional>
#include <string>

class QCheckBox;
class QComboBox;
class QPushButton;

namespace orvex {

class PcClockPage;

// What the preferences page needs of the main window.
struct OptionsLinks {
    // Row `row` (0 to 19, EllipsoidRows()) of the Earth-model list was
    // chosen (by the user or by code).
    std::function<void(int row)> EllipsoidChosen;
    // En&d closed the page opened from the utilities page.
    std::function<void()> BackToUtilities;
    // The star-fix options were ticked or cleared.
    std::function<void(bool)> FullRoutineChosen;
    std::function<void(bool)> OneEstPosChosen;
};

class OptionsPage : public QTabWidget {
  public:
    OptionsPage(OptionsLinks links, QWidget* parent);
    ~OptionsPage() override;

    PcClockPage* Clock() const { return clock_; }

    // The Earth models, their numbers written with the separator `decSep`
    // (one character); then WGS 1984 is chosen, as the user would.
    void FillEllipsoidList(const std::string& decSep);
    // Shows the page on its first tab, above the others.
    void Open();
    void cmdNextTabOptions_Click();
    void cmdPrevTabOptions_Click();
    void cmdEndTabOptions_Click();

    // Lays the star-fix options' check boxes on the intercepts' tab
    // ("Correct the course..." ticked as `fullRoutine`) and pairs the
    // options' "one estimated position" box with the input page's copy.
    void BuildInterceptOptions(bool fullRoutine, QCheckBox* inputPageOneEstPos);
    void ch3FullRoutine_Click();
    // 0: the options' box was clicked, 1: the input page's copy.
    void ch3OneEstPos_Click(int index);
    // Whether the systematic-error box ch3FindSystErr is ticked.
    bool FindSystErrChecked() const;

    QComboBox* cboEllipsoid = nullptr;  // control array of one: index 0
    std::array<QPushButton*, 2> cmdNextTabOptions{};
    std::array<QPushButton*, 2> cmdPrevTabOptions{};
    std::array<QPushButton*, 3> cmdEndTabOptions{};
    QCheckBox* ch3FullRoutine = nullptr;
    QCheckBox* ch3OneEstPos0 = nullptr;  // "ch3OneEstPos_0"
    QCheckBox* ch3FindSystErr = nullptr;

  private:
    // The tab set's focus (the clock tab's refresh follows it).
    void tabOptions_GotFocus();
    void SetTabByCode(int index);

    OptionsLinks links_;
    PcClockPage* clock_ = nullptr;
    QCheckBox* ch3OneEstPos1_ = nullptr;  // the input page's copy
    bool changingTabByCode_ = false;
};

}  // namespace orvex
