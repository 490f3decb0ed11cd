#include "reportkit/grid_export.h"

#include <xlsxwriter.h>

#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QUrl>
#include <map>

#include "platform/clock.h"
#include "platform/dialogs.h"
#include "platform/flexgrid.h"
#include "shell/lang.h"

namespace reportkit {

namespace {

QString& folderOverride() {
  static QString f;
  return f;
}

WorkbookOpener& opener() {
  static WorkbookOpener o;
  return o;
}

bool openWithDesktop(const QString& path) { return QDesktopServices::openUrl(QUrl::fromLocalFile(path)); }

// The shape of a number text, for the cell's number format: grouped or not, how many decimals.
struct NumberShape {
  bool grouped = false;
  int decimals = 0;
};

std::optional<double> parseCell(const QString& t, NumberShape* shape) {
  const int len = static_cast<int>(t.size());
  int i = 0;
  if (i < len && t[i] == QLatin1Char('-')) ++i;
  const int intStart = i;
  int digits = 0;
  int sinceComma = -1;  // digits since the last comma; -1 before any comma
  bool grouped = false;
  for (; i < len; ++i) {
    const QChar c = t[i];
    if (c >= QLatin1Char('0') && c <= QLatin1Char('9')) {
      ++digits;
      if (sinceComma >= 0) ++sinceComma;
    } else if (c == QLatin1Char(',')) {
      // A group mark needs 1 to 3 digits before the first and exactly 3 between marks.
      if (digits == 0 || (sinceComma < 0 ? digits > 3 : sinceComma != 3)) return std::nullopt;
      grouped = true;
      sinceComma = 0;
    } else {
      break;
    }
  }
  if (grouped && sinceComma != 3) return std::nullopt;
  // A leading zero followed by more digits is a code ("00123"), not a number.
  if (digits > 1 && t[intStart] == QLatin1Char('0')) return std::nullopt;
  if (digits > 12) return std::nullopt;
  int decimals = 0;
  if (i < len && t[i] == QLatin1Char('.')) {
    ++i;
    for (; i < len && t[i] >= QLatin1Char('0') && t[i] <= QLatin1Char('9'); ++i) ++decimals;
    if (decimals == 0) return std::nullopt;
  }
  if (i != len || digits + decimals == 0) return std::nullopt;
  QString plain = t;
  if (grouped) plain.remove(QLatin1Char(','));
  bool ok = false;
  const double v = plain.toDouble(&ok);
  if (!ok) return std::nullopt;
  if (shape) *shape = {grouped, decimals};
  return v;
}

QString describe(lxw_error e) { return QString::fromUtf8(lxw_strerror(e)); }

// Writes one workbook; the workbook is closed (and so freed) on every path.
class Workbook {
 public:
  explicit Workbook(const QString& path) {
    lxw_workbook_options opts{};
    opts.constant_memory = LXW_TRUE;
    const QByteArray p = QFile::encodeName(path);
    wb_ = workbook_new_opt(p.constData(), &opts);
    if (!wb_) throw ExportError(QStringLiteral("cannot create %1").arg(path));
    ws_ = workbook_add_worksheet(wb_, nullptr);
    if (!ws_) {
      workbook_close(wb_);
      throw ExportError(QStringLiteral("cannot add a worksheet"));
    }
  }
  ~Workbook() {
    if (wb_) workbook_close(wb_);
  }

  void cell(lxw_row_t r, lxw_col_t c, const QString& text) {
    if (text.isEmpty()) return;  // an empty cell stays empty
    NumberShape shape;
    lxw_error e;
    if (const auto v = parseCell(text, &shape)) {
      e = worksheet_write_number(ws_, r, c, *v, format(shape));
    } else {
      const QByteArray u = text.toUtf8();
      e = worksheet_write_string(ws_, r, c, u.constData(), nullptr);
    }
    if (e != LXW_NO_ERROR) throw ExportError(describe(e));
  }

  void close() {
    lxw_workbook* wb = wb_;
    wb_ = nullptr;
    const lxw_error e = workbook_close(wb);
    if (e != LXW_NO_ERROR) throw ExportError(describe(e));
  }

