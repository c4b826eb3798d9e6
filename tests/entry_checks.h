// Entries typed through the keyboard driver into a window's date-time
// pickers and masked fields, every way a navigator enters them, and what
// the window takes from them.
#pragma once

#include <gtest/gtest.h>

#include <QDateTimeEdit>
#include <functional>
#include <vector>

#include "platform/masked_field.h"
#include "platform/message_box.h"
#include "tests/keyboard.h"

namespace orvex::test {

// The next instant typed into a picker: another day of another month, with
// hours, minutes and seconds, cut to what the picker shows.
inline QDateTime NextInstant(const QDateTimeEdit* p, const QDateTime& last) {
    QDateTime t = last.addSecs(((33 * 24 + 5) * 60 + 17) * 60 + 11);
    const QString f = p->displayFormat();
    if (!f.contains('s')) t.setTime(QTime(t.time().hour(), t.time().minute()));
    if (!f.contains('H') && !f.contains('h')) t.setTime(QTime(0, 0));
    return t;
}

// Enters `p` by Tab, by Shift+Tab and by a click on each of its parts, types
// each time a whole date and time as the picker shows it (":" with Shift)
// and leaves it by Tab. The picker must show that instant and `stored` read
// it as the window took it, with no message.
inline void CheckPickerEntries(QDateTimeEdit* p, const std::function<QDateTime()>& stored,
                               PlatformScript& script) {
    QDateTime when(QDate(2026, 9, 11), QTime(21, 0, 0), Qt::UTC);
    for (int way = 0; way < 2 + p->sectionCount(); ++way) {
        when = NextInstant(p, when);
        const QString text = p->locale().toString(when, p->displayFormat());
        const QString how = way < 2 ? NameOf(way == 0 ? Way::Tab : Way::BackTab)
                                    : QString("click on part %1").arg(way - 2);
        SCOPED_TRACE((p->objectName() + ", " + how + ": " + text).toStdString());
        script.Clear();
        if (way < 2) {
            ASSERT_TRUE(Enter(p, way == 0 ? Way::Tab : Way::BackTab));
        } else {
            ClickOnWord(p, way - 2);
            ASSERT_TRUE(p->hasFocus());
        }
        Type(text);
        EXPECT_EQ(p->dateTime(), when) << p->text().toStdString();
        Tab();
        EXPECT_EQ(stored(), when);
        EXPECT_TRUE(script.messages.empty()) << script.LastText().toStdString();
    }
}

// One entry into a masked field holding `old` (an accepted text): the keys
// typed, then the text shown once the field is left and the value stored,
// or the message refusing it (the value before it then stays).
struct FieldEntry {
    const char* name;  // the field's objectName
    const char* old;
    const char* keys;
    const char* shown;
    double value;
    const char* refusal = nullptr;
};

// Each entry typed into its field entered by Tab and by a click at the
// left end, middle and right end of its text, then left by Tab; stored(name)
// reads the field's value where the window keeps it. local() writes a text
// with the window's decimal separator.
inline void CheckFieldEntries(const QObject* root, const std::vector<FieldEntry>& entries,
                              const std::function<double(const QString&)>& stored,
                              PlatformScript& script,
                              const std::function<QString(const QString&)>& local) {
    for (const FieldEntry& e : entries) {
        for (Way way : {Way::Tab, Way::LeftEnd, Way::Middle, Way::RightEnd}) {
            SCOPED_TRACE(std::string(e.name) + " holding " + e.old + ", " + NameOf(way) +
                         ", typed " + e.keys);
            auto* f = Named<MaskedField>(root, e.name);
            ASSERT_TRUE(f != nullptr && f->isVisible());
            f->SetMaskedText(local(e.old));
            ASSERT_TRUE(f->Commit());
            const double before = stored(e.name);
            script.Clear();
            ASSERT_TRUE(Enter(f, way));
            Type(e.keys);
            Tab();
            if (e.refusal) {
                EXPECT_EQ(script.LastText(), local(e.refusal));
                EXPECT_EQ(stored(e.name), before);
                f->RestoreText(local(e.old));
                Tab();  // leaves the field it held
                continue;
            }
            EXPECT_TRUE(script.messages.empty()) << script.LastText().toStdString();
            EXPECT_EQ(f->MaskedText(), local(e.shown));
            EXPECT_NEAR(stored(e.name), e.value, 1e-9);
        }
    }
}

}  // namespace orvex::test
