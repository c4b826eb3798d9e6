// The observation file in the window: the offered names, damaged files
// refused with nothing lost, the save and load commands, and a real fix
// from the sample files shipped beside the program. (The text form itself
// is tested without Qt, in tests/workbench_core.)
#include "workbench/core/observation_file.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <pthread.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <cerrno>
#include <cmath>
#include <csignal>
#include <cstring>
#include <fstream>
#include <random>
#include <sstream>

#include "ephemeris/ephemeris.h"
#include "grid_test_support.h"
#include "navlib/inout_lib.h"
#include "platform/atomic_file.h"
#include "tests/file_access.h"
#include "tests/keyboard.h"
#include "tests/locale_switch.h"
#include "tools/observations/sample_sights.h"
#include "workbench/observation_texts.h"

namespace orvex {
namespace {

std::string ReadBytes(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return {};
    return f.readAll().toStdString();
}

QString SampleDir() {
    return QString(ORVEX_SOURCE_DIR) + "/data/files/Observations";
}

// Guards the offered name: the wanted date, then A, B, ... and Z at most.
TEST(ObservationFileText, DefaultNames) {
    QTemporaryDir dir;
    const double when = MakeDateTime(2026, 12, 8, 19, 40, 0);
    const QString stem = "08" + QLocale().monthName(12, QLocale::ShortFormat).remove('.') + "26";
    EXPECT_EQ(DefaultObservationFileName(dir.path(), when), stem + "A");
    QFile(dir.filePath(stem + "A.obs")).open(QIODevice::WriteOnly);
    EXPECT_EQ(DefaultObservationFileName(dir.path(), when), stem + "B");
    for (char c = 'B'; c <= 'Z'; ++c)
        QFile(dir.filePath(stem + QChar(c) + ".obs")).open(QIODevice::WriteOnly);
    EXPECT_EQ(DefaultObservationFileName(dir.path(), when), stem + "Z");
}

// ---- The commands in the window ---------------------------------------------------

struct ObsFile : ::testing::Test, test::GridWindow {
    QTemporaryDir temp;
    ObsFile() {
        // The Saturn series beside the program, for the planets' sights.
        QFile::copy(QString(ORVEX_PROGRAM_DIR) + "/Planet.dat", folder.Path() + "/Planet.dat");
        folder.Write("Observations/.keep", "");
    }
    QString Sample(const char* name) const { return SampleDir() + "/" + name; }
    // The save command as the menu offers it once the observations tab was
    // entered with the form complete (or a file loaded).
    void OfferSave() { w->Action("mnuAstroSave")->setEnabled(true); }
    bool Load(const QString& path) {
        script.fileNames = {path};
        w->Action("mnuAstroLoad")->trigger();
        return script.fileNames.empty();
    }
    QString Write(const char* name, const std::string& bytes) {
        const QString p = temp.filePath(name);
        QFile f(p);
        f.open(QIODevice::WriteOnly);
        f.write(bytes.data(), static_cast<qint64>(bytes.size()));
        return p;
    }
};

// Great-circle distance in minutes of arc (nautical miles to within half a
// percent, plenty for a one-mile test), by the haversine.
double MilesBetween(double lat1, double lon1, double lat2, double lon2) {
    const double r = std::acos(-1.0) / 180.0;
    const double a =
        std::pow(std::sin((lat2 - lat1) * r / 2), 2) +
        std::cos(lat1 * r) * std::cos(lat2 * r) * std::pow(std::sin((lon2 - lon1) * r / 2), 2);
    return 2 * std::asin(std::sqrt(a)) / r * 60.0;
}

// Guards the whole road of a fix: a sample file loaded, the inputs and the
// grid filled and flagged, the solver run; the fix falls within a tenth of a mile of
// the truth the file was made from (and well away from the estimated
// position).
TEST_F(ObsFile, SampleFilesGiveTheirTruth) {
    for (const samples::SampleScenario& sc : samples::SampleScenarios()) {
        SCOPED_TRACE(sc.FileName);
        script.Clear();
        ASSERT_TRUE(Load(Sample(sc.FileName)));
        EXPECT_TRUE(script.messages.empty()) << script.LastText().toStdString();
        for (int i = 1; i <= 8; ++i) EXPECT_TRUE(w->State().FixEntered[i]) << i;
        EXPECT_EQ(test::InputNamed<ObservationGrid>(*w, "grdObs")->TextMatrix(1, 1).toStdString(),
                  sc.Sights[0].Body);
        ASSERT_TRUE(test::RunFix(*w));
        const FixResult& f = w->State().Fix;
        EXPECT_EQ(w->State().Obs.ObsCount, static_cast<int>(sc.Sights.size()));
        const double miss = MilesBetween(f.MppLat, f.MppLong, sc.TruthLat, sc.TruthLong);
        EXPECT_LT(miss, 0.1) << f.MppLat << " " << f.MppLong;  // found within 0.03 nm
        double runLat = 0, runLong = 0;
        samples::TruePosition(sc, sc.TimeTruePos, runLat, runLong);
        EXPECT_GT(MilesBetween(w->State().Obs.ObsLat(0), w->State().Obs.ObsLong(0), sc.TruthLat,
                               sc.TruthLong),
                  5.0);
        EXPECT_TRUE(script.messages.empty()) << script.LastText().toStdString();
        w->FillStatusPanels();
        EXPECT_EQ(w->Status()->Panel("MPP")->text().toStdString(),
                  FormatLatitude(f.MppLat, test::ShownSep()) + " " +
                      FormatLongitude(f.MppLong, test::ShownSep()));
        for (const char* n : {"mnuAstroSave", "mnuAstroNum", "mnuAstroGraph"})
            EXPECT_TRUE(w->Action(n)->isEnabled()) << n;
    }
}

// Guards save -> load: every field and sight comes back, the positions in
// their text form and the sights' corrections in minutes; the file is the
// one a new save would write again.
TEST_F(ObsFile, SaveThenLoadReproducesEverything) {
    ASSERT_TRUE(Load(Sample("10Dec26A.obs")));
    const WorkbenchState before = w->State();
    QStringList cells;
    for (int r = 1; r <= 9; ++r)
        for (int c = 0; c < 4; ++c)
            cells << test::InputNamed<ObservationGrid>(*w, "grdObs")->TextMatrix(r, c);
    const QString path = temp.filePath("copy.obs");
    script.Clear();
    script.fileNames = {path};
    w->Action("mnuAstroSave")->trigger();
    ASSERT_EQ(script.messages.size(), 1u);
    EXPECT_EQ(script.messages[0].title, "File saved confirmation");
    EXPECT_EQ(script.messages[0].text, "File " + path + " saved.");
    EXPECT_EQ(script.messages[0].style, kIconInformation + kButtonsOk);
    EXPECT_EQ(script.fileDialogs, std::vector<QString>{"Save observations data"});

    w->Action("mnuAstroErase")->trigger();
    ASSERT_EQ(w->State().Lat(6), 0);
    ASSERT_TRUE(Load(path));
    const WorkbenchState& s = w->State();
    EXPECT_EQ(s.TimeEstPos, before.TimeEstPos);
    EXPECT_EQ(s.TimeTruePos, before.TimeTruePos);
    EXPECT_EQ(s.Lat(6), before.Lat(6));
    EXPECT_EQ(s.Long(6), before.Long(6));
    EXPECT_EQ(s.CourseInput, before.CourseInput);
    EXPECT_EQ(s.InstErr, before.InstErr);
    EXPECT_EQ(s.PressMBars, before.PressMBars);
    QStringList after;
    for (int r = 1; r <= 9; ++r)
        for (int c = 0; c < 4; ++c)
            after << test::InputNamed<ObservationGrid>(*w, "grdObs")->TextMatrix(r, c);
    EXPECT_EQ(after, cells);
    EXPECT_EQ(test::InputNamed(*w, "mskLat_5")->text(), test::Shown("40°05'.0 S"));
    EXPECT_EQ(test::InputNamed(*w, "mskLong_5")->text(), test::Shown("061°40'.0 E"));
    EXPECT_EQ(test::InputNamed<ObservationGrid>(*w, "grdObs")->TextMatrix(1, 3),
              test::Shown("+02.40"));
    // Saved once more, the bytes do not change.
    const QString again = temp.filePath("again.obs");
    script.fileNames = {again};
    w->Action("mnuAstroSave")->trigger();
    EXPECT_EQ(ReadBytes(again), ReadBytes(path));
}

// Guards a file loaded and saved again untouched, in either locale: its own
// bytes come back (five of the seven altitudes of 08Dec26A once came back
// with another last digit).
TEST(ObsFileUntouched, SavedAsLoaded) {
    for (const char* locale : {"C", "de_DE.UTF-8"}) {
        SCOPED_TRACE(locale);
        test::LocaleSwitch lc(locale);
        if (!lc.Installed()) GTEST_SKIP() << locale << " is not installed";
        test::GridWindow g;
        QTemporaryDir temp;
        for (const char* name : {"08Dec26A.obs", "09Dec26A.obs", "10Dec26A.obs"}) {
            SCOPED_TRACE(name);
            g.script.fileNames = {SampleDir() + "/" + name};
            g.w->Action("mnuAstroLoad")->trigger();
            g.script.fileNames = {temp.filePath(name)};
            g.w->Action("mnuAstroSave")->trigger();
            EXPECT_EQ(ReadBytes(temp.filePath(name)), ReadBytes(SampleDir() + "/" + name));
        }
    }
}

// Guards the refusals in the window: each bad file gets its message, the
// open dialog comes back, and the inputs of the previous load stay whole.
TEST_F(ObsFile, BadFilesLoseNothing) {
    ASSERT_TRUE(Load(Sample("08Dec26A.obs")));
    const double lat = w->State().Lat(6);
    const QString firstBody = test::InputNamed<ObservationGrid>(*w, "grdObs")->TextMatrix(1, 1);
    const std::string good = ReadBytes(Sample("08Dec26A.obs"));
    std::string garbled = good;
    garbled.replace(garbled.find("14,-1.2"), 7, "14;-1.2");
    std::string binary(3000, '\0');
    for (size_t i = 0; i < binary.size(); ++i) binary[i] = static_cast<char>(i * 7);
    const struct {
        QString path;
        QString title;
        QString text;
    } cases[] = {
        {Write("trunc.obs", good.substr(0, good.size() / 2)), "File unreadable",
         "Sorry, This is not an Orvex file.\r\nPlease select the right file."},
        {Write("extra.obs", good + "\r\n"), "File unreadable",
         "Sorry, This is not an Orvex file.\r\nPlease select the right file."},
        {Write("binary.obs", binary), "File unreadable",
         "Sorry, This is not an Orvex file.\r\nPlease select the right file."},
        {Write("garbled.obs", garbled), " File access error",
         "An error occured during file access.\r\nThe program will try to resume execution\r\n"
         "but please report the following error:\r\nError 13: Type mismatch: line 5 (height of "
         "eye and instrument correction) should hold 2 field(s)."},
        {Write("huge.obs", std::string(200000, 'x') + good), " File access error", ""},
        {temp.filePath("missing.obs"), " File access error",
         "The file name doesn't exist. Try again."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path.toStdString());
        script.Clear();
        script.fileNames = {c.path};  // then the dialog is cancelled
        w->Action("mnuAstroLoad")->trigger();
        ASSERT_EQ(script.messages.size(), 1u);
        EXPECT_EQ(script.messages[0].title, c.title);
        if (!c.text.isEmpty()) {
            EXPECT_EQ(script.messages[0].text, c.text);
        }
        EXPECT_EQ(script.messages[0].style, c.title == "File unreadable"
                                                ? kIconInformation + kButtonsOk
                                                : kIconExclamation + kButtonsOk);
        EXPECT_EQ(script.fileDialogs.size(), 2u);  // the dialog came back
        EXPECT_EQ(w->State().Lat(6), lat);
        EXPECT_EQ(test::InputNamed<ObservationGrid>(*w, "grdObs")->TextMatrix(1, 1), firstBody);
        for (int i = 1; i <= 8; ++i) EXPECT_TRUE(w->State().FixEntered[i]);
        EXPECT_TRUE(w->State().Sights.Filled(7, 3));
    }
}

// Guards a file without sights: the conditions load, the grid stays empty,
// the menus are set as after any load; an editor left open is dropped.
TEST_F(ObsFile, FileWithoutSights) {
    std::string t = ReadBytes(Sample("08Dec26A.obs"));
    const size_t seven = t.find("\r\n7\r\n") + 2;
    t = t.substr(0, seven) + "0\r\n" + "\"This is an Orvex 1.x observations data file.\"\r\n";
    auto* grid = test::InputNamed<ObservationGrid>(*w, "grdObs");
    grid->SetCurrentCell(3, 2);
    grid->setFocus();
    test::Type("4");  // opens the altitude editor with its first digit
    ASSERT_TRUE(test::InputNamed(*w, "mskHeightInst")->isVisible());
    ASSERT_TRUE(Load(Write("none.obs", t)));
    EXPECT_TRUE(script.messages.empty()) << script.LastText().toStdString();
    EXPECT_FALSE(test::InputNamed(*w, "mskHeightInst")->isVisible());
    for (int r = 1; r <= 49; ++r)
        for (int c = 0; c < 4; ++c) {
            EXPECT_TRUE(
                test::InputNamed<ObservationGrid>(*w, "grdObs")->TextMatrix(r, c).isEmpty());
            EXPECT_FALSE(w->State().Sights.Filled(r, c));
        }
    EXPECT_EQ(w->State().HeightEye, 14.0);
    EXPECT_TRUE(w->State().FixEntered[8]);
    for (const char* n : {"mnuAstroCorrect", "mnuAstroSave", "mnuAstroErase", "mnuAstroNum",
                          "mnuAstroNumDisp", "mnuAstroGraph", "mnuAstroGraphDisp"})
        EXPECT_TRUE(w->Action(n)->isEnabled()) << n;
    for (const char* n : {"mnuAstroNumPrint", "mnuAstroGraphChart", "mnuAstroGraphLOP",
                          "mnuAstroGraphGrid", "mnuAstroGraphPrint"})
        EXPECT_FALSE(w->Action(n)->isEnabled()) << n;
    script.Clear();
    EXPECT_FALSE(test::RunFix(*w));
    EXPECT_EQ(script.LastText(), "Please fill the grid with the observations.");
}

// Guards the save refusals: an empty grid writes nothing and asks for no
// name; a folder that cannot take the file gets the file error and the
// dialog again, and nothing is left behind.
TEST_F(ObsFile, SaveRefusals) {
    OfferSave();
    w->Action("mnuAstroSave")->trigger();
    ASSERT_EQ(script.messages.size(), 1u);
    EXPECT_EQ(script.messages[0].text, "Please fill the grid with the observations.");
    EXPECT_TRUE(script.fileDialogs.empty());

    ASSERT_TRUE(Load(Sample("09Dec26A.obs")));
    script.Clear();
    script.fileNames = {temp.filePath("no/such/folder/x.obs")};
    w->Action("mnuAstroSave")->trigger();
    ASSERT_EQ(script.messages.size(), 1u);
    EXPECT_EQ(script.messages[0].title, " File access error");
    EXPECT_TRUE(script.messages[0].text.startsWith("An error occured during file access.\r\n"));
    EXPECT_TRUE(script.messages[0].text.contains("Error 76: "));
    EXPECT_EQ(script.fileDialogs.size(), 2u);
    EXPECT_FALSE(QFileInfo::exists(temp.filePath("no/such/folder/x.obs")));
}

// The messages a save showed, one a line ("title|text"), and how many
// file dialogs it asked, for a save run in a child process.
std::string Said(const PlatformScript& script) {
    std::string said;
    for (const auto& m : script.messages) said += (m.title + "|" + m.text + "\n").toStdString();
    return said + "dialogs " + std::to_string(script.fileDialogs.size());
}

// Guards a save that cannot be written whole (a full disk, here a file-size
// limit, which ended the program and lost every unsaved input): the file
// error is shown, the program goes on, the old file keeps its bytes and no
// temporary file is left.
TEST_F(ObsFile, FailedSaveKeepsTheOldFile) {
    ASSERT_TRUE(Load(Sample("08Dec26A.obs")));
    const std::string old = "the navigator's previous sights\r\n";
    const QString path = Write("old.obs", old);
    const std::string said = test::RunInChild([&] {
        std::signal(SIGXFSZ, SIG_DFL);
        const rlimit low{100, 100};
        setrlimit(RLIMIT_FSIZE, &low);
        script.Clear();
        script.fileNames = {path};
        script.answers = {kAnswerYes};  // replace it
        Click("mnuAstroSave");
        return Said(script);
    });
    // The question, then the system's own words for the failure, in the
    // user's language; the dialog came back.
    const std::string failure = " File access error|An error occured during file access.\r\n";
    const QString asked =
        "Save observations data|File " + path + " already exists.\r\nDo you want to replace it?\n";
    EXPECT_EQ(said.rfind(asked.toStdString(), 0), 0u) << said;
    EXPECT_NE(said.find(failure), std::string::npos) << said;
    EXPECT_NE(said.find(std::string(std::strerror(EFBIG)) + "\ndialogs 2"), std::string::npos)
        << said;
    EXPECT_EQ(ReadBytes(path), old);
    EXPECT_EQ(QDir(temp.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"old.obs"});
}

// Guards files the user may not write, which a save replaced and called
// saved: run as an unprivileged user, a read-only file of the user's own
// and root's file in a folder everybody may write get the file error naming
// them before anything is asked, and keep their bytes.
TEST_F(ObsFile, SaveRefusesWhatTheUserMayNotWrite) {
    ASSERT_TRUE(Load(Sample("08Dec26A.obs")));
    const bool root = geteuid() == 0;
    chmod(QFile::encodeName(temp.path()).constData(), 0777);
    const std::string old = "an earlier set\r\n";
    const QString mine = Write("mine.obs", old);
    const QString roots = Write("roots.obs", old);
    chmod(QFile::encodeName(mine).constData(), 0444);
    if (root) chown(QFile::encodeName(mine).constData(), test::kNobody, test::kNobody);
    const std::string said = test::RunInChild(
        [&] {
            std::string all;
            for (const QString& path : root ? QStringList{mine, roots} : QStringList{mine}) {
                script.Clear();
                script.fileNames = {path};
                script.answers = {kAnswerYes};
                Click("mnuAstroSave");
                all += Said(script) + "\n";
            }
            return all;
        },
        true);
    const std::string refused =
        " File access error|An error occured during file access.\r\nThe program will try to "
        "resume execution\r\nbut please report the following error:\r\nError 75: Path/File "
        "access error: ";
    EXPECT_EQ(said.substr(0, said.find("dialogs")),
              refused + "mine.obs may not be written (Permission denied).\n");
    EXPECT_EQ(ReadBytes(mine), old);
    if (!root) GTEST_SKIP() << "another user's file: the test must run as root to make one";
    EXPECT_NE(said.find(refused + "roots.obs may not be written (Permission denied).\ndialogs 2"),
              std::string::npos)
        << said;
    EXPECT_EQ(ReadBytes(roots), old);
}

// Guards what a replaced file had, which every save dropped: its ACL (a
// named user's entry, and a mask that widened into write permission for the
// whole group), the attribute user.comment, and its owner and group where
// the user may set them (root here). A file with a second name, which a
// save parted from it, is refused with the file error, both names kept.
TEST_F(ObsFile, SaveKeepsAclAttributesAndNames) {
    ASSERT_TRUE(Load(Sample("08Dec26A.obs")));
    const std::string old = "an earlier set\r\n";
    const QString linked = Write("linked.obs", old);
    ASSERT_EQ(link(QFile::encodeName(linked).constData(),
                   QFile::encodeName(temp.filePath("other.obs")).constData()),
              0);
    script.fileNames = {linked};
    script.answers = {kAnswerYes};
    Click("mnuAstroSave");
    ASSERT_EQ(script.messages.size(), 1u);
    EXPECT_TRUE(script.messages[0].text.endsWith(
        "Error 75: Path/File access error: linked.obs has other names (hard links), which would "
        "keep its old contents: save it under another name."))
        << script.LastText().toStdString();
    EXPECT_EQ(ReadBytes(linked), old);
    EXPECT_EQ(ReadBytes(temp.filePath("other.obs")), old);

    const QString path = Write("acl.obs", old);
    if (geteuid() == 0) chown(QFile::encodeName(path).constData(), test::kNobody, test::kNobody);
    if (!test::SetAclAndComment(path))
        GTEST_SKIP() << "the file system of " << temp.path().toStdString()
                     << " has no ACLs or user attributes";
    struct stat before {};
    struct stat after {};
    stat(QFile::encodeName(path).constData(), &before);
    script.Clear();
    script.fileNames = {path};
    script.answers = {kAnswerYes};
    Click("mnuAstroSave");
    EXPECT_EQ(script.LastText(), "File " + path + " saved.");
    stat(QFile::encodeName(path).constData(), &after);
    EXPECT_EQ(ReadBytes(path).substr(0, 21), "#2026-12-08 16:00:00#");
    EXPECT_EQ(test::Attribute(path, "system.posix_acl_access"), test::NobodyMayWriteAcl());
    EXPECT_EQ(test::Attribute(path, "user.comment"), "sights of 8 Dec");
    EXPECT_EQ(after.st_mode, before.st_mode);
    EXPECT_EQ(after.st_uid, before.st_uid);
    EXPECT_EQ(after.st_gid, before.st_gid);
}

// Guards a save over what is no regular file, which replaced it by a
// regular file and said "saved": a FIFO and a link to a device node are
// refused with the file error and stay as they were; a link to a regular
// file stays a link and the file it points to takes the new sights.
TEST_F(ObsFile, SaveReplacesOnlyRegularFiles) {
    ASSERT_TRUE(Load(Sample("08Dec26A.obs")));
    const QString fifo = temp.filePath("x.obs");
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const QString device = temp.filePath("null.obs");
    ASSERT_EQ(symlink("/dev/null", QFile::encodeName(device).constData()), 0);
    for (const QString& path : {fifo, device}) {
        script.Clear();
        script.fileNames = {path};
        w->Action("mnuAstroSave")->trigger();
        ASSERT_EQ(script.messages.size(), 1u) << path.toStdString();
        EXPECT_EQ(script.messages[0].title, " File access error");
        EXPECT_TRUE(script.messages[0].text.contains("Error 75: ") &&
                    script.messages[0].text.contains("is not a regular file"))
            << script.LastText().toStdString();
        EXPECT_EQ(script.fileDialogs.size(), 2u);
    }
    struct stat st {};
    ASSERT_EQ(lstat(QFile::encodeName(fifo).constData(), &st), 0);
    EXPECT_TRUE(S_ISFIFO(st.st_mode));
    EXPECT_EQ(QFileInfo(device).symLinkTarget(), "/dev/null");

    const QString real = Write("real.obs", "older sights\r\n");
    const QString link = temp.filePath("link.obs");
    ASSERT_EQ(symlink("real.obs", QFile::encodeName(link).constData()), 0);
    script.Clear();
    script.fileNames = {link};
    script.answers = {kAnswerYes};
    w->Action("mnuAstroSave")->trigger();
    EXPECT_EQ(script.LastText(), "File " + link + " saved.");
    EXPECT_TRUE(QFileInfo(link).isSymLink());
    EXPECT_EQ(ReadBytes(real).substr(0, 21), "#2026-12-08 16:00:00#");
}

// Guards a file with a name of 249 to 255 bytes that could not be saved
// again ("Error 75": the temporary name was over the system's limit).
TEST_F(ObsFile, LongNameIsSavedAgain) {
    ASSERT_TRUE(Load(Sample("08Dec26A.obs")));
    const QString name = QString(251, 'n') + ".obs";
    const QString path = Write(name.toLatin1().constData(), "older sights\r\n");
    script.Clear();
    script.fileNames = {path};
    script.answers = {kAnswerYes};
    w->Action("mnuAstroSave")->trigger();
    EXPECT_EQ(script.LastText(), "File " + path + " saved.");
    EXPECT_EQ(ReadBytes(path).substr(0, 21), "#2026-12-08 16:00:00#");
    EXPECT_EQ(QDir(temp.path()).entryList(QDir::Files | QDir::Hidden), QStringList{name});
}

// Guards a save killed half-way, which left a complete "fix.obs.XXXXXX"
// beside the file for good, and a save held for ever by a stopped process
// it had started. A child process saving over and over is killed in the
// middle of its write (a file-size limit stops it at the byte given),
// between the naming of its temporary file and the rename, after a save it
// finished, and at random moments within two saves' time; the file is
// always the old or the new one byte for byte (the new one once a save
// finished), anything beside it is a temporary file of the program's own
// pattern, and the next save leaves the file alone. A child whose started
// processes stop as they start saves all the same.
TEST_F(ObsFile, KilledSaveLeavesTheOldOrTheNewFileAlone) {
    ASSERT_TRUE(Load(Sample("08Dec26A.obs")));
    const std::string old = "the navigator's previous sights\r\n";
    const QString path = Write("fix.obs", old);
    auto save = [&] {
        script.Clear();
        script.fileNames = {path};
        script.answers = {kAnswerYes};
        Click("mnuAstroSave");
    };
    // A save's time here and now (a loaded machine saves slowly): the
    // random kills fall within two.
    QElapsedTimer timer;
    timer.start();
    save();
    const qint64 twoSaves = std::max<qint64>(2 * timer.nsecsElapsed(), 2000000);
    const std::string fresh = ReadBytes(path);
    ASSERT_EQ(fresh.substr(0, 21), "#2026-12-08 16:00:00#");
    // A process the killed child leaves comes to this process, to be ended.
    ASSERT_EQ(prctl(PR_SET_CHILD_SUBREAPER, 1), 0);

    const rlim_t kAtNaming = RLIM_INFINITY, kAfterASave = RLIM_INFINITY - 1,
                 kStoppedStarted = RLIM_INFINITY - 2;
    std::vector<rlim_t> rounds = {1,           fresh.size() / 2, fresh.size() - 1, kAtNaming,
                                  kAfterASave, kAfterASave,      kStoppedStarted};
    rounds.resize(rounds.size() + 30, 0);  // 0: killed at a random moment
    std::mt19937 rng(20);
    int replaced = 0;
    for (size_t round = 0; round < rounds.size(); ++round) {
        const rlim_t how = rounds[round];
        Write("fix.obs", old);
        int report[2];
        ASSERT_EQ(pipe(report), 0);
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            close(report[0]);
            const rlimit noCore{0, 0};
            setrlimit(RLIMIT_CORE, &noCore);
            const rlimit size{how, how};
            if (how == kAtNaming)
                gNamingStarted = [] { raise(SIGKILL); };
            else if (how == kStoppedStarted)  // every process it starts stops at once
                pthread_atfork(nullptr, nullptr, [] { raise(SIGSTOP); });
            else if (how != kAfterASave && how > 0)
                setrlimit(RLIMIT_FSIZE, &size);
            (void)!write(report[1], "r", 1);
            for (;;) {
                save();
                const bool saved = script.LastText() == "File " + path + " saved.";
                (void)!write(report[1], saved ? "s" : "f", 1);
            }
        }
        close(report[1]);
        char c = 0;
        (void)!read(report[0], &c, 1);  // the child begins to save
        if (how == 0) usleep(static_cast<useconds_t>(rng() % twoSaves / 1000));
        // Waited for, each within a bound: a save finished, five with the
        // processes they start stopped, a save the size limit failed.
        const bool limited = how != 0 && how < kStoppedStarted;
        const char awaited = limited ? 'f' : 's';
        const int wanted = how == kAfterASave ? 1 : how == kStoppedStarted ? 5 : limited ? 1 : 0;
        int saves = 0;
        int seen = 0;
        pollfd ready{report[0], POLLIN, 0};
        while (seen < wanted && poll(&ready, 1, 20000) > 0 && read(report[0], &c, 1) == 1) {
            saves += c == 's';
            seen += c == awaited;
        }
        EXPECT_EQ(seen, wanted) << "round " << round;
        kill(child, SIGKILL);
        int status = 0;
        waitpid(child, &status, 0);
        for (const pid_t p : test::ChildrenOf(getpid())) kill(p, SIGKILL);
        while (waitpid(-1, nullptr, 0) > 0) {
        }
        while (read(report[0], &c, 1) == 1) saves += c == 's';
        close(report[0]);
        EXPECT_TRUE(WIFSIGNALED(status)) << round;
        const std::string now = ReadBytes(path);
        EXPECT_TRUE(now == old || now == fresh) << round;
        if (saves > 0) {
            EXPECT_EQ(now, fresh) << round;
        } else if (limited) {
            EXPECT_EQ(now, old) << round;
        }
        replaced += now == fresh;
        QStringList beside = QDir(temp.path()).entryList(QDir::Files | QDir::Hidden);
        beside.removeOne("fix.obs");
        for (const QString& name : beside)
            EXPECT_TRUE(name.startsWith("fix.obs.orvextmp") && name.size() == 22)
                << name.toStdString() << " round " << round;
        save();
        EXPECT_EQ(script.LastText(), "File " + path + " saved.") << round;
        EXPECT_EQ(QDir(temp.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"fix.obs"})
            << round;
    }
    prctl(PR_SET_CHILD_SUBREAPER, 0);
    EXPECT_GT(replaced, 2);  // the children did save
}

// Guards a name typed with or without its ".obs": the file it would
// replace is asked about first; "No" keeps it and brings the dialog back,
// "Yes" replaces it.
TEST_F(ObsFile, TypedNameWithoutSuffixAsksBeforeReplacing) {
    ASSERT_TRUE(Load(Sample("08Dec26A.obs")));
    const std::string old = "an earlier set\r\n";
    const QString path = Write("08Dec26A.obs", old);
    const QString typed = temp.filePath("08Dec26A");
    for (const QString& name : {typed, path}) {
        script.Clear();
        script.fileNames = {name};
        script.answers = {kAnswerNo};
        w->Action("mnuAstroSave")->trigger();
        ASSERT_EQ(script.messages.size(), 1u) << name.toStdString();
        EXPECT_EQ(script.messages[0].style, kIconExclamation + kButtonsYesNo + kDefaultButton2);
        EXPECT_EQ(script.messages[0].text,
                  "File " + path + " already exists.\r\nDo you want to replace it?");
        EXPECT_EQ(script.fileDialogs.size(), 2u);
        EXPECT_EQ(ReadBytes(path), old);
    }

    script.Clear();
    script.fileNames = {typed};
    script.answers = {kAnswerYes};
    w->Action("mnuAstroSave")->trigger();
    EXPECT_EQ(script.LastText(), "File " + path + " saved.");
    EXPECT_EQ(ReadBytes(path).substr(0, 21), "#2026-12-08 16:00:00#");
}

// Guards a form saved before it was complete: what was not entered is
// written as #NULL# and stays not entered after loading, so no fix runs
// from a position or time the navigator never gave.
TEST_F(ObsFile, InputsNotEnteredStayNotEntered) {
    PutRow(1, "8 Dec 2026 19:22:00", "VEGA", "46°23'.8", "-01.20");
    PutRow(2, "8 Dec 2026 19:24:30", "ALTAIR", "44°33'.5", "-01.20");
    // Only the course was entered (as its field commits it).
    w->State().FixEntered.fill(false);
    w->State().CourseInput = 235;
    w->State().FixEntered[5] = true;
    const QString path = temp.filePath("part.obs");
    script.fileNames = {path};
    OfferSave();
    w->Action("mnuAstroSave")->trigger();
    ASSERT_EQ(script.LastText(), "File " + path + " saved.");
    EXPECT_EQ(ReadBytes(path).substr(0, 58),
              "#NULL#\r\n#NULL#,#NULL#\r\n#NULL#\r\n235,#NULL#\r\n#NULL#,#NULL#\r\n");
    ASSERT_TRUE(Load(path));
    for (int i = 1; i <= 8; ++i) EXPECT_EQ(w->State().FixEntered[i], i == 5) << i;
    EXPECT_EQ(test::InputNamed<ObservationGrid>(*w, "grdObs")->TextMatrix(2, 1), "ALTAIR");
    script.Clear();
    EXPECT_FALSE(test::RunFix(*w));
    EXPECT_EQ(script.Titles(), std::vector<QString>{"Missing data"});
}

// Guards every field at both ends of its range, typed, saved and loaded:
// the same values and texts come back. A height of 327.9 ft was accepted,
// saved as 99.94391999999999 m and then refused by the loader; a
// temperature typed in Fahrenheit or a pressure in inches came back as its
// rounded Celsius or hectopascal text.
TEST_F(ObsFile, EveryAcceptedValueComesBack) {
    const struct {
        const char* field;
        int index;
        const char* keys;
    } cases[] = {
        {"mskHeightM", -1, "000"},     {"mskHeightM", -1, "999"},      {"mskHeightF", -1, "0000"},
        {"mskHeightF", -1, "3279"},    {"mskTempCelcius", 0, "-50"},   {"mskTempCelcius", 0, "70"},
        {"mskTempFahr", 0, "-58"},     {"mskTempFahr", 1, "158"},      {"mskTempFahr", 1, "1"},
        {"mskPress_mBars", -1, "940"}, {"mskPress_mBars", -1, "1070"}, {"mskPressHg", -1, "2776"},
        {"mskPressHg", -1, "3159"},    {"mskCourse", 0, "0000"},       {"mskCourse", 0, "3600"},
        {"mskSpeed", -1, "0000"},      {"mskSpeed", -1, "9999"},       {"mskInstErr", 0, "-99.99"},
        {"mskInstErr", 0, "99.99"},    {"grid", 3, "-99.99"},          {"grid", 3, "99.99"},
    };
    PutRow(1, "8 Dec 2026 19:22:00", "VEGA", test::Shown("46°23'.8"), test::Shown("-01.20"));
    EnterEverything();
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.field) + " " + c.keys);
        script.Clear();
        ObservationGrid* grid = test::InputNamed<ObservationGrid>(*w, "grdObs");
        if (std::string(c.field) == "grid") {
            grid->SetCurrentCell(1, 3);
            grid->setFocus();
            QTest::keyClick(grid, Qt::Key_Space);
            test::Type(c.keys);
            grid->setFocus();
            // A click on another row closes the cell's editor.
            QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->CellRect(2, 0).center());
        } else {
            MaskedField* f = w->MaskField(c.field, c.index);
            test::TabSet(*w, "tabIn")
                ->blockSignals(true);  // the field's tab, shown without its checks
            for (int tab = 0; tab < test::TabSet(*w, "tabIn")->count(); ++tab)
                if (test::TabSet(*w, "tabIn")->widget(tab)->isAncestorOf(f))
                    test::TabSet(*w, "tabIn")->setCurrentIndex(tab);
            test::TabSet(*w, "tabIn")->blockSignals(false);
            f->setFocus(Qt::TabFocusReason);
            f->SetMaskedText(QString());
            f->setCursorPosition(0);
            test::Type(c.keys);
            test::InputNamed<QPushButton>(
                *w, QString("cmdNextTabIn_%1").arg(test::TabSet(*w, "tabIn")->currentIndex()))
                ->setFocus(Qt::TabFocusReason);
            EXPECT_NE(f->BackColor(), MaskedField::WindowColor());  // accepted
        }
        // (The conditions field asks about a correction above 60'.)
        for (const QString& t : script.Titles()) ASSERT_EQ(t, "Probable error in input data");
        const WorkbenchState before = w->State();
        const QString cell = grid->TextMatrix(1, 3);
        const QString path = temp.filePath("ends.obs");
        QFile::remove(path);
        script.fileNames = {path};
        OfferSave();
        w->Action("mnuAstroSave")->trigger();
        ASSERT_EQ(script.LastText(), "File " + path + " saved.");
        const double sightCorrection = w->State().Obs.ObsInstErr(1);
        script.Clear();
        ASSERT_TRUE(Load(path)) << script.LastText().toStdString();
        EXPECT_TRUE(script.messages.empty()) << script.LastText().toStdString();
        const WorkbenchState& s = w->State();
        EXPECT_EQ(s.HeightEye, before.HeightEye);
        EXPECT_EQ(s.TempAirC, before.TempAirC);
        EXPECT_EQ(s.TempWaterC, before.TempWaterC);
        EXPECT_NEAR(s.TempAirF, before.TempAirF, 1e-9);
        EXPECT_NEAR(s.TempWaterF, before.TempWaterF, 1e-9);
        EXPECT_EQ(s.PressMBars, before.PressMBars);
        EXPECT_NEAR(s.PressHg, before.PressHg, 1e-4);  // shown from the hectopascals
        EXPECT_EQ(s.CourseInput, before.CourseInput);
        EXPECT_EQ(s.SpeedInput, before.SpeedInput);
        EXPECT_EQ(s.InstErr, before.InstErr);
        EXPECT_EQ(s.Obs.ObsInstErr(1), sightCorrection);
        EXPECT_EQ(grid->TextMatrix(1, 3), cell);
        for (int i = 1; i <= 8; ++i) EXPECT_TRUE(s.FixEntered[i]) << i;
    }
}

