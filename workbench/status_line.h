// The main window's status bar staNumDisp: ten panels that show the fix
// (position, probability, error figures, course, speed, mode), or in the
// simple style one text alone (from a new fix until its result).
#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <functional>
#include <map>

class QLabel;
class QMainWindow;
class QStatusBar;

namespace orvex {

struct WorkbenchState;

// What the status line asks of its window.
struct StatusLineLinks {
    // A panel was double-clicked; `key` is one of StatusLine::PanelKeys().
    std::function<void(const QString& key)> PanelDoubleClicked;
};

class StatusLine : public QObject {
    Q_OBJECT
  public:
    // Builds the bar into `window` (objectName "staNumDisp", panels
    // "staNumDisp_<key>", the simple text "staNumDisp_Simple").
    StatusLine(QMainWindow& window, StatusLineLinks links);

    QStatusBar* Bar() const { return bar_; }
    // The ten panels, by key: "TimeTruePos", "MPP", "Proba", "Ellipse",
    // "Circle", "Course", "Speed", "Full", "Iter", "SystErr".
    static const QStringList& PanelKeys();
    // The panel for `key`, or nullptr for an unknown key.
    QLabel* Panel(const QString& key) const;
    // Simple style: `text` alone, no panels; otherwise the panels alone.
    void SetSimple(bool simple, const QString& text = QString());
    bool Simple() const { return simple_; }
    // Writes the fix of `s` into the panels and shows them; the systematic
    // error panel stays empty unless `systErrShown`.
    void Fill(const WorkbenchState& s, bool systErrShown);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    StatusLineLinks links_;
    QStatusBar* bar_ = nullptr;
    QLabel* simpleText_ = nullptr;
    std::map<QString, QLabel*> panels_;
    bool simple_ = false;
};

}  // namespace orvex
