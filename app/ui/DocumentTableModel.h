#pragma once

#include <QAbstractTableModel>

#include "catalogue/core/DocumentList.h"

namespace app {

// The document list as Qt's views see it: a table of the eleven record
// fields under their headings, over the list itself (which stays the one
// owner of the rows). The headings are white on the grid's heading colour,
// the file-name and title columns white; a row the scan could not read
// shows its file name greyed, with the reason as its tooltip. Cells are
// never edited in place.
class DocumentTableModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  explicit DocumentTableModel(const catalogue::DocumentList& list, QObject* parent = nullptr);

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;

  // Before rows of the list are added, removed or put in another order:
  // the views let go of them (a reset of the model, which keeps the column
  // widths), until ListChanged.
  void ListAboutToChange();
  // After any change of the list: the views take its rows as they now are.
  // A change of rows not announced by ListAboutToChange is taken as rows
  // gone or added at the end with every cell drawn again.
  void ListChanged();

  // What a row without a file name shows when the scan that read it is not
  // at hand (a list opened again).
  static QString UnreadableWithoutName();

 private:
  const catalogue::DocumentList& list_;
  int shownRows_;
  bool resetting_ = false;
};

}  // namespace app
