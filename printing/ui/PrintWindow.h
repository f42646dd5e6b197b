#pragma once

#include <QDialog>
#include <QPointer>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "catalogue/core/DocumentList.h"
#include "catalogue/core/FolderAndTitle.h"
#include "layout/core/Fixed.h"
#include "platform/files/ProgramPaths.h"
#include "printing/core/Binding.h"
#include "printing/core/ListFileCache.h"
#include "printing/core/PageDrawing.h"
#include "printing/core/PageSetup.h"
#include "printing/core/PrintState.h"

class QAction;
class QBoxLayout;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollArea;
class QSlider;
class QStatusBar;

namespace layout {
class PictureDecoder;
}
namespace platform {
class Desktop;
}
namespace widgets {
class Dialogs;
}

namespace printing {

class Printer;
class PreviewArea;

// Opens the style designer on the print state's style, as a window of
// `parent`'s, with the printer's measurements and the picture decoder and
// clock the print window draws with; `saved` is told the path of every
// style the designer saves. Nothing when the style cannot be opened (the
// designer has said why).
using DesignerFactory =
    std::function<QWidget*(QWidget* parent, PrintState& state, const PrinterMetrics& metrics,
                           layout::PictureDecoder* pictures, Clock* clock,
                           std::function<void(const std::string& path)> saved)>;

// What the print window reads from the main window and the platform.
struct PrintWindowServices {
  const platform::ProgramPaths* paths = nullptr;
  widgets::Dialogs* dialogs = nullptr;
  platform::Desktop* desktop = nullptr;
  Printer* printer = nullptr;
  layout::PictureDecoder* pictures = nullptr;
  Clock* clock = nullptr;
  // The printer setup dialog; true when confirmed.
  std::function<bool()> setupDialog;
  // Whether the printer writes a PDF file (no printer queue); before such a
  // print run, the file it goes to.
  std::function<bool()> printsToPdf;
  std::function<void(const std::string& pdfPath, platform::ReadOnlyTarget readOnly)> preparePdf;
  // The main window's folder and report title, bound into "#FL" and "#T".
  const catalogue::FolderAndTitle* folderAndTitle = nullptr;
  // The main window's documents, bound as they stand when the window opens
  // (the rows of unreadable files left out). None: the list file is read
  // (a print window of its own, as the tests open).
  const catalogue::DocumentList* documents = nullptr;
  // The style designer 「デザイン」 opens; none: the command does nothing.
  DesignerFactory designers;
  // Where the first PDF is offered; empty: the user's documents folder.
  QString documentsFolder;
};

// The print window: the bound page previewed on the printer's sheet, style
// choice and paging, offsets, paper and printing.
class PrintWindow : public QDialog {
  Q_OBJECT

 public:
  explicit PrintWindow(PrintWindowServices services, QWidget* parent = nullptr);
  ~PrintWindow() override;

  // The style, page, offsets and paper the window shows, which the designer
  // it opens shows too.
  PrintState& State() { return state_; }
  // A menu item by its name ("N3", "print_command", ...).
  QAction* Item(const QString& name) const;
  // Things the window's services need kept alive as long as it lives.
  void KeepAlive(std::shared_ptr<void> owned) { owned_ = std::move(owned); }

  void LoadStyle(QString path);
  void NewStyle();
  void StoreHeader();
  void RefreshPreview();
  void SetZoom(int zoom);
  // The arrow commands: dx, dy of -1, 0 or 1 times the step of the keys held.
  void StepOffset(int dx, int dy, bool shift, bool ctrl);
  void SaveSettingsToStyle(const QString& message);
  void PrintAllPages();
  // Opens the style designer on the style shown (a new style when none is
  // loaded), or brings the open one forward when it edits that style. One
  // open on another style is closed first (it asks to save; the user may go
  // back to it). A style saved there is shown here, with the offsets and
  // paper not yet saved here kept.
  void OpenDesigner();
  QWidget* Designer() const { return designer_; }

