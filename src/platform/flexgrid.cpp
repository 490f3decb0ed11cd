#include "platform/flexgrid.h"

#include <QCoreApplication>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QScrollBar>
#include <QStyle>
#include <algorithm>
#include <type_traits>
#include <utility>

#include "platform/units.h"

namespace plat {

namespace {
const QString kEmpty;
}

FlexGridModel::FlexGridModel(QObject* parent) : QAbstractTableModel(parent) {}

int FlexGridModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : rows_; }
int FlexGridModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : cols_; }

QVariant FlexGridModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid()) return {};
  const int r = index.row(), c = index.column();
  switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
      return text(r, c);
    case Qt::TextAlignmentRole:
      if (r >= fixed_ && align_.contains(c)) return QVariant::fromValue(align_.value(c) | Qt::AlignVCenter);
      return {};
    case Qt::BackgroundRole:
      if (r < fixed_) return fixedBrush_;
      return cellData(r, c, role);
    default:
      return cellData(r, c, role);
  }
}

bool FlexGridModel::setData(const QModelIndex& index, const QVariant& value, int role) {
  if (!index.isValid()) return false;
  if (role == Qt::DisplayRole || role == Qt::EditRole)
    setText(index.row(), index.column(), value.toString());
  else
    setCellData(index.row(), index.column(), role, value);
  return true;
}

Qt::ItemFlags FlexGridModel::flags(const QModelIndex& index) const {
  if (!index.isValid()) return Qt::NoItemFlags;
  return index.row() < fixed_ ? Qt::ItemIsEnabled : (Qt::ItemIsEnabled | Qt::ItemIsSelectable);
}

const QString& FlexGridModel::text(int row, int col) const {
  if (row < 0 || col < 0 || row >= rows_ || col >= cols_) return kEmpty;
  return cells_[at(row, col)];
}

void FlexGridModel::setText(int row, int col, const QString& t) {
  if (row < 0 || col < 0 || row >= rows_ || col >= cols_) return;
  QString& cell = cells_[at(row, col)];
  if (cell == t) return;
  cell = t;
  const QModelIndex i = index(row, col);
  emit dataChanged(i, i, {Qt::DisplayRole, Qt::EditRole});
}

QVariant FlexGridModel::cellData(int row, int col, int role) const {
  if (extras_.isEmpty()) return {};
  return extras_.value(key(row, col, role));
}

void FlexGridModel::setCellData(int row, int col, int role, const QVariant& v) {
  if (row < 0 || col < 0 || row >= rows_ || col >= cols_) return;
  extras_.insert(key(row, col, role), v);
  const QModelIndex i = index(row, col);
  emit dataChanged(i, i, {role});
}

void FlexGridModel::shiftExtras(int fromRow, int by) {
  if (extras_.isEmpty()) return;
  // Rows from fromRow on move by `by`; when by < 0 the rows it closes over go with their values.
  const int dropFrom = by < 0 ? fromRow + by : fromRow;
  QHash<quint64, QVariant> moved;
  moved.reserve(extras_.size());
  for (auto it = extras_.cbegin(); it != extras_.cend(); ++it) {
    const int r = static_cast<int>(it.key() >> 32);
    const quint64 low = it.key() & 0xffffffffu;
    if (r < dropFrom)
      moved.insert(it.key(), it.value());
    else if (r >= fromRow)
      moved.insert((static_cast<quint64>(static_cast<quint32>(r + by)) << 32) | low, it.value());
  }
  extras_ = std::move(moved);
}

void FlexGridModel::setRowCount(int n) {
  n = std::max(n, 0);
  if (n == rows_) return;
  if (n > rows_) {
    beginInsertRows({}, rows_, n - 1);
    cells_.resize(static_cast<qsizetype>(n) * cols_);
    rows_ = n;
    endInsertRows();
  } else {
    beginRemoveRows({}, n, rows_ - 1);
    shiftExtras(rows_, n - rows_);
    rows_ = n;
    cells_.resize(static_cast<qsizetype>(n) * cols_);
    cells_.squeeze();
    endRemoveRows();
  }
}

