// Printing to a real CUPS queue: a cupsd of the test's own (configuration,
// spool and socket in a temporary folder; no system service is touched)
// with a cups-pdf queue that names its files after the job title. The
// command line and the print window print to it; the files it writes, the
// queue's page log and the PDFs' pages are checked. Skipped where cupsd or
// cups-pdf is missing or the test does not run as root (cups-pdf needs it).

#include <cups/cups.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QPrinterInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QThread>
#include <cerrno>
#include <cmath>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <set>

#include "catalogue/core/ListFile.h"
#include "platform/errors/UserError.h"
#include "printing/core/PaperSizes.h"
#include "printing/qt/QtPrinter.h"
#include "printing/ui/PrintWindow.h"
#include "tests/support/FakeDesktop.h"
#include "tests/support/PrintDialogScripts.h"
#include "tests/support/PrintWindowServicesForTests.h"
#include "tests/support/ScriptedDialogs.h"
#include "tests/support/TempDir.h"

namespace printing {
namespace {

// A queue of this process's own, so that test processes run side by side.
const QString kQueue = QStringLiteral("QuillPDFTest%1").arg(::getpid());
// cups-pdf reads a queue's own settings from here; the file is the test's
// and goes when the test does.
const QString kQueueSettings = QStringLiteral("/etc/cups/cups-pdf-%1.conf").arg(kQueue);

struct ProgramRun {
  int exitCode = -1;
  QString out;
  QString err;
};

ProgramRun RunProgram(const QString& program, const QStringList& args, int timeoutMs = 60000) {
  QProcess process;
  process.start(program, args);
  ProgramRun run;
  if (!process.waitForFinished(timeoutMs)) {
    process.kill();
    process.waitForFinished();
    return run;
  }
  run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
  run.out = QString::fromUtf8(process.readAllStandardOutput());
  run.err = QString::fromUtf8(process.readAllStandardError());
  return run;
}

void WriteFile(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
  file.write(bytes);
}

// Where a tool is installed, or empty.
QString Tool(const char* name) {
  return QStandardPaths::findExecutable(QString::fromLatin1(name),
                                        {QStringLiteral("/usr/sbin"), QStringLiteral("/usr/bin"),
                                         QStringLiteral("/sbin"), QStringLiteral("/bin")});
}

// Settings files of earlier runs whose process is gone (a crash, a killed
// test) are removed, so they never pile up in /etc/cups.
void RemoveStaleQueueSettings() {
  QDir settings(QStringLiteral("/etc/cups"));
  for (const QString& name :
       settings.entryList({QStringLiteral("cups-pdf-QuillPDFTest*.conf")}, QDir::Files)) {
    bool ok = false;
    int pid = name.mid(21, name.size() - 21 - 5).toInt(&ok);
    if (ok && pid > 0 && ::kill(pid, 0) != 0 && errno == ESRCH) {
      settings.remove(name);
    }
  }
}

// The private cupsd with its cups-pdf queue, started once for all tests.
class PrivateCups {
 public:
  // Why the test cannot run here (not root, tools missing): it is skipped.
  QString Unavailable() const {
    if (::geteuid() != 0) {
      return QStringLiteral("not root: cups-pdf prints only for root's cupsd");
    }
    for (const char* tool : {"cupsd", "lpadmin", "lpstat", "cancel", "pdfinfo", "pdftoppm"}) {
      if (Tool(tool).isEmpty()) {
        return QStringLiteral("%1 is not installed").arg(QString::fromLatin1(tool));
      }
    }
    if (!QFile::exists(QStringLiteral("/usr/lib/cups/backend/cups-pdf"))) {
      return QStringLiteral("printer-driver-cups-pdf is not installed");
    }
    return {};
  }

