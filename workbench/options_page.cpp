#include "workbench/options_page.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QPushButton>

#include "inputs/main_lists.h"
#include "platform/tab_page.h"
#include "workbench/pc_clock_page.h"

namespace orvex {

namespace {
constexpr int kClockTab = 2;
}  // namespace

OptionsPage::OptionsPage(OptionsLinks links, QWidget* parent)
    : QTabWidget(parent), links_(std::move(links)) {
    setObjectName("tabOptions");
    setFixedSize(560, 360);
    setVisible(false);
    setProperty("Tag", QString());
    const TabPage ell = MakeTabPage(this, "&Ellipsoid", "tabOptions_0");
    const TabPage icp = MakeTabPage(this, "&Intercepts", "tabOptions_1");
    clock_ = new PcClockPage(this, kClockTab);
    const TabPage time = MakeTabPage(this, "&Time", "tabOptions_2", clock_);

    cboEllipsoid = new QComboBox(ell.fields);
    cboEllipsoid->setObjectName("cboEllipsoid_0");
    AddRow(ell, "Earth model", cboEllipsoid);
    connect(cboEllipsoid, &QComboBox::currentIndexChanged, this, [this] {
        if (links_.EllipsoidChosen) links_.EllipsoidChosen(cboEllipsoid->currentIndex());
    });

    const TabPage* pages[] = {&ell, &icp, &time};
    for (size_t tab = 0; tab < 3; ++tab) {
        const int n = static_cast<int>(tab);
        QHBoxLayout* row = pages[tab]->buttons;
        QWidget* page = pages[tab]->page;
        if (tab >= 1) {
            cmdPrevTabOptions[tab - 1] =
                MakeButton(page, "&Previous tab", Indexed("cmdPrevTabOptions", n));
            row->addWidget(cmdPrevTabOptions[tab - 1]);
            connect(cmdPrevTabOptions[tab - 1], &QPushButton::clicked, this,
                    &OptionsPage::cmdPrevTabOptions_Click);
        }
        if (tab <= 1) {
            cmdNextTabOptions[tab] = MakeButton(page, "&Next tab", Indexed("cmdNextTabOptions", n));
            row->addWidget(cmdNextTabOptions[tab]);
            connect(cmdNextTabOptions[tab], &QPushButton::clicked, this,
                    &OptionsPage::cmdNextTabOptions_Click);
        }
        cmdEndTabOptions[tab] = MakeButton(page, "En&d", Indexed("cmdEndTabOptions", n));
        row->addWidget(cmdEndTabOptions[tab]);
        connect(cmdEndTabOptions[tab], &QPushButton::clicked, this,
                &OptionsPage::cmdEndTabOptions_Click);
    }
    connect(this, &QTabWidget::currentChanged, this, [this] {
        if (!changingTabByCode_) tabOptions_GotFocus();
    });
}

OptionsPage::~OptionsPage() {
    // The clock's hooks go while the tab set still stands.
    clock_->Detach();
}

void OptionsPage::SetTabByCode(int index) {
    changingTabByCode_ = true;
    setCurrentIndex(index);
    changingTabByCode_ = false;
}

void OptionsPage::FillEllipsoidList(const std::string& decSep) {
    cboEllipsoid->blockSignals(true);
    cboEllipsoid->clear();
    for (const EllipsoidRow& row : EllipsoidRows())
        cboEllipsoid->addItem(QString::fromStdString(EllipsoidRowText(row, decSep)), row.ItemData);
    cboEllipsoid->setCurrentIndex(-1);
    cboEllipsoid->blockSignals(false);
    cboEllipsoid->setCurrentIndex(kWgs84EllipsoidRow);
}

void OptionsPage::Open() {
    SetTabByCode(0);
    setVisible(true);
    raise();
}

void OptionsPage::cmdNextTabOptions_Click() {
    if (currentIndex() < count() - 1) {
        SetTabByCode(currentIndex() + 1);
        tabOptions_GotFocus();
    }
}

void OptionsPage::cmdPrevTabOptions_Click() {
    if (currentIndex() >= 1) {
        SetTabByCode(currentIndex() - 1);
        tabOptions_GotFocus();
    }
}

void OptionsPage::cmdEndTabOptions_Click() {
    setVisible(false);
    if (property("Tag").toString() == "CalledFromUtil") {
        setProperty("Tag", QString());
        if (links_.BackToUtilities) links_.BackToUtilities();
    }
}

void OptionsPage::tabOptions_GotFocus() {
    clock_->TabSetGotFocus();
}

}  // namespace orvex
