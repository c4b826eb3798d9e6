// Printing: the program's current printer, the print commands' error
// handling, rich-text pages and ruled grid tables.
//
// The program has one current printer for the whole process (ProgramPrinter),
// picked in the printer choice (frmSelectPrint) and used by every print: the
// reports, the chart and the ETA table. A print job opens at the first
// drawing on the printer (Painter()), runs page after page (NewPage()) and
// goes to the printer at EndDoc().
//
// Errors of the printer are thrown as PrinterError with the numbers the
// print commands map to their messages:
//   380  invalid setting value (a setting the driver refuses; skipped)
//   482  printer error (the job could not be opened or a page not started)
//   483  the driver does not support a setting
//   484  printer information unavailable
//   75, 76  the PDF file's folder takes no new file, or is gone (named in
//           the description)
// RunPrintSteps() runs a command's steps under that error handling.
//
// Lengths are in twips (1440 per inch) unless said otherwise.
//
// Tests install a PrinterScript: the printers it names are the installed
// printers, every job is written as a PDF file into its folder (or, when
// it records pages, the texts drawn on them are kept), and its fault hook
// can throw a PrinterError at any named step.
#pragma once

#include <QPainter>
#include <QPrinter>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <stdexcept>
#include <vector>

#include "charts/page_recorder.h"

class QTableWidget;
class QTextEdit;

namespace orvex {

// An error of the printing layer: its number (see above) and description.
class PrinterError : public std::runtime_error {
  public:
    PrinterError(int number, const QString& description)
        : std::runtime_error(description.toStdString()),
          number_(number),
          description_(description) {}
    int Number() const { return number_; }
    const QString& Description() const { return description_; }

  private:
    int number_;
    QString description_;
};

// Printer settings in the numbering the print commands use.
constexpr int kOrientationPortrait = 1;
constexpr int kOrientationLandscape = 2;
constexpr int kPrintQualityHigh = -4;  // -1 draft ... -4 high
constexpr int kColorModeMonochrome = 1;
constexpr int kColorModeColour = 2;

// The test stand-in for the system's printers. Constructing one installs
// it; the destructor restores the system's printers. One at a time.
class PrinterScript {
  public:
    PrinterScript();
    ~PrinterScript();
    PrinterScript(const PrinterScript&) = delete;
    PrinterScript& operator=(const PrinterScript&) = delete;

    // The installed printers' device names, in the system's order.
    QStringList printers;
    // The system's default printer; empty: the first of `printers`.
    QString defaultPrinter;
    // Folder the jobs are written to as "job1.pdf", "job2.pdf", ...
    QString folder;
    // Called at every named step of the printing layer and the print
    // commands ("Open", "NewPage", "EndDoc", "SetOrientation",
    // "SetPrintQuality", "SetColorMode", "PrintRichText", "PrintGrid",
    // "PrepareGraphData", ...); may throw a PrinterError.
    std::function<void(const QString& step)> fault;

    // Every step reached, in order.
    QStringList steps;
    // Paths of the finished jobs (EndDoc), in order, and the pages each had.
    QStringList jobs;
    std::vector<int> jobPages;
    // The printer each finished job went to.
    QStringList jobPrinters;
    // Calls on the printer that report failure here as Qt or the print
    // system would: "Begin" (the job cannot start), "NewPage", "End" (the
    // job cannot be finished) and "Spool" (the print system refuses the
    // finished job).
    QStringList refuse;

    // Every grid cell printed by PrintGrid, in order: the page of its job
    // (1-based), its grid row and column, its box in twips from the
    // printable area's top-left corner, and its text.
    struct GridCell {
        int page;
        int row;
        int col;
        QRectF box;
        QString text;
    };
    std::vector<GridCell> gridCells;

    // When set, jobs are drawn on a recorder instead of a PDF file (no file
    // is written), and every text that lands on a page is kept in `texts`.
    bool recordPages = false;
    std::vector<PrintedText> texts;
    // The texts of one job (1-based) that a reader sees on its pages.
    QStringList ShownTexts(int job) const;

    static PrinterScript* Current();
};

// The program's current printer.
class ProgramPrinter {
  public:
    static ProgramPrinter& Instance();

    // Device names of the installed printers, in the system's order, then
    // the PDF file chosen in Print Setup (if one was) as "PDF file: " and
    // its path: for this run it is a printer like the others.
    QStringList InstalledPrinters() const;
    int PrinterCount() const { return static_cast<int>(InstalledPrinters().size()); }
    // The system's default printer (empty when it has none).
    QString DefaultPrinter() const;
    // The current printer's device name (empty when none is installed):
    // the one last picked, kept by name while the system's list changes;
    // when it is no longer installed (or none was picked), the system's
    // default printer, else the first one.
    QString DeviceName() const;
    // Makes the installed printer at `index` (0-based, the order of
    // InstalledPrinters) current; an index out of range, or any index
    // while a job is open, changes nothing; -1 lets the device go (it is
    // made again at the next use).
    void SelectPrinter(int index);

