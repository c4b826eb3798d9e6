// The azimuth tool frmAzimuth ("Compute the azimuth"): checks the gyro
// compass and the magnetic compass against the true bearing of a body. The
// navigator chooses the body, the UT time and the ship's position and types
// the gyro bearing of the body, the gyro heading, the compass heading and
// the magnetic variation; "Compute" shows the body's hour angles,
// declination and true bearing with the gyro error, the true heading, the
// compass error and the magnetic deviation. "What is up ?" opens a wizard
// window that lists every body above the horizon at that time and place.
//
// A modeless window of the main window, loaded once and then hidden and
// shown again; "End", and the close box likewise, give the main window its
// controls back.
#pragma once

#include <QPointer>
#include <QWidget>
#include <array>
#include <vector>

#include "companions/companion_links.h"
#include "companions/core/azimuth_inputs.h"

class QComboBox;
class QDateTimeEdit;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QVBoxLayout;

namespace orvex {

class FrmStarFixWizard;
class MaskedField;

class FrmAzimuth : public QWidget {
    Q_OBJECT
  public:
    FrmAzimuth(CompanionLinks links, QWidget* owner = nullptr);
    ~FrmAzimuth() override;

    // The inputs as the window holds them once each field has been left.
    const AzimuthInputs& Inputs() const { return inputs_; }

  protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private slots:
    void cmdCompute_Click();
    void cmdErase_Click();
    void cmdEraseObsPos_Click(int index);
    void cmdWhatIsUp_Click();
    void cmdEnd_Click();
    void optEW_Click(int index);

  private:
    // The parts of the window, top to bottom, and its buttons.
    void BuildObservation(QVBoxLayout* outer);
    void BuildBodyPlace(QVBoxLayout* outer);
    void BuildGyroCompass(QVBoxLayout* outer);
    void BuildMagneticCompass(QVBoxLayout* outer);
    void BuildErrors(QVBoxLayout* outer);
    void BuildButtons(QVBoxLayout* outer);
    // A caption named lblLabels_n, n counting the captions made.
    QLabel* Caption(QWidget* parent, const QString& text);
    // `w` shown only with the results.
    QWidget* Result(QWidget* w);

    void dtpTime_LostFocus();
    void cboBody_LostFocus();
    void SetTime(double ut);
    void CommitLatitude(MaskedField& f);
    void CommitLongitude(MaskedField& f);
    void CommitDirection(MaskedField& f, int index);
    void CommitVariation(MaskedField& f);
    void ShowResults(bool shown);
    void SetBodyColour(bool green);

    QComboBox* cboBody = nullptr;
    QDateTimeEdit* dtpTime = nullptr;
    MaskedField* mskLat = nullptr;
    MaskedField* mskLong = nullptr;
    std::array<MaskedField*, 3> mskCourse{};
    MaskedField* mskVariation = nullptr;
    QGroupBox* fraEW = nullptr;
    std::array<QRadioButton*, 2> optEW{};
    QPushButton* cmdCompute = nullptr;
    QPushButton* cmdErase = nullptr;
    std::array<QPushButton*, 2> cmdEraseObsPos{};
    QPushButton* cmdWhatIsUp = nullptr;
    QPushButton* cmdEnd = nullptr;
    QLabel* lblGHA = nullptr;
    QLabel* lblLHA = nullptr;
    QLabel* lblDecl = nullptr;
    QLabel* lblTrueBearing = nullptr;
    std::array<QLabel*, 2> lblErrg{};
    std::array<QLabel*, 2> lblTrueCourse{};
    std::array<QLabel*, 2> lblErrc{};
    QLabel* lblDev = nullptr;
    // The result labels and the captions shown with them.
    std::vector<QWidget*> results_;
    int captions_ = 0;

    CompanionLinks links_;
    AzimuthInputs inputs_;
    QPointer<FrmStarFixWizard> whatIsUp_;  // the latest "What is up ?" window
};

}  // namespace orvex
