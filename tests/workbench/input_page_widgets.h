// The star-fix input page's widgets as a test finds them: by their control
// names under the page "tabIn" of the window ("mskLat_5", "cmdNextTabIn_0",
// "grdObs"), never through the page's members.
#pragma once

#include <QString>
#include <QTabWidget>

#include "platform/masked_field.h"
#include "tests/keyboard.h"
#include "workbench/main_window.h"

namespace orvex::test {

template <class T = MaskedField>
T* InputNamed(const FrmWorking& w, const QString& name) {
    const QTabWidget* page = Named<QTabWidget>(&w, "tabIn");
    T* found = page ? Named<T>(page, name) : nullptr;
    EXPECT_NE(found, nullptr) << name.toStdString();
    return found;
}

// The grid's editor of column 0..3: the time picker, the body list, the
// altitude and the correction fields.
inline QWidget* GridEditorNamed(const FrmWorking& w, int col) {
    static const char* const names[4] = {"dtpObsTime", "cboBody", "mskHeightInst", "mskInstErr_1"};
    return InputNamed<QWidget>(w, names[col]);
}

}  // namespace orvex::test
