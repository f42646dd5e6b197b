#pragma once

#include <QPushButton>

namespace widgets {

// A push button drawn with a vertical gradient and the hand cursor.
class GradientButton : public QPushButton {
  Q_OBJECT

 public:
  explicit GradientButton(const QString& caption, QWidget* parent = nullptr);

 protected:
  void paintEvent(QPaintEvent* event) override;
};

}  // namespace widgets
