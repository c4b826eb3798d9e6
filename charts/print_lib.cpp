#include "charts/print_lib.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFontMetricsF>
#include <QHeaderView>
#include <QPageLayout>
#include <QPrinterInfo>
#include <QScreen>
#include <QTableWidget>
#include <QTemporaryFile>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <QTextLayout>
#include <cmath>
#include <filesystem>

#include "charts/core/chart_data.h"
#include "platform/atomic_file.h"
#include "platform/message_box.h"
#include "platform/print_queue.h"
#include "program_version.h"

namespace orvex {

namespace {

PrinterScript* gScript = nullptr;
bool gWaitCursor = false;

const char* kNoPrinterTitle = "NO PRINTER";
const char* kNoPrinterText =
    "Sorry, no printer connected to your system.\r\n"
    "To print into a PDF file, choose it in File, Print Setup.";
const char* kPdfFileName = "PDF file: ";

// Round to the nearest whole number, halves to even.
double RoundEven(double v) {
    return std::nearbyint(v);
}
// Integer division of two rounded values, fraction dropped.
double IntDiv(double a, double b) {
    const double rb = RoundEven(b);
    if (rb == 0.0) throw PrinterError(11, "Division by zero");
    return std::trunc(RoundEven(a) / rb);
}

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

// ---- Commands' error handling ---------------------------------------------------

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

// ---- Rich text ----------------------------------------------------------------------

QRectF RichTextDrawingRect(int leftMargin, int topMargin, int rightMargin, int bottomMargin) {
    ProgramPrinter& printer = ProgramPrinter::Instance();
    // Offsets of the printable area from the paper's edges, whole twips.
    const QRectF paper = printer.PaperTwips();
    const QRectF printable = printer.PrintableTwips();
    const double offLeft = std::round(printable.left() - paper.left());
    const double offTop = std::round(printable.top() - paper.top());
    return QRectF(
        QPointF(leftMargin - offLeft, topMargin - offTop),
        QPointF((paper.width() - rightMargin) - offLeft, (paper.height() - bottomMargin) - offTop));
}

namespace {

// A heading: a paragraph with text, all of it bold.
bool IsHeading(const QTextBlock& block) {
    if (block.text().trimmed().isEmpty()) return false;
    for (auto it = block.begin(); !it.atEnd(); ++it) {
        const QTextFragment f = it.fragment();
        if (!f.text().trimmed().isEmpty() && f.charFormat().fontWeight() < QFont::Bold)
            return false;
    }
    return true;
}

// The page (0-based) of a paragraph's first line in a paged document.
int PageOfBlock(const QTextBlock& block, double pageHeight) {
    const QTextLayout* layout = block.layout();
    double y = layout->position().y();
    if (layout->lineCount() > 0) y += layout->lineAt(0).y();
    return static_cast<int>(std::floor(y / pageHeight));
}

// A heading that would end a page, its text starting on the next one,
// starts that page instead: a heading is never left alone at the foot of
// a page.
void KeepHeadingsWithTheirText(QTextDocument& doc) {
    const double pageHeight = doc.pageSize().height();
    if (!(pageHeight > 0)) return;
    bool moved = true;
    for (int pass = 0; moved && pass < 1000; ++pass) {
        moved = false;
        doc.documentLayout()->documentSize();  // lays the document out
        for (QTextBlock b = doc.begin(); b.isValid() && !moved; b = b.next()) {
            if (!IsHeading(b) ||
                b.blockFormat().pageBreakPolicy() & QTextFormat::PageBreak_AlwaysBefore)
                continue;
            QTextBlock text = b.next();
            while (text.isValid() && text.text().trimmed().isEmpty()) text = text.next();
            if (!text.isValid() || PageOfBlock(text, pageHeight) <= PageOfBlock(b, pageHeight))
                continue;
            QTextBlockFormat f;
            f.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
            QTextCursor(b).mergeBlockFormat(f);
            moved = true;
        }
    }
}

}  // namespace

void PrintRichText(QTextEdit& box, int leftMargin, int topMargin, int rightMargin,
                   int bottomMargin) {
    ProgramPrinter& printer = ProgramPrinter::Instance();
    if (!CheckPrinterInstalled()) return;
    printer.Step("PrintRichText");
    // A whole document: a job left open by an earlier failed attempt is
    // dropped so that a retry does not print its pages twice.
    printer.AbortDoc();
    QPainter& painter = printer.Painter();
    QPrinter& device = printer.Device();

    const QRectF drawTwips = RichTextDrawingRect(leftMargin, topMargin, rightMargin, bottomMargin);
    if (drawTwips.width() <= 0 || drawTwips.height() <= 0)
        throw PrinterError(483, "The margins leave no room on the page");

    const double pxPerTwip = printer.Resolution() / 1440.0;
    const QRectF drawPx(drawTwips.left() * pxPerTwip, drawTwips.top() * pxPerTwip,
                        drawTwips.width() * pxPerTwip, drawTwips.height() * pxPerTwip);

    std::unique_ptr<QTextDocument> doc(box.document()->clone());
    doc->documentLayout()->setPaintDevice(&device);
    doc->setDocumentMargin(0);
    doc->setPageSize(drawPx.size());
    KeepHeadingsWithTheirText(*doc);
    const int pages = std::max(1, doc->pageCount());
    for (int page = 0; page < pages; ++page) {
        if (page > 0) printer.NewPage();
        painter.save();
        painter.translate(drawPx.topLeft());
        painter.setClipRect(QRectF(0, 0, drawPx.width(), drawPx.height()));
        painter.translate(0, -page * drawPx.height());
        doc->drawContents(&painter,
                          QRectF(0, page * drawPx.height(), drawPx.width(), drawPx.height()));
        painter.restore();
    }
    printer.EndDoc();
}

// ---- Grid tables -----------------------------------------------------------------------

TableWidgetGrid::TableWidgetGrid(QTableWidget& table, bool headerAsFixedRow, int fixedRows)
    : table_(table), header_(headerAsFixedRow), fixedRows_(fixedRows) {}

int TableWidgetGrid::Rows() const {
    return table_.rowCount() + (header_ ? 1 : 0);
}
int TableWidgetGrid::Cols() const {
    return table_.columnCount();
}
int TableWidgetGrid::FixedRows() const {
    return header_ ? 1 : fixedRows_;
}

namespace {
double ScreenTwipsPerPixel() {
    const QScreen* screen = QApplication::primaryScreen();
    const double dpi = screen ? screen->logicalDotsPerInchX() : 96.0;
    return 1440.0 / (dpi > 0 ? dpi : 96.0);
}
double ScreenTwipsPerPixelY() {
    const QScreen* screen = QApplication::primaryScreen();
    const double dpi = screen ? screen->logicalDotsPerInchY() : 96.0;
    return 1440.0 / (dpi > 0 ? dpi : 96.0);
}
}  // namespace

double TableWidgetGrid::ColWidth(int col) const {
    return table_.columnWidth(col) * ScreenTwipsPerPixel();
}
double TableWidgetGrid::RowHeight(int row) const {
    if (header_) {
        if (row == 0) {
            const int h = table_.horizontalHeader()->height();
            return (h > 0 ? h : table_.horizontalHeader()->sizeHint().height()) *
                   ScreenTwipsPerPixelY();
        }
        return table_.rowHeight(row - 1) * ScreenTwipsPerPixelY();
    }
    return table_.rowHeight(row) * ScreenTwipsPerPixelY();
}
QString TableWidgetGrid::Text(int row, int col) const {
    if (header_) {
        if (row == 0) {
            const QTableWidgetItem* h = table_.horizontalHeaderItem(col);
            return h ? h->text() : QString();
        }
        --row;
    }
    const QTableWidgetItem* item = table_.item(row, col);
    return item ? item->text() : QString();
}
QFont TableWidgetGrid::Font() const {
    return table_.font();
}
void TableWidgetGrid::SetRedraw(bool on) {
    table_.setUpdatesEnabled(on);
}

namespace {

// The layout of one grid print (twips unless said otherwise).
struct GridLayout {
    PrintableGrid* grid = nullptr;
    int lastRow = 0, lastCol = 0, fixedRows = 0, fixedCols = 0;
    double left = 0, right = 0, top = 0, bottom = 0;
    double tppX = 1, tppY = 1;      // printer twips per pixel
    double scaleX = 1, scaleY = 1;  // screen to paper
    double lineHeight = 0;
    double x = 0, y = 0, colWidth = 0, rowHeight = 0;
    QString text;
    int row = 0, col = 0;
    std::vector<double> colWidths;  // printed widths, from SizeGridColumns
};

// A cell's text as printed: its indent, the grid's text trimmed, and the
// heading row's additions.
QString PrintedCellText(const PrintableGrid& grid, int row, int col) {
    const QString indent = (row == 0 || col == 0) ? "    " : "  ";
    QString text = indent + grid.Text(row, col).trimmed();
    if (row == 0) {
        if (col == 1) text += " (Orvex)";
        if (col == 2) text += "          (" + ProgramNameVersion().right(3) + ")";
    }
    return text;
}

// Each column as wide as its screen width scaled to paper, and at least as
// wide as the widest of its printed texts in the print font as the printer
// measures it, between the cells' 30-twip insets and with two printer
// pixels to spare: a cell's text is never wrapped or cut. A table that is
// then wider than the printed area gets a smaller print font, half a point
// at a time, until it fits (or the font reaches 4 points).
void SizeGridColumns(GridLayout& g) {
    QPainter& painter = ProgramPrinter::Instance().Painter();
    const int cols = g.grid->Cols();
    for (;;) {
        const QFontMetricsF fm(painter.font(), painter.device());
        g.colWidths.assign(static_cast<size_t>(std::max(cols, 0)), 0.0);
        double total = 0;
        for (int c = 0; c < cols; ++c) {
            double width = (IntDiv(g.grid->ColWidth(c) * g.scaleX, g.tppX) + 1) * g.tppX;
            double widest = 0;
            for (int r = 0; r < g.grid->Rows(); ++r)
                widest = std::max(widest, fm.horizontalAdvance(PrintedCellText(*g.grid, r, c)));
            const double need = std::ceil(widest + 2.0) * g.tppX + 60.0;
            width = std::max(width, std::ceil(need / g.tppX) * g.tppX);
            g.colWidths[static_cast<size_t>(c)] = width;
            total += width;
        }
        QFont font = painter.font();
        if (total <= g.right - g.left || font.pointSizeF() <= 4.0) break;
        font.setPointSizeF(std::max(4.0, font.pointSizeF() - 0.5));
        painter.setFont(font);
        g.lineHeight = QFontMetricsF(font, painter.device()).height() * g.tppY;
    }
}

void MeasureGridForPrint(GridLayout& g, double hFactor, double vFactor,
                         const GridPrintSettings& s) {
    ProgramPrinter& printer = ProgramPrinter::Instance();
    QPainter& painter = printer.Painter();
    QPrinter& device = printer.Device();
    g.tppX = printer.TwipsPerPixel();
    g.tppY = 1440.0 / device.logicalDpiY();
    const QRectF paper = printer.PaperTwips();
    const QRectF printable = printer.PrintableTwips();
    const double halfW = (paper.width() - printable.width()) / 2.0;
    g.left = s.PrnUnit - halfW;
    g.right = printable.width() - (s.PrnUnit - halfW);
    const double halfH = (paper.height() - printable.height()) / 2.0;
    g.top = s.PrnUnit - halfH;
    g.bottom = printable.height() - (s.PrnUnit - halfH);

    QFont font(s.PrnFontName);
    font.setPointSize(s.PrnFontSize);
    font.setBold(s.PrnFontBold);
    font.setItalic(s.PrnFontItalic);
    painter.setFont(QFont(font, &device));

    const QString sample = "GgIiWw ";
    const QFontMetricsF screen(g.grid->Font());
    const QFontMetricsF paperFm(painter.font(), &device);
    const double sw = screen.horizontalAdvance(sample) * ScreenTwipsPerPixel();
    const double sh = screen.height() * ScreenTwipsPerPixelY();
    if (sw <= 0 || sh <= 0) throw PrinterError(11, "Division by zero");
    g.scaleX = g.tppX * paperFm.horizontalAdvance(sample) / sw * hFactor;
    g.scaleY = g.tppY * paperFm.height() / sh * vFactor;
    g.lineHeight = paperFm.height() * g.tppY;
}

void SetRowHeight(GridLayout& g, int row) {
    g.rowHeight = (IntDiv(g.grid->RowHeight(row) * g.scaleY, g.tppY) + 1) * g.tppY;
    if (row == 0) g.rowHeight *= 0.8;
    // A row lower than one line of text would print its box empty (the
    // heading row at 80 % of a screen header often is): a row holds at
    // least one line between its 30-twip inset and 15 twips of space.
    g.rowHeight = std::max(g.rowHeight, g.lineHeight + 45);
}

void PrintGridCell(GridLayout& g) {
    QPainter& painter = ProgramPrinter::Instance().Painter();
    const double left = RoundEven((g.x + 30) / g.tppX);
    const double top = RoundEven((g.y + 30) / g.tppY);
    const double right = RoundEven((g.x + g.colWidth - 30) / g.tppX);
    const double n = IntDiv(g.rowHeight, g.lineHeight);
    const double bottom = RoundEven((n * g.lineHeight + g.y + 15) / g.tppY);
    const QRectF textRect(QPointF(left, top), QPointF(right, bottom));
    painter.save();
    painter.setPen(Qt::black);
    if (textRect.width() > 0 && textRect.height() > 0) {
        painter.setClipRect(textRect);
        painter.drawText(textRect, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, g.text);
        painter.setClipping(false);
    }
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(Qt::black, 0));
    painter.drawRect(QRectF(g.x / g.tppX, g.y / g.tppY, g.colWidth / g.tppX, g.rowHeight / g.tppY));
    painter.restore();
    if (gScript)
        gScript->gridCells.push_back({ProgramPrinter::Instance().PageCount(), g.row, g.col,
                                      QRectF(g.x, g.y, g.colWidth, g.rowHeight), g.text});
}

bool PrintGridRow(GridLayout& g, int row) {
    g.x = g.left;
    g.row = row;
    SetRowHeight(g, row);
    for (int c = 0; c <= g.lastCol; ++c) {
        g.col = c;
        g.colWidth = g.colWidths.at(static_cast<size_t>(c));
        g.text = PrintedCellText(*g.grid, row, c);
        PrintGridCell(g);
        g.x += g.colWidth;
        if (g.x >= g.right) break;
    }
    g.y += g.rowHeight;
    if (row < g.lastRow) {
        SetRowHeight(g, row + 1);
        return g.y + g.rowHeight >= g.bottom;
    }
    return false;
}

}  // namespace

void PrintGrid(PrintableGrid& grid, double horizontalFactor, double verticalFactor,
               const GridPrintSettings& settings) {
    ProgramPrinter& printer = ProgramPrinter::Instance();
    if (!CheckPrinterInstalled()) return;
    printer.Step("PrintGrid");
    printer.AbortDoc();  // a whole document: a retry starts afresh

    GridLayout g;
    g.grid = &grid;
    MeasureGridForPrint(g, horizontalFactor, verticalFactor, settings);
    SizeGridColumns(g);
    grid.SetRedraw(false);
    struct RedrawOn {
        PrintableGrid& grid;
        ~RedrawOn() { grid.SetRedraw(true); }
    } redrawOn{grid};

    g.lastRow = grid.Rows() - 1;
    g.lastCol = grid.Cols() - 1;
    g.fixedRows = grid.FixedRows();
    g.fixedCols = grid.FixedCols();
    bool newPage = true;
    for (int r = g.fixedRows; r <= g.lastRow; ++r) {
        if (newPage) {
            QPainter& painter = printer.Painter();
            painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
            painter.setPen(QPen(Qt::black, 0, Qt::SolidLine));
            painter.setBrush(Qt::NoBrush);
            g.y = g.top;
            for (int f = 0; f < g.fixedRows; ++f) PrintGridRow(g, f);
        }
        newPage = PrintGridRow(g, r);
        if (newPage) printer.NewPage();
    }
    printer.EndDoc();
}

}  // namespace orvex
