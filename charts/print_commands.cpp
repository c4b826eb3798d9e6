// The print commands' error handling, the "NO PRINTER" box, the wait
// cursor and the word on where a PDF went.
#include <QApplication>
#include <QDir>

#include "charts/core/chart_data.h"
#include "charts/print_lib.h"
#include "platform/message_box.h"
#include "program_version.h"

namespace orvex {

namespace {

bool gWaitCursor = false;

const char* kNoPrinterTitle = "NO PRINTER";
const char* kNoPrinterText =
    "Sorry, no printer connected to your system.\r\n"
    "To print into a PDF file, choose it in File, Print Setup.";

}  // namespace

bool CheckPrinterInstalled() {
    if (ProgramPrinter::Instance().PrinterCount() >= 1) return true;
    ShowMessage(kIconCritical + kButtonsOk, kNoPrinterTitle, kNoPrinterText);
    return false;
}

void SetWaitCursor(bool on) {
    if (on == gWaitCursor) return;
    gWaitCursor = on;
    if (!qApp) return;
    if (on)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QApplication::restoreOverrideCursor();
}

void TellWherePdfWent(const QString& what) {
    const QString path = ProgramPrinter::Instance().LastPdfFile();
    if (path.isEmpty()) return;
    ShowMessage(kIconInformation + kButtonsOk, QString(" Print to file"),
                what + " was printed into the file\r\n" + QDir::toNativeSeparators(path));
}

bool RunPrintSteps(const std::vector<std::function<void()>>& steps, const QString& driverLine) {
    ProgramPrinter::Instance().ForgetLastPdfFile();
    size_t i = 0;
    while (i < steps.size()) {
        int number = 0;
        QString description;
        try {
            steps[i]();
            ++i;
            continue;
        } catch (const PrinterError& e) {
            number = e.Number();
            description = e.Description();
        } catch (const ChartError& e) {
            number = e.Number();
            description = QString::fromStdString(e.what());
        } catch (const std::exception& e) {
            number = 5;
            description = QString::fromStdString(e.what());
        }
        if (number == 380) {
            ++i;
            continue;
        }
        const int style = kIconExclamation + kButtonsRetryCancel;
        int answer;
        if (number == 482 || number == 484)
            answer =
                ShowMessage(style, "PRINTER NOT READY", "Please check your printer and retry.");
        else if (number == 483)
            answer = ShowMessage(style, "PRINTER DRIVER PROBLEM",
                                 "Due to your printer driver,\r\n" + driverLine);
        else
            answer = ShowMessage(style, " ERROR REPORT",
                                 "Unexpected error when printing.\r\nError " +
                                     QString::number(number) + ": " + description);
        if (answer != kAnswerRetry) {
            ProgramPrinter::Instance().AbortDoc();
            SetWaitCursor(false);
            return false;
        }
    }
    return true;
}

bool RunPortraitPrintSteps(const std::vector<std::function<void()>>& body,
                           const QString& driverLine) {
    ProgramPrinter& printer = ProgramPrinter::Instance();
    int orientation = 0, quality = 0, colour = 0;
    std::vector<std::function<void()>> steps = {
        [&] {
            orientation = printer.Orientation();
            quality = printer.PrintQuality();
            colour = printer.ColorMode();
        },
        [&] { printer.SetOrientation(kOrientationPortrait); },
        [&] { printer.SetPrintQuality(kPrintQualityHigh); },
        [&] { printer.SetColorMode(kColorModeColour); },
        [&] { printer.Font() = QFont("Arial", printer.Font().pointSize()); },
    };
    steps.insert(steps.end(), body.begin(), body.end());
    steps.push_back([&] { printer.SetOrientation(orientation); });
    steps.push_back([&] { printer.SetPrintQuality(quality); });
    steps.push_back([&] { printer.SetColorMode(colour); });
    return RunPrintSteps(steps, driverLine);
}

QString ProgramNameVersion() {
    return QString::fromLatin1(kProgramNameVersion);
}

}  // namespace orvex