void FlexGridModel::setColumnCount(int n) {
  n = std::max(n, 0);
  if (n == cols_) return;
  beginResetModel();
  QList<QString> cells(static_cast<qsizetype>(rows_) * n);
  const int keep = std::min(n, cols_);
  for (int r = 0; r < rows_; ++r)
    for (int c = 0; c < keep; ++c) cells[static_cast<qsizetype>(r) * n + c] = std::move(cells_[at(r, c)]);
  cells_ = std::move(cells);
  cols_ = n;
  endResetModel();
}

void FlexGridModel::setColumnData(int firstRow, int col, int role, const QVector<QVariant>& values) {
  if (col < 0 || col >= cols_ || firstRow < 0) return;
  const int last = std::min(rows_, firstRow + static_cast<int>(values.size())) - 1;
  if (last < firstRow) return;
  for (int r = firstRow; r <= last; ++r)
    if (const QVariant& v = values[r - firstRow]; v.isValid()) extras_.insert(key(r, col, role), v);
  emit dataChanged(index(firstRow, col), index(last, col), {role});
}

template <typename Rows>
void FlexGridModel::insertRows(int at, Rows&& rows) {
  if (rows.isEmpty()) return;
  at = std::clamp(at, 0, rows_);
  const int n = static_cast<int>(rows.size());
  beginInsertRows({}, at, at + n - 1);
  const auto put = [&](QString* out) {
    for (int i = 0; i < n; ++i, out += cols_) {
      auto& src = rows[i];
      const int m = std::min(cols_, static_cast<int>(src.size()));
      for (int c = 0; c < m; ++c) {
        if constexpr (std::is_const_v<std::remove_reference_t<decltype(src)>>)
          out[c] = src[c];
        else
          out[c] = std::move(src[c]);
      }
    }
  };
  const qsizetype pos = this->at(at, 0);
  // The new cells are made empty where they go (a list of texts grows without copying them), then
  // filled; only rows after them move.
  cells_.insert(pos, static_cast<qsizetype>(n) * cols_, QString());
  put(cells_.data() + pos);
  if (at < rows_) shiftExtras(at, n);
  rows_ += n;
  endInsertRows();
}

void FlexGridModel::insertRowsAt(int at, const QVector<QStringList>& rows) { insertRows(at, rows); }
void FlexGridModel::insertRowsAt(int at, QVector<QStringList>&& rows) {
  // Rows the caller still shares are copied on the first write; rows held only here give up their texts.
  insertRows(at, rows);
}

void FlexGridModel::removeRowAt(int row) {
  if (row < 0 || row >= rows_) return;
  beginRemoveRows({}, row, row);
  cells_.remove(at(row, 0), cols_);
  shiftExtras(row + 1, -1);
  --rows_;
  endRemoveRows();
}

void FlexGridModel::setAllRows(QVector<QStringList> rows) {
  beginResetModel();
  extras_.clear();
  rows_ = static_cast<int>(rows.size());
  cells_ = QList<QString>(static_cast<qsizetype>(rows_) * cols_);
  for (int r = 0; r < rows_; ++r) {
    QStringList& src = rows[r];
    const int m = std::min(cols_, static_cast<int>(src.size()));
    for (int c = 0; c < m; ++c) cells_[at(r, c)] = std::move(src[c]);
  }
  endResetModel();
}

void FlexGridModel::clearTexts() {
  for (QString& s : cells_) s.clear();
  if (rows_ > 0 && cols_ > 0) emit dataChanged(index(0, 0), index(rows_ - 1, cols_ - 1));
}