  // Empty when the queue is ready; otherwise what went wrong (a failure).
  QString Start() {
    RemoveStaleQueueSettings();
    // Under /tmp whatever TMPDIR says: the filters, which run as "lp", must
    // reach the folder.
    char pattern[] = "/tmp/quill-cups-XXXXXX";
    if (::mkdtemp(pattern) == nullptr) {
      return QStringLiteral("no temporary folder for cupsd");
    }
    root_ = QString::fromLocal8Bit(pattern);
    for (const char* sub :
         {"conf", "spool", "cache", "state", "log", "tmp", "run", "out", "cpspool"}) {
      QDir().mkpath(root_ + "/" + sub);
    }
    // Filters run as the "lp" user: the temporary folder must take them.
    ::chmod((root_ + "/tmp").toLocal8Bit().constData(), 01777);
    ::chmod(root_.toLocal8Bit().constData(), 0755);
    socket_ = root_ + "/run/cups.sock";
    WriteFile(root_ + "/conf/cupsd.conf",
              ("Listen " + socket_ +
               "\nLogLevel warn\nWebInterface No\nBrowsing No\nDefaultAuthType None\n"
               "PageLogFormat \"%j|%{job-name}|%{media}\"\n"
               "<Location />\n  Order allow,deny\n  Allow all\n</Location>\n"
               "<Policy default>\n  <Limit All>\n    Order deny,allow\n  </Limit>\n</Policy>\n")
                  .toUtf8());
    WriteFile(root_ + "/conf/cups-files.conf",
              ("ServerRoot " + root_ + "/conf\nRequestRoot " + root_ + "/spool\nTempDir " + root_ +
               "/tmp\nCacheDir " + root_ + "/cache\nStateDir " + root_ + "/state\nAccessLog " +
               root_ + "/log/access_log\nErrorLog " + root_ + "/log/error_log\nPageLog " + root_ +
               "/log/page_log\nFileDevice No\nUser lp\nGroup lp\nSystemGroup root\n")
                  .toUtf8());
    // The daemon goes with the test process, however that ends.
    cupsd_.setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGKILL); });
    cupsd_.start(Tool("cupsd"),
                 {QStringLiteral("-f"), QStringLiteral("-c"), root_ + "/conf/cupsd.conf",
                  QStringLiteral("-s"), root_ + "/conf/cups-files.conf"});
    if (!cupsd_.waitForStarted(10000)) {
      return QStringLiteral("cupsd does not start");
    }
    ::setenv("CUPS_SERVER", socket_.toLocal8Bit().constData(), 1);
    cupsSetServer(nullptr);  // forget a server read before: ask the environment again
    // lpstat -r exits 0 whether or not the scheduler answers: its words tell.
    QElapsedTimer waited;
    waited.start();
    while (!QFile::exists(socket_) || !RunProgram(Tool("lpstat"), {QStringLiteral("-r")})
                                           .out.contains(QStringLiteral("scheduler is running"))) {
      if (waited.elapsed() > 30000 || cupsd_.state() != QProcess::Running) {
        return QStringLiteral("cupsd does not answer: ") +
               QString::fromUtf8(cupsd_.readAllStandardError());
      }
      QThread::msleep(200);
    }
    WriteFile(kQueueSettings, ("Out " + root_ + "/out\nSpool " + root_ + "/cpspool\nLog " + root_ +
                               "/log\nLabel 0\nGrp root\n")
                                  .toUtf8());
    wroteSettings_ = true;
    // The queue without options: cups-pdf names each file after the job's
    // title alone, so two jobs of one title share a file.
    ProgramRun added = RunProgram(
        Tool("lpadmin"), {QStringLiteral("-p"), kQueue, QStringLiteral("-E"), QStringLiteral("-v"),
                          QStringLiteral("cups-pdf:/") + kQueue, QStringLiteral("-m"),
                          QStringLiteral("lsb/usr/cups-pdf/CUPS-PDF_noopt.ppd")});
    if (added.exitCode != 0) {
      return QStringLiteral("the cups-pdf queue cannot be added: ") + added.err;
    }
    RunProgram(Tool("lpadmin"), {QStringLiteral("-d"), kQueue});
    return {};
  }

  ~PrivateCups() {
    // Jobs first, then the daemon, then the queue's settings: a job left
    // running would otherwise print with the system's settings.
    if (cupsd_.state() == QProcess::Running) {
      RunProgram(Tool("cancel"), {QStringLiteral("-a"), kQueue});
      cupsd_.terminate();
      if (!cupsd_.waitForFinished(5000)) {
        cupsd_.kill();
        cupsd_.waitForFinished();
      }
    }
    if (wroteSettings_) {
      QFile::remove(kQueueSettings);
    }
    if (!root_.isEmpty()) {
      QDir(root_).removeRecursively();
    }
  }

  // The PDFs cups-pdf wrote, once `count` are there and the queue is idle
  // (at most a minute).
  QStringList WaitForFiles(int count) {
    QDir out(root_ + "/out");
    QElapsedTimer waited;
    waited.start();
    QStringList files;
    do {
      QThread::msleep(250);
      files = out.entryList({QStringLiteral("*.pdf")}, QDir::Files, QDir::Name);
      bool idle = RunProgram(Tool("lpstat"), {QStringLiteral("-o")}).out.trimmed().isEmpty();
      if (files.size() >= count && idle) {
        break;
      }
    } while (waited.elapsed() < 60000);
    for (QString& file : files) {
      file = out.filePath(file);
    }
    return files;
  }

  void ClearOutput() {
    QDir out(root_ + "/out");
    for (const QString& file : out.entryList(QDir::Files)) {
      out.remove(file);
    }
    // cupsd keeps its log open: the jobs of this test are those after here.
    logStart_ = QFileInfo(root_ + "/log/page_log").size();
  }

  // Each job's "title|media" from the queue's page log, in job order.
  QStringList JobsLogged() const {
    QFile log(root_ + "/log/page_log");
    QStringList jobs;
    if (!log.open(QIODevice::ReadOnly) || !log.seek(logStart_)) {
      return jobs;
    }
    for (const QByteArray& line : log.readAll().split('\n')) {
      QString text = QString::fromUtf8(line).trimmed().remove(QLatin1Char('"'));
      int bar = text.indexOf(QLatin1Char('|'));
      if (bar > 0 && !jobs.contains(text.mid(bar + 1))) {
        jobs << text.mid(bar + 1);
      }
    }
    return jobs;
  }

  QString Root() const { return root_; }

 private:
  QString root_;
  QString socket_;
  QProcess cupsd_;
  bool wroteSettings_ = false;
  qint64 logStart_ = 0;
};