// Guards values the fields refuse: each refusal is shown, and the fix runs
// from the new-fix values, not from the refused 80 °C and 900 hPa.
TEST_F(ObsFile, RefusedValuesAreNotKept) {
    std::string t = ReadBytes(Sample("08Dec26A.obs"));
    t.replace(t.find("17,18,1021"), 10, "80,21,900");
    ASSERT_TRUE(Load(Write("hot.obs", t)));
    std::vector<QString> texts;
    for (const auto& m : script.messages) texts.push_back(m.text);
    EXPECT_EQ(texts, (std::vector<QString>{"The temperature is higher than +70°C.",
                                           "The atmospheric pressure is lower than 940 mbars."}));
    const WorkbenchState& s = w->State();
    EXPECT_EQ(s.TempAirC, 20.0);
    EXPECT_EQ(s.TempWaterC, 21.0);
    EXPECT_EQ(s.PressMBars, 1013.0);
    EXPECT_EQ(w->MaskField("mskPress_mBars", -1)->text(), "1013");  // shows what is used
    script.Clear();
    EXPECT_TRUE(test::RunFix(*w));
    EXPECT_TRUE(script.messages.empty()) << script.LastText().toStdString();
}

// Guards what is no regular file: a FIFO (which would hold the window in
// the open call) and a folder get the file error, and the dialog comes back.
TEST_F(ObsFile, OnlyRegularFilesAreOpened) {
    const QString fifo = temp.filePath("x.obs");
    ASSERT_EQ(mkfifo(fifo.toLocal8Bit().constData(), 0600), 0);
    QDir(temp.path()).mkdir("folder.obs");
    for (const QString& path : {fifo, temp.filePath("folder.obs")}) {
        script.Clear();
        script.fileNames = {path};
        w->Action("mnuAstroLoad")->trigger();
        ASSERT_EQ(script.messages.size(), 1u);
        EXPECT_EQ(script.messages[0].title, " File access error");
        EXPECT_TRUE(script.messages[0].text.contains("Error 75: "))
            << script.LastText().toStdString();
        EXPECT_EQ(script.fileDialogs.size(), 2u);
    }
}

