#include "printing/qt/QtPrinter.h"

#include <cups/cups.h>
#include <sys/statvfs.h>

#include <QFile>
#include <QFileInfo>
#include <QPageLayout>
#include <QPrintDialog>
#include <QPrinterInfo>
#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <string_view>

#include "platform/errors/UserError.h"
#include "platform/files/FileBytes.h"
#include "platform/files/ReplacingFileWriter.h"
#include "printing/core/PaperSizes.h"
#include "printing/core/PdfSubject.h"
#include "printing/pdf/QpdfToUnicode.h"
#include "printing/qt/PdfCharacterMap.h"
#include "printing/qt/PrintDialogPaper.h"

namespace printing {

namespace {

constexpr int kPdfDpi = 600;
constexpr double kPdfMarginMm = 100.0 * 25.4 / kPdfDpi;
// The queue's own page size of the dimensions of `paper`, if it offers one.
std::optional<QPageSize> OfferedSize(const QPrinterInfo& queue, const QPageSize& paper) {
  QSizeF wanted = paper.size(QPageSize::Millimeter);
  for (const QPageSize& size : queue.supportedPageSizes()) {
    if (SamePaperSize(size.size(QPageSize::Millimeter), wanted)) {
      return size;
    }
  }
  return std::nullopt;
}

// Whether the last request to the scheduler failed because none answered.
bool SchedulerUnreachable() {
  ipp_status_t status = cupsLastError();
  return status == IPP_STATUS_ERROR_SERVICE_UNAVAILABLE || status == IPP_STATUS_ERROR_INTERNAL;
}

constexpr const char* kNoScheduler = "印刷サービス (CUPS) が応答しません";

// What the scheduler says of a queue.
struct QueueState {
  bool found = false;
  bool accepting = true;
  bool stopped = false;
  std::string reasons;
};

QueueState StateOfQueue(const std::string& queue) {
  QueueState state;
  cups_dest_t* dest = cupsGetNamedDest(CUPS_HTTP_DEFAULT, queue.c_str(), nullptr);
  if (dest == nullptr) {
    return state;
  }
  state.found = true;
  auto option = [dest](const char* name) {
    const char* value = cupsGetOption(name, dest->num_options, dest->options);
    return std::string(value != nullptr ? value : "");
  };
  state.accepting = option("printer-is-accepting-jobs") != "false";
  state.stopped = option("printer-state") == "5";  // IPP_PSTATE_STOPPED
  state.reasons = option("printer-state-reasons");
  if (state.reasons == "none") {
    state.reasons.clear();
  }
  cupsFreeDests(1, dest);
  return state;
}

// Whether the file system that holds `path` has no room left.
bool NoRoomFor(const std::string& path) {
  std::string folder = QFileInfo(QFile::decodeName(QByteArray::fromStdString(path)))
                           .absolutePath()
                           .toLocal8Bit()
                           .toStdString();
  struct statvfs fs {};
  return ::statvfs(folder.c_str(), &fs) == 0 &&
         static_cast<unsigned long long>(fs.f_bavail) * fs.f_frsize < (1u << 20);
}

// Adds to the finished PDF at `path` the characters beyond the BMP its
// fonts draw unsaid; false when the file cannot be read or added to.
// Appends to the PDF at `path` the incremental update `make` gives for its
// bytes (none when it gives nothing); false only when the file cannot be
// read or written.
template <typename Make>
bool AppendUpdate(const std::string& path, Make make) {
  QFile file(QFile::decodeName(QByteArray::fromStdString(path)));
  if (!file.open(QIODevice::ReadWrite)) {
    return false;
  }
  QByteArray pdf = file.readAll();
  std::string update =
      make(std::string_view(pdf.constData(), static_cast<std::size_t>(pdf.size())));
  if (update.empty()) {
    return true;  // a file laid out otherwise is kept as it is
  }
  return file.seek(pdf.size()) &&
         file.write(update.data(), static_cast<qint64>(update.size())) ==
             static_cast<qint64>(update.size()) &&
         file.flush();
}

bool AddCharactersBeyondBmp(const std::string& path, const PdfCharacterMap& characters) {
  if (characters.Missing().empty()) {
    return true;
  }
  return AppendUpdate(
      path, [&](std::string_view pdf) { return ToUnicodeUpdate(pdf, characters.Missing()); });
}

// Gives the PDF at `path` its document information's subject (the writer
// has no way to set one); false only when the file cannot be written.
bool AddSubject(const std::string& path, const std::string& subject) {
  if (subject.empty()) {
    return true;
  }
  return AppendUpdate(path, [&](std::string_view pdf) { return SubjectUpdate(pdf, subject); });
}

}  // namespace

std::optional<CodePaper> QtPaperOfCode(int code) {
  const printing::PaperSize* paper = printing::PaperOfCode(code);
  if (paper == nullptr || paper->unit == printing::PaperUnit::None) {
    return std::nullopt;
  }
  QPageSize::Unit unit =
      paper->unit == printing::PaperUnit::Inch ? QPageSize::Inch : QPageSize::Millimeter;
  // Qt's named size of the published dimensions (within Qt's tolerance), so
  // that Qt's dialogs recognise the paper and keep it.
  QPageSize named(QSizeF(paper->width, paper->height), unit);
  if (named.id() != QPageSize::Custom) {
    return CodePaper{named, false};
  }
  // A sheet wider than high (A4 Rotated, say) is the named size turned.
  QPageSize turned(QSizeF(paper->height, paper->width), unit);
  if (turned.id() != QPageSize::Custom) {
    return CodePaper{turned, true};
  }
  return CodePaper{QPageSize(QSizeF(paper->width, paper->height), unit,
                             QString::fromUtf8(paper->label), QPageSize::ExactMatch),
                   false};
}

bool EndsLikeAPdf(const std::string& path) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) {
    return false;
  }
  char tail[32] = {};
  std::size_t n = 0;
  if (std::fseek(file, -static_cast<long>(sizeof tail), SEEK_END) == 0) {
    n = std::fread(tail, 1, sizeof tail, file);
  }
  std::fclose(file);
  return std::string_view(tail, n).find("%%EOF") != std::string_view::npos;
}

