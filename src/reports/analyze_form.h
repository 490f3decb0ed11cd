#pragma once
// The profit analysis: income, cost at the latest purchase price, profit and margin per product
// between two dates, for every product or the products of chosen categories; sorted by a heading,
// printed on the report printer, exported; a row's click opens the purchase-price editor.
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVector>

#include "platform/flexgrid.h"
#include "platform/form.h"
#include "platform/ui_kit.h"
#include "reportkit/report_print.h"
#include "reports/profit_analysis.h"

namespace reports {

class AnalyzeForm : public plat::Form {
  Q_OBJECT
 public:
  explicit AnalyzeForm(QWidget* parent = nullptr);

  void Form_Load() override;
  bool unloadsOnDeactivate() const override { return true; }
  QRect designGeometry() const override { return {0, 0, 11850, 7700}; }
  QSize sizeHint() const override;

  QLabel* lblIni;
  QLabel* lblLst;
  QDateEdit* DTPDate1;
  QDateEdit* DTPDate2;
  QPushButton* cmdShow;
  QListWidget* LstCate;
  QPushButton* cmdSh;
  QPushButton* cmdPrint;
  QPushButton* cmdExcel;
  QPushButton* cmdPid;
  QPushButton* cmdDesc;
  QPushButton* cmdToSort;
  QPushButton* cmdBuySort;
  QPushButton* cmdProfitSort;
  QPushButton* cmdPercent;
  plat::FlexGrid* FGrid;
  QLabel* txtTotal;
  QLineEdit* txtSumIncome;
  QLineEdit* txtSumCapital;
  QLineEdit* txtSumProfit;

  int RowCount = 0;
  QString DateFrom;  // the dates of the last show, as its printout titles them (m/d/yyyy)
  QString DateTo;

  void cmdShow_Click();
  void cmdSh_Click();
  void cmdPid_Click();
  void cmdToSort_Click();
  void cmdBuySort_Click();
  void cmdProfitSort_Click();
  void cmdPercent_Click();
  void cmdPrint_Click();
  void cmdExcel_Click();
  void FGrid_Click();
  // What Print lays out: the last show's rows, dates and sums.
  reportkit::ReportPrint printDescription() const;

 private:
  plat::ui::Controls controls_;
  // The last show's rows, each in the grid row that shows it (its index under the first cell's
  // ShownRole, which moves with the row when a heading sorts), and the kind of that show.
  static constexpr int ShownRole = Qt::UserRole;
  QVector<ProfitRow> shown_;
  ProfitShow shownKind_ = ProfitShow::All;
  void show(ProfitShow kind, const std::function<QVector<ProfitRow>()>& gather);
  void clearShow();
};

}  // namespace reports