    // Print Setup (PrintSetupDialog) shows the system's printers, the PDF
    // file chosen (empty: none yet), whether that file is the current
    // printer, and the paper chosen there (none: each printer's own).
    QStringList SystemPrinters() const;
    QString PdfFile() const { return pdfFile_; }
    bool PdfFileCurrent() const;
    const QPageSize* Paper() const { return paper_.get(); }
    // The system printer `name`, or the PDF file `path` (absolute), chosen
    // in Print Setup becomes the current printer for the following prints,
    // with `paper` (nullptr: the printer's own). The first print of the run
    // into a PDF file takes its name, each later one the next free
    // "<name>-2.pdf", "<name>-3.pdf", ...; a job is written beside its
    // file and takes its name only when it ends well, so a failed job
    // leaves every earlier file as it was. Nothing changes while a job is
    // open.
    void TakeSetup(const QString& name, const QPageSize* paper);
    void TakePdfSetup(const QString& path, const QPageSize* paper);
    // The file the next print into the PDF file goes to.
    QString NextPdfFileName() const;
    // A device name of InstalledPrinters as the printer choice shows it:
    // the PDF file's entry with the file the next print goes to.
    QString ShownName(const QString& deviceName) const;
    // The PDF file the last job that ended well was written to, if it went
    // into the PDF file; forgotten when a print command starts
    // (RunPrintSteps) and when a job opens or is dropped.
    QString LastPdfFile() const { return lastPdfFile_; }
    void ForgetLastPdfFile() { lastPdfFile_.clear(); }

    // Job settings, kept across jobs until changed:
    //   orientation  kOrientationPortrait or kOrientationLandscape
    //   quality      negative: -1 draft .. -4 high; positive: dots per inch
    //   colour       kColorModeMonochrome or kColorModeColour
    // An unknown value throws PrinterError 380.
    int Orientation() const { return orientation_; }
    void SetOrientation(int orientation);
    int PrintQuality() const { return quality_; }
    void SetPrintQuality(int quality);
    int ColorMode() const { return colour_; }
    void SetColorMode(int colour);

    // The print font (points); kept for the job.
    QFont& Font() { return font_; }

    // The job: the painter of the current page. The first call opens the
    // job (PrinterError 482 when it cannot be opened).
    QPainter& Painter();
    QPrinter& Device();
    bool JobOpen() const { return painter_ != nullptr; }
    // Starts a new page (PrinterError 482 when it cannot).
    void NewPage();
    // Sends the job to the printer; without an open job nothing happens.
    // A job the printer or the print system does not take is dropped and
    // PrinterError 482 thrown.
    void EndDoc();
    // Drops an open job without printing it (after a cancelled error).
    void AbortDoc();
    // Pages of the open job so far.
    int PageCount() const { return pages_; }

    // Printer resolution (dots per inch) and page geometry of the current
    // settings, in twips: the whole paper and the printable area, whose
    // top-left corner is the painter's origin.
    int Resolution();
    QRectF PaperTwips();
    QRectF PrintableTwips();
    // Twips per printer pixel.
    double TwipsPerPixel();

    // A named step of a print, for the test script's fault hook.
    void Step(const QString& name);
    // Qt's answer to a call on the printer (see PrinterScript::refuse): a
    // call that failed, or a printer left in error or aborted by it, throws
    // PrinterError 482.
    void Check(const QString& call, bool ok);

  private:
    friend class PrinterScript;
    ProgramPrinter();
    void Configure(QPrinter& p);
    // Forgets the device (a new script or the system's printers).
    void Reset();

    // Removes the open job's unfinished file.
    void DropTemporaryFile();