bool QtPrinter::HasSystemPrinter() {
  return !QPrinterInfo::defaultPrinter().isNull();
}

std::vector<std::string> QtPrinter::QueueNames() {
  std::vector<std::string> names;
  QString fallback = QPrinterInfo::defaultPrinterName();
  if (!fallback.isEmpty()) {
    names.push_back(fallback.toStdString());
  }
  for (const QString& name : QPrinterInfo::availablePrinterNames()) {
    if (name != fallback) {
      names.push_back(name.toStdString());
    }
  }
  return names;
}

std::string QtPrinter::CheckQueue(const std::string& name) {
  std::vector<std::string> queues = QueueNames();
  for (const std::string& queue : queues) {
    if (QString::fromStdString(queue).compare(QString::fromStdString(name), Qt::CaseInsensitive) ==
        0) {
      return queue;
    }
  }
  std::string message = "プリンター「";
  message += name;
  message += "」が見つかりません。";
  if (queues.empty()) {
    cups_dest_t* dests = nullptr;
    int count = cupsGetDests2(CUPS_HTTP_DEFAULT, &dests);
    cupsFreeDests(count, dests);
    message += count == 0 && SchedulerUnreachable()
                   ? kNoScheduler
                   : "このコンピューターにはプリンターがありません";
  } else {
    message += "使えるプリンター: ";
    for (std::size_t i = 0; i < queues.size(); ++i) {
      message += i == 0 ? "" : "、";
      message += queues[i];
      message += i == 0 ? "（既定）" : "";
    }
  }
  throw platform::UserError(message);
}

QtPrinter::QtPrinter(const std::string& queueName, const std::string& pdfPath)
    : queue_(queueName), pdfPath_(pdfPath) {
  pdf_ = !pdfPath.empty() || (queueName.empty() && !HasSystemPrinter());
  MakeDefaultPrinter();
}

QtPrinter::~QtPrinter() {
  if (painter_.isActive()) {
    painter_.end();
  }
}

void QtPrinter::SetPdfPath(const std::string& path, platform::ReadOnlyTarget readOnly) {
  pdfPath_ = path;
  pdfReadOnly_ = readOnly;
  if (IsPdf()) {
    printer_->setOutputFileName(QFile::decodeName(QByteArray::fromStdString(path)));
  }
}

