#include "platform/message_box.h"

#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMessageBox>
#include <QPointer>
#include <iostream>

namespace orvex {

namespace {

PlatformScript*& CurrentScript() {
    static PlatformScript* script = nullptr;
    return script;
}

QPointer<QWidget>& Owner() {
    static QPointer<QWidget> owner;
    return owner;
}

// Nobody can press a button on the offscreen platform: never block there.
bool CannotShowModal() {
    return QGuiApplication::platformName() == QLatin1String("offscreen") ||
           QGuiApplication::platformName() == QLatin1String("minimal");
}

QString DisplayText(const QString& text) {
    QString t = text;
    t.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    t.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return t;
}

struct ButtonSet {
    QMessageBox::StandardButtons buttons;
    QMessageBox::StandardButton defaultButton;
    QMessageBox::StandardButton escapeButton;
};

ButtonSet BaseButtonsOf(int style) {
    switch (style % 16) {
        case kButtonsOkCancel:
            return {QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Ok, QMessageBox::Cancel};
        case kButtonsAbortRetryIgnore:
            return {QMessageBox::Abort | QMessageBox::Retry | QMessageBox::Ignore,
                    QMessageBox::Abort, QMessageBox::Abort};
        case kButtonsYesNoCancel:
            return {QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Yes,
                    QMessageBox::Cancel};
        case kButtonsYesNo:
            return {QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes, QMessageBox::No};
        case kButtonsRetryCancel:
            return {QMessageBox::Retry | QMessageBox::Cancel, QMessageBox::Retry,
                    QMessageBox::Cancel};
        default:
            return {QMessageBox::Ok, QMessageBox::Ok, QMessageBox::Ok};
    }
}

// kDefaultButton2 makes the second button of the set the default one.
ButtonSet ButtonsOf(int style) {
    ButtonSet set = BaseButtonsOf(style);
    if ((style & kDefaultButton2) == 0) return set;
    switch (style % 16) {
        case kButtonsOkCancel:
            set.defaultButton = QMessageBox::Cancel;
            break;
        case kButtonsAbortRetryIgnore:
            set.defaultButton = QMessageBox::Retry;
            break;
        case kButtonsYesNoCancel:
        case kButtonsYesNo:
            set.defaultButton = QMessageBox::No;
            break;
        case kButtonsRetryCancel:
            set.defaultButton = QMessageBox::Cancel;
            break;
        default:
            break;
    }
    return set;
}

QMessageBox::Icon IconOf(int style) {
    switch ((style / 16) % 8) {
        case 1:
            return QMessageBox::Critical;
        case 2:
            return QMessageBox::Question;
        case 3:
            return QMessageBox::Warning;
        case 4:
            return QMessageBox::Information;
        default:
            return QMessageBox::NoIcon;
    }
}

int AnswerOf(QMessageBox::StandardButton b) {
    switch (b) {
        case QMessageBox::Ok:
            return kAnswerOk;
        case QMessageBox::Cancel:
            return kAnswerCancel;
        case QMessageBox::Abort:
            return kAnswerAbort;
        case QMessageBox::Retry:
            return kAnswerRetry;
        case QMessageBox::Ignore:
            return kAnswerIgnore;
        case QMessageBox::Yes:
            return kAnswerYes;
        case QMessageBox::No:
            return kAnswerNo;
        default:
            return kAnswerCancel;
    }
}

}  // namespace

int DefaultAnswer(int style) {
    return AnswerOf(ButtonsOf(style).defaultButton);
}

void SetMessageOwner(QWidget* owner) {
    Owner() = owner;
}

namespace {
// A box without a parent lies above the window the user works in (a
// companion window, a dialog), else above the main window.
QWidget* BoxOwner(QWidget* parent) {
    if (parent) return parent;
    QWidget* active = QApplication::activeWindow();
    if (active && active->isVisible() && !qobject_cast<QMessageBox*>(active)) return active;
    return Owner().data();
}
}  // namespace

int ShowMessage(int style, const QString& title, const QString& text, QWidget* parent) {
    if (PlatformScript* script = CurrentScript()) {
        PlatformScript::Message m{style, title, text, BoxOwner(parent)};
        script->messages.push_back(m);
        if (script->onMessage) script->onMessage(m);
        if (script->answers.empty()) return DefaultAnswer(style);
        const int a = script->answers.front();
        script->answers.erase(script->answers.begin());
        return a;
    }
    if (CannotShowModal()) {
        std::cerr << "[" << title.toStdString() << "] " << text.toStdString() << std::endl;
        return DefaultAnswer(style);
    }
    const ButtonSet set = ButtonsOf(style);
    QMessageBox box(IconOf(style), title, DisplayText(text), set.buttons, BoxOwner(parent));
    box.setDefaultButton(set.defaultButton);
    box.setEscapeButton(set.escapeButton);
    box.setObjectName(QStringLiteral("msgBox"));
    box.exec();
    QAbstractButton* clicked = box.clickedButton();
    if (!clicked) return AnswerOf(set.escapeButton);
    return AnswerOf(box.standardButton(clicked));
}

int ShowMessage(int style, const std::string& title, const std::string& text, QWidget* parent) {
    return ShowMessage(style, QString::fromStdString(title), QString::fromStdString(text), parent);
}

int ShowMessage(int style, const char* title, const char* text, QWidget* parent) {
    return ShowMessage(style, QString::fromUtf8(title), QString::fromUtf8(text), parent);
}

void InstallPlatformReporter() {
    SetReporter([](int style, const std::string& title, const std::string& text) {
        return ShowMessage(style, title, text, nullptr);
    });
}

int ExecDialog(QDialog& dialog) {
    if (PlatformScript* script = CurrentScript()) {
        script->dialogs.push_back(dialog.objectName());
        if (script->dialogHandler) return script->dialogHandler(dialog);
        return QDialog::Rejected;
    }
    if (CannotShowModal()) {
        std::cerr << "[dialog " << dialog.objectName().toStdString() << "] not shown offscreen"
                  << std::endl;
        return QDialog::Rejected;
    }
    return dialog.exec();
}

namespace {
QString ScriptedFileName(PlatformScript* script, const QString& caption, const QString& start) {
    script->fileDialogs.push_back(caption);
    script->fileStarts.push_back(start);
    if (script->fileNames.empty()) return QString();
    const QString f = script->fileNames.front();
    script->fileNames.erase(script->fileNames.begin());
    return f;
}
}  // namespace

QString AskOpenFileName(QWidget* parent, const QString& caption, const QString& folder,
                        const QString& filter) {
    if (PlatformScript* script = CurrentScript()) return ScriptedFileName(script, caption, folder);
    if (CannotShowModal()) return QString();
    return QFileDialog::getOpenFileName(parent ? parent : Owner().data(), caption, folder, filter);
}

QString AskSaveFileName(QWidget* parent, const QString& caption, const QString& folder,
                        const QString& filter, const QString& defaultSuffix) {
    if (PlatformScript* script = CurrentScript()) return ScriptedFileName(script, caption, folder);
    if (CannotShowModal()) return QString();
    QFileDialog dialog(parent ? parent : Owner().data(), caption, QString(), filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(defaultSuffix);
    // The caller asks about replacing a file: the dialog would ask about
    // the name as typed, which may still lack the default suffix.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    const QFileInfo start(folder);
    if (start.isDir()) {
        dialog.setDirectory(folder);
    } else {
        dialog.setDirectory(start.absolutePath());
        dialog.selectFile(start.fileName());
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return QString();
    return dialog.selectedFiles().constFirst();
}

PlatformScript::PlatformScript() {
    CurrentScript() = this;
    InstallPlatformReporter();
}

PlatformScript::~PlatformScript() {
    if (CurrentScript() == this) CurrentScript() = nullptr;
    SetReporter(nullptr);
}

std::vector<QString> PlatformScript::Titles() const {
    std::vector<QString> t;
    for (const Message& m : messages) t.push_back(m.title);
    return t;
}

QString PlatformScript::LastText() const {
    return messages.empty() ? QString() : messages.back().text;
}

void PlatformScript::Clear() {
    messages.clear();
    dialogs.clear();
    fileDialogs.clear();
    fileStarts.clear();
    openedUrls.clear();
}

PlatformScript* PlatformScript::Current() {
    return CurrentScript();
}

}  // namespace orvex
