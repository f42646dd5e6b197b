#include "app/ui/DocumentTableModel.h"

#include <QBrush>
#include <QColor>

#include "app/core/ListGrid.h"
#include "platform/text/Utf8.h"
#include "widgets/Colors.h"

namespace app {

namespace {

// A cell shows at most this much of a value: a whole screen's width of
// text, converted for every repaint of a long value no further.
constexpr std::size_t kShownBytes = 4096;

QString Shown(const std::string& utf8) {
  std::size_t length =
      utf8.size() <= kShownBytes ? utf8.size() : platform::Utf8PrefixLength(utf8, kShownBytes);
  return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(length));
}

const QColor kUnreadableText(128, 128, 128);

}  // namespace

DocumentTableModel::DocumentTableModel(const catalogue::DocumentList& list, QObject* parent)
    : QAbstractTableModel(parent), list_(list), shownRows_(list.RowCount()) {}

QString DocumentTableModel::UnreadableWithoutName() {
  return QStringLiteral("（読み取れなかった文書）");
}

int DocumentTableModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : shownRows_;
}

int DocumentTableModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : kListGridColumns;
}

Qt::ItemFlags DocumentTableModel::flags(const QModelIndex& index) const {
  return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

QVariant DocumentTableModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= list_.RowCount()) {
    return {};
  }
  int row = index.row();
  int column = index.column();
  bool unreadable = list_.FromUnreadableFile(row) && !list_.HoldsDocument(row);
  switch (role) {
    case Qt::DisplayRole:
      if (unreadable && column == 0) {
        const std::string& name = list_.UnreadableName(row);
        return name.empty() ? UnreadableWithoutName() : Shown(name);
      }
      return Shown(list_.Field(row, column));
    case Qt::ToolTipRole:
    case Qt::AccessibleDescriptionRole:
      if (unreadable) {
        const std::string& reason = list_.UnreadableReason(row);
        return QStringLiteral("読み取れませんでした") +
               (reason.empty() ? QString() : QStringLiteral(": ") + Shown(reason));
      }
      return {};
    case Qt::ForegroundRole:
      if (unreadable) {
        return QBrush(kUnreadableText);
      }
      return column < 2 ? QVariant(QBrush(Qt::black)) : QVariant();
    case Qt::BackgroundRole: return column < 2 ? QVariant(QBrush(Qt::white)) : QVariant();
    case Qt::TextAlignmentRole:
      return QVariant::fromValue(Qt::Alignment(Qt::AlignLeft | Qt::AlignTop));
    default: return {};
  }
}

QVariant DocumentTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation == Qt::Vertical) {
    return role == Qt::DisplayRole ? QVariant(section + 1) : QVariant();
  }
  if (section < 0 || section >= kListGridColumns) {
    return {};
  }
  switch (role) {
    case Qt::DisplayRole: return QString::fromUtf8(catalogue::DocumentList::Heading(section));
    case Qt::BackgroundRole: return QBrush(widgets::ToQColor(kFixedCellColor));
    case Qt::ForegroundRole: return QBrush(Qt::white);
    case Qt::TextAlignmentRole: return QVariant::fromValue(Qt::Alignment(Qt::AlignCenter));
    default: return {};
  }
}

void DocumentTableModel::ListAboutToChange() {
  if (!resetting_) {
    resetting_ = true;
    beginResetModel();
  }
}

void DocumentTableModel::ListChanged() {
  int rows = list_.RowCount();
  if (resetting_) {
    shownRows_ = rows;
    resetting_ = false;
    endResetModel();
    return;
  }
  if (rows < shownRows_) {
    beginRemoveRows({}, rows, shownRows_ - 1);
    shownRows_ = rows;
    endRemoveRows();
  } else if (rows > shownRows_) {
    beginInsertRows({}, shownRows_, rows - 1);
    shownRows_ = rows;
    endInsertRows();
  }
  if (rows > 0) {
    emit dataChanged(index(0, 0), index(rows - 1, kListGridColumns - 1));
  }
}

}  // namespace app