// pdfinfo's "Pages" and "Page size" (points) of a PDF.
struct PdfPages {
  int pages = 0;
  double width = 0;
  double height = 0;
};

PdfPages Info(const QString& pdf) {
  PdfPages info;
  ProgramRun run = RunProgram(Tool("pdfinfo"), {pdf});
  for (const QString& line : run.out.split(QLatin1Char('\n'))) {
    if (line.startsWith(QStringLiteral("Pages:"))) {
      info.pages = line.mid(6).trimmed().toInt();
    } else if (line.startsWith(QStringLiteral("Page size:"))) {
      QStringList parts = line.mid(10).simplified().split(QLatin1Char(' '));
      if (parts.size() >= 3) {
        info.width = parts[0].toDouble();
        info.height = parts[2].toDouble();
      }
    }
  }
  return info;
}

// The box of everything drawn on the first page, in pixels at 20 dots per
// inch (an empty rectangle for a blank page).
QRect InkBox(const QString& pdf, const QString& scratch) {
  RunProgram(Tool("pdftoppm"),
             {QStringLiteral("-r"), QStringLiteral("20"), QStringLiteral("-gray"),
              QStringLiteral("-png"), QStringLiteral("-singlefile"), pdf, scratch});
  QImage image(scratch + ".png");
  QRect box;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      if (qGray(image.pixel(x, y)) < 128) {
        box |= QRect(x, y, 1, 1);
      }
    }
  }
  return box;
}

class CupsQueue : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    cups_ = new PrivateCups;
    skip_ = cups_->Unavailable();
    if (skip_.isEmpty()) {
      failure_ = cups_->Start();
    }
  }
  static void TearDownTestSuite() {
    delete cups_;
    cups_ = nullptr;
  }
  void SetUp() override {
    if (!skip_.isEmpty()) {
      GTEST_SKIP() << "no private CUPS queue: " << skip_.toStdString();
    }
    // Where it can run, a queue that cannot be set up is a fault.
    ASSERT_TRUE(failure_.isEmpty()) << failure_.toStdString();
    cups_->ClearOutput();
  }

  // A list of `rows` documents (code page 932 is ASCII here).
  std::string List(int rows) {
    std::string lines;
    for (int i = 1; i <= rows; ++i) {
      lines += "doc" + std::to_string(i) + ".doc;T" + std::to_string(i) +
               ";2026/12/07 10:00;;A;;;;;;;\r\n";
    }
    return folder.Write("list.txt", lines);
  }
  static std::string ShippedStyle() {
    return std::string(QUILL_SOURCE_DIR) + "/resources/style/一覧表_A4縦.sle";
  }

  static inline PrivateCups* cups_ = nullptr;
  static inline QString skip_;
  static inline QString failure_;
  testsupport::TempDir folder;
};