// Guards the dates: one the date pickers cannot show (before 14 September
// 1752) is refused, not moved; a leading UTF-8 byte-order mark is read.
TEST_F(ObsFile, PickerDatesAndByteOrderMark) {
    const std::string good = ReadBytes(Sample("08Dec26A.obs"));
    ASSERT_TRUE(Load(Write("bom.obs", "\xEF\xBB\xBF" + good)));
    EXPECT_TRUE(script.messages.empty()) << script.LastText().toStdString();
    const double loaded = w->State().TimeEstPos;
    for (const char* date : {"#1752-09-13 16:00:00#", "#0100-12-08 16:00:00#"}) {
        std::string t = good;
        t.replace(0, 21, date);
        script.Clear();
        script.fileNames = {Write("old.obs", t)};
        w->Action("mnuAstroLoad")->trigger();
        ASSERT_EQ(script.messages.size(), 1u) << date;
        EXPECT_TRUE(script.messages[0].text.contains("Error 13: Type mismatch in line 1"));
        EXPECT_EQ(w->State().TimeEstPos, loaded);
    }
    std::string first = good;
    first.replace(0, 21, "#1752-09-14#");
    ObservationFileData d;
    EXPECT_EQ(ParseObservationFile(first, BodyNames(), d).Number, 0);
}

