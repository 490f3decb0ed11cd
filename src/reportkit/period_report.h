#pragma once
// The period report windows: a period (a day, a month, a year), the lines of a source table in
// it summed per product, the category list, heading rows, totals and VAT, sorts, printout, export
// and the delete of a period. The sales and purchase period windows are members of this one base:
// each gives its layout (controls as data), its rules (PeriodSpec) and its printed title.
#include <QHash>
#include <QRect>
#include <QString>
#include <QStringList>
#include <QVector>
#include <optional>

#include "platform/form.h"
#include "platform/ui_kit.h"
#include "reportkit/period_query.h"

class QComboBox;
class QDateEdit;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace plat {
class FlexGrid;
}

namespace reportkit {

// The plain number text, as platform/numtext writes it, quicker for the thousands of cells of a
// long period.
QString quantityCell(double v);
// The six cells of a product's grid row: code, name, quantity, value "##,##0.00", "", unit.
QStringList periodGridRow(const PeriodProduct& p);
QVector<QStringList> periodRowTexts(const QVector<PeriodProduct>& rows);
// The heading row of a chosen category: "  " and 13 blanks before the list item.
QStringList categoryHeadingRow(const QString& item);

// ---- layout as data ----

enum class PeriodControl {
  Frame,
  Label,
  Button,
  PictureButton,  // the export button: a picture, no caption
  DatePicker,     // DTPDate1
  MonthCombo,     // comMo of a month report
  YearBox,        // txtYear
  EmployeeCombo,  // comMo of the employee report
  CategoryCombo,  // ComCate
  CategoryList,   // LstCate
  Grid,           // FGrid
  TotalBox,       // txtTotal, txtVat, txtVatTot
};

// One control: its name, kind, frame ("" for the window), place in twips inside that frame, and
// captions (thai empty: the English caption stays in Thai too).
struct PeriodControlSpec {
  QString name;
  PeriodControl kind;
  QString frame;
  QRect rect;
  QString english;
  QString thai;
  bool hidden = false;  // hidden at design (delete, export)
};

struct PeriodLayout {
  QString englishCaption;
  QString thaiCaption;
  int width = 11850;  // twips
  int height = 7700;
  QVector<int> columnWidths;            // grid columns 0 to 4; column 5 keeps the grid's own width
  QVector<PeriodControlSpec> controls;  // in tab order
};

// The controls every member shares: heading buttons, grid, category frame and totals frame.
// withVatTotal adds the total-with-VAT box of the purchase reports; showSelected names the
// show-selected button ("cmdSh" or "cmdShow").
QVector<PeriodControlSpec> sharedPeriodControls(const QString& showSelected, bool withVatTotal);

// ---- rules ----

enum class PeriodKind { Day, Month, Year };

// Who sees the delete and export buttons.
enum class PeriodPermission {
  ByLevel,     // the logged-in user's level: 0 delete and export, 1 export, else neither
  ExportOnly,  // export for everyone, no delete
};

// The single-category view of the category combo box.
enum class CategoryView {
  None,
  NameQuantityValue,      // three cells: name, quantity, value
  CodeNameQuantityValue,  // four cells: code, name, quantity, value
};

struct PeriodSpec {
  PeriodSource source;
  PeriodKind kind = PeriodKind::Day;
  QString showAllButton;          // "cmdShow" or "cmdAll"
  QString showSelectedButton;     // "cmdSh" or "cmdShow"
  bool byEmployee = false;        // lines of the employee chosen in comMo only
  bool rowsNeedCategory = false;  // Show All lists only products whose category exists
  bool skipZeroQuantity = true;   // a product whose quantities sum to 0 gets no row
  CategoryView categoryView = CategoryView::None;
  PeriodPermission permission = PeriodPermission::ByLevel;
  bool canDelete = true;
  // A show with no period to show (no month chosen, a year not of exactly four digits) says so
  // and changes nothing; otherwise it empties the window.
  bool tellMissingPeriod = false;
  // The category combo's rows stand for a show: RowCount counts them, the sorts and Print keep
  // their state and work on them, the printout is titled from them.
  bool categoryViewCounts = false;
  QString reportName;  // the export's file name and the print job's name
  // Title place and weight (size ReportFontSize + 2).
  int titleX = 3200;
  int titleY = 700;
  bool titleBold = false;
};

// A period as the user chose it.
struct Period {
  data::DateRange range;
  QString text;  // as chosen: "dd/MM/yyyy", "mm/yyyy" or the year
};

// What the last show put into the grid: the printout is titled from it, not from the pickers.
struct ShownReport {
  Period period;
  QString employee;
  QString total;  // txtTotal as that show left it
};

class PeriodReport : public plat::Form {
  Q_OBJECT
 public:
  PeriodReport(const PeriodLayout& layout, const PeriodSpec& spec, QWidget* parent = nullptr);

