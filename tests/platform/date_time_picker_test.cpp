// The picker read through a keyboard that presses Shift before ":" and
// capitals: a part clicked takes the keys typed there, a whole date typed
// anywhere is the instant taken, and an entry that makes no instant is
// refused with a message saying why.
#include "platform/date_time_picker.h"

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QShortcut>
#include <QTest>

#include "platform/message_box.h"
#include "tests/keyboard.h"

namespace orvex {
namespace {

using test::Type;

struct Picker {
    PlatformScript script;
    QWidget window;
    QLineEdit* before = new QLineEdit(&window);
    DateTimePicker* p = new DateTimePicker(&window);
    QLineEdit* after = new QLineEdit(&window);
    const QDateTime start{QDate(2026, 9, 28), QTime(23, 59, 59), Qt::UTC};

    Picker() {
        p->setTimeSpec(Qt::UTC);
        p->setLocale(QLocale::c());
        p->setDisplayFormat("d MMM yyyy HH:mm:ss");
        before->setGeometry(0, 0, 100, 25);
        p->setGeometry(0, 30, 250, 25);
        after->setGeometry(0, 60, 100, 25);
        p->setDateTime(start);
        window.show();
        QApplication::setActiveWindow(&window);
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
    }
    // Clicks on part `part`, types `keys` and leaves by Tab; the value then.
    QDateTime Typed(int part, const QString& keys) {
        p->setDateTime(start);
        test::ClickOnWord(p, part);
        Type(keys);
        test::Tab();
        return p->dateTime();
    }
    static QDateTime At(int d, int mo, int h, int mi, int s) {
        return QDateTime(QDate(2026, mo, d), QTime(h, mi, s), Qt::UTC);
    }
};

// Guards part edits: keys typed on the part clicked change that part and
// the ones after it; separators of any kind, months by name in any case.
TEST(DateTimePicker, KeysTypedOnAPart) {
    Picker t;
    EXPECT_EQ(t.Typed(4, "30"), Picker::At(28, 9, 23, 30, 59));
    EXPECT_EQ(t.Typed(3, "21:30:05"), Picker::At(28, 9, 21, 30, 5));
    EXPECT_EQ(t.Typed(0, "5"), Picker::At(5, 9, 23, 59, 59));
    EXPECT_EQ(t.Typed(1, "dec"), Picker::At(28, 12, 23, 59, 59));
    EXPECT_EQ(t.Typed(0, "1 mar 2026 6.05.00"), Picker::At(1, 3, 6, 5, 0));
    EXPECT_EQ(t.Typed(0, "2/Oct/2026 7 8 9"), Picker::At(2, 10, 7, 8, 9));
    EXPECT_EQ(t.Typed(5, "1Nov2026 101112"), Picker::At(1, 11, 10, 11, 12));
    EXPECT_EQ(t.Typed(0, "31 Dec 2026 10:20:35\b4"), Picker::At(31, 12, 10, 20, 34))
        << t.p->text().toStdString();
    t.p->setReadOnly(true);  // a picker that only shows a time takes no key
    EXPECT_EQ(t.Typed(0, "1 Oct 2026 01:02:03"), t.start);
    EXPECT_TRUE(t.script.messages.empty()) << t.script.LastText().toStdString();
}

// Guards entries that make no instant: the picker was left clamped to
// another day (31 Sep became 30 Sep, 29 Feb 2027 28 Feb) with no word.
TEST(DateTimePicker, EntriesThatMakeNoInstantAreRefused) {
    Picker t;
    const struct {
        int part;
        const char* keys;
        const char* message;
    } cases[] = {{0, "31 Sep 2026 01:02:03", "There is no 31 Sep 2026."},
                 {3, "29 Feb 2027 01:02:03", "There is no 29 Feb 2027."},
                 {0, "31", "There is no 31 Sep 2026."},
                 {3, "25", "There is no hour 25."},
                 {0, "8 Ju 2026", "\"Ju\" is not the name of one month."},
                 {2, "26", "The year must lie between 1752 and 9999."}};
    for (const auto& c : cases) {
        t.script.Clear();
        EXPECT_EQ(t.Typed(c.part, c.keys), t.start) << c.keys;
        EXPECT_EQ(t.script.LastText(), c.message) << c.keys;
        EXPECT_EQ(t.script.messages.size(), 1u) << c.keys;
    }
    // 29 Feb of a leap year is a date.
    EXPECT_EQ(t.Typed(0, "29 Feb 2028 01:02:03"),
              QDateTime(QDate(2028, 2, 29), QTime(1, 2, 3), Qt::UTC));
}

// Guards a shortcut pressed while an entry is typed (Alt+C for Compute): it
// reads the instant typed, or the value from before a refused entry, never
// a day the keys do not mean.
TEST(DateTimePicker, ShortcutReadsTheSettledEntry) {
    Picker t;
    QDateTime read;
    QShortcut go(QKeySequence("Ctrl+G"), &t.window, [&] { read = t.p->dateTime(); });
    for (const auto& [keys, expected] :
         {std::pair{"12 Oct 2026 22:01:0", Picker::At(12, 10, 22, 1, 0)},
          std::pair{"31", t.start}}) {
        t.p->setDateTime(t.start);
        test::ClickOnWord(t.p, 0);
        Type(keys);
        test::Press(Qt::Key_G, Qt::ControlModifier);
        EXPECT_EQ(read, expected) << keys;
    }
    EXPECT_EQ(t.script.LastText(), "There is no 31 Sep 2026.");
}

}  // namespace
}  // namespace orvex