void FlexGridModel::reorderRows(const std::vector<int>& order) {
  const int n = static_cast<int>(order.size());
  if (n == 0 || n > rows_) return;
  emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
  std::vector<int> newRowOf(static_cast<std::size_t>(n));
  for (int i = 0; i < n; ++i) newRowOf[static_cast<std::size_t>(order[static_cast<std::size_t>(i)])] = i;
  QList<QString> moved(static_cast<qsizetype>(n) * cols_);
  for (int i = 0; i < n; ++i)
    for (int c = 0; c < cols_; ++c)
      moved[static_cast<qsizetype>(i) * cols_ + c] = std::move(cells_[at(order[i], c)]);
  std::move(moved.begin(), moved.end(), cells_.begin());
  if (!extras_.isEmpty()) {
    QHash<quint64, QVariant> re;
    re.reserve(extras_.size());
    for (auto it = extras_.cbegin(); it != extras_.cend(); ++it) {
      const int r = static_cast<int>(it.key() >> 32);
      const int to = r < n ? newRowOf[static_cast<std::size_t>(r)] : r;
      re.insert((static_cast<quint64>(static_cast<quint32>(to)) << 32) | (it.key() & 0xffffffffu),
                it.value());
    }
    extras_ = std::move(re);
  }
  const QModelIndexList from = persistentIndexList();
  QModelIndexList to;
  to.reserve(from.size());
  for (const QModelIndex& i : from)
    to << (i.row() < n ? index(newRowOf[static_cast<std::size_t>(i.row())], i.column()) : i);
  changePersistentIndexList(from, to);
  emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

void FlexGridModel::setFixedRows(int n) {
  fixed_ = std::max(n, 0);
  if (rows_ > 0 && cols_ > 0) emit dataChanged(index(0, 0), index(rows_ - 1, cols_ - 1));
}

void FlexGridModel::setColumnAlignment(int col, Qt::Alignment a) {
  align_.insert(col, a);
  if (rows_ > 0 && col < cols_) emit dataChanged(index(0, col), index(rows_ - 1, col));
}

FlexGrid::FlexGrid(QWidget* parent) : QTableView(parent), model_(new FlexGridModel(this)) {
  model_->setFixedBrush(palette().button());
  setModel(model_);
  horizontalHeader()->setVisible(false);
  verticalHeader()->setVisible(false);
  // Every row one height: the view never measures rows, whatever their number.
  verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setSelectionBehavior(QAbstractItemView::SelectRows);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setWordWrap(false);
  model_->setColumnCount(2);
  model_->setRowCount(2);

  // The scroll area lays its bars out again after every change of a bar's range (a new row is one);
  // that repaints both bars (see updateGeometries). It is needed only when a bar is to appear or go.
  for (QScrollBar* bar : {horizontalScrollBar(), verticalScrollBar()}) {
    if (!QObject::disconnect(bar, SIGNAL(rangeChanged(int, int)), this, SLOT(_q_showOrHideScrollBars())))
      continue;
    connect(
        bar, &QScrollBar::rangeChanged, this,
        // The range as it stands when the queued change arrives: later changes may have followed.
        [this, bar] {
          const Qt::ScrollBarPolicy policy =
              bar->orientation() == Qt::Vertical ? verticalScrollBarPolicy() : horizontalScrollBarPolicy();
          QWidget* box = bar->parentWidget();
          if (policy != Qt::ScrollBarAsNeeded || !box ||
              box->isHidden() == (bar->maximum() > bar->minimum())) {
            QEvent layout(QEvent::LayoutRequest);
            QCoreApplication::sendEvent(this, &layout);
          }
        },
        Qt::QueuedConnection);
  }

  connect(this, &QAbstractItemView::clicked, this,
          [this](const QModelIndex& i) { emit cellClicked(i.row(), i.column()); });
  connect(this, &QAbstractItemView::doubleClicked, this,
          [this](const QModelIndex& i) { emit cellDoubleClicked(i.row(), i.column()); });
  connect(this, &QAbstractItemView::activated, this,
          [this](const QModelIndex& i) { emit cellActivated(i.row(), i.column()); });
  connect(selectionModel(), &QItemSelectionModel::currentChanged, this,
          [this](const QModelIndex& now, const QModelIndex& before) {
            emit currentCellChanged(now.row(), now.column(), before.row(), before.column());
          });
}

void FlexGrid::updateGeometries() {
  // The table lays the scroll area out on every call (a new row is one), and that raises both bar
  // containers in turn: each raise repaints a bar that did not change. Their repaints are held
  // over the layout; a container it moved, resized, showed or hid is repainted as before.
  QWidget* bars[] = {horizontalScrollBar()->parentWidget(), verticalScrollBar()->parentWidget()};
  struct Was {
    QRect geometry;
    bool hidden = true;
    bool held = false;
  } was[2];
  for (int i = 0; i < 2; ++i) {
    if (!bars[i] || bars[i] == this) continue;
    was[i] = {bars[i]->geometry(), bars[i]->isHidden(), !bars[i]->testAttribute(Qt::WA_UpdatesDisabled)};
    if (was[i].held) bars[i]->setAttribute(Qt::WA_UpdatesDisabled, true);
  }
  QTableView::updateGeometries();
  for (int i = 0; i < 2; ++i) {
    if (!was[i].held) continue;
    bars[i]->setAttribute(Qt::WA_UpdatesDisabled, false);
    if (bars[i]->geometry() != was[i].geometry || bars[i]->isHidden() != was[i].hidden) bars[i]->update();
  }
}

void FlexGrid::setRows(int n) { model_->setRowCount(n); }
void FlexGrid::setCols(int n) { model_->setColumnCount(n); }
void FlexGrid::setFixedRows(int n) { model_->setFixedRows(n); }

QString FlexGrid::TextMatrix(int row, int col) const { return model_->text(row, col); }
void FlexGrid::setTextMatrix(int row, int col, const QString& text) { model_->setText(row, col, text); }

void FlexGrid::AddItem(const QString& tabbed, int index) {
  const int r = index < 0 ? Rows() : index;
  model_->insertRowsAt(r, {tabbed.split(QLatin1Char('\t'))});
}

void FlexGrid::RemoveItem(int row) { model_->removeRowAt(row); }
void FlexGrid::Clear() { model_->clearTexts(); }

void FlexGrid::setAllRows(QVector<QStringList> rows) { model_->setAllRows(std::move(rows)); }
void FlexGrid::appendRows(const QVector<QStringList>& rows) { model_->insertRowsAt(Rows(), rows); }
void FlexGrid::appendRows(QVector<QStringList>&& rows) { model_->insertRowsAt(Rows(), std::move(rows)); }

void FlexGrid::setColWidth(int col, int twips) { setColumnWidth(col, twipsToPx(twips)); }
void FlexGrid::setColWidthFor(int col, int twips, const QString& widest) {
  // The cell's text margins and its focus frame on both sides.
  const int margins = 2 * (style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1) + 4;
  setColumnWidth(col, std::max(twipsToPx(twips), fontMetrics().horizontalAdvance(widest) + margins));
}
int FlexGrid::ColWidth(int col) const { return static_cast<int>(pxToTwips(columnWidth(col))); }
void FlexGrid::setColAlignment(int col, Qt::Alignment a) { model_->setColumnAlignment(col, a); }

int FlexGrid::currentRow() const { return currentIndex().row(); }
int FlexGrid::currentColumn() const { return currentIndex().column(); }

void FlexGrid::setCurrentCell(int row, int col) {
  const QModelIndex i = model_->index(row, col);
  if (!i.isValid()) return;
  selectionModel()->setCurrentIndex(i, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

void FlexGrid::setRow(int r) { setCurrentCell(r, currentColumn() < 0 ? 0 : currentColumn()); }
void FlexGrid::setCol(int c) { setCurrentCell(currentRow() < 0 ? 0 : currentRow(), c); }

void FlexGrid::insertRow(int row) { model_->insertRowsAt(row, {QStringList()}); }

void FlexGrid::scrollToRow(int row, ScrollHint hint) {
  const QModelIndex i = model_->index(row, 0);
  if (i.isValid()) scrollTo(i, hint);
}

QRect FlexGrid::cellRect(int row, int col) const { return visualRect(model_->index(row, col)); }

}  // namespace plat
