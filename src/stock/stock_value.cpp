#include "stock/stock_value.h"

#include <QComboBox>
#include <QPushButton>

#include "platform/flexgrid.h"
#include "platform/keys.h"
#include "platform/units.h"
#include "reportkit/report_print.h"
#include "shell/lang.h"

namespace stock {

namespace {

const StockWindowLayout kLayout{
    {QStringLiteral("Product Value"), QStringLiteral("มูลค่าสินค้าคงคลัง")},
    {QStringLiteral("Category/Product"), QStringLiteral("หมวดสินค้า/สินค้า")},
    {QStringLiteral("Product ID"), QStringLiteral("รหัสสินค้า")},
    {QStringLiteral("Description"), QStringLiteral("รายการสินค้า")},
    {QStringLiteral("Last Buy Price"), QStringLiteral("ราคาซื้อล่าสุด")},
    {QStringLiteral("Quantity"), QStringLiteral("จำนวน")},
    {QStringLiteral("Product Value"), QStringLiteral("มูลค่าสินค้า")},
    {1500, 3500, 1500, 1500, 1500, 1500},
};

}  // namespace

StockValue::StockValue(QWidget* parent) : StockListWindow(kLayout, parent) {
  cmdPrint = qobject_cast<QPushButton*>(
      addControl({"cmdPrint", plat::ui::Kind::Button, {6400, 90, 1200, 400}, "Print", "พิมพ์"}));
  connect(cmdPrint, &QPushButton::clicked, this, &StockValue::cmdPrint_Click);
  controls().setTabOrder({"ComCate", "cmdPrint", "FGrid"});
}

void StockValue::ComCate_Click() {
  clearList();
  const QString item = ComCate->currentText();
  guarded([&] {
    showRows(isAllCategoryItem(item) ? allCategoryLotRows() : categoryLotRows(pickedCategoryId()));
  });
}

void StockValue::ComCate_KeyPress(int& KeyAscii) {
  clearList();
  if (KeyAscii != plat::Enter) return;
  const QString t = ComCate->currentText();  // as typed: a leading blank is part of the search
  guarded([&] { showRows(searchLotRows(t)); });
}

void StockValue::cmdPrint_Click() {
  using namespace reportkit;
  const bool th = shell::thai();
  ReportPrint d;
  d.printer = PrinterChoice::PrintDialog;
  d.docName = windowTitle();
  d.title = PlacedText(
      3200, 700,
      shell::L(QStringLiteral("รายการสินค้าคงคลัง ประจำวันที่  "), QStringLiteral("Stock Report at   ")) +
          reportDate(),
      Align::Left, 2, true);
  if (th)
    d.headings = {{400, QStringLiteral("รหัสสินค้า")},
                  {3000, QStringLiteral("รายการสินค้า")},
                  {6700, QStringLiteral("ราคาขาย")},
                  {8200, QStringLiteral("หน่วยนับ")},
                  {9500, QStringLiteral("จำนวนในคลัง")}};
  else
    d.headings = {{400, QStringLiteral("Product Id")},
                  {3000, QStringLiteral("Description")},
                  {6700, QStringLiteral("Price")},
                  {8200, QStringLiteral("Unit")},
                  {9800, QStringLiteral("Value ")}};
  if (th)
    d.laterHeadings = {{400, QStringLiteral("รหัสสินค้า")},
                       {3000, QStringLiteral("รายการสินค้า")},
                       {6700, QStringLiteral("ราคา")},
                       {8200, QStringLiteral("หน่วยนับ")},
                       {9800, QStringLiteral("จำนวน")}};
  else
    d.laterHeadings = {{400, QStringLiteral("Product Id")},
                       {3000, QStringLiteral("Description")},
                       {6700, QStringLiteral("Price")},
                       {8200, QStringLiteral("Unit")},
                       {9800, QStringLiteral("Value")}};
  d.columns = {{0, Align::Centre, 850},
               {1, Align::Left, 1700},
               {2, Align::Right, 7700},
               {4, Align::Right, 9300},
               {3, Align::Right, 10900}};
  printReport(d, *FGrid, RowCount);
}

}  // namespace stock