TEST_F(CupsQueue, TheCommandLinePrintsEachPageAsATitledJobOnTheStylesPaper) {
  ProgramRun run = RunProgram(
      QStringLiteral(QUILL_CLI),
      {QStringLiteral("print"), QString::fromStdString(ShippedStyle()), QStringLiteral("--list"),
       QString::fromStdString(List(45)), QStringLiteral("--printer"), kQueue});
  ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
  QStringList files = cups_->WaitForFiles(3);
  // One job a page, each in a file of its own: no page is lost.
  ASSERT_EQ(files.size(), 3) << files.join(' ').toStdString();
  EXPECT_EQ(std::set<QString>(files.begin(), files.end()).size(), 3u);
  for (const QString& file : files) {
    PdfPages info = Info(file);
    EXPECT_EQ(info.pages, 1) << file.toStdString();
    EXPECT_NEAR(info.width, 595, 3) << file.toStdString();  // A4 portrait
    EXPECT_NEAR(info.height, 842, 3) << file.toStdString();
  }
  QStringList jobs = cups_->JobsLogged();
  ASSERT_EQ(jobs.size(), 3) << jobs.join('\n').toStdString();
  for (int page = 1; page <= 3; ++page) {
    QString job = jobs[page - 1];
    EXPECT_TRUE(
        job.startsWith(QStringLiteral("%1/3 一覧表_A4縦 - ワード・クイルマーク|").arg(page)))
        << job.toStdString();
    EXPECT_TRUE(job.contains(QStringLiteral("A4"), Qt::CaseInsensitive)) << job.toStdString();
  }
}

TEST_F(CupsQueue, ALandscapeB5PageIsPrintedTurnedOnB5Paper) {
  // A line across the landscape page: on the B5 sheet it runs down the page.
  std::string style = folder.Write("b5.sle",
                                   "header;Ver1.1;0;0;13;1;0;100;0;\r\n"
                                   "0;0;0;0;line;10;20;240;20;20;実線;0;0;\r\n");
  ProgramRun run =
      RunProgram(QStringLiteral(QUILL_CLI),
                 {QStringLiteral("print"), QString::fromStdString(style), QStringLiteral("--list"),
                  QString::fromStdString(List(1)), QStringLiteral("--printer"), kQueue});
  ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
  QStringList files = cups_->WaitForFiles(1);
  ASSERT_EQ(files.size(), 1);
  PdfPages info = Info(files[0]);
  EXPECT_EQ(info.pages, 1);
  EXPECT_NEAR(std::min(info.width, info.height), 516, 3);  // JIS B5
  EXPECT_NEAR(std::max(info.width, info.height), 729, 3);
  QRect ink = InkBox(files[0], QString::fromStdString(folder.File("page")));
  ASSERT_FALSE(ink.isEmpty());
  if (info.width < info.height) {
    EXPECT_GT(ink.height(), 4 * ink.width());  // the sheet upright, the page turned on it
  } else {
    EXPECT_GT(ink.width(), 4 * ink.height());
  }
  QStringList jobs = cups_->JobsLogged();
  ASSERT_EQ(jobs.size(), 1);
  EXPECT_TRUE(jobs[0].startsWith(QStringLiteral("1/1 b5 - ワード・クイルマーク|")))
      << jobs[0].toStdString();
  EXPECT_TRUE(jobs[0].contains(QStringLiteral("B5"), Qt::CaseInsensitive)) << jobs[0].toStdString();
}

