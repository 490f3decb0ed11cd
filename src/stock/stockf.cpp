#include "stock/stockf.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>

#include "platform/flexgrid.h"
#include "platform/keys.h"
#include "platform/numtext.h"
#include "platform/units.h"
#include "reportkit/grid_export.h"
#include "reportkit/report_print.h"
#include "shell/lang.h"

namespace stock {

namespace {

const StockWindowLayout kLayout{
    {QStringLiteral("Stock"), QStringLiteral("สินค้าคงคลัง")},
    {QStringLiteral("Category/Product"), QStringLiteral("หมวดสินค้า/สินค้า")},
    {QStringLiteral("Product ID"), QStringLiteral("รหัสสินค้า")},
    {QStringLiteral("Product Name"), QStringLiteral("ชื่อสินค้า")},
    {QStringLiteral("Sell Price"), QStringLiteral("ราคา")},
    {QStringLiteral("Quantity"), QStringLiteral("จำนวน")},
    {QStringLiteral("Unit"), QStringLiteral("หน่วยนับ")},
    {1500, 3500, 1500, 1500, 1450, 1500},
};

// The window's own controls, after the shared ones.
const plat::ui::Control kOwnRows[] = {
    // By design: the English caption keeps its spelling, "Pont".
    {"cmdOrder", plat::ui::Kind::Button, {6400, 90, 1900, 400}, "Pont of order", "สินค้าถึงจุดสั่งซื้อ"},
    {"cmdValue", plat::ui::Kind::Button, {8400, 90, 1700, 400}, "Product Value", "มูลค่าสินค้าในคลัง"},
    {"cmdPrint", plat::ui::Kind::Button, {10200, 90, 800, 400}, "Print", "พิมพ์"},
    {"cmdExcel", plat::ui::Kind::PictureButton, {11050, 90, 470, 400}, "Excel"},
    // Its Thai caption is given when the value list is shown.
    {"txtVal", plat::ui::Kind::Label, {6400, 6700, 2200, 315}, "Total Product Cost"},
    {"txtcosttal", plat::ui::Kind::Box, {8700, 6680, 2300, 315}},
};

}  // namespace

StockF::StockF(QWidget* parent) : StockListWindow(kLayout, parent) {
  for (const plat::ui::Control& row : kOwnRows) addControl(row);
  cmdOrder = controls().get<QPushButton>("cmdOrder");
  cmdValue = controls().get<QPushButton>("cmdValue");
  cmdPrint = controls().get<QPushButton>("cmdPrint");
  cmdExcel = controls().get<QPushButton>("cmdExcel");
  txtVal = controls().get<QLabel>("txtVal");
  txtcosttal = controls().get<QLineEdit>("txtcosttal");
  plat::ui::setPicture(cmdExcel, QStyle::SP_FileDialogDetailedView);
  cmdExcel->setAccessibleName(QStringLiteral("Export"));
  txtcosttal->setReadOnly(true);
  txtcosttal->setAlignment(Qt::AlignRight);
  txtVal->hide();
  txtcosttal->hide();

  connect(cmdOrder, &QPushButton::clicked, this, &StockF::cmdOrder_Click);
  connect(cmdValue, &QPushButton::clicked, this, &StockF::cmdValue_Click);
  connect(cmdPrint, &QPushButton::clicked, this, &StockF::cmdPrint_Click);
  connect(cmdExcel, &QPushButton::clicked, this, &StockF::cmdExcel_Click);
  controls().setTabOrder({"ComCate", "cmdOrder", "cmdValue", "cmdPrint", "cmdExcel", "FGrid"});
}

StockF::Shown StockF::shown() const {
  if (!cmdOrder->isEnabled()) return Shown::Reorder;
  if (!cmdValue->isEnabled()) return Shown::Value;
  return Shown::Stock;
}

void StockF::stockCaptions() {
  lblPrice->setText(shell::L(QStringLiteral("ราคาขาย"), QStringLiteral("Sell Price")));
  lblUnit->setText(shell::L(QStringLiteral("หน่วยนับ"), QStringLiteral("Unit")));
}

void StockF::stockListShown() {
  cmdOrder->setEnabled(true);
  cmdValue->setEnabled(true);
  txtcosttal->hide();
  txtVal->hide();
}

void StockF::ComCate_Click() {
  stockCaptions();
  clearList();
  const QString item = ComCate->currentText();
  guarded([&] {
    showRows(isAllCategoryItem(item) ? allCategoryStockRows() : categoryStockRows(pickedCategoryId()));
  });
  stockListShown();
}

void StockF::ComCate_KeyPress(int& KeyAscii) {
  stockCaptions();
  clearList();
  if (KeyAscii == plat::Enter) {
    const QString t = ComCate->currentText().trimmed();
    guarded([&] { showRows(searchStockRows(t)); });
  }
  stockListShown();
}

void StockF::cmdOrder_Click() {
  stockCaptions();
  clearList();
  const QString col5 = ComCate->currentText();
  guarded([&] { showRows(reorderRows(col5)); });
  cmdOrder->setEnabled(false);
  cmdValue->setEnabled(true);
  txtcosttal->hide();
  txtVal->hide();
}

void StockF::cmdValue_Click() {
  lblPrice->setText(shell::L(QStringLiteral("ราคาทุนล่าสุด"), QStringLiteral("Cost Price")));
  lblUnit->setText(shell::L(QStringLiteral("รวม"), QStringLiteral("Total")));
  clearList();
  txtcosttal->clear();  // a failed list shows no earlier total
  const QString col5 = ComCate->currentText();
  guarded([&] {
    ValueList v = valueRows(col5);
    showRows(std::move(v.rows));
    txtcosttal->setText(plat::fmtMoney(v.total));
  });
  txtcosttal->show();
  txtVal->show();
  if (shell::thai()) txtVal->setText(QStringLiteral("รวมมูลค่าสินค้า"));
  cmdOrder->setEnabled(true);
  cmdValue->setEnabled(false);
}

void StockF::cmdPrint_Click() {
  using namespace reportkit;
  const bool th = shell::thai();
  const Shown kind = shown();
  const bool value = kind == Shown::Value;

  ReportPrint d;
  d.printer = PrinterChoice::ReportPrinter;
  d.docName = windowTitle();
  QString title;
  switch (kind) {
    case Shown::Reorder:
      title = shell::L(QStringLiteral("รายการสินค้าที่ถึงจุดสั่งซื้อ ประจำวันที่  "),
                       QStringLiteral("Product Point of order on   "));
      break;
    case Shown::Value:
      title =
          shell::L(QStringLiteral("รายการมูลค่าสินค้าที่อยู่ในคลัง ประจำวันที่  "), QStringLiteral("Product Cost on "));
      break;
    case Shown::Stock:
      title = shell::L(QStringLiteral("รายการสินค้าคงคลัง ประจำวันที่  "), QStringLiteral("Stock Report on   "));
      break;
  }
  d.title = PlacedText(3200, 700, title + reportDate(), Align::Left, 1, true);
  // The total belongs to the value list only: other lists would print a stale amount.
  if (value)
    d.total = PlacedText(7500, 300,
                         shell::L(QStringLiteral("รวมมูลค่าสินค้า "), QStringLiteral("Total Product Cost ")) +
                             txtcosttal->text() + QStringLiteral(" บาท"));
  if (th)
    d.headings = {{400, QStringLiteral("รหัสสินค้า")},
                  {3000, QStringLiteral("รายการสินค้า")},
                  {6700, value ? QStringLiteral("ราคาทุน") : QStringLiteral("ราคาขาย")},
                  {8200, QStringLiteral("จำนวนในคลัง")},
                  {10500, value ? QStringLiteral("รวม") : QStringLiteral("หน่วยนับ")}};
  else
    d.headings = {{400, QStringLiteral("Product Id")},
                  {3000, QStringLiteral("Product Name")},
                  {6700, QStringLiteral("Price")},
                  {8200, QStringLiteral("Value ")},
                  {10500, value ? QStringLiteral("Total") : QStringLiteral("Unit")}};
  d.columns = {{0, Align::Centre, 850},
               {1, Align::Left, 1700},
               {2, Align::Right, 7700, CellFormat::Money},
               {3, Align::Right, 9300, CellFormat::Whole},
               {4, Align::Right, 10900, CellFormat::Money}};
  printReport(d, *FGrid, RowCount);
}

void StockF::cmdExcel_Click() {
  QString name;
  switch (shown()) {
    case Shown::Reorder:
      name = QStringLiteral("Point of order");
      break;
    case Shown::Value:
      name = QStringLiteral("Product value");
      break;
    case Shown::Stock:
      name = QStringLiteral("Stock");
      break;
  }
  reportkit::exportGrid(*FGrid, reportkit::ExportOptions(name, reportkit::OnFailure::Message));
}

}  // namespace stock
