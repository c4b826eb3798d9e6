#include "companions/intro.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTextEdit>
#include <QVBoxLayout>

#include "companions/splash.h"
#include "platform/rich_text_box.h"
#include "platform/shell_open.h"

namespace orvex {

QString FrmIntro::WebAddress() {
    return "https://brackmoor.example.org/orvex/";
}
QString FrmIntro::MailAddress() {
    return "mailto:orvex@brackmoor.example.org?Subject=Orvex comments";
}

FrmIntro::FrmIntro(QWidget* owner) : QDialog(owner) {
    setObjectName("frmIntro");
    setWindowTitle(" You got mail !");
    setModal(true);
    rtfIntroLetter = new RichTextBox(this);
    rtfIntroLetter->setObjectName("rtfIntroLetter");
    rtfIntroLetter->setReadOnly(true);
    rtfIntroLetter->setFont(QFont("Courier New"));
    picSplashFix = new QLabel(this);
    picSplashFix->setObjectName("picSplashFix");
    picSplashFix->setPixmap(ProgramLogo(96));
    cmdWeb = new QPushButton("goto &Web site", this);
    cmdWeb->setObjectName("cmdWeb");
    cmdMail = new QPushButton("&e-mail to author", this);
    cmdMail->setObjectName("cmdMail");
    cmdContinue = new QPushButton("&Continue", this);
    cmdContinue->setObjectName("cmdContinue");
    cmdContinue->setDefault(true);

    auto* side = new QVBoxLayout;
    side->addWidget(picSplashFix);
    side->addStretch(1);
    side->addWidget(cmdWeb);
    side->addWidget(cmdMail);
    side->addWidget(cmdContinue);
    auto* all = new QHBoxLayout(this);
    all->addWidget(rtfIntroLetter, 1);
    all->addLayout(side);
    resize(640, 440);

    connect(cmdWeb, &QPushButton::clicked, this, &FrmIntro::cmdWeb_Click);
    connect(cmdMail, &QPushButton::clicked, this, &FrmIntro::cmdMail_Click);
    connect(cmdContinue, &QPushButton::clicked, this, &FrmIntro::cmdContinue_Click);
}

void FrmIntro::cmdWeb_Click() {
    ShellOpen(WebAddress());
}
void FrmIntro::cmdMail_Click() {
    ShellOpen(MailAddress());
}
void FrmIntro::cmdContinue_Click() {
    accept();
}

}  // namespace orvex