TEST_F(CupsQueue, ThePrintWindowPrintsEveryPageToTheQueue) {
  List(45);
  testsupport::ScriptedDialogs dialogs;
  testsupport::FakeDesktop desktop;
  platform::ProgramPaths paths{folder.path(), "quillmark_wd"};
  std::rename(folder.File("list.txt").c_str(), paths.ListFile().c_str());
  QtPrinter printer(kQueue.toStdString(), "");
  ASSERT_FALSE(printer.IsPdf());
  FixedClock clock{*MakeDate(2026, 12, 7)};
  PrintWindowServices s =
      testsupport::PrintWindowServicesFor(paths, dialogs, desktop, printer, clock);
  s.printsToPdf = [&printer] { return printer.IsPdf(); };
  dialogs.openNames = {QString::fromStdString(ShippedStyle())};
  PrintWindow window(s);
  window.show();
  QApplication::processEvents();
  ASSERT_EQ(window.State().Path(), ShippedStyle());
  window.PrintAllPages();
  EXPECT_TRUE(dialogs.shown.isEmpty()) << dialogs.shown.join('\n').toStdString();
  QStringList files = cups_->WaitForFiles(3);
  ASSERT_EQ(files.size(), 3) << files.join(' ').toStdString();
  QStringList jobs = cups_->JobsLogged();
  ASSERT_EQ(jobs.size(), 3);
  EXPECT_TRUE(jobs[2].startsWith(QStringLiteral("3/3 一覧表_A4縦 - ワード・クイルマーク|")));
  window.close();
}

TEST_F(CupsQueue, AnUnknownQueueIsRefusedWithTheQueuesThereAre) {
  ProgramRun run = RunProgram(QStringLiteral(QUILL_CLI),
                              {QStringLiteral("print"), QString::fromStdString(ShippedStyle()),
                               QStringLiteral("--list"), QString::fromStdString(List(3)),
                               QStringLiteral("--printer"), QStringLiteral("NoSuchQueue")});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_TRUE(run.err.contains(QStringLiteral("NoSuchQueue"))) << run.err.toStdString();
  EXPECT_TRUE(run.err.contains(kQueue + QStringLiteral("（既定）"))) << run.err.toStdString();
  EXPECT_EQ(QtPrinter::QueueNames().front(), kQueue.toStdString());
  // Queue names are the same in any case, and printing uses the system's.
  EXPECT_EQ(QtPrinter::CheckQueue(kQueue.toLower().toStdString()), kQueue.toStdString());
  EXPECT_TRUE(cups_->WaitForFiles(0).isEmpty());
}

// A queue that takes no jobs: nothing is sent, the command says why and
// fails; a queue that is stopped keeps the jobs, and the user is told they
// wait.
TEST_F(CupsQueue, ARefusingQueueFailsTheRunAndAStoppedOneIsSaidToWait) {
  QStringList print = {QStringLiteral("print"),     QString::fromStdString(ShippedStyle()),
                       QStringLiteral("--list"),    QString::fromStdString(List(45)),
                       QStringLiteral("--printer"), kQueue};
  ASSERT_EQ(RunProgram(Tool("cupsreject"), {kQueue}).exitCode, 0);
  ProgramRun refused = RunProgram(QStringLiteral(QUILL_CLI), print);
  RunProgram(Tool("cupsaccept"), {kQueue});
  EXPECT_EQ(refused.exitCode, 1);
  EXPECT_TRUE(refused.err.contains(QStringLiteral("受け付けていません")))
      << refused.err.toStdString();
  EXPECT_FALSE(refused.err.contains(QStringLiteral("pages:"))) << refused.err.toStdString();

  ASSERT_EQ(RunProgram(Tool("cupsdisable"), {kQueue}).exitCode, 0);
  ProgramRun waiting = RunProgram(QStringLiteral(QUILL_CLI), print);
  RunProgram(Tool("cancel"), {QStringLiteral("-a"), kQueue});
  RunProgram(Tool("cupsenable"), {kQueue});
  EXPECT_EQ(waiting.exitCode, 0) << waiting.err.toStdString();
  EXPECT_TRUE(waiting.err.contains(QStringLiteral("pages: 3"))) << waiting.err.toStdString();
  EXPECT_TRUE(waiting.err.contains(QStringLiteral("停止しています"))) << waiting.err.toStdString();
}

