#pragma once

#include <QDialog>
#include <QPointer>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/core/ProgramPaths.h"
#include "catalogue/core/FolderAndTitle.h"
#include "designer/ui/StyleDesigner.h"
#include "layout/core/Fixed.h"
#include "printing/core/Binding.h"
#include "printing/core/PageSetup.h"

class QAction;
class QCheckBox;
class QComboBox;
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

// What the print window reads from the main window and the platform.
struct PrintWindowServices {
  const app::ProgramPaths* paths = nullptr;
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
  std::function<void(const std::string& pdfPath)> preparePdf;
  // The main window's folder and report title, bound into "#FL" and "#T".
  const catalogue::FolderAndTitle* folderAndTitle = nullptr;
};

// The print window: the bound page previewed on the printer's sheet, style
// choice and paging, offsets, paper and printing.
class PrintWindow : public QDialog {
  Q_OBJECT

 public:
  explicit PrintWindow(PrintWindowServices services, QWidget* parent = nullptr);
  ~PrintWindow() override;

  // State the tests read.
  const std::vector<std::string>& StyleLines() const { return styleLines_; }
  int PageNumber() const { return pageNumber_; }
  QString LoadedStylePath() const;
  int Zoom() const { return zoom_; }
  const PrinterMetrics& Metrics() const { return metrics_; }
  int PaperEntryValue() const { return paperEntry_; }
  QString OffsetText(bool x) const;
  QString PaperLabelText() const;
  QString OrientationText() const;
  QString StatusText(int panel) const;
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
  // Opens the style designer on the loaded style (a new style when none is
  // loaded), or brings the open one forward. A style saved there is loaded
  // here again.
  void OpenDesigner();
  designer::StyleDesigner* Designer() const { return designer_; }

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
  void BuildMenus();
  void FormShow();
  void LayoutPreview();
  void DrawPreview(QPainter& painter);
  void ReadMetrics();
  void TakeOffsetBoxes();
  bool StyleLoaded() const;
  void OffsetEntered();
  void ShowHeaderValues(const layout::Fixed& x, const layout::Fixed& y);
  // The paper label and the orientation beside it, as the printer has them.
  void ShowPrinterPaper();
  // The PDF file a print run writes, asked with a save dialog that offers a
  // new time-stamped name in the folder used last; empty when cancelled.
  QString AskPdfDestination();
  void ShowWrittenPdf(const QString& path, int pages);
  // Kept in the settings file: the next print offers the same folder.
  void RememberPdfFolder(const QString& pdf);

  PrintWindowServices s_;
  std::shared_ptr<void> owned_;
  std::vector<std::string> styleLines_;
  int pageNumber_ = 1;
  int zoom_ = 100;
  int paperEntry_ = 0;
  int orientation_ = 0;
  layout::Fixed offsetX_;
  layout::Fixed offsetY_;
  PrinterMetrics metrics_;
  layout::Fixed screenX_ = layout::Fixed::FromInt(96);
  layout::Fixed screenY_ = layout::Fixed::FromInt(96);
  QString lastDrawError_;
  bool shown_ = false;

  QLabel* stylePathLabel_ = nullptr;
  QSlider* zoomSlider_ = nullptr;
  QLineEdit* offsetXBox_ = nullptr;
  QLineEdit* offsetYBox_ = nullptr;
  QCheckBox* offsetsInPreviewCheck_ = nullptr;
  QComboBox* paperList_ = nullptr;
  QLabel* paperLabel_ = nullptr;
  QLabel* orientationLabel_ = nullptr;
  QScrollArea* previewScroll_ = nullptr;
  QWidget* sheet_ = nullptr;
  PreviewArea* previewArea_ = nullptr;
  QStatusBar* statusBar_ = nullptr;
  QPushButton* openPdfFolderButton_ = nullptr;
  QString writtenPdf_;
  QPointer<designer::StyleDesigner> designer_;
  std::vector<QLabel*> panels_;
};

}  // namespace printing