// Guards the oldest files: each text goes through its field's own check
// (the correction here), the grid takes the typed cells, and the fix reads
// them.
TEST_F(ObsFile, OldTextFileLoadsThroughTheFields) {
    const std::string dotted =
        "\"8 Dec 2026 16:00:00\"\r\n\"38°30'.0 N\",\"031°20'.0 W\"\r\n\"8 Dec 2026 19:40:00\"\r\n"
        "\"235°.0\",\"011.5\"\r\n\"14.0\",\"-01.20\"\r\n\"017\",\"018\",\"1021\"\r\n2\r\n"
        "\"8 Dec 2026 19:22:00\",\"VEGA\",\"46°23'.8\",\"-01.20\"\r\n"
        "\"8 Dec 2026 19:24:30\",\"ALTAIR\",\"44°33'.5\",\"-01.20\"\r\n"
        "\"This is an Orve 0.9 observations datas file.\"\r\n";
    // Written by a user of the same locale: the texts hold its separator.
    const size_t signature = dotted.rfind("\"This");
    const std::string t =
        test::ShownNumbers(dotted.substr(0, signature)) + dotted.substr(signature);
    ASSERT_TRUE(Load(Write("old.obs", t)));
    EXPECT_TRUE(script.messages.empty()) << script.LastText().toStdString();
    const WorkbenchState& s = w->State();
    EXPECT_EQ(s.TimeEstPos, MakeDateTime(2026, 12, 8, 16, 0, 0));
    EXPECT_EQ(s.TimeTruePos, MakeDateTime(2026, 12, 8, 19, 40, 0));
    EXPECT_TRUE(s.FixEntered[1] && s.FixEntered[4] && s.FixEntered[8]);
    EXPECT_DOUBLE_EQ(s.InstErr, -1.2);
    EXPECT_EQ(test::InputNamed(*w, "mskInstErr_0")->text(), test::Shown("-01.20"));
    EXPECT_EQ(test::InputNamed(*w, "mskLat_5")->text(), test::Shown("38°30'.0 N"));
    EXPECT_EQ(test::InputNamed<ObservationGrid>(*w, "grdObs")->TextMatrix(2, 2),
              test::Shown("44°33'.5"));
    EXPECT_TRUE(s.Sights.Filled(2, 3));
    EXPECT_FALSE(s.Sights.Filled(3, 0));
    EXPECT_TRUE(test::SaveCancelled(*w, script));
    ASSERT_EQ(s.Obs.ObsCount, 2);
    EXPECT_DOUBLE_EQ(s.Obs.ObsHs(1), 46 + 23.8 / 60);

    // An old file whose time is no date is refused before anything moves.
    std::string bad = t;
    bad.replace(bad.find("8 Dec 2026 16:00:00"), 19, "yesterday evening");
    script.Clear();
    script.fileNames = {Write("oldbad.obs", bad)};
    w->Action("mnuAstroLoad")->trigger();
    ASSERT_EQ(script.messages.size(), 1u);
    EXPECT_TRUE(script.messages[0].text.contains("Error 13: Type mismatch in line 1"));
    EXPECT_EQ(s.TimeTruePos, MakeDateTime(2026, 12, 8, 19, 40, 0));

    // Every text is checked as its field would check it before anything
    // moves: a refused latitude, a course or temperature the mask cannot
    // take whole, a date the pickers cannot show, a sight the grid's cells
    // refuse (minutes, an altitude of 90°, a correction past 99.99').
    const struct {
        const char* from;
        const char* to;
        const char* says;
    } refused[] = {{"38°30'.0 N", "38°75'.0 N", "line 2: The latitude has more than 59'."},
                   {"\"235°.0\"", "\"abc\"", "line 4"},
                   {"\"017\"", "\"_9x\"", "line 6"},
                   {"8 Dec 2026 16:00:00", "8 Dec 1700 16:00:00", "line 1"},
                   {"\"46°23'.8\"", "\"46°73'.8\"", "line 8"},
                   {"\"46°23'.8\"", "\"90°00'.0\"", "line 8"},
                   {"\"44°33'.5\",\"-01.20\"", "\"44°33'.5\",\"150.00\"", "line 9"}};
    for (const auto& b : refused) {
        std::string v = t;
        const std::string from = test::ShownNumbers(std::string(b.from));
        v.replace(v.find(from), from.size(), test::ShownNumbers(std::string(b.to)));
        script.Clear();
        script.fileNames = {Write("oldbad.obs", v)};
        w->Action("mnuAstroLoad")->trigger();
        ASSERT_EQ(script.messages.size(), 1u) << b.to;
        EXPECT_EQ(script.messages[0].title, " File access error");
        EXPECT_TRUE(script.messages[0].text.contains(b.says)) << script.LastText().toStdString();
        EXPECT_EQ(test::InputNamed(*w, "mskLat_5")->text(), test::Shown("38°30'.0 N"));
        EXPECT_EQ(s.CourseInput, 235.0);
        EXPECT_EQ(s.TempAirC, 17.0);
        EXPECT_EQ(test::InputNamed<ObservationGrid>(*w, "grdObs")->TextMatrix(2, 1), "ALTAIR");
    }
}

