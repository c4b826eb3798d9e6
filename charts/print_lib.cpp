// The program's current printer and the test stand-in for the system's
// printers.
#include "charts/print_lib.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QPageLayout>
#include <QPrinterInfo>
#include <QTemporaryFile>
#include <cmath>
#include <filesystem>

#include "platform/atomic_file.h"
#include "platform/print_queue.h"

namespace orvex {

namespace {

PrinterScript* gScript = nullptr;

const char* kPdfFileName = "PDF file: ";

}  // namespace

// ---- Test script -----------------------------------------------------------

PrinterScript::PrinterScript() {
    ProgramPrinter::Instance().Reset();
    gScript = this;
}

PrinterScript::~PrinterScript() {
    ProgramPrinter::Instance().Reset();
    gScript = nullptr;
}

QStringList PrinterScript::ShownTexts(int job) const {
    QStringList shown;
    for (const PrintedText& t : texts)
        if (t.job == job && t.Shown()) shown << t.text;
    return shown;
}

PrinterScript* PrinterScript::Current() {
    return gScript;
}

// ---- The current printer ------------------------------------------------------

ProgramPrinter& ProgramPrinter::Instance() {
    static ProgramPrinter printer;
    return printer;
}

namespace {
// The printer device belongs to the application's printing system: it is
// let go while the application still exists.
void ReleasePrinterAtExit() {
    ProgramPrinter::Instance().AbortDoc();
    ProgramPrinter::Instance().SelectPrinter(-1);
}
}  // namespace

ProgramPrinter::ProgramPrinter() {
    if (QCoreApplication::instance()) qAddPostRoutine(ReleasePrinterAtExit);
    font_ = QFont("Arial", 10);
}

QStringList ProgramPrinter::SystemPrinters() const {
    return gScript ? gScript->printers : QPrinterInfo::availablePrinterNames();
}

QStringList ProgramPrinter::InstalledPrinters() const {
    QStringList names = SystemPrinters();
    if (!pdfFile_.isEmpty()) names << kPdfFileName + pdfFile_;
    return names;
}

QString ProgramPrinter::ShownName(const QString& deviceName) const {
    if (!pdfFile_.isEmpty() && deviceName == kPdfFileName + pdfFile_)
        return kPdfFileName + NextPdfFileName();
    return deviceName;
}

bool ProgramPrinter::PdfFileCurrent() const {
    return !pdfFile_.isEmpty() && DeviceName() == kPdfFileName + pdfFile_;
}

void ProgramPrinter::TakeSetup(const QString& name, const QPageSize* paper) {
    if (JobOpen() || name.isEmpty()) return;
    picked_ = name;
    paper_ = paper ? std::make_unique<QPageSize>(*paper) : nullptr;
    device_.reset();
}

void ProgramPrinter::TakePdfSetup(const QString& path, const QPageSize* paper) {
    if (JobOpen() || path.isEmpty()) return;
    pdfFile_ = path;
    picked_ = kPdfFileName + pdfFile_;
    paper_ = paper ? std::make_unique<QPageSize>(*paper) : nullptr;
    device_.reset();
}

QString ProgramPrinter::DefaultPrinter() const {
    if (!gScript) return QPrinterInfo::defaultPrinterName();
    return gScript->defaultPrinter.isEmpty() ? gScript->printers.value(0) : gScript->defaultPrinter;
}

QString ProgramPrinter::DeviceName() const {
    const QStringList names = InstalledPrinters();
    if (names.contains(picked_)) return picked_;
    const QString def = DefaultPrinter();
    return names.contains(def) ? def : names.value(0);
}

void ProgramPrinter::Reset() {
    AbortDoc();
    device_.reset();
    picked_.clear();
    pdfFile_.clear();
    pdfFilesWritten_.clear();
    lastPdfFile_.clear();
    paper_.reset();
}

void ProgramPrinter::SelectPrinter(int index) {
    if (JobOpen()) return;  // the printer of an open job stays until its end
    if (index == -1) {
        device_.reset();
        return;
    }
    const QStringList names = InstalledPrinters();
    if (index < 0 || index >= names.size()) return;
    picked_ = names.at(index);
}

void ProgramPrinter::Step(const QString& name) {
    if (!gScript) return;
    gScript->steps << name;
    if (gScript->fault) gScript->fault(name);
}

void ProgramPrinter::Check(const QString& call, bool ok) {
    if (gScript && gScript->refuse.contains(call)) ok = false;
    if (ok && device_ && !recorder_) {
        const QPrinter::PrinterState state = device_->printerState();
        ok = state != QPrinter::Error && state != QPrinter::Aborted;
    }
    if (!ok) throw PrinterError(482, "Printer error");
}

void ProgramPrinter::SetOrientation(int orientation) {
    Step("SetOrientation");
    if (orientation != kOrientationPortrait && orientation != kOrientationLandscape)
        throw PrinterError(380, "Invalid property value");
    orientation_ = orientation;
    if (device_ && !JobOpen()) Configure(*device_);
}

void ProgramPrinter::SetPrintQuality(int quality) {
    Step("SetPrintQuality");
    if (quality == 0 || quality < -4) throw PrinterError(380, "Invalid property value");
    quality_ = quality;
}

void ProgramPrinter::SetColorMode(int colour) {
    Step("SetColorMode");
    if (colour != kColorModeMonochrome && colour != kColorModeColour)
        throw PrinterError(380, "Invalid property value");
    colour_ = colour;
    if (device_ && !JobOpen()) Configure(*device_);
}

void ProgramPrinter::Configure(QPrinter& p) {
    p.setPageOrientation(orientation_ == kOrientationLandscape ? QPageLayout::Landscape
                                                               : QPageLayout::Portrait);
    p.setColorMode(colour_ == kColorModeColour ? QPrinter::Color : QPrinter::GrayScale);
}

QPrinter& ProgramPrinter::Device() {
    // A device made for another printer (a new pick, or a change of the
    // system's list) is made again for the current one.
    if (device_ && !JobOpen() && deviceName_ != DeviceName()) device_.reset();
    if (!device_) {
        deviceName_ = DeviceName();
        device_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
        if (gScript || PdfFileCurrent()) {
            // A PDF page with the unprintable border of a common printer.
            device_->setOutputFormat(QPrinter::PdfFormat);
            device_->setPageSize(QPageSize(QPageSize::A4));
            device_->setPageMargins(QMarginsF(18, 18, 18, 18), QPageLayout::Point);
        } else {
            device_->setPrinterName(deviceName_);
        }
        if (paper_) device_->setPageSize(*paper_);
        device_->setFullPage(false);
        Configure(*device_);
    }
    return *device_;
}

QPainter& ProgramPrinter::Painter() {
    if (painter_) return *painter_;
    Step("Open");
    if (PrinterCount() < 1) throw PrinterError(484, "Printer information unavailable");
    QPrinter& p = Device();
    Configure(p);
    QPaintDevice* target = &p;
    lastPdfFile_.clear();
    jobPath_.clear();
    toPdfFile_ = PdfFileCurrent();
    if (toPdfFile_) {
        jobPath_ = pdfFile_;
    } else if (gScript) {
        QDir().mkpath(gScript->folder);
        jobPath_ =
            QDir(gScript->folder).filePath(QString("job%1.pdf").arg(gScript->jobs.size() + 1));
    }
    if (gScript && gScript->recordPages) {
        recorder_ = std::make_unique<PageRecorder>(p);
        target = recorder_.get();
    } else if (!jobPath_.isEmpty()) {
        // The job is written beside its file and takes its name only when
        // it ends well (EndDoc).
        // Its name stays within the file system's limit of 255 bytes
        // even beside a file whose own name uses all of them.
        const QFileInfo job(jobPath_);
        QTemporaryFile temp(job.dir().filePath(QFile::decodeName(
            TemporaryNameBeside(QFile::encodeName(job.fileName()), "XXXXXX", 255))));
        temp.setAutoRemove(false);
        // The PDF file's folder, gone since Print Setup took it, is named.
        if (!temp.open() && !toPdfFile_) Check("Begin", false);
        if (!temp.isOpen()) {
            const QString folder = QDir::toNativeSeparators(job.absolutePath());
            if (!job.dir().exists())
                throw PrinterError(76, "Path not found: the folder " + folder + " does not exist");
            throw PrinterError(
                75, "Path/File access error: the folder " + folder + " cannot be written to");
        }
        // Readable by others as a file written directly would be.
        temp.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup |
                            QFile::ReadOther);
        tempPath_ = temp.fileName();
        p.setOutputFileName(tempPath_);
    }
    painter_ = std::make_unique<QPainter>();
    pages_ = 1;
    if (!painter_->begin(target)) {
        painter_.reset();
        recorder_.reset();
        pages_ = 0;
        DropTemporaryFile();
        Check("Begin", false);
    }
    try {
        Check("Begin", true);
    } catch (const PrinterError&) {
        AbortDoc();
        throw;
    }
    painter_->setFont(QFont(font_, &p));
    return *painter_;
}

