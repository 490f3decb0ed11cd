#pragma once
// Export of a report grid to a new .xlsx workbook: written to the user's export folder under a name
// made of the report's name and the time, then opened with the desktop's default application.
// Cells keep their kind: a plain decimal of at most 12 integer digits (grouped "1,234.50" too) is
// written as a number, everything else (codes with leading zeros, 13-digit barcodes, dates, blanks)
// as text. The grid is only read; its current cell does not move.
#include <QString>
#include <functional>
#include <optional>
#include <stdexcept>
#include <utility>
#include <vector>

namespace plat {
class FlexGrid;
}

namespace reportkit {

// The total row of the period reports: under the data, in sheet row Rows + 1 (counted from 1),
// label in sheet column Cols - 3 and the total's text in column Cols - 2.
struct TotalRow {
  QString label;  // "รวม" / "Total"
  QString total;  // the form's total box text
};

enum class OnFailure { Message, Silent };

struct ExportOptions {
  ExportOptions() = default;
  ExportOptions(QString reportName, OnFailure onFailure = OnFailure::Message,
                std::optional<TotalRow> totalRow = std::nullopt)
      : reportName(std::move(reportName)), onFailure(onFailure), totalRow(std::move(totalRow)) {}
  QString reportName;  // file name stem, e.g. "Stock"; the file is "<reportName> yyyy-MM-dd hhmmss.xlsx"
  OnFailure onFailure = OnFailure::Message;
  std::optional<TotalRow> totalRow;
};

// What exportGrid() did: path is the file written ("" when none).
struct ExportResult {
  bool written = false;
  bool opened = false;
  QString path;
  QString error;  // the failure's description, when there was one
};

// Exports every row and column of grid. A grid without rows exports nothing (written false, no
// message). A failure to write shows its description in a message box (OnFailure::Message) or
// nothing (Silent); a half-written file is removed. A file written that no program opened is
// always told with its path.
ExportResult exportGrid(const plat::FlexGrid& grid, const ExportOptions& options);

// The cell contents as exportGrid() writes them: rows of cell texts.
using CellRows = std::vector<std::vector<QString>>;

// Writes cells (and the total row) to a new workbook at path; throws ExportError.
class ExportError : public std::runtime_error {
 public:
  explicit ExportError(const QString& what) : std::runtime_error(what.toStdString()), text_(what) {}
  const QString& text() const { return text_; }

 private:
  QString text_;
};
void writeWorkbook(const QString& path, const CellRows& cells, const std::optional<TotalRow>& totalRow);

// The number a cell is written as, or nullopt when it is written as text.
std::optional<double> cellNumber(const QString& text);

// The export folder: set by setExportFolder(), else <Documents>/Quorvanel exports. Created when
// missing.
QString exportFolder();
void setExportFolder(const QString& folder);  // "" restores the default

// Opens a written workbook. The default asks the desktop (QDesktopServices::openUrl); tests
// replace it. Returns false when nothing could open the file.
using WorkbookOpener = std::function<bool(const QString& path)>;
void setWorkbookOpener(WorkbookOpener opener);  // nullptr restores the default

}  // namespace reportkit