    QString picked_;                    // device name of the printer last picked
    QString pdfFile_;                   // the PDF file chosen in Print Setup
    std::unique_ptr<QPageSize> paper_;  // the paper chosen in Print Setup
    QString deviceName_;                // the printer device_ was made for
    int orientation_ = kOrientationPortrait;
    int quality_ = kPrintQualityHigh;
    int colour_ = kColorModeColour;
    QFont font_;
    std::unique_ptr<QPrinter> device_;
    std::unique_ptr<QPainter> painter_;
    std::unique_ptr<PageRecorder> recorder_;
    int pages_ = 0;
    QString jobPath_;              // the file the job is written to
    QString tempPath_;             // its unfinished file beside it
    bool toPdfFile_ = false;       // the job goes to the PDF file
    QStringList pdfFilesWritten_;  // the PDF files printed this run
    QString lastPdfFile_;          // the PDF file of the last job, if it went to one
};

// The error handling of a print command. Runs the steps in order; a
// PrinterError (or any std::exception, as error 0 with its text) in a step
// shows:
//   482, 484  "PRINTER NOT READY" / "Please check your printer and retry."
//   483       "PRINTER DRIVER PROBLEM" / "Due to your printer driver,"
//             CR LF + driverLine
//   380       nothing: the run goes on with the next step
//   other     " ERROR REPORT" / "Unexpected error when printing." CR LF
//             "Error " number ": " description
// each with the exclamation icon and Retry / Cancel. Retry runs the failed
// step again; any other answer drops the open job and ends the run.
//   driverLine  "the results may not be properly printed." for the reports,
//               "the chart may not be properly printed." for the chart
// Returns true when every step ran (or was skipped by a 380).
bool RunPrintSteps(const std::vector<std::function<void()>>& steps, const QString& driverLine);

// A report print under RunPrintSteps: keeps the printer's orientation,
// quality and colour mode, prints in portrait, high quality, colour and the
// Arial print font, runs `body`, then gives the three settings back. Each
// setting is a step of its own, so a refused one (380) is skipped alone.
bool RunPortraitPrintSteps(const std::vector<std::function<void()>>& body,
                           const QString& driverLine);

// After a print command that ended well: when its job went into the PDF
// file chosen in Print Setup, an information box " Print to file" says
// which file: `what` (e.g. "The chart") + " was printed into the file"
// CR LF + path. Nothing for a print on a printer.
void TellWherePdfWent(const QString& what);

// The "NO PRINTER" box ("Sorry, no printer connected to your system.",
// and that a PDF file can be chosen in Print Setup; critical icon) when no
// printer is installed. Returns true when there is
// at least one printer.
bool CheckPrinterInstalled();

// The wait cursor over the whole program while a print is prepared.
void SetWaitCursor(bool on);

// Prints the whole content of a rich-text box on the current printer, page
// after page, inside four margins measured from the edges of the paper
// (twips): left, top, right, bottom. The report is printed as the box
// holds it; a heading (a paragraph all in bold) that would end a page goes
// to the next one with its text. An empty box prints one blank page. Without a printer only the
// "NO PRINTER" box is shown. Printer errors are thrown to the caller
// (RunPrintSteps). The job is ended (EndDoc) before it returns.
void PrintRichText(QTextEdit& box, int leftMargin, int topMargin, int rightMargin,
                   int bottomMargin);

// The rectangle the rich text is laid into on the current printer, in
// twips from the printable area's top-left corner: the margins measured
// from the paper's edges, less the printable area's offsets.
QRectF RichTextDrawingRect(int leftMargin, int topMargin, int rightMargin, int bottomMargin);

// A grid as the table printer sees it (the flex grid's properties).
class PrintableGrid {
  public:
    virtual ~PrintableGrid() = default;
    virtual int Rows() const = 0;
    virtual int Cols() const = 0;
    virtual int FixedRows() const = 0;
    virtual int FixedCols() const = 0;
    // Screen sizes in twips.
    virtual double ColWidth(int col) const = 0;
    virtual double RowHeight(int row) const = 0;
    virtual QString Text(int row, int col) const = 0;
    // The screen font of the cells.
    virtual QFont Font() const = 0;
    // Turns the grid's redrawing off (false) and on (true) during a print.
    virtual void SetRedraw(bool on) { (void)on; }
};

// A QTableWidget seen as a flex grid. With headerAsFixedRow the visible
// horizontal header is row 0 (one fixed row) and the table's rows follow;
// otherwise the table's own rows are the grid's rows, and `fixedRows` of
// them repeat at the top of every page.
class TableWidgetGrid : public PrintableGrid {
  public:
    explicit TableWidgetGrid(QTableWidget& table, bool headerAsFixedRow = true, int fixedRows = 0);
    int Rows() const override;
    int Cols() const override;
    int FixedRows() const override;
    int FixedCols() const override { return 0; }
    double ColWidth(int col) const override;
    double RowHeight(int row) const override;
    QString Text(int row, int col) const override;
    QFont Font() const override;
    void SetRedraw(bool on) override;

  private:
    QTableWidget& table_;
    bool header_;
    int fixedRows_;
};

// Print settings of the grid print (the caller sets them before each call).
struct GridPrintSettings {
    double PrnUnit = 1440;  // margin from each paper edge, twips
    QString PrnFontName = "Arial";
    int PrnFontSize = 12;  // points
    bool PrnFontBold = false;
    bool PrnFontItalic = false;
};

// Prints a grid as a ruled table on the current printer: each cell a box
// with its text word-wrapped inside (four blanks of indent in row 0 and
// column 0, two elsewhere), the fixed rows repeated at the top of every
// page, columns and rows in their screen proportions scaled to the print
// font and multiplied by the two factors (the ETA table uses 0.77 and
// 0.7). Row 0 is printed at 80 % of its height, and its column 1 carries
// " (Orvex)" and column 2 "          (1.2)". A column is widened where one
// of its texts, measured in the print font on the printer, would not fit
// on one line, so that every cell prints whole whatever its width on the
// screen; a table then wider than the printed area is printed in a
// smaller font (down to 4 points). Columns from the one that reaches the
// right margin on are cut off. Without a printer only the
// "NO PRINTER" box is shown. Printer errors are thrown to the caller.
// The job is ended (EndDoc) before it returns.
void PrintGrid(PrintableGrid& grid, double horizontalFactor, double verticalFactor,
               const GridPrintSettings& settings = GridPrintSettings());

// The program's name and version as printed on the chart and the tables.
QString ProgramNameVersion();  // "Orvex 1.2"

}  // namespace orvex