// Guards the chart across a save: saving reads the grid again, and the
// lines drawn afterwards are still the fix's own, not collapsed onto one.
TEST_F(ObsFile, SaveKeepsTheChart) {
    ASSERT_TRUE(Load(Sample("08Dec26A.obs")));
    w->Action("mnuAstroGraphDisp")->trigger();
    w->Action("bthChartIncr")->trigger();
    const ChartState before = w->State().Chart;
    w->Action("bthChartDecr")->trigger();
    script.fileNames = {temp.filePath("kept.obs")};
    w->Action("mnuAstroSave")->trigger();
    w->Action("bthChartIncr")->trigger();
    const ChartState& after = w->State().Chart;
    ASSERT_EQ(after.LopEndLat.ubound2(), before.LopEndLat.ubound2());
    for (int i = 1; i <= before.LopEndLat.ubound2(); ++i)
        for (int k = 1; k <= 2; ++k) {
            EXPECT_EQ(after.LopEndLat(k, i), before.LopEndLat(k, i)) << i;
            EXPECT_EQ(after.LopEndLong(k, i), before.LopEndLong(k, i)) << i;
        }
    EXPECT_EQ(after.GraphLatMin, before.GraphLatMin);
    EXPECT_EQ(after.GraphLongMax, before.GraphLongMax);
}

