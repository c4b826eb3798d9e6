// The masked field: the parsers read fixed character places, so the text
// must keep its literals and prompts whatever is typed; a refused entry must
// keep the focus; focus that only passes to a message box is no leave.
#include "platform/masked_field.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QPushButton>
#include <QTest>
#include <QVBoxLayout>
#include <QWidget>

#include "navlib/number_format.h"
#include "platform/message_box.h"
#include "tests/keyboard.h"

namespace orvex {
namespace {

QString LatMask(QChar sep) {
    return QString("9#°##'") + sep + "# ?";
}

// Guards typing that shifts the places: "12°34'.5 N" must stay 10 wide with
// the degree, minute and separator literals where the parser expects them.
TEST(MaskedField, TypingFillsPlacesAndKeepsLiterals) {
    MaskedField f(LatMask('.'));
    EXPECT_EQ(f.MaskedText(), QString("__°__'._ _"));
    EXPECT_TRUE(f.IsEmptyEntry());
    QTest::keyClicks(&f, "12345N");
    EXPECT_EQ(f.MaskedText(), QString("12°34'.5 N"));
    EXPECT_EQ(f.TypedText(), QString("12345N"));
    EXPECT_FALSE(f.IsEmptyEntry());
}

// Guards digits accepted in a letter place and letters in digit places.
TEST(MaskedField, PlacesRefuseWrongClasses) {
    MaskedField f(LatMask('.'));
    QTest::keyClicks(&f, "a1");  // "a" refused by the digit place
    EXPECT_EQ(f.MaskedText(), QString("1_°__'._ _"));
    f.SetMaskedText("");
    f.setCursorPosition(0);
    QTest::keyClicks(&f, "1234557");  // "7" refused by the hemisphere place
    EXPECT_EQ(f.MaskedText(), QString("12°34'.5 _"));
    MaskedField t("&&#");  // temperatures: sign in the first two places
    QTest::keyClicks(&t, "-5");
    EXPECT_EQ(t.MaskedText(), QString("-5_"));
    QTest::keyClicks(&t, "x");
    EXPECT_EQ(t.MaskedText(), QString("-5_"));
    MaskedField c("+9#.##");  // a signed digit place: sign, blank or digit
    for (const char* typed : {"x", "+", "-", " ", "7"}) {
        c.SetMaskedText("");
        c.setCursorPosition(0);
        QTest::keyClicks(&c, typed);
        EXPECT_EQ(c.MaskedText(), typed[0] == 'x' ? QString("___.__") : typed + QString("__.__"));
    }
}

// Guards the decimal separator of the user's locale: both "." and "," must
// build a working mask, and typing either one steps over the separator.
TEST(MaskedField, CommaAndPointAsDecimalSeparator) {
    for (QChar sep : {QChar('.'), QChar(',')}) {
        MaskedField speed(QString("###") + sep + "#");
        QTest::keyClicks(&speed, "12,5");
        EXPECT_EQ(speed.MaskedText(), QString("12_") + sep + "5") << sep.toLatin1();
        speed.SetMaskedText("");
        speed.setCursorPosition(0);
        QTest::keyClicks(&speed, "1234");
        EXPECT_EQ(speed.MaskedText(), QString("123") + sep + "4");
        speed.setCursorPosition(0);
        QTest::keyClicks(&speed, "9.");  // separator typed early jumps to it
        EXPECT_EQ(speed.cursorPosition(), 4);
        MaskedField lat(LatMask(sep));
        lat.SetMaskedText(QString("12°34'") + sep + "5 N");
        EXPECT_EQ(lat.MaskedText(), QString("12°34'") + sep + "5 N");
        EXPECT_EQ(lat.TypedText(), QString("12345N"));
    }
}

// Guards the program's own numbers written into a field with the user's
// separator: the library's formatter and the mask must agree on every place.
TEST(MaskedField, FormattedNumbersFitTheirMasks) {
    for (const char* sep : {".", ","}) {
        const QString s = QString::fromUtf8(sep);
        MaskedField feet(QString("###") + s + "#");
        feet.SetMaskedText(QString::fromStdString(FormatNumber(10 * 3.28084, "000.0", sep)));
        EXPECT_EQ(feet.MaskedText(), QString("032") + s + "8");
        MaskedField hg(QString("##") + s + "##");
        hg.SetMaskedText(QString::fromStdString(FormatNumber(31.5953, "00.00", sep)));
        EXPECT_EQ(hg.MaskedText(), QString("31") + s + "60");
        MaskedField lat(LatMask(s[0]));
        lat.SetMaskedText(QString::fromStdString(FormatDegreesMinutes(45.5, "00°00'.0", sep)) +
                          " N");
        EXPECT_EQ(lat.MaskedText(), QString("45°30'") + s + "0 N");
    }
}

// Guards Backspace and Delete removing characters (the text would shrink and
// every later place would move).
TEST(MaskedField, BackspaceAndDeletePutPromptsBack) {
    MaskedField f(LatMask('.'));
    QTest::keyClicks(&f, "12345N");
    QTest::keyClick(&f, Qt::Key_Backspace);
    EXPECT_EQ(f.MaskedText(), QString("12°34'.5 _"));
    QTest::keyClick(&f, Qt::Key_Backspace);  // steps over the blank literal
    EXPECT_EQ(f.MaskedText(), QString("12°34'._ _"));
    f.setCursorPosition(0);
    QTest::keyClick(&f, Qt::Key_Delete);
    EXPECT_EQ(f.MaskedText(), QString("_2°34'._ _"));
    f.selectAll();
    QTest::keyClick(&f, Qt::Key_Delete);
    EXPECT_EQ(f.MaskedText(), QString("__°__'._ _"));
    EXPECT_EQ(f.MaskedText().size(), 10);
}

// Guards the program's own texts (spin buttons write "_999", the reset
// writes values) losing or shifting places.
TEST(MaskedField, SetMaskedTextFollowsTheMask) {
    MaskedField p("####");
    p.SetMaskedText("_999");
    EXPECT_EQ(p.MaskedText(), QString("_999"));
    EXPECT_EQ(p.TypedText(), QString("999"));
    MaskedField h("###.#");
    h.SetMaskedText("032.8");
    EXPECT_EQ(h.MaskedText(), QString("032.8"));
    h.SetMaskedText("0328");  // separator missing: supplied by the mask
    EXPECT_EQ(h.MaskedText(), QString("032.8"));
    h.SetMaskedText("1x2.3456");  // refused character leaves a prompt, excess dropped
    EXPECT_EQ(h.MaskedText(), QString("1_2.3"));
    h.clear();  // a plain clear is fitted back to the mask at the next key
    QTest::keyClicks(&h, "7");
    EXPECT_EQ(h.MaskedText(), QString("7__._"));
    MaskedField w("9#°#0'");  // literal "0" of the waypoint interval
    w.SetMaskedText("05°30'");
    EXPECT_EQ(w.MaskedText(), QString("05°30'"));
    EXPECT_EQ(w.TypedText(), QString("053"));
}

// Guards the key rewrite: "-" typed in the hemisphere place becomes "S".
TEST(MaskedField, KeyRewriteRunsBeforeTheMask) {
    MaskedField f(LatMask('.'));
    f.SetKeyRewrite([](QChar c) {
        if (c == u'+' || c == u'n') return QChar('N');
        if (c == u'-' || c == u's') return QChar('S');
        return c;
    });
    QTest::keyClicks(&f, "12345-");
    EXPECT_EQ(f.MaskedText(), QString("12°34'.5 S"));
}

// Window with two masked fields and a button, shown and active, so that
// real focus changes happen.
struct TwoFields {
    QWidget window;
    MaskedField* first;
    MaskedField* second;
    QPushButton* button;
    TwoFields() {
        auto* layout = new QVBoxLayout(&window);
        first = new MaskedField("##.#", &window);
        second = new MaskedField("##.#", &window);
        button = new QPushButton("Go", &window);
        layout->addWidget(first);
        layout->addWidget(second);
        layout->addWidget(button);
        window.show();
        QApplication::setActiveWindow(&window);
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
        first->setFocus(Qt::OtherFocusReason);
        QApplication::processEvents();
    }
};

// Guards the validated-field colours: window colour on entry, green after a
// valid commit, orange for a doubtful one.
TEST(MaskedFieldFocus, ColoursOnEntryAndCommit) {
    PlatformScript script;
    TwoFields w;
    w.first->SetCommitHook([](MaskedField& f) {
        if (f.IsEmptyEntry()) return;
        f.SetBackColor(f.TypedText().startsWith('9') ? kDoubtfulOrange : kValidGreen);
    });
    ASSERT_TRUE(w.first->hasFocus());
    w.first->SetBackColor(kValidGreen);
    w.second->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(w.first->BackColor(), kValidGreen);  // empty entry changes nothing
    w.first->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(w.first->BackColor(), MaskedField::WindowColor());
    test::Type("125");
    w.second->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(w.first->BackColor(), QColor(0, 255, 0));
    EXPECT_EQ(w.first->palette().color(QPalette::Base), QColor(0, 255, 0));
    w.first->setFocus(Qt::TabFocusReason);
    test::Type("995");
    w.second->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(w.first->BackColor(), QColor(255, 128, 0));
    EXPECT_TRUE(script.messages.empty());
}

// Guards the error path: the message is shown once with its title, the last
// place becomes "_", and the focus stays in the field even though the user
// tabbed to the next one; the next field's own hook does not run.
TEST(MaskedFieldFocus, RefusedEntryKeepsTheFocus) {
    PlatformScript script;
    TwoFields w;
    int secondCommits = 0;
    w.second->SetCommitHook([&](MaskedField&) { ++secondCommits; });
    w.first->SetCommitHook([](MaskedField& f) {
        if (f.IsEmptyEntry()) return;
        if (f.MaskedText().toDouble() > 50)
            f.Reject("The value is higher than 50.",
                     MaskedField::RejectMode::ReplaceLastWithPrompt);
        else
            f.SetBackColor(kValidGreen);
    });
    QWidget* focusDuringMessage = nullptr;
    script.onMessage = [&](const PlatformScript::Message&) {
        focusDuringMessage = QApplication::focusWidget();
    };
    test::Type("612");
    EXPECT_EQ(w.first->MaskedText(), QString("61.2"));
    test::Tab();
    QApplication::processEvents();
    ASSERT_EQ(script.messages.size(), 1u);
    EXPECT_EQ(script.messages[0].title, QString(" Error in input data"));
    EXPECT_EQ(script.messages[0].style, kIconExclamation + kButtonsOk);
    EXPECT_EQ(script.messages[0].text, QString("The value is higher than 50."));
    EXPECT_NE(focusDuringMessage, nullptr);
    EXPECT_EQ(w.first->MaskedText(), QString("61._"));
    EXPECT_TRUE(w.first->hasFocus());
    EXPECT_EQ(QApplication::focusWidget(), w.first);
    EXPECT_TRUE(w.first->WasRejected());
    EXPECT_NE(w.first->BackColor(), kValidGreen);
    EXPECT_EQ(secondCommits, 0);
    // The user corrects the entry and leaves: accepted this time.
    w.first->setCursorPosition(0);
    test::Type("123");
    test::Tab();
    QApplication::processEvents();
    EXPECT_EQ(script.messages.size(), 1u);
    EXPECT_TRUE(w.second->hasFocus());
    EXPECT_EQ(w.first->BackColor(), kValidGreen);
}

// Guards a click on a button running its command while the field it left
// holds a refused value: the click that moved the focus must do nothing.
TEST(MaskedFieldFocus, ClickAwayFromARefusedEntryDoesNotAct) {
    PlatformScript script;
    TwoFields w;
    int clicks = 0;
    QObject::connect(w.button, &QPushButton::clicked, [&] { ++clicks; });
    w.first->SetCommitHook([](MaskedField& f) {
        if (!f.IsEmptyEntry() && f.MaskedText().toDouble() > 50)
            f.Reject("The value is higher than 50.", MaskedField::RejectMode::KeepText);
    });
    test::Type("612");
    QTest::mouseClick(w.button, Qt::LeftButton);
    QApplication::processEvents();
    EXPECT_EQ(script.messages.size(), 1u);
    EXPECT_TRUE(w.first->hasFocus());
    EXPECT_EQ(clicks, 0);
    // Corrected, the next click works.
    w.first->setCursorPosition(0);
    test::Type("12");
    QTest::mouseClick(w.button, Qt::LeftButton);
    QApplication::processEvents();
    EXPECT_EQ(script.messages.size(), 1u);
    EXPECT_EQ(clicks, 1);
    EXPECT_TRUE(w.button->hasFocus());
}

// Guards a position field whose refused text must stay as typed.
TEST(MaskedFieldFocus, KeepTextModeKeepsTheTyping) {
    PlatformScript script;
    TwoFields w;
    w.first->SetCommitHook([](MaskedField& f) {
        if (!f.IsEmptyEntry()) f.Reject("Latitude > 90°.", MaskedField::RejectMode::KeepText);
    });
    test::Type("951");
    w.button->setFocus(Qt::MouseFocusReason);
    EXPECT_EQ(w.first->MaskedText(), QString("95.1"));
    EXPECT_TRUE(w.first->hasFocus());
    EXPECT_EQ(script.messages.size(), 1u);
}

// Guards a commit (and its message) on focus that only passes to another
// window or a menu: the user has not left the field.
TEST(MaskedFieldFocus, FocusPassingToAMenuOrWindowIsNoLeave) {
    PlatformScript script;
    TwoFields w;
    int commits = 0, entries = 0;
    w.first->SetCommitHook([&](MaskedField&) { ++commits; });
    w.first->SetEnterHook([&](MaskedField&) { ++entries; });
    QFocusEvent outPopup(QEvent::FocusOut, Qt::PopupFocusReason);
    QApplication::sendEvent(w.first, &outPopup);
    QFocusEvent outWindow(QEvent::FocusOut, Qt::ActiveWindowFocusReason);
    QApplication::sendEvent(w.first, &outWindow);
    QFocusEvent inWindow(QEvent::FocusIn, Qt::ActiveWindowFocusReason);
    QApplication::sendEvent(w.first, &inWindow);
    EXPECT_EQ(commits, 0);
    EXPECT_EQ(entries, 0);
    w.second->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(commits, 1);
    // A direct commit (spin button, loaded file) runs the same hook.
    EXPECT_TRUE(w.first->Commit());
    EXPECT_EQ(commits, 2);
}

// Guards the entry: the keys typed after the field is entered make the new
// value wherever the click landed, from the place the window sets; an arrow
// first edits the text shown in place.
TEST(MaskedFieldFocus, KeysOfOneEntryMakeTheValue) {
    TwoFields w;
    w.second->SetEntryPlace(1);
    for (test::Way way : {test::Way::Tab, test::Way::LeftEnd, test::Way::RightEnd}) {
        w.first->SetMaskedText("12.5");
        ASSERT_TRUE(test::Enter(w.first, way));
        test::Type("7");
        EXPECT_EQ(w.first->MaskedText(), QString("7_._")) << test::NameOf(way);
        w.second->SetMaskedText("98.7");
        ASSERT_TRUE(test::Enter(w.second, way));
        test::Type("4.5");
        EXPECT_EQ(w.second->MaskedText(), QString("_4.5")) << test::NameOf(way);
    }
    w.first->SetMaskedText("12.5");
    ASSERT_TRUE(test::Enter(w.first, test::Way::Tab));
    test::Press(Qt::Key_Right);
    test::Type("7");
    EXPECT_EQ(w.first->MaskedText(), QString("17.5"));
}

}  // namespace
}  // namespace orvex