 private:
  lxw_format* format(const NumberShape& s) {
    if (!s.grouped && s.decimals == 0) return nullptr;
    const int key = s.decimals * 2 + (s.grouped ? 1 : 0);
    auto it = formats_.find(key);
    if (it != formats_.end()) return it->second;
    QString f = s.grouped ? QStringLiteral("#,##0") : QStringLiteral("0");
    if (s.decimals > 0) f += QLatin1Char('.') + QString(s.decimals, QLatin1Char('0'));
    lxw_format* fmt = workbook_add_format(wb_);
    format_set_num_format(fmt, f.toUtf8().constData());
    formats_[key] = fmt;
    return fmt;
  }

  lxw_workbook* wb_ = nullptr;
  lxw_worksheet* ws_ = nullptr;
  std::map<int, lxw_format*> formats_;
};

QString uniquePath(const QString& folder, const QString& stem) {
  const QString base = folder + QLatin1Char('/') + stem + QLatin1Char(' ') +
                       plat::now().toString(QStringLiteral("yyyy-MM-dd HHmmss"));
  QString p = base + QStringLiteral(".xlsx");
  for (int n = 2; QFileInfo::exists(p); ++n) p = base + QStringLiteral(" (%1).xlsx").arg(n);
  return p;
}

// A report name may hold characters a file name cannot.
QString fileStem(const QString& name) {
  QString s = name.trimmed();
  s.replace(QLatin1Char('/'), QLatin1Char('-'));
  return s.isEmpty() ? QStringLiteral("Report") : s;
}

}  // namespace

std::optional<double> cellNumber(const QString& text) { return parseCell(text, nullptr); }

void writeWorkbook(const QString& path, const CellRows& cells, const std::optional<TotalRow>& totalRow) {
  Workbook wb(path);
  lxw_row_t r = 0;
  std::size_t cols = 0;
  for (const auto& row : cells) {
    for (std::size_t c = 0; c < row.size(); ++c) wb.cell(r, static_cast<lxw_col_t>(c), row[c]);
    cols = std::max(cols, row.size());
    ++r;
  }
  if (totalRow && cols >= 4) {
    // Sheet columns Cols - 3 and Cols - 2 counted from 1.
    wb.cell(r, static_cast<lxw_col_t>(cols - 4), totalRow->label);
    wb.cell(r, static_cast<lxw_col_t>(cols - 3), totalRow->total);
  }
  wb.close();
}

QString exportFolder() {
  QString f = folderOverride();
  if (f.isEmpty())
    f = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation) +
        QStringLiteral("/Quorvanel exports");
  return f;
}

void setExportFolder(const QString& folder) { folderOverride() = folder; }

void setWorkbookOpener(WorkbookOpener o) { opener() = std::move(o); }

ExportResult exportGrid(const plat::FlexGrid& grid, const ExportOptions& options) {
  ExportResult res;
  const int rows = grid.Rows();
  const int cols = grid.Cols();
  if (rows <= 0) return res;

  auto fail = [&](const QString& text) {
    res.error = text;
    if (options.onFailure == OnFailure::Message) plat::dialogs().message(text);
    return res;
  };

  const QString folder = exportFolder();
  if (!QDir().mkpath(folder))
    return fail(
        shell::L(QStringLiteral("สร้างโฟลเดอร์ %1 ไม่ได้"), QStringLiteral("The folder %1 could not be created."))
            .arg(folder));

  CellRows cells(static_cast<std::size_t>(rows));
  for (int r = 0; r < rows; ++r) {
    auto& row = cells[static_cast<std::size_t>(r)];
    row.reserve(static_cast<std::size_t>(cols));
    for (int c = 0; c < cols; ++c) row.push_back(grid.TextMatrix(r, c));
  }

  const QString path = uniquePath(folder, fileStem(options.reportName));
  try {
    writeWorkbook(path, cells, options.totalRow);
  } catch (const ExportError& e) {
    QFile::remove(path);
    return fail(shell::L(QStringLiteral("บันทึกไฟล์ %1 ไม่ได้: %2"),
                         QStringLiteral("The workbook %1 could not be written: %2"))
                    .arg(path, e.text()));
  }
  res.written = true;
  res.path = path;

  const WorkbookOpener& open = opener() ? opener() : WorkbookOpener(openWithDesktop);
  res.opened = open(path);
  // The file is there all the same: where it is is told also where failures are silent, so the
  // user does not export it again.
  if (!res.opened)
    plat::dialogs().message(
        shell::L(QStringLiteral("บันทึกไฟล์ %1 แล้ว แต่ไม่มีโปรแกรมเปิดไฟล์นี้"),
                 QStringLiteral("The workbook was saved as %1, but no program opened it."))
            .arg(path));
  return res;
}

}  // namespace reportkit
