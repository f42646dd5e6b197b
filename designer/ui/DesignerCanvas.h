#pragma once

#include <QWidget>
#include <optional>
#include <string>
#include <vector>

#include "designer/core/ElementGeometry.h"
#include "printing/core/PageSetup.h"

namespace layout {
class PictureDecoder;
}

namespace designer {

// The designer's page: the printer's sheet with its printable area, the
// style drawn by the same page drawing as the print preview, a 1 mm grid
// when snapping, and the selected element's box and handles. Pointer and
// Tab input go out as signals in millimetres; the window decides what they
// do.
class DesignerCanvas : public QWidget {
  Q_OBJECT

 public:
  DesignerCanvas(layout::PictureDecoder* pictures, QWidget* parent = nullptr);

  void SetSheet(const printing::PrinterMetrics& metrics, Fixed screenX, Fixed screenY);
  void SetZoom(int zoomPercent);
  int Zoom() const { return zoom_; }
  // The zoom at which the whole sheet fits `room` (pixels), within 10 to 400.
  int FitZoom(QSize room) const;
  // The style lines to draw and the folder relative picture names are
  // looked for in (file-system bytes).
  void SetLines(std::vector<std::string> lines, std::string styleFolder);
  void SetSelection(std::optional<ElementShape> shape);
  // The boxes of a selection of several elements (drawn without handles).
  void SetGroupSelection(std::vector<MmBox> boxes);
  // The rectangle being dragged out to select what lies inside it.
  void SetBand(std::optional<MmBox> band);
  // The lines a moved element meets another's edge or centre on.
  void SetGuides(std::optional<Fixed> x, std::optional<Fixed> y);
  void SetGridShown(bool shown);
  // The grid's step in millimetres (0.5, 1, 2 or 5).
  void SetGridStep(Fixed step);
  // Guides dragged out of the rulers: vertical lines at x, horizontal ones
  // at y (mm). They belong to the window, not to the style.
  void AddRulerGuide(bool vertical, Fixed at);
  void ClearRulerGuides();
  const std::vector<Fixed>& GuidesX() const { return guidesX_; }
  const std::vector<Fixed>& GuidesY() const { return guidesY_; }
  // The guide being dragged out of a ruler, shown until it is let go.
  void ShowPendingGuide(std::optional<std::pair<bool, Fixed>> guide);
  // Boxes of pictures that cannot be found, drawn crossed.
  void SetPlaceholders(std::vector<MmBox> boxes);

  // Page millimetres at a point of the widget, and back (top-left of the
  // printable area is 0, 0).
  MmPoint ToMm(QPoint point) const;
  QPoint ToPixel(MmPoint point) const;
  // Millimetres per widget pixel at the current zoom.
  Fixed MmPerPixel() const;
  // The page's drawing scale at the zoom shown.
  Fixed PixelsPerMm() const;

 signals:
  // `extend`: Shift or Ctrl was held (the click adds to the selection).
  void pressed(designer::MmPoint at, bool extend);
  // `freely`: Alt is held, so nothing snaps (values stay in tenths).
  void dragged(designer::MmPoint from, designer::MmPoint to, bool freely);
  void released(designer::MmPoint from, designer::MmPoint to, bool freely);
  void pointerMoved(designer::MmPoint at);
  void cycleRequested(bool forward);
  void drawFailed(const QString& message);
  // A tag ("#T", "#ma_01" ...) dragged from the field list was dropped.
  void tagDropped(designer::MmPoint at, const QString& tag);
  // The pop-up menu was asked for at `at` (global: where to show it).
  void menuRequested(designer::MmPoint at, const QPoint& global);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  bool focusNextPrevChild(bool next) override;
  void keyPressEvent(QKeyEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dragMoveEvent(QDragMoveEvent* event) override;
  void dropEvent(QDropEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;

 private:
  void Relayout();
  QPoint AreaOrigin() const;
  void DrawGrid(QPainter& painter) const;
  void DrawSelection(QPainter& painter) const;
  void DrawRulerGuides(QPainter& painter) const;
  void DrawPlaceholders(QPainter& painter) const;

  layout::PictureDecoder* pictures_;
  printing::PrinterMetrics metrics_;
  Fixed screenX_ = Fixed::FromInt(96);
  Fixed screenY_ = Fixed::FromInt(96);
  int zoom_ = 100;
  printing::PreviewLayout layout_;
  std::vector<std::string> lines_;
  std::string styleFolder_;
  std::optional<ElementShape> selection_;
  std::vector<MmBox> placeholders_;
  std::vector<MmBox> group_;
  std::optional<MmBox> band_;
  std::optional<Fixed> guideX_;
  std::optional<Fixed> guideY_;
  bool gridShown_ = false;
  Fixed gridStep_ = Fixed::FromInt(1);
  std::vector<Fixed> guidesX_;
  std::vector<Fixed> guidesY_;
  std::optional<std::pair<bool, Fixed>> pendingGuide_;
  std::optional<MmPoint> dragFrom_;
};

}  // namespace designer
