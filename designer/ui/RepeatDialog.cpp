#include "designer/ui/RepeatDialog.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QSpinBox>
#include <cmath>

#include "designer/core/RowRepeat.h"

namespace designer {

namespace {

using layout::Fixed;

constexpr double kLongestPitchMm = 2000;

// A distance in millimetres, in tenths.
QDoubleSpinBox* PitchBox(const char* name, Fixed value, double least) {
  auto* box = new QDoubleSpinBox;
  box->setObjectName(QString::fromLatin1(name));
  box->setDecimals(1);
  box->setRange(least, kLongestPitchMm);
  box->setSingleStep(0.5);
  box->setSuffix(QStringLiteral(" mm"));
  box->setValue(static_cast<double>(value.Raw()) / Fixed::kOne);
  return box;
}

Fixed FromBox(const QDoubleSpinBox* box) {
  return Fixed::FromRaw(std::llround(box->value() * 10) * (Fixed::kOne / 10));
}

QSpinBox* CountBox(const char* name, int value) {
  auto* box = new QSpinBox;
  box->setObjectName(QString::fromLatin1(name));
  box->setRange(1, kMostRepeats);
  box->setValue(value);
  return box;
}

QDialogButtonBox* OkAndCancel(QDialog& dialog) {
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
  return buttons;
}

}  // namespace

std::optional<RepeatChoice> AskRepeat(QWidget* parent, const RepeatChoice& suggested) {
  QDialog dialog(parent);
  dialog.setObjectName(QStringLiteral("DesignRepeatDialog"));
  dialog.setWindowTitle(QStringLiteral("繰り返し配置"));
  QSpinBox* across = CountBox("RepeatAcross", suggested.across);
  QSpinBox* down = CountBox("RepeatDown", suggested.down);
  QDoubleSpinBox* pitchX = PitchBox("RepeatPitchX", suggested.pitchX, 0);
  QDoubleSpinBox* pitchY = PitchBox("RepeatPitchY", suggested.pitchY, 0);
  auto* form = new QFormLayout(&dialog);
  form->addRow(QStringLiteral("横の数(&A):"), across);
  form->addRow(QStringLiteral("縦の数(&D):"), down);
  form->addRow(QStringLiteral("横の間隔(&X):"), pitchX);
  form->addRow(QStringLiteral("縦の間隔(&Y):"), pitchY);
  form->addRow(OkAndCancel(dialog));
  down->setFocus();
  down->selectAll();
  if (dialog.exec() != QDialog::Accepted) {
    return std::nullopt;
  }
  return RepeatChoice{across->value(), down->value(), FromBox(pitchX), FromBox(pitchY)};
}

std::optional<Fixed> AskRowPitch(QWidget* parent, Fixed suggested) {
  QDialog dialog(parent);
  dialog.setObjectName(QStringLiteral("DesignRowPitchDialog"));
  dialog.setWindowTitle(QStringLiteral("次の行として複製"));
  QDoubleSpinBox* pitch = PitchBox("RowPitch", suggested, 0.1);
  auto* form = new QFormLayout(&dialog);
  form->addRow(QStringLiteral("行の間隔(&P):"), pitch);
  form->addRow(OkAndCancel(dialog));
  pitch->setFocus();
  pitch->selectAll();
  if (dialog.exec() != QDialog::Accepted) {
    return std::nullopt;
  }
  return FromBox(pitch);
}

}  // namespace designer