// The queue starts refusing in the middle of a run: the page it refused is
// said, with the pages before it, and the run fails.
TEST_F(CupsQueue, APageTheQueueRefusesEndsTheRunNamingThePagesThatArrived) {
  QtPrinter printer(kQueue.toStdString(), "");
  ASSERT_FALSE(printer.IsPdf());
  printer.ApplyPaperSettings(9, 0);
  printer.BeginRun("refused");
  printer.BeginPage("1/2 refused");
  EXPECT_NO_THROW(printer.EndPage());
  ASSERT_EQ(RunProgram(Tool("cupsreject"), {kQueue}).exitCode, 0);
  printer.BeginPage("2/2 refused");
  std::string message;
  try {
    printer.EndPage();
  } catch (const platform::UserError& e) {
    message = e.what();
  }
  printer.EndRun(false);
  RunProgram(Tool("cupsaccept"), {kQueue});
  EXPECT_NE(message.find("送れませんでした"), std::string::npos) << message;
  EXPECT_EQ(cups_->WaitForFiles(1).size(), 1);
}

bool SameDots(const PrinterDots& a, const PrinterDots& b) {
  return a.resolutionX == b.resolutionX && a.resolutionY == b.resolutionY &&
         a.physicalOffsetX == b.physicalOffsetX && a.physicalOffsetY == b.physicalOffsetY &&
         a.physicalWidth == b.physicalWidth && a.physicalHeight == b.physicalHeight &&
         a.pageWidth == b.pageWidth && a.pageHeight == b.pageHeight;
}

// Qt's print dialog shows a queue's default paper whatever the printer has:
// accepted unchanged it still leaves every paper the queue offers, in both
// orientations, as it was; its page settings show the printer's paper.
TEST_F(CupsQueue, EveryPaperTheQueueOffersSurvivesItsPrintDialogAcceptedUnchanged) {
  QtPrinter printer(kQueue.toStdString(), "");
  int offered = 0;
  for (int code = 1; code <= kPaperCount; ++code) {
    if (!printer.OffersPaper(code)) {
      continue;
    }
    ++offered;
    for (int orientation : {0, 1}) {
      SCOPED_TRACE("code " + std::to_string(code) + " orientation " + std::to_string(orientation));
      printer.ApplyPaperSettings(code, orientation);
      PrinterPaper before = printer.CurrentPaper();
      PrinterDots dots = printer.Measure();
      ASSERT_EQ(before.code, code);
      ASSERT_TRUE(printer.RunSetupDialog(nullptr, testsupport::AcceptPrintDialog));
      EXPECT_EQ(printer.Destination(), kQueue.toStdString());
      EXPECT_EQ(printer.CurrentPaper().code, code);
      EXPECT_EQ(printer.CurrentPaper().landscape, orientation != 0);
      EXPECT_TRUE(SameDots(printer.Measure(), dots));
    }
  }
  EXPECT_GT(offered, 30);                 // A3 to A5, B4 and B5, Letter, Legal...
  EXPECT_FALSE(printer.OffersPaper(43));  // no Japanese Postcard on this queue

  printer.ApplyPaperSettings(1, 0);  // Letter, not the queue's default A4
  QString shown;
  ASSERT_TRUE(printer.RunSetupDialog(nullptr, [&](QPrintDialog& dialog) {
    return testsupport::AcceptWithPageSettings(dialog, [&](QComboBox* papers) {
      ASSERT_NE(papers, nullptr);
      shown = papers->currentText();
    });
  }));
  QSizeF letter = QPageSize(QPageSize::Letter).size(QPageSize::Millimeter);
  bool shownIsLetter = false;
  for (const QPageSize& size : QPrinterInfo::printerInfo(kQueue).supportedPageSizes()) {
    if (size.name() == shown) {
      QSizeF mm = size.size(QPageSize::Millimeter);
      shownIsLetter =
          std::abs(mm.width() - letter.width()) < 1 && std::abs(mm.height() - letter.height()) < 1;
    }
  }
  EXPECT_TRUE(shownIsLetter) << shown.toStdString();
  EXPECT_EQ(printer.CurrentPaper().code, 1);
}

