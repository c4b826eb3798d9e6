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

#include "companions/companion_links.h"
#include "companions/core/azimuth_inputs.h"

class QComboBox;
class QDateTimeEdit;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;

namespace orvex {

class FrmStarFixWizard;
class MaskedField;

class FrmAzimuth : public QWidget {
    Q_OBJECT
  public:
    FrmAzimuth(CompanionLinks links, QWidget* owner = nullptr);
    ~FrmAzimuth() override;

    void cmdCompute_Click();
    void cmdEraseObsPos_Click(int index);
    void cmdWhatIsUp_Click();
    void cmdEnd_Click();
    void optEW_Click(int index);
    void dtpTime_LostFocus();
    void cboBody_LostFocus();
    // Sets the observation time field as the user would (UT days); the
    // value is taken when the field is left.
    void SetTime(double ut);

    // Window state (degrees; time in UT days).
    double ObsTime() const { return inputs_.obsTime; }
    double Latitude() const { return inputs_.lat; }
    double Longitude() const { return inputs_.lon; }
    double Direction(int i) const { return inputs_.direction.at(static_cast<size_t>(i)); }
    double Variation() const { return inputs_.variation; }
    // The inputs as the window holds them.
    const AzimuthInputs& Inputs() const { return inputs_; }
    double Deviation() const { return deviation_; }
    // The latest window opened by "What is up ?" (null when none).
    FrmStarFixWizard* WhatIsUpWindow() const { return whatIsUp_.data(); }

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

  protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void cmdErase_Click();
    void CommitLatitude(MaskedField& f);
    void CommitLongitude(MaskedField& f);
    void CommitDirection(MaskedField& f, int index);
    void CommitVariation(MaskedField& f);
    void ShowResults(bool shown);
    void SetBodyColour(bool green);
    // The result labels and the captions shown with them.
    std::vector<QWidget*> results_;

    CompanionLinks links_;
    AzimuthInputs inputs_;
    double deviation_ = 0;
    QPointer<FrmStarFixWizard> whatIsUp_;
};

}  // namespace orvex
