// The observation file commands: save the inputs and sights of the star-fix
// page, and load them back (from the open dialog, or the file named on the
// command line at start-up). A file is written whole or not at all, and a
// file is applied only once all of it has been read and found sound: a bad
// file gets its message and leaves the inputs as they were. Both dialogs
// start in the navigator's own folder (ObservationsFolder), never in the
// program folder, whose samples are references only.
#include <QDateTimeEdit>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QStringDecoder>
#include <cmath>

#include "inputs/condition_checks.h"
#include "inputs/position_checks.h"
#include "navlib/array_lib.h"
#include "navlib/date_time.h"
#include "navlib/inout_lib.h"
#include "navlib/number_format.h"
#include "navlib/unit_conversions.h"
#include "platform/atomic_file.h"
#include "platform/masked_field.h"
#include "platform/message_box.h"
#include "platform/pc_clock.h"
#include "platform/user_files.h"
#include "workbench/core/observation_file.h"
#include "workbench/core/session_file.h"
#include "workbench/core/star_fix_session.h"
#include "workbench/observation_grid.h"
#include "workbench/observation_texts.h"
#include "workbench/star_fix_input_page.h"

namespace orvex {

namespace {

const QString kFilter = QStringLiteral("Observations file (*.obs)");
const QString kFileErrorTitle = QStringLiteral(" File access error");

void ShowFileError(QWidget* owner, int number, const QString& description) {
    QString text;
    switch (number) {
        case 53:
            text = "The file name doesn't exist. Try again.";
            break;
        case 52:
        case 64:
            text = "Your file specification was invalid. Try another.";
            break;
        case 68:
            text = "The drive you specified was not found. Try again.";
            break;
        case 71:
            text = "Close the disk drive door and try again.";
            break;
        default:
            text = QString(
                       "An error occured during file access.\r\n"
                       "The program will try to resume execution\r\n"
                       "but please report the following error:\r\n"
                       "Error %1: %2")
                       .arg(number)
                       .arg(description);
            break;
    }
    ShowMessage(kIconExclamation + kButtonsOk, kFileErrorTitle, text, owner);
}

// A text of an old file: UTF-8 when it reads so, else the single-byte
// characters of the old program ("°" as one byte).
QString FileText(const std::string& bytes) {
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString s = utf8(QByteArray::fromStdString(bytes));
    if (utf8.hasError())
        s = QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
    return s;
}

// A time cell of the grid in an old file, on a day the date pickers show.
bool ReadGridDate(const QString& text, double* days) {
    if (!ReadGridTime(text, days)) return false;
    const CalendarTime c = SplitDateTime(*days);
    return ObsFileDateShown(c.year, c.month, c.day);
}

// A date typed in an old file: the grid's form, or ISO, or day/month/year;
// none before the first day the date pickers show.
bool ReadTypedDate(const QString& text, double* days) {
    if (ReadGridDate(text, days)) return true;
    const QString t = text.simplified();
    for (const char* f : {"yyyy-MM-dd hh:mm:ss", "yyyy-MM-dd", "d/M/yyyy h:mm:ss", "d/M/yyyy"}) {
        const QDateTime v = QLocale::c().toDateTime(t, f);
        if (v.isValid() && ObsFileDateShown(v.date().year(), v.date().month(), v.date().day())) {
            *days = MakeDateTime(v.date().year(), v.date().month(), v.date().day(), v.time().hour(),
                                 v.time().minute(), v.time().second());
            return true;
        }
    }
    return false;
}

// The fields of the old text layout: the field that takes each text of the
// file (ObservationFileData::Texts), in the order of the form.
const struct OldField {
    const char* name;
    int index;
    int text;
} kOldFields[] = {{"mskLat", 5, 1},         {"mskLong", 5, 2},        {"mskCourse", 0, 4},
                  {"mskSpeed", -1, 5},      {"mskHeightM", -1, 6},    {"mskInstErr", 0, 7},
                  {"mskTempCelcius", 0, 8}, {"mskTempCelcius", 1, 9}, {"mskPress_mBars", -1, 10}};

// The verdict of a field on a text of an old file, as its commit gives it
// (an empty field is no entry and changes nothing).
FieldVerdict OldFieldVerdict(const OldField& f, const std::string& text, const std::string& sep) {
    const std::string name = f.name;
    if (name == "mskLat") return CheckLatitudeText(f.index, text, sep);
    if (name == "mskLong") return CheckLongitudeText(f.index, text, sep);
    if (name == "mskCourse") return CheckCourseText(text, sep);
    if (name == "mskSpeed") return CheckSpeedText(text, sep);
    if (name == "mskHeightM") return CheckHeightMetresText(text, sep);
    if (name == "mskTempCelcius") return CheckTemperatureText(text, sep, false);
    if (name == "mskPress_mBars") return CheckPressureMBarsText(text, sep);
    return CheckInstrumentCorrectionText(text, sep);
}

// The error number of a failed write, as the classic file statements give.
int SaveErrorNumber(const QString& path) {
    const QFileInfo info(path);
    if (info.fileName().isEmpty()) return 52;
    if (!info.absoluteDir().exists()) return 76;  // path not found
    return 75;                                    // path/file access error
}

// An old file is checked whole before anything is touched, each text as its
// field or grid cell would check it. Returns why it is refused (naming the
// line), or an empty text; times: the two times of the form.
}  // namespace

QString StarFixInputPage::OldObservationFileProblem(const ObservationFileData& d,
                                                    double times[2]) const {
    const std::string& sep = ctx_.DecSep;
    auto refuse = [](int line, const QString& why) {
        return QString("Type mismatch in line %1: %2").arg(line).arg(why);
    };
    const int timeText[2] = {0, 3};
    for (int k = 0; k < 2; ++k)
        if (!ReadTypedDate(FileText(d.Texts[At(timeText[k])]), &times[k]))
            return refuse(2 * k + 1, "the text is not a date and time.");
    const int lineOfText[11] = {1, 2, 2, 3, 4, 4, 5, 5, 6, 6, 6};
    for (const OldField& f : kOldFields) {
        MaskedField* field = MaskField(f.name, f.index);
        if (!field) continue;
        const QString text = FileText(d.Texts[static_cast<size_t>(f.text)]);
        const int line = lineOfText[f.text];
        bool whole = false;
        const QString fitted = field->FittedText(text, &whole);
        if (!whole) return refuse(line, "\"" + text + "\" does not fit its field.");
        if (field->TypedTextOf(fitted).isEmpty()) continue;  // left empty: no entry
        const FieldVerdict v = OldFieldVerdict(f, fitted.toStdString(), sep);
        if (!v.Accepted) return refuse(line, QString::fromStdString(v.Message));
    }
    for (size_t i = 0; i < d.TextSights.size(); ++i) {
        const auto& cells = d.TextSights[i];
        const int line = static_cast<int>(i) + 8;
        double when = 0.0;
        if (!ReadGridDate(FileText(cells[0]), &when))
            return refuse(line, "Incorrect time in the grid.");
        if (BinarySearchText(cells[1], ctx_.BodyList) < 0)
            return refuse(line, "Incorrect celestal body name in the grid.");
        // Held to what the grid's cell editors take.
        if (!CheckSightAltitudeText(FileText(cells[2]).toStdString()).Accepted)
            return refuse(line, "Incorrect altitude in the grid.");
        if (!CheckInstrumentCorrectionText(FileText(cells[3]).toStdString(), sep).Accepted)
            return refuse(line, "Incorrect instrumental error in the grid.");
    }
    return QString();
}

void StarFixInputPage::ResetForNewStarFix() {
    state_.FixEntered.fill(false);
    cmdEraseObs_Click();
    InitObsGrid();
    if (links_.SetStatusSimple) links_.SetStatusSimple(true);
}

// ---- Save ------------------------------------------------------------------------

void StarFixInputPage::cmdSaveObs_Click() {
    if (!LeaveStarFixField()) return;
    grdObs_GotFocus();
    if (!ReadObsGrid()) return;
    const StarFixSession& s = state_;
    const QString folder = ObservationsFolder(QString::fromStdString(ctx_.AppPath));
    const ObservationFileData d = ObservationFileOf(s);
    const QByteArray bytes = QByteArray::fromStdString(WriteObservationFile(d));

    for (;;) {
        const QString name = DefaultObservationFileName(folder, s.TimeTruePos);
        QString path = AskSaveFileName(this, "Save observations data", folder + "/" + name + ".obs",
                                       kFilter, "obs");
        if (path.isEmpty()) return;
        if (QFileInfo(path).suffix().isEmpty()) path += ".obs";
        // Only what an open for output would be allowed is replaced (a link
        // to a regular file replaces the file it points to): a FIFO, a
        // device, a file the user may not write or one with other names is
        // refused before anything is asked or written.
        const FileWriteResult allowed = CheckFileReplaceable(path);
        if (allowed.Refused) {
            ShowFileError(this, 75, "Path/File access error: " + allowed.Error);
            continue;
        }
        const QFileInfo target(path);
        // The dialog leaves the question to us: a native one would ask about
        // the name as typed, before its ".obs" is added, so the file really
        // replaced is asked about here, whatever dialog chose it.
        if (target.exists() &&
            ShowMessage(kIconExclamation + kButtonsYesNo + kDefaultButton2,
                        QString("Save observations data"),
                        "File " + path + " already exists.\r\nDo you want to replace it?",
                        this) != kAnswerYes)
            continue;
        // The old file is replaced only when all of the new one is written.
        const FileWriteResult written = WriteFileAtomically(path, bytes);
        if (written.Refused) {
            ShowFileError(this, 75, "Path/File access error: " + written.Error);
            continue;
        }
        if (!written.Ok) {
            ShowFileError(
                this, SaveErrorNumber(path),
                written.Error.isEmpty() ? QString("the file could not be written") : written.Error);
            continue;
        }
        ShowMessage(kIconInformation + kButtonsOk, QString("File saved confirmation"),
                    "File " + path + " saved.", this);
        return;
    }
}

// ---- Load ------------------------------------------------------------------------

void StarFixInputPage::cmdLoadObs_Click() {
    bool fromCommandLine = !ctx_.CommandLineFile.empty();
    for (;;) {
        QString path;
        if (fromCommandLine) {
            path = QString::fromStdString(ctx_.CommandLineFile);
            ctx_.CommandLineFile.clear();
            fromCommandLine = false;
        } else {
            path =
                AskOpenFileName(this, "Load observations data",
                                ObservationsFolder(QString::fromStdString(ctx_.AppPath)), kFilter);
            if (path.isEmpty()) return;
        }
        const QFileInfo info(path);
        if (!info.exists()) {
            ShowFileError(this, 53, QString());
            continue;
        }
        // A folder, a FIFO or a device is never opened (a FIFO would hold
        // the window in the open call until something writes to it).
        if (!info.isFile()) {
            ShowFileError(this, 75,
                          "Path/File access error: " + info.fileName() + " is not a regular file.");
            continue;
        }
        if (info.size() > kObsFileMaxBytes) {
            ShowFileError(this, 7,
                          QString("Out of memory: the file holds %1 bytes, far more than any "
                                  "observations file.")
                              .arg(info.size()));
            continue;
        }
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly)) {
            ShowFileError(this, 75, "Path/File access error: " + file.errorString());
            continue;
        }
        const QByteArray bytes = file.read(kObsFileMaxBytes + 1);
        file.close();
        ObservationFileData d;
        const ObsFileProblem p = ParseObservationFile(
            std::string_view(bytes.constData(), static_cast<size_t>(bytes.size())), ctx_.BodyList,
            d);
        if (p.Number == kObsNotOrvexFile) {
            ShowMessage(kIconInformation + kButtonsOk, QString("File unreadable"),
                        QString("Sorry, This is not an Orvex file.\r\n"
                                "Please select the right file."),
                        this);
            continue;
        }
        if (p.Number != 0) {
            ShowFileError(this, p.Number, QString::fromStdString(p.Description));
            continue;
        }
        // An old file is checked whole before anything is touched.
        double oldTimes[2] = {0.0, 0.0};
        if (d.Layout == ObsFileLayout::Text09) {
            const QString problem = OldObservationFileProblem(d, oldTimes);
            if (!problem.isEmpty()) {
                ShowFileError(this, 13, problem);
                continue;
            }
        }
        ResetForNewStarFix();
        if (d.Layout == ObsFileLayout::Current)
            ApplyObservationFile(d);
        else
            ApplyOldObservationFile(d, oldTimes[0], oldTimes[1]);
        if (links_.SetAstroMenuForInput) links_.SetAstroMenuForInput();
        return;
    }
}