  bool unloadsOnDeactivate() const override { return true; }
  QSize sizeHint() const override;
  void Form_Load() override;

  // The operations behind the buttons.
  void showAll();
  void showSelected();
  void choosePeriod();    // a month picked in comMo
  void chooseCategory();  // a category picked in ComCate
  void sortBy(int column);
  void deletePeriod();
  void print();
  void exportToWorkbook();
  // Copies every cell of grid row from over row to.
  void TranVal(int from, int to);
  // The event procedures of the buttons every member has.
  void cmdQsort_Click() { sortBy(2); }
  void cmdToSort_Click() { sortBy(3); }
  void cmdPrint_Click() { print(); }
  void cmdExcel_Click() { exportToWorkbook(); }

  int RowCount = 0;
  // The period every show uses (DayDate, DateFrom/DateTo, YearText); nullopt when none is chosen.
  std::optional<Period> period() const { return period_; }
  const std::optional<ShownReport>& shown() const { return shown_; }

  // Controls by name, and the ones every member has.
  QWidget* control(const QString& name) const { return controls_.widget(name); }
  QPushButton* button(const QString& name) const;
  QLabel* label(const QString& name) const;
  plat::FlexGrid* FGrid = nullptr;
  QListWidget* LstCate = nullptr;
  QComboBox* ComCate = nullptr;  // nullptr when the member has none
  QDateEdit* DTPDate1 = nullptr;
  QComboBox* comMo = nullptr;  // the month or the employee
  QLineEdit* txtYear = nullptr;
  QLineEdit* txtTotal = nullptr;
  QLineEdit* txtVat = nullptr;
  QLineEdit* txtVatTot = nullptr;
  QPushButton* cmdDel = nullptr;
  QPushButton* cmdExcel = nullptr;
  QPushButton* cmdPrint = nullptr;
  QPushButton* cmdQsort = nullptr;
  QPushButton* cmdToSort = nullptr;

 protected:
  // The printed title of a show.
  virtual QString titleText(const ShownReport& shown) const = 0;
  // The delete's question for a period.
  virtual QString deleteQuestion(const Period& p) const;
  void showEvent(QShowEvent* e) override;

  const PeriodSpec& spec() const { return spec_; }

 private:
  // The period the pickers name now; nullopt when they name none.
  std::optional<Period> pickedPeriod() const;
  PeriodScope scope(const Period& p) const;
  QString employee() const;
  void applyPermission();
  // Into the list (unless it holds them already, as listHolds tells) and the combo.
  void fillCategories(const QVector<PeriodCategory>& cats, bool intoList, bool intoCombo);
  bool listHolds(const QVector<PeriodCategory>& cats) const;
  // Says that the pickers name no period (no month chosen, a year not of four digits).
  void tellNoPeriod() const;
  // An employee report with nobody chosen says so and changes nothing; true when it said so.
  bool tellNoEmployee() const;
  void setTotals(double total, bool upTo3);
  void clearGrid();
  // Quantity and value right-aligned, the texts left.
  void alignNumbers(int quantityColumn);
  void setSortsAndPrint(bool sorts, bool print);
  void remember();
  // A database failure: its description in a message box; the window stays usable.
  void tell(const QString& description) const;

  PeriodLayout layout_;
  PeriodSpec spec_;
  plat::ui::Controls controls_;
  std::optional<Period> period_;
  std::optional<ShownReport> shown_;
  // The total of the category view's rows while the grid shows them.
  std::optional<QString> categoryViewTotal_;
  bool placed_ = false;
};

}  // namespace reportkit