// Guards the start-up file: a file named on the command line is loaded
// without a dialog; one that does not exist gets its message and then the
// open dialog.
TEST(ObsFileStart, CommandLineFile) {
    test::ProgramFolder folder;
    test::FakeSettings settings;
    PlatformScript script;
    test::FastPauses pauses;
    {
        auto w = test::StartedWindow(settings, {SampleDir() + "/08Dec26A.obs"});
        EXPECT_TRUE(script.fileDialogs.empty());
        EXPECT_TRUE(test::TabSet(*w, "tabIn")->isVisible() || w->State().FixPageStarted);
        EXPECT_EQ(test::InputNamed<ObservationGrid>(*w, "grdObs")->TextMatrix(1, 1), "VEGA");
        EXPECT_TRUE(w->State().CommandLineFile.empty());
    }
    script.Clear();
    auto w = test::StartedWindow(settings, {"/no/such/file.obs"});
    std::vector<QString> titles;
    for (const auto& m : script.messages)
        if (m.text == "The file name doesn't exist. Try again.") titles.push_back(m.title);
    EXPECT_EQ(titles, std::vector<QString>{" File access error"});
    EXPECT_EQ(script.fileDialogs, std::vector<QString>{"Load observations data"});
    EXPECT_TRUE(test::InputNamed<ObservationGrid>(*w, "grdObs")->TextMatrix(1, 1).isEmpty());
}