void StarFixInputPage::SetFixTime(int index, double days) {
    // The picker shows the time and its own commit takes it (the wanted
    // time's picker follows the first until it is entered itself).
    if (QDateTimeEdit* p = dtpTime[static_cast<size_t>(index)]) {
        p->setDateTime(FromDateValue(days));
        dtpTime_LostFocus(index);
        return;
    }
    if (index == 0) {
        state_.TimeEstPos = days;
        state_.FixEntered[1] = true;
    } else {
        state_.TimeTruePos = days;
        state_.FixEntered[4] = true;
    }
}

void StarFixInputPage::ApplyObservationFile(const ObservationFileData& d) {
    StarFixSession& s = state_;
    const std::string sep = ctx_.DecSep;
    // The session takes the file's values; the fields then show them, and
    // a value its field refuses gets the field's message and is put back as
    // it was before the file, so that the field shows what the fix will use.
    const StarFixSession before = s;
    LoadObservationFile(d, s);
    auto put = [this](const char* name, int index, const std::string& text) {
        MaskedField* f = MaskField(name, index);
        if (f) f->SetMaskedText(QString::fromStdString(text));
        return f;
    };
    // The fields' own commits store what they accept (a rounded text: the
    // exact value is taken again below).
    auto commit = [this](const char* name, int index, const std::string& text) {
        MaskedField* f = MaskField(name, index);
        if (!f) return true;
        const QString shown = f->text();
        f->SetMaskedText(QString::fromStdString(text));
        if (f->Commit()) return true;
        f->RestoreText(shown);
        return false;
    };
    auto temperature = [](double t) {
        // Right-aligned in the three places of the field, prompts before.
        return QString("%1").arg(static_cast<int>(std::lround(t)), 3, 10, QChar('_')).toStdString();
    };

    // An input that was not entered when the file was saved keeps its
    // new-fix value and stays not entered.
    const auto& entered = d.Entered;
    if (entered[0]) SetFixTime(0, d.TimeEstPos);
    if (entered[1]) put("mskLat", 5, FormatLatitude(d.Lat, sep));
    if (entered[2]) put("mskLong", 5, FormatLongitude(d.Long, sep));
    if (entered[3]) SetFixTime(1, d.TimeTruePos);
    if (entered[4]) put("mskCourse", 0, FormatNumber(d.CourseInput, "000°.0", sep));
    if (entered[5]) put("mskSpeed", -1, FormatNumber(d.SpeedInput, "000.0", sep));
    // A value the field accepts in its own unit's text is kept as saved, not
    // as that rounded text reads (a height entered in feet, a temperature in
    // Fahrenheit, a pressure in inches): the paired field shows it, and
    // neither field stores its rounded text again unless it is typed into.
    auto keepExact = [this](const char* name, int index, const char* partner, int partnerIndex,
                            const std::string& partnerText) {
        MaskField(name, index)->MarkWrittenByProgram();
        MaskedField* p = MaskField(partner, partnerIndex);
        p->SetMaskedText(QString::fromStdString(partnerText));
        p->MarkWrittenByProgram();
    };
    auto asText = [&sep](double v) {
        std::string t = ObsFileNumber(v);
        const size_t dot = t.find('.');
        if (dot != std::string::npos) t.replace(dot, 1, sep);
        return t;
    };
    if (entered[6]) {
        s.FixEntered[7] = commit("mskHeightM", -1, FormatNumber(d.HeightEye, "00.0", sep));
        if (s.FixEntered[7]) {
            s.HeightEye = d.HeightEye;
            keepExact("mskHeightM", -1, "mskHeightF", -1, FeetTextOfMetres(d.HeightEye, sep));
        } else {
            s.HeightEye = before.HeightEye;
        }
    }
    if (entered[7]) put("mskInstErr", 0, FormatNumber(d.InstErr, "+00.00;-00.00", sep));

    const double celsius[2] = {d.TempAirC, d.TempWaterC};
    for (int i = 0; i < 2; ++i) {
        double& c = i == 0 ? s.TempAirC : s.TempWaterC;
        double& f = i == 0 ? s.TempAirF : s.TempWaterF;
        if (!commit("mskTempCelcius", i, temperature(celsius[i]))) {
            c = i == 0 ? before.TempAirC : before.TempWaterC;
            f = i == 0 ? before.TempAirF : before.TempWaterF;
        } else if (CheckTemperatureText(asText(celsius[i]), sep, false).Accepted) {
            c = celsius[i];
            f = CelsiusToFahrenheit(c);
            keepExact("mskTempCelcius", i, "mskTempFahr", i, TemperatureText(f));
        }
    }
    if (!commit("mskPress_mBars", -1, FormatNumber(d.PressMBars, "0000", sep))) {
        s.PressMBars = before.PressMBars;
        s.PressHg = before.PressHg;
    } else if (CheckPressureMBarsText(asText(d.PressMBars), sep).Accepted) {
        s.PressMBars = d.PressMBars;
        s.PressHg = MillibarsToInchesHg(d.PressMBars);
        keepExact("mskPress_mBars", -1, "mskPressHg", -1, InchesHgText(s.PressHg, sep));
    }
}

void StarFixInputPage::ApplyOldObservationFile(const ObservationFileData& d, double timeEstPos,
                                               double timeTruePos) {
    StarFixSession& s = state_;
    // The typed texts go into their fields, then each field's own handler
    // checks and stores them, in the order of the form.
    const auto& fields = kOldFields;
    for (const auto& f : fields)
        if (MaskedField* m = MaskField(f.name, f.index))
            m->SetMaskedText(FileText(d.Texts[static_cast<size_t>(f.text)]));
    // The sights' texts go into their cells (each was checked before
    // anything was touched).
    const int n = std::min(static_cast<int>(d.TextSights.size()), s.Sights.Rows());
    for (int i = 1; i <= n; ++i)
        for (int c = 0; c < 4; ++c)
            s.Sights.PutText(i, c, FileText(d.TextSights[At(i - 1)][At(c)]).toStdString(),
                             ctx_.DecSep);
    SetFixTime(0, timeEstPos);
    for (const auto& f : fields) {
        if (f.text == 4) SetFixTime(1, timeTruePos);  // the wanted time comes before the course
        if (MaskedField* m = MaskField(f.name, f.index)) m->Commit();
    }
}

}  // namespace orvex
