#pragma once
// The history window the supplier report (SupRep) and the customer report (CusRep) share: the
// upper panel lists one partner's lines (the customer's within two dates, with their total), the
// lower one a product's lines with their partners. Heading buttons sort each grid, largest first;
// each panel prints its grid as it stands. A HistoryLayout says which window it is.
#include <QHash>
#include <QString>
#include <optional>

#include "data/dates.h"
#include "partners/history_layout.h"
#include "platform/form.h"
#include "platform/ui_kit.h"

class QComboBox;
class QDateEdit;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QPushButton;

namespace plat {
class FlexGrid;
}

namespace partners {

class HistoryForm : public plat::Form {
  Q_OBJECT
 public:
  explicit HistoryForm(const HistoryLayout& layout, QWidget* parent = nullptr);

  bool unloadsOnDeactivate() const override { return true; }
  QSize sizeHint() const override;
  void Form_Load() override;

  const HistoryLayout& layout() const { return layout_; }

  // Enter in the id box: the partner's lines, or the pick list when the id is unknown.
  void lookUp();
  // Fills the pick list with every partner, shows it and gives it the focus.
  void fillPickList();
  // Takes the list's current partner (byDoubleClick: the customer total starts from "0").
  void pick(bool byDoubleClick);
  // Show: the lines of the partner in the id box.
  void showPartner();
  // A category chosen: its products in the product box.
  void chooseCategory(int index);
  // A product chosen: its lines.
  void chooseProduct(int index);
  void printPartner();
  void printProduct();

  // The heading buttons' sorts; col 0 to 5.
  void SortNum(int col);
  void SortDate(int col);
  void SortString(int col);
  void SortNumP(int col);
  void SortDateP(int col);
  void SortStringP(int col);
  // Copies row from over row to (FGrid / FGridP).
  void TranVal(int from, int to);
  void TranValP(int from, int to);

  template <class W>
  W* control(const QString& name) const {
    return controls_.get<W>(name);
  }
  QPushButton* headingButton(const QString& name) const;

  QLineEdit* idBox = nullptr;
  QLineEdit* nameBox = nullptr;
  QListWidget* pickList = nullptr;
  QPushButton* cmdShow = nullptr;
  QPushButton* cmdPrintPartner = nullptr;
  QComboBox* ComCate = nullptr;
  QComboBox* ComPro = nullptr;
  QPushButton* cmdPrintPro = nullptr;
  QDateEdit* DTPDate1 = nullptr;  // customer window only
  QDateEdit* DTPDate2 = nullptr;
  QLineEdit* txtTotal = nullptr;
  plat::FlexGrid* FGrid = nullptr;
  plat::FlexGrid* FGridP = nullptr;
  int RowCount = 0;  // rows the last show put into FGrid
  int RowsP = 0;     // the same for FGridP

  // The item text of the product whose lines FGridP holds ("" when none).
  QString shownProduct() const { return shownProduct_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  bool isCustomer() const { return layout_.kind == PartnerKind::Customer; }
  void build();
  void tell(const QString& text);
  // The customer's From and To as a range, or nullopt after telling that From is after To; an
  // empty range for a supplier.
  std::optional<data::DateRange> checkedRange();
  void showLines(const data::DateRange& range);
  void sort(GridId grid, int col, KeyKind key);
  void onHeading(const HeadingSpec& h);

  const HistoryLayout& layout_;
  plat::ui::Controls controls_;
  QString shownProduct_;
  bool placed_ = false;
};

// The two windows, under the names the main window opens them by.
class SupRep : public HistoryForm {
  Q_OBJECT
 public:
  explicit SupRep(QWidget* parent = nullptr) : HistoryForm(supRepLayout(), parent) {}
};

class CusRep : public HistoryForm {
  Q_OBJECT
 public:
  explicit CusRep(QWidget* parent = nullptr) : HistoryForm(cusRepLayout(), parent) {}
};

// Puts rows into grid as its whole content: cell by cell, so a tab in a text stays in its cell.
void fillGrid(plat::FlexGrid& grid, const QVector<QStringList>& rows);

}  // namespace partners