// ---- The navigator's own folder ---------------------------------------------------

// Guards the saved sets against the samples: the Save dialog proposed the
// samples' own names inside the program folder, where every build copied
// the samples again. The dialogs now start in the navigator's folder, made
// and seeded at the first use; a set of 8 December is offered the next free
// name beside the sample, is saved there and loads back after a second start,
// which leaves the folder as it was.
TEST(ObsFileUserFolder, SavedThereAndLoadedBackAfterASecondStart) {
    QTemporaryDir data;
    struct DataHome {
        QByteArray old = qgetenv("XDG_DATA_HOME");
        explicit DataHome(const QString& p) { qputenv("XDG_DATA_HOME", p.toLocal8Bit()); }
        ~DataHome() { qputenv("XDG_DATA_HOME", old); }
    } home(data.path());
    const QString user = data.path() + "/Orvex/Observations";
    // The samples' names are English; another locale's name is free at A.
    const QString stem = "08" + QLocale().monthName(12, QLocale::ShortFormat).remove('.') + "26";
    const QString saved = user + "/" + stem + (stem == "08Dec26" ? "B" : "A") + ".obs";
    QStringList cells;
    {
        test::GridWindow g;
        QDir().mkpath(g.folder.Path() + "/Observations");
        for (const char* n : {"08Dec26A.obs", "09Dec26A.obs", "10Dec26A.obs"})
            QFile::copy(SampleDir() + "/" + n, g.folder.Path() + "/Observations/" + n);
        g.script.fileNames = {g.folder.Path() + "/Observations/08Dec26A.obs"};
        g.Click("mnuAstroLoad");
        ASSERT_EQ(g.script.fileStarts, std::vector<QString>{user});
        EXPECT_EQ(QDir(user).entryList(QDir::Files),
                  QStringList({"08Dec26A.obs", "09Dec26A.obs", "10Dec26A.obs"}));
        for (int r = 1; r <= 7; ++r)
            for (int c = 0; c < 4; ++c)
                cells << test::InputNamed<ObservationGrid>(*g.w, "grdObs")->TextMatrix(r, c);

        g.script.Clear();
        g.script.fileNames = {saved};
        g.Click("mnuAstroSave");
        EXPECT_EQ(g.script.fileStarts, std::vector<QString>{saved});
        ASSERT_EQ(g.script.Titles(), std::vector<QString>{"File saved confirmation"});
        EXPECT_EQ(ReadBytes(user + "/08Dec26A.obs"), ReadBytes(SampleDir() + "/08Dec26A.obs"));
    }
    test::GridWindow again;
    again.script.fileNames = {saved};
    again.Click("mnuAstroLoad");
    EXPECT_EQ(again.script.fileStarts, std::vector<QString>{user});
    EXPECT_TRUE(again.script.messages.empty()) << again.script.LastText().toStdString();
    QStringList loaded;
    for (int r = 1; r <= 7; ++r)
        for (int c = 0; c < 4; ++c)
            loaded << test::InputNamed<ObservationGrid>(*again.w, "grdObs")->TextMatrix(r, c);
    EXPECT_EQ(loaded, cells);
    QStringList names{"08Dec26A.obs", "09Dec26A.obs", "10Dec26A.obs", QFileInfo(saved).fileName()};
    names.sort();
    EXPECT_EQ(QDir(user).entryList(QDir::Files), names);
}

}  // namespace
}  // namespace orvex