void QtPrinter::MakeDefaultPrinter() {
  printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
  if (pdf_) {
    printer_->setOutputFormat(QPrinter::PdfFormat);
    printer_->setResolution(kPdfDpi);
    printer_->setPageSize(QPageSize(QPageSize::A4));
    printer_->setPageMargins(QMarginsF(kPdfMarginMm, kPdfMarginMm, kPdfMarginMm, kPdfMarginMm),
                             QPageLayout::Millimeter);
    printer_->setOutputFileName(QFile::decodeName(QByteArray::fromStdString(pdfPath_)));
    return;
  }
  printer_->setOutputFormat(QPrinter::NativeFormat);
  QString name = queue_.empty() ? QPrinterInfo::defaultPrinter().printerName()
                                : QString::fromLocal8Bit(queue_.c_str());
  printer_->setPrinterName(name);
  QPrinterInfo info = QPrinterInfo::printerInfo(name);
  if (!info.isNull()) {
    printer_->setPageSize(info.defaultPageSize());
  }
}

std::string QtPrinter::Destination() const {
  if (pdf_) {
    return "PDF: " + pdfPath_;
  }
  return printer_->printerName().toStdString();
}

bool QtPrinter::ExecDialog(QPrintDialog& dialog) {
  return dialog.exec() == QDialog::Accepted;
}

bool QtPrinter::RunSetupDialog(QWidget* parent, const DialogRun& run) {
  const bool wasPdf = IsPdf();
  const QString queue = printer_->printerName();
  const QPageLayout layout = printer_->pageLayout();
  const printing::PrinterPaper paper = CurrentPaper();
  bool accepted = false;
  bool paperChosen = false;
  {
    QPrintDialog dialog(printer_.get(), parent);
    PaperShownInDialog shown(dialog, layout.pageSize());
    accepted = run(dialog);
    paperChosen = PaperChosenIn(dialog);
  }
  if (!accepted) {
    // Qt's dialog moves a PDF printer to a queue as it opens, cancelled or
    // not: a cancelled dialog leaves the printer as it was.
    if (IsPdf() != wasPdf || printer_->printerName() != queue) {
      pdf_ = wasPdf;
      queue_ = queue.toLocal8Bit().toStdString();
      MakeDefaultPrinter();
      RestorePaper(paper, layout);
    }
    return false;
  }
  pdf_ = IsPdf();
  if (!pdf_) {
    queue_ = printer_->printerName().toLocal8Bit().toStdString();
  }
  if (!paperChosen) {
    // The user never saw the paper (or cancelled its page): paper and
    // orientation stay as they were, on whichever printer was chosen.
    RestorePaper(paper, layout);
  }
  return true;
}

void QtPrinter::RestorePaper(const printing::PrinterPaper& paper, const QPageLayout& layout) {
  if (paper.code != 0) {
    ApplyPaperSettings(paper.code, paper.landscape ? 1 : 0);
    return;
  }
  printer_->setPageSize(layout.pageSize());
  printer_->setPageOrientation(layout.orientation());
}

bool QtPrinter::OffersPaper(int code) const {
  if (printer_->outputFormat() == QPrinter::PdfFormat) {
    return true;  // the PDF printer takes any size
  }
  std::optional<CodePaper> paper = QtPaperOfCode(code);
  return paper &&
         OfferedSize(QPrinterInfo::printerInfo(printer_->printerName()), paper->size).has_value();
}

