#pragma once

#include <QMainWindow>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "designer/core/DragGesture.h"
#include "designer/core/EditedStyle.h"
#include "designer/core/ElementGeometry.h"
#include "designer/core/GroupEdits.h"
#include "designer/core/StyleDocument.h"
#include "designer/core/StyleEdits.h"
#include "designer/core/StyleProblems.h"
#include "printing/core/Binding.h"
#include "printing/core/PageSetup.h"
#include "printing/core/PrintState.h"

class QAction;
class QComboBox;
class QDockWidget;
class QListWidget;
class QLabel;
class QMenu;
class QScrollArea;
class QSpinBox;
class QUndoStack;

namespace layout {
class PictureDecoder;
}
namespace widgets {
class Dialogs;
}
namespace platform {
class Desktop;
}

namespace designer {

class DesignerCanvas;
class RuledScrollArea;
class PropertyPanel;
class QtElementMeasurer;

// What the designer takes from the print window.
struct DesignerServices {
  widgets::Dialogs* dialogs = nullptr;
  platform::Desktop* desktop = nullptr;  // the clipboard (none: no cut, copy or paste)
  layout::PictureDecoder* pictures = nullptr;
  printing::Clock* clock = nullptr;
  std::string settingsFile;  // where the window's place is kept
  QString styleFolder;       // where a new style is saved by default
  printing::PrinterMetrics metrics;
  // The print window's state: the style the designer opens and the report
  // title, folder and document list its page is bound with. None: a page
  // bound with nothing.
  printing::PrintState* printState = nullptr;
};

// The style designer: the page as it prints, elements selected by pointing
// or Tab, moved and resized with the pointer or the arrow keys, every field
// in the property panel, elements added, duplicated, deleted and put in
// front or behind, tags inserted; every change undoable; saved as a style
// file whose untouched lines keep their bytes.
class StyleDesigner : public QMainWindow {
  Q_OBJECT

 public:
  explicit StyleDesigner(DesignerServices services, QWidget* parent = nullptr);
  ~StyleDesigner() override;

  // Opens a style file, or a new style for an empty path; false when it
  // cannot be read (the message is shown).
  bool Open(const QString& path);
  // 新規: a new style on the print window's paper, once the edits here are
  // saved or let go (the user may go back).
  void StartNewStyle();
  // ひな形から新規: the styles of the program's style folder, and a new
  // style copied from one of them (never written back to it).
  QStringList Templates() const;
  void StartFromTemplate(const QString& templatePath);
  // Opens the style the print state shows, as it was read there (a new
  // style when none is loaded).
  void OpenPrintState();
  bool Save();
  bool SaveAs();

