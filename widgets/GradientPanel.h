#pragma once

#include <QColor>
#include <QFrame>
#include <QString>

namespace widgets {

// A band or panel filled with a gradient (or one colour) that may show a
// caption: the widget set's gradient panel, and with `SetHorizontal` its
// gradient box.
class GradientPanel : public QFrame {
  Q_OBJECT

 public:
  explicit GradientPanel(QWidget* parent = nullptr);

  void SetColors(const QColor& from, const QColor& to);
  void SetHorizontal(bool horizontal);
  void SetCaption(const QString& caption);
  // Caption text: colour, pixel size, bold, and alignment in the panel.
  void SetCaptionStyle(const QColor& color, int pixelSize, bool bold,
                       Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter);

 protected:
  void paintEvent(QPaintEvent* event) override;
  // Room for the caption in its font besides what the contents need, so a
  // band sized to its contents never cuts it.
  QSize minimumSizeHint() const override;

 private:
  QFont CaptionFont() const;

  QColor from_;
  QColor to_;
  bool horizontal_ = false;
  QString caption_;
  QColor captionColor_ = Qt::white;
  int captionPixelSize_ = 12;
  bool captionBold_ = false;
  Qt::Alignment captionAlignment_ = Qt::AlignLeft | Qt::AlignVCenter;
};

}  // namespace widgets