void QtPrinter::ApplyPaperSettings(int entry, int orientation) {
  pdf_ = printer_->outputFormat() == QPrinter::PdfFormat;
  // The printer's default paper (a queue keeps its own margins), then the
  // style's paper and orientation.
  QPrinterInfo queue = QPrinterInfo::printerInfo(printer_->printerName());
  QPageSize paper = pdf_ ? QPageSize(QPageSize::A4) : queue.defaultPageSize();
  appliedCode_ = 0;
  bool landscape = orientation != 0;
  if (std::optional<CodePaper> asked = QtPaperOfCode(entry)) {
    paper = asked->size;
    landscape = landscape != asked->turned;
    appliedCode_ = entry;
    if (!pdf_) {
      // A queue's own size of these dimensions, as its PPD names it, so
      // that the job asks for the paper by the name the queue knows.
      if (std::optional<QPageSize> offered = OfferedSize(queue, paper)) {
        paper = *offered;
      }
    }
  }
  printer_->setPageSize(paper);
  printer_->setPageOrientation(landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
  if (pdf_) {
    printer_->setPageMargins(QMarginsF(kPdfMarginMm, kPdfMarginMm, kPdfMarginMm, kPdfMarginMm),
                             QPageLayout::Millimeter);
  }
}

void QtPrinter::ApplyCustomPaper(const layout::CustomPaperSize& size, int orientation) {
  ApplyPaperSettings(0, orientation);  // settings afresh, margins included
  auto mm = [](layout::Fixed value) {
    return static_cast<double>(value.Raw()) / layout::Fixed::kOne;
  };
  printer_->setPageSize(QPageSize(QSizeF(mm(size.widthMm), mm(size.heightMm)),
                                  QPageSize::Millimeter, QStringLiteral("ユーザー定義"),
                                  QPageSize::ExactMatch));
  printer_->setPageOrientation(orientation != 0 ? QPageLayout::Landscape : QPageLayout::Portrait);
  if (pdf_) {
    printer_->setPageMargins(QMarginsF(kPdfMarginMm, kPdfMarginMm, kPdfMarginMm, kPdfMarginMm),
                             QPageLayout::Millimeter);
  }
}

printing::PrinterPaper QtPrinter::CurrentPaper() const {
  printing::PrinterPaper result;
  QPageLayout layout = printer_->pageLayout();
  bool landscape = layout.orientation() == QPageLayout::Landscape;
  result.landscape = landscape;
  QSizeF size = layout.pageSize().size(QPageSize::Millimeter);
  // Codes that share a size (A4 and A4 Transverse, say) read back as the one
  // that was applied while the printer still has its size.
  if (std::optional<CodePaper> applied = QtPaperOfCode(appliedCode_);
      applied && SamePaperSize(applied->size.size(QPageSize::Millimeter), size)) {
    result.code = appliedCode_;
    result.landscape = landscape != applied->turned;
    return result;
  }
  for (int code = 1; code <= printing::kPaperCount; ++code) {
    std::optional<CodePaper> candidate = QtPaperOfCode(code);
    if (candidate && !candidate->turned &&
        SamePaperSize(candidate->size.size(QPageSize::Millimeter), size)) {
      result.code = code;
      break;
    }
  }
  return result;
}

printing::PrinterDots QtPrinter::Measure() const {
  printing::PrinterDots dots;
  dots.resolutionX = printer_->logicalDpiX();
  dots.resolutionY = printer_->logicalDpiY();
  QRectF paper = printer_->paperRect(QPrinter::DevicePixel);
  QRectF page = printer_->pageRect(QPrinter::DevicePixel);
  dots.physicalOffsetX = static_cast<int>(std::lround(page.x() - paper.x()));
  dots.physicalOffsetY = static_cast<int>(std::lround(page.y() - paper.y()));
  dots.physicalWidth = static_cast<int>(std::lround(paper.width()));
  dots.physicalHeight = static_cast<int>(std::lround(paper.height()));
  dots.pageWidth = printer_->width();
  dots.pageHeight = printer_->height();
  return dots;
}

void QtPrinter::BeginRun(const std::string& documentTitle) {
  // The setup dialog may have switched between a queue and a file.
  pdf_ = printer_->outputFormat() == QPrinter::PdfFormat;
  pagesInRun_ = 0;
  pdfWriter_.reset();
  warning_.clear();
  if (!pdf_) {
    // A queue that takes no jobs would drop every page unsaid; a stopped
    // one keeps them until it is started again, which the user is told.
    std::string queue = printer_->printerName().toLocal8Bit().toStdString();
    QueueState state = StateOfQueue(queue);
    if (!state.found) {
      throw platform::UserError(SchedulerUnreachable()
                                    ? std::string(kNoScheduler)
                                    : "プリンター「" + queue + "」が見つかりません");
    }
    if (!state.accepting) {
      throw platform::UserError("プリンター「" + queue + "」は印刷を受け付けていません" +
                                (state.reasons.empty() ? "" : " (" + state.reasons + ")"));
    }
    if (state.stopped) {
      warning_ =
          "プリンター「" + queue + "」は停止しています。印刷はプリンターが再開されるまで待ちます";
    }
  }
  if (pdf_) {
    // The file's own title and creator; the queue's job names stay as
    // they were.
    printer_->setDocName(
        QString::fromUtf8(description_.title.empty() ? documentTitle : description_.title));
    printer_->setCreator(QString::fromUtf8(description_.creator));
    // The pages go to a temporary file beside the PDF, which replaces it
    // only when every page has printed: a failed or killed print leaves the
    // old PDF as it was and no half-written one.
    pdfTarget_ =
        pdfPath_.empty() ? QFile::encodeName(printer_->outputFileName()).toStdString() : pdfPath_;
    if (pdfTarget_.empty()) {
      throw platform::UserError("PDF の保存先が決まっていません");
    }
    pdfWriter_ = std::make_unique<platform::ReplacingFileWriter>(pdfTarget_, pdfReadOnly_);
    printer_->setOutputFileName(
        QFile::decodeName(QByteArray::fromStdString(pdfWriter_->TemporaryPath())));
    pdfCharacters_ = std::make_unique<PdfCharacterMap>();
  }
}

layout::Surface& QtPrinter::BeginPage(const std::string& jobTitle) {
  if (!pdf_) {
    // The queue shows each job by this name; set before the job starts.
    printer_->setDocName(QString::fromUtf8(jobTitle));
  }
  if (pdf_ && pagesInRun_ > 0) {
    // The pages of one print command go into one file.
    if (!printer_->newPage()) {
      throw platform::UserError("印刷のページを始められません");
    }
  } else if (!painter_.begin(printer_.get())) {
    throw platform::UserError("印刷を始められません: " + Destination());
  }
  surface_ = std::make_unique<layout::QtSurface>(painter_);
  if (pdf_ && pdfCharacters_) {
    surface_->WatchText(
        [this](const QString& text, const QFont& font) { pdfCharacters_->Drew(text, font); });
  }
  pageOpen_ = true;
  return *surface_;
}

void QtPrinter::EndPage() {
  pageOpen_ = false;
  if (!pdf_) {
    surface_.reset();
    // One job per page on a real printer: ending the painter hands the page
    // to the scheduler, whose answer is the last one this thread got.
    painter_.end();
    ipp_status_t status = cupsLastError();
    if (status >= IPP_STATUS_ERROR_BAD_REQUEST) {
      throw platform::UserError("ページをプリンター「" +
                                printer_->printerName().toLocal8Bit().toStdString() +
                                "」に送れませんでした: " + std::string(cupsLastErrorString()));
    }
  }
  ++pagesInRun_;
}

void QtPrinter::EndRun(bool completed) {
  if (pageOpen_) {
    // A page that failed half way is not printed.
    printer_->abort();
    pageOpen_ = false;
  }
  surface_.reset();
  bool ended = true;
  if (painter_.isActive()) {
    ended = painter_.end();
  }
  pagesInRun_ = 0;
  std::unique_ptr<platform::ReplacingFileWriter> writer = std::move(pdfWriter_);
  if (!writer) {
    return;
  }
  printer_->setOutputFileName(QFile::decodeName(QByteArray::fromStdString(pdfTarget_)));
  if (!completed) {
    return;  // the writer removes the temporary file; the old PDF stays
  }
  std::unique_ptr<PdfCharacterMap> characters = std::move(pdfCharacters_);
  if (!ended || !EndsLikeAPdf(writer->TemporaryPath()) ||
      (characters && !AddCharactersBeyondBmp(writer->TemporaryPath(), *characters)) ||
      !AddSubject(writer->TemporaryPath(), description_.subject)) {
    // A full disk, say: the file would not open. It is not kept.
    throw platform::UserError(platform::FileErrorMessage(
        "PDF を書き込めません", pdfTarget_, NoRoomFor(writer->TemporaryPath()) ? ENOSPC : EIO));
  }
  writer->Commit();
}

}  // namespace printing