void ProgramPrinter::NewPage() {
    Step("NewPage");
    if (!painter_) {
        Painter();
        return;
    }
    bool ok = true;
    if (recorder_)
        recorder_->NewPage();
    else
        ok = device_->newPage();
    Check("NewPage", ok);
    ++pages_;
}

void ProgramPrinter::EndDoc() {
    Step("EndDoc");
    if (!painter_) return;
    // Whether the print system took the job: asked of CUPS only for a job
    // that went to a system printer, and believed only when ending the job
    // changed CUPS's last status (it may hold an older call's failure).
    const bool toSystem = !recorder_ && device_->outputFormat() == QPrinter::NativeFormat;
    const PrintSystemStatus beforeEnd = toSystem ? LastPrintSystemStatus() : PrintSystemStatus();
    const bool ended = painter_->end();
    painter_.reset();
    QString refusal;
    if (toSystem) refusal = PrintJobRefusal(beforeEnd, LastPrintSystemStatus());
    if (gScript && gScript->refuse.contains("Spool")) refusal = "Not accepting jobs";
    try {
        Check("End", ended);
        if (!refusal.isEmpty()) throw PrinterError(482, refusal);
        if (!tempPath_.isEmpty()) {
            if (toPdfFile_) jobPath_ = NextPdfFileName();
            std::error_code failed;
            std::filesystem::rename(QFile::encodeName(tempPath_).toStdString(),
                                    QFile::encodeName(jobPath_).toStdString(), failed);
            if (failed) throw PrinterError(482, QString::fromLocal8Bit(failed.message().c_str()));
            tempPath_.clear();
            if (toPdfFile_) {
                pdfFilesWritten_ << jobPath_;
                lastPdfFile_ = jobPath_;
            }
        }
    } catch (const PrinterError&) {
        recorder_.reset();
        pages_ = 0;
        DropTemporaryFile();
        throw;
    }
    if (gScript) {
        gScript->jobs << jobPath_;
        gScript->jobPages.push_back(pages_);
        gScript->jobPrinters << deviceName_;
        if (recorder_)
            for (PrintedText t : recorder_->texts) {
                t.job = static_cast<int>(gScript->jobs.size());
                gScript->texts.push_back(t);
            }
    }
    recorder_.reset();
    pages_ = 0;
}