  void Select(int line);
  // Selects several elements (`primary`, one of them, is the one the panel
  // shows; -1: the last).
  void SelectMany(std::vector<int> lines, int primary = -1);
  const std::vector<int>& Selection() const { return selection_; }
  // The commands on every selected element, each one undoable step.
  // Shift+Alt+arrows: the selection's resizable elements wider or higher
  // by tenths of a millimetre (their right or bottom edge moves), one
  // step for a run of presses.
  void ResizeBy(int dwTenths, int dhTenths);
  void DeleteSelected();
  void DuplicateSelected();
  // The selection copied as the next rows of the list (row tags renumbered,
  // #maxline= raised), `pitch` or the style's own row pitch further down;
  // without either the pitch is asked.
  void DuplicateAsNextRow(std::optional<Fixed> pitch = std::nullopt);
  // The selection laid out `across` × `down` times (label sheets, lists).
  void RepeatSelected(int across, int down, Fixed pitchX, Fixed pitchY);
  // 「繰り返し配置…」: asks the counts and pitches, then repeats.
  void AskAndRepeatSelected();
  void SelectedToFront();
  void SelectedToBack();
  void AlignSelected(Alignment alignment);
  void DistributeSelected(bool across);
  // The selected elements on the clipboard as style lines (text), and
  // back: pasted on top of the page, 5 mm aside while they would land on
  // elements already there.
  void CopySelected();
  void CutSelected();
  void Paste();
  void SetZoom(int zoomPercent);  // 0: the whole page
  void SetShowData(bool shown);
  void SetSnap(bool snap);
  void SetElementSnap(bool snap) { snapElements_ = snap; }
  // The grid's step in tenths of a millimetre: 5, 10, 20 or 50 (kept in
  // the settings file).
  static constexpr int kGridSteps[] = {5, 10, 20, 50};
  void SetGridStep(int tenths);
  // Zooms so the selection fills the view, and shows it.
  void ZoomToSelection();
  // The page's pop-up menu: the element commands.
  QMenu* ContextMenu();
  // Moves the selection by dx, dy tenths of a millimetre (one undo step per
  // run of arrow keys).
  void Nudge(int dxTenths, int dyTenths);
  void AddElementOfKind(ElementKind kind);
  void InsertTag(const QString& tag);
  // A tag dropped at `at`: into the text element there, else a new data
  // element there holding it; one undoable step.
  void DropTag(MmPoint at, const QString& tag);
  // The tags the field list offers (the row tags of the row chosen).
  QStringList OfferedTags() const;
  // Sets the style's paper (list entry 1 to 118) and orientation (0
  // portrait, 1 landscape) as one undoable step; the sheet follows.
  void SetPaper(int paperEntry, int orientation,
                std::optional<layout::CustomPaperSize> custom = std::nullopt);
  // Asks for the paper and orientation (the page-setup command).
  void ChoosePaper();
  // The sheet the page is drawn on: the print window's printer on the
  // style's paper.
  const printing::PrinterMetrics& Sheet() const { return sheet_; }

  // State the print window and tests read.
  const StyleDocument& Document() const { return edited_.Document(); }
  int Selected() const { return selected_; }
  QString Path() const { return path_; }
  bool IsModified() const;
  QUndoStack* UndoStack() const { return undo_; }
  DesignerCanvas* Canvas() const { return canvas_; }
  PropertyPanel* Panel() const { return panel_; }
  QAction* Item(const QString& name) const;
  int BoundPage() const { return page_; }
  QString StatusText() const;
  // The lines the page drawing cannot use, as the problems list shows them.
  const std::vector<StyleProblem>& Problems() const { return problems_; }
  QListWidget* ProblemList() const { return problemList_; }

 signals:
  void saved(const QString& path);

 protected:
  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void BuildWindow();
  void BuildMenus();
  QAction* AddItem(QMenu* menu, const char* name, const QString& caption, const QKeySequence& keys,
                   const std::function<void()>& action);
  // Pushes an edit made by `make` (which may throw the program's message).
  void Perform(const std::function<StyleEdit()>& make, int mergeId = -1);
  // After the document changed: redraw, reselect, refresh the panel.
  void Changed(int select);
  void ChangedTo(std::vector<int> select, int primary = -1);
  // The edit shown while the pointer drags, if any.
  const std::optional<StyleEdit>& ShownEdit() const;
  // Line `line` as it is drawn now (a drag shown included).
  std::string ShownText(int line) const;
  // Ends a drag without changing the document.
  void CancelDrag();
  void Redraw();
  void ShowSelection();
  void UpdateTitle();
  void UpdateActions();
  std::optional<ElementShape> ShapeOf(int line) const;
  MmPoint PageCentre() const;
  Fixed Tolerance() const;
  void Cycle(bool forward);
  void StepPage(bool forward);
  void Pressed(MmPoint at, bool extend);
  void Dragged(MmPoint from, MmPoint to, bool freely);
  void Released(MmPoint from, MmPoint to, bool freely);
  // How a pointer edit places things now: the grid when it is on, the
  // other elements and the guides within reach; with `freely` (Alt held)
  // nothing but tenths of a millimetre.
  Placing CurrentPlacing(bool freely) const;
  // The move of every selected element the pointer's drag gives.
  std::optional<StyleEdit> GroupMoveEdit(MmPoint from, MmPoint to, bool freely) const;
  void EditField(int field, const QByteArray& value);
  void EditRecord(const QByteArray& text);
  // The problems list and the stand-ins for pictures not found, after a
  // change.
  void ShowProblems();
  // What the status bar says of the problems (some there are).
  QString ProblemsSummary() const;
  bool SaveTo(const QString& path);
  // Before a save into `folder`: the pictures in it or below named from
  // there, as one undo step (nothing when none changes).
  void NamePicturesFromFolder(const QString& readFrom, const QString& folder);
  // Takes a document read from `path` (empty for a new style).
  void Take(StyleDocument document, const QString& path, std::string fileStamp);
  // Asks for a picture file (starting beside the style) and gives its name
  // as an image record holds it; nothing when cancelled.
  std::optional<std::string> ChoosePicture();
  void ShowStatus(const QString& text);
  // Asks to save changed edits before they are let go: true when saved or
  // let go, false when the user goes back (or saving failed).
  bool AgreeToLeaveEdits();
  // The status line naming the style's problems, kept true as they are
  // repaired (cleared when none is left).
  void ShowProblemsStatus();
  // A new style on the print window's paper (A4 portrait without one).
  StyleDocument NewStyleOnPrintersPaper() const;
  // Sets the canvas's sheet to the style's paper, when it changed.
  void FollowStylePaper();

