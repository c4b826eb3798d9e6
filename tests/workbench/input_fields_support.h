// A started main window, shown and active so that real focus moves happen,
// with the user's decimal separator chosen by the test ("." or ","), a
// fixed clock (9 Dec 2026 14:37:52 UT) and the star-fix page opened once
// (which runs the new-fix reset). Every message box is answered by the
// script.
#pragma once

#include <QApplication>
#include <QLocale>
#include <QTabWidget>
#include <QTest>
#include <string>

#include "input_page_widgets.h"
#include "navlib/date_time.h"
#include "tests/keyboard.h"
#include "workbench/main_window.h"
#include "workbench_test_support.h"

namespace orvex::test {

inline double ClockNoon() {
    return MakeDateTime(2026, 12, 9, 14, 37, 52);
}

struct InputWindow {
    ProgramFolder folder;
    FakeSettings settings;
    PlatformScript script;
    std::unique_ptr<FrmWorking> w;
    std::string sep;

    explicit InputWindow(const std::string& decSep, bool openStarFix = true) : sep(decSep) {
        const QLocale before;
        QLocale::setDefault(decSep == "," ? QLocale(QLocale::German, QLocale::Germany)
                                          : QLocale::c());
        w = StartedWindow(settings);
        QLocale::setDefault(before);
        w->clockUtcNow = [] { return ClockNoon(); };
        w->resize(1000, 720);
        w->show();
        QApplication::setActiveWindow(w.get());
        EXPECT_TRUE(QTest::qWaitForWindowActive(w.get()));
        if (openStarFix) w->Action("mnuAstroEnter")->trigger();
        script.Clear();
    }

    // A text with "." written with the window's separator.
    QString S(const QString& text) const {
        QString t = text;
        return t.replace('.', QString::fromStdString(sep));
    }

    // Shows input tab `tab` without running the tab checks.
    void InputTab(int tab) {
        w->tabIn->blockSignals(true);
        w->tabIn->setCurrentIndex(tab);
        w->tabIn->blockSignals(false);
    }

    // Enters the field, empties it and types `keys` from its first place.
    void Type(MaskedField* f, const QString& keys) {
        f->setFocus(Qt::TabFocusReason);
        f->SetMaskedText(QString());
        f->setCursorPosition(0);
        ::orvex::test::Type(keys);
    }
    // Enters the field and puts `text` into it as the program would.
    void Put(MaskedField* f, const QString& text) {
        f->setFocus(Qt::TabFocusReason);
        f->SetMaskedText(text);
    }
    // Clicks a spin arrow of the page shown, by its name ("updPressHg_Up").
    void Spin(const QString& arrow) {
        QWidget* b = Named(w.get(), arrow);
        EXPECT_NE(b, nullptr) << arrow.toStdString();
        ClickButton(b);
    }
    // Leaves the field that has the focus for `next`.
    void Leave(QWidget* next) { next->setFocus(Qt::TabFocusReason); }

    // The one refusal shown since the last Clear(): exclamation box, OK,
    // titled " Error in input data", with this text.
    void ExpectRefusal(const QString& text) {
        ASSERT_EQ(script.messages.size(), 1u);
        EXPECT_EQ(script.messages[0].style, kIconExclamation + kButtonsOk);
        EXPECT_EQ(script.messages[0].title, QString(" Error in input data"));
        EXPECT_EQ(script.messages[0].text, text);
        script.Clear();
    }

    MaskedField* Field(const char* name, int index = -1) const { return w->MaskField(name, index); }
};

}  // namespace orvex::test