void ProgramPrinter::AbortDoc() {
    lastPdfFile_.clear();
    if (!painter_) return;
    if (!recorder_) device_->abort();
    painter_->end();
    painter_.reset();
    recorder_.reset();
    DropTemporaryFile();
    pages_ = 0;
}

void ProgramPrinter::DropTemporaryFile() {
    if (!tempPath_.isEmpty()) QFile::remove(tempPath_);
    tempPath_.clear();
}

QString ProgramPrinter::NextPdfFileName() const {
    if (!pdfFilesWritten_.contains(pdfFile_)) return pdfFile_;
    const QFileInfo chosen(pdfFile_);
    const QString suffix = chosen.suffix().isEmpty() ? QString() : "." + chosen.suffix();
    for (int n = 2;; ++n) {
        const QString name =
            chosen.dir().filePath(chosen.completeBaseName() + "-" + QString::number(n) + suffix);
        if (!pdfFilesWritten_.contains(name) && !QFileInfo::exists(name)) return name;
    }
}

int ProgramPrinter::Resolution() {
    return Device().resolution();
}

QRectF ProgramPrinter::PaperTwips() {
    const QRectF r = Device().pageLayout().fullRectPoints();
    return QRectF(0, 0, r.width() * 20.0, r.height() * 20.0);
}

QRectF ProgramPrinter::PrintableTwips() {
    const QRect r = Device().pageLayout().paintRectPoints();
    return QRectF(r.left() * 20.0, r.top() * 20.0, r.width() * 20.0, r.height() * 20.0);
}

double ProgramPrinter::TwipsPerPixel() {
    return 1440.0 / Resolution();
}

}  // namespace orvex
