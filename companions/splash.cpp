#include "companions/splash.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QTextEdit>
#include <QTimer>
#include <QVBoxLayout>

#include "navlib/app_path.h"
#include "platform/rich_text_box.h"

namespace orvex {

QPixmap SplashPicture(int width, int height) {
    QPixmap pm(width, height);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, height);
    sky.setColorAt(0, QColor(5, 15, 45));
    sky.setColorAt(0.7, QColor(30, 70, 130));
    sky.setColorAt(1, QColor(20, 50, 90));
    p.fillRect(pm.rect(), sky);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 250, 210));
    // A few fixed stars.
    const int stars[][2] = {{40, 30},  {120, 60}, {200, 25}, {300, 50},  {380, 20},
                            {450, 70}, {90, 100}, {260, 95}, {340, 110}, {170, 130}};
    for (const auto& s : stars)
        if (s[0] < width && s[1] < height * 0.7) p.drawEllipse(QPointF(s[0], s[1]), 1.8, 1.8);
    // Sea.
    p.setBrush(QColor(10, 30, 60));
    p.drawRect(QRectF(0, height * 0.75, width, height * 0.25));
    p.setPen(QColor(240, 220, 120));
    QFont f;
    f.setPixelSize(height / 5);
    f.setBold(true);
    p.setFont(f);
    p.drawText(QRect(0, 0, width, static_cast<int>(height * 0.75)), Qt::AlignCenter, "Orvex");
    return pm;
}

QPixmap ProgramLogo(int height) {
    QPixmap logo(QString::fromStdString(AppPath()) + "/OrvexLogo.png");
    if (logo.isNull()) return SplashPicture(height * 4 / 3, height);
    return logo.scaledToHeight(height, Qt::SmoothTransformation);
}

QString FrmSplash::ProgramLine(const QString& version) {
    return "Orvex program version " + version + " - celestial navigation by the Orvex team";
}
QString FrmSplash::MakerName() {
    return "Brackmoor";
}
QString FrmSplash::ReleaseDate() {
    return "May 2004";
}

FrmSplash::FrmSplash(QWidget* owner) : QDialog(owner) {
    setObjectName("frmSplash");
    setWindowTitle(" About Orvex");
    setModal(true);
    const QString tip = "Click anywhere to continue";

    picSplash = new QLabel(this);
    picSplash->setObjectName("picSplash");
    picSplash->setPixmap(SplashPicture(480, 220));
    picSplash->setToolTip(tip);
    picSplashFix = new QLabel(this);
    picSplashFix->setObjectName("picSplashFix");
    picSplashFix->setToolTip(tip);
    picSplashFix->setPixmap(ProgramLogo(64));
    lblSplash = new QLabel(this);
    lblSplash->setObjectName("lblSplash");
    lblSplash->setToolTip(tip);
    lblSplash->setWordWrap(true);
    lblReadAbout = new QLabel("Legal notices and credits: see Help, About.", this);
    lblReadAbout->setObjectName("lblReadAbout");
    lblReadAbout->setToolTip(tip);
    rtfAboutProg = new RichTextBox(this);
    rtfAboutProg->setObjectName("rtfAboutProg");
    rtfAboutProg->setReadOnly(true);
    rtfAboutProg->setVisible(false);
    rtfAboutProg->setMinimumHeight(220);
    tmrSplash = new QTimer(this);
    tmrSplash->setObjectName("tmrSplash");
    tmrSplash->setInterval(4400);
    tmrSplash->setSingleShot(false);

    auto* head = new QHBoxLayout;
    head->addWidget(picSplashFix);
    head->addWidget(lblSplash, 1);
    auto* all = new QVBoxLayout(this);
    all->addWidget(picSplash, 0, Qt::AlignHCenter);
    all->addWidget(rtfAboutProg, 1);
    all->addLayout(head);
    all->addWidget(lblReadAbout);
    resize(520, 360);

    for (QWidget* w : {static_cast<QWidget*>(picSplash), static_cast<QWidget*>(picSplashFix),
                       static_cast<QWidget*>(lblSplash), static_cast<QWidget*>(lblReadAbout),
                       static_cast<QWidget*>(rtfAboutProg), rtfAboutProg->viewport()})
        w->installEventFilter(this);
    connect(tmrSplash, &QTimer::timeout, this, &FrmSplash::tmrSplash_Timer);
}

void FrmSplash::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    Form_Activate();
}

void FrmSplash::Form_Activate() {
    if (tag_ != "FromMenu") {
        lblReadAbout->setVisible(true);
        rtfAboutProg->setVisible(false);
        tmrSplash->start();
        lblSplash->setText(ProgramLine(versionText_) + "\n" + MakerName() + " release - " +
                           ReleaseDate() + ".");
        lblSplash->repaint();
    } else {
        lblReadAbout->setVisible(false);
        picSplash->setVisible(false);
        picSplashFix->setVisible(false);
        rtfAboutProg->setVisible(true);
        lblSplash->setText(ProgramLine(versionText_) + "\n" + MakerName());
    }
}

void FrmSplash::EndStartMode() {
    tmrSplash->stop();
    picSplash->setVisible(false);
    picSplashFix->setVisible(false);
    tag_ = "FromMenu";
}

void FrmSplash::CloseStep() {
    if (tag_ == "FromStart") EndStartMode();
    hide();
}

void FrmSplash::tmrSplash_Timer() {
    EndStartMode();
    hide();
}

void FrmSplash::mousePressEvent(QMouseEvent* event) {
    CloseStep();
    event->accept();
}

void FrmSplash::keyPressEvent(QKeyEvent* event) {
    CloseStep();
    event->accept();
}

void FrmSplash::reject() {
    // Escape and the close box close it like any other key.
    CloseStep();
    QDialog::reject();
}

bool FrmSplash::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::KeyPress) {
        CloseStep();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

}  // namespace orvex