// Qt's dialog moves a PDF printer to a queue as it opens: cancelled, the
// printer stays the PDF printer; accepted, the queue prints on the paper the
// printer had.
TEST_F(CupsQueue, ThePrintDialogOnThePdfPrinterChangesNothingWhenCancelled) {
  QtPrinter printer("", folder.File("out.pdf"));
  printer.ApplyPaperSettings(13, 1);
  EXPECT_FALSE(printer.RunSetupDialog(nullptr, testsupport::CancelPrintDialog));
  EXPECT_TRUE(printer.IsPdf());
  EXPECT_EQ(printer.Destination(), "PDF: " + folder.File("out.pdf"));
  EXPECT_EQ(printer.CurrentPaper().code, 13);
  EXPECT_TRUE(printer.CurrentPaper().landscape);

  ASSERT_TRUE(printer.RunSetupDialog(nullptr, testsupport::AcceptPrintDialog));
  if (!printer.IsPdf()) {
    EXPECT_EQ(printer.Destination(), kQueue.toStdString());
  }
  EXPECT_EQ(printer.CurrentPaper().code, 13);
  EXPECT_TRUE(printer.CurrentPaper().landscape);
}

// A style whose paper the queue does not have: the paper command says so
// and the style's header stays as it was.
TEST_F(CupsQueue, APaperTheQueueLacksIsSaidAndTheStyleKeepsItsHeader) {
  testsupport::ScriptedDialogs dialogs;
  testsupport::FakeDesktop desktop;
  platform::ProgramPaths paths{folder.path(), "quillmark_wd"};
  std::string shipped = testsupport::ReadAll(ShippedStyle());
  std::string postcard = "header;Ver1.1;0;0;43;0;0;100;0;" + shipped.substr(shipped.find("\r\n"));
  std::string style = folder.Write("postcard.sle", postcard);
  catalogue::WriteListFile(paths.ListFile(), {"a.doc;A;;;;;;;;;;,"});
  QtPrinter printer(kQueue.toStdString(), "");
  FixedClock clock{*MakeDate(2026, 12, 7)};
  PrintWindowServices s =
      testsupport::PrintWindowServicesFor(paths, dialogs, desktop, printer, clock);
  s.printsToPdf = [&printer] { return printer.IsPdf(); };
  s.setupDialog = [&printer] {
    return printer.RunSetupDialog(nullptr, testsupport::AcceptPrintDialog);
  };
  dialogs.openNames = {QString::fromStdString(style)};
  PrintWindow window(s);
  window.show();
  QApplication::processEvents();
  ASSERT_EQ(window.State().PaperEntry(), 43);

  window.PaperSetupIntoStyle();
  EXPECT_EQ(window.State().PaperEntry(), 43);
  EXPECT_EQ(window.State().PageLines()[0], "header;Ver1.1;0;0;43;0;0;100;0;");
  QString said = testsupport::ShownText(window, "MessageStatus");
  EXPECT_TRUE(said.contains(kQueue) && said.contains(QStringLiteral("がありません")))
      << said.toStdString();
  window.SaveSettings();
  EXPECT_EQ(testsupport::ReadAll(style), postcard);
  window.close();
}

// With no scheduler to ask, the command line says so rather than that the
// computer has no printer.
TEST(CupsScheduler, NoSchedulerIsSaidToBeUnreachable) {
  QProcess cli;
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert(QStringLiteral("CUPS_SERVER"), QStringLiteral("/nonexistent/cups.sock"));
  cli.setProcessEnvironment(environment);
  cli.start(QStringLiteral(QUILL_CLI), {QStringLiteral("print"),
                                        QString::fromStdString(std::string(QUILL_SOURCE_DIR) +
                                                               "/resources/style/一覧表_A4縦.sle"),
                                        QStringLiteral("--list"), QStringLiteral("/dev/null"),
                                        QStringLiteral("--printer"), QStringLiteral("AnyQueue")});
  ASSERT_TRUE(cli.waitForFinished(60000));
  QString err = QString::fromUtf8(cli.readAllStandardError());
  EXPECT_EQ(cli.exitCode(), 1);
  EXPECT_TRUE(err.contains(QStringLiteral("応答しません"))) << err.toStdString();
}

}  // namespace
}  // namespace printing