 public slots:
  void ChooseStyle();
  void ChooseStyleKeepingPage();
  void ReloadStyle();
  void WriteBackup();
  void FirstPage();
  void NextPage();
  void PaperSetupFromMenu();
  void PaperSetupIntoStyle();
  void SaveSettingsFromMenu();
  void SaveSettings();
  void Quit();
  void OpenManual();

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  // Escape and the window's close both close the designer first.
  void reject() override;

 private:
  // The report title and folder as the tags take them (code page 932).
  std::string Title() const;
  std::string Folder() const;
  void BuildWindow();
  void BuildStatusBar(QBoxLayout* layout);
  void BuildMenus();
  // The first showing: the printer's paper, the default layout, then the
  // open dialog for a style.
  void AskForFirstStyle();
  void LayoutPreview();
  void DrawPreview(QPainter& painter);
  // The settings the preview draws the page with.
  PageSettings PreviewSettings() const;
  // The first picture the paper would be without ("N 行目の画像: why"), or
  // nothing: the page drawn as printed, aside.
  QString PictureFailureOnPaper();
  void ReadMetrics();
  // What the offset boxes hold (typed, Enter pressed or not) into the state.
  void TakeOffsetBoxes();
  void OffsetEntered();
  // The offset boxes show the state's offsets.
  void ShowOffsets();
  // After the state took a style or page: its offsets, paper on the
  // printer, the printer's measurements, the preview and the paper label.
  void ShowStyleState();
  // Binds the page the state's page number says, from the style in memory.
  void TurnPage();
  // The designer saved a style: it is shown here.
  void TakeDesignerStyle(const std::string& path);
  // The paper label and the orientation beside it, as the printer has them.
  void ShowPrinterPaper();
  // After a setup dialog: whether the printer lacks the paper it was left
  // with (the style's, unless the user chose one), said in the status bar.
  bool SayWhenPaperIsNotOffered();
  // The PDF file a print run writes, asked with a save dialog that offers a
  // new time-stamped name in the folder used last; empty when cancelled.
  QString AskPdfDestination();
  void ShowWrittenPdf(const QString& path, int pages);
  // Kept in the settings file: the next print offers the same folder.
  void RememberPdfFolder(const QString& pdf);

  PrintWindowServices s_;
  std::shared_ptr<void> owned_;
  ListFileCache list_;
  std::vector<std::string> documentLines_;  // of services' documents
  PrintState state_;
  int zoom_ = 100;
  PrinterMetrics metrics_;
  layout::Fixed screenX_ = layout::Fixed::FromInt(96);
  layout::Fixed screenY_ = layout::Fixed::FromInt(96);
  QString lastDrawError_;
  QString rememberedStyle_;      // the style the settings file offers next time
  QString shownPictureFailure_;  // in the status bar
  bool shown_ = false;

  QLabel* stylePathLabel_ = nullptr;
  QSlider* zoomSlider_ = nullptr;
  QLineEdit* offsetXBox_ = nullptr;
  QLineEdit* offsetYBox_ = nullptr;
  QCheckBox* offsetsInPreviewCheck_ = nullptr;
  QLabel* paperLabel_ = nullptr;
  QLabel* orientationLabel_ = nullptr;
  QScrollArea* previewScroll_ = nullptr;
  QWidget* sheet_ = nullptr;
  PreviewArea* previewArea_ = nullptr;
  QStatusBar* statusBar_ = nullptr;
  QLabel* changeStatus_ = nullptr;       // 「変更なし」 after every redraw
  QLabel* loadedStyleStatus_ = nullptr;  // the path of the loaded style
  QLabel* messageStatus_ = nullptr;      // printing and measuring messages
  QPushButton* openPdfFolderButton_ = nullptr;
  QString writtenPdf_;
  QPointer<QWidget> designer_;
  // Off while a designer on another style closes: its last save must not
  // take the place of the style the user asked to design.
  bool followDesignerSaves_ = true;
};

}  // namespace printing