  DesignerServices s_;
  printing::PrinterMetrics sheet_;
  std::unique_ptr<QtElementMeasurer> measurer_;
  EditedStyle edited_;
  QString path_;
  std::string knownFile_;       // the file as last read or written here
  int selected_ = -1;           // the element the panel shows
  std::vector<int> selection_;  // every selected element, sorted
  // A drag of several elements, or of a selecting rectangle.
  enum class GroupDrag { None, Move, Band };
  GroupDrag groupDrag_ = GroupDrag::None;
  bool bandExtends_ = false;  // the rectangle adds to the selection
  std::optional<StyleEdit> groupShown_;
  int zoomChoice_ = 0;  // 0: the whole page
  bool showData_ = false;
  bool snap_ = false;
  Fixed gridStep_ = Fixed::FromInt(1);  // 0.5, 1, 2 or 5 mm
  bool snapElements_ = true;            // moves meet other elements' edges and centres
  int page_ = 1;
  bool lastPage_ = true;
  std::optional<printing::BindingData> binding_;
  QString drawError_;
  DragGesture drag_;  // a drag on the page, from press to release

  QUndoStack* undo_ = nullptr;
  DesignerCanvas* canvas_ = nullptr;
  RuledScrollArea* scroll_ = nullptr;
  PropertyPanel* panel_ = nullptr;
  QComboBox* zoomBox_ = nullptr;
  QSpinBox* tagRow_ = nullptr;
  QLabel* pageLabel_ = nullptr;
  QLabel* positionLabel_ = nullptr;
  QLabel* pointerLabel_ = nullptr;
  QLabel* messageLabel_ = nullptr;
  bool statusNamesProblems_ = false;
  QListWidget* problemList_ = nullptr;
  QListWidget* fieldList_ = nullptr;
  void FillFieldList();
  QDockWidget* problemDock_ = nullptr;
  std::vector<StyleProblem> problems_;
};

// The designer window the print window opens, on its state's style, as a
// window of `parent`'s; `saved` is told the path of every style it saves.
QWidget* OpenStyleDesigner(DesignerServices services, QWidget* parent,
                           std::function<void(const std::string& path)> saved);

// What the print window opens its designer with (its DesignerFactory):
// designers with these dialogs, settings file and style folder, on the print
// window's state, measurements, picture decoder and clock.
using DesignerOpener = std::function<QWidget*(
    QWidget* parent, printing::PrintState& state, const printing::PrinterMetrics& metrics,
    layout::PictureDecoder* pictures, printing::Clock* clock,
    std::function<void(const std::string& path)> saved)>;
DesignerOpener DesignerWindows(widgets::Dialogs& dialogs, platform::Desktop& desktop,
                               std::string settingsFile, QString styleFolder);

}  // namespace designer
