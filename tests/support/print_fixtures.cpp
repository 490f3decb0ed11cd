#include "support/print_fixtures.h"

#include <QDir>
#include <QFile>

#include "platform/clock.h"
#include "platform/files.h"
#include "shell/settings.h"

namespace printfix {

void shopSettings() {
  auto& s = shell::settings();
  s = shell::ShopSettings{};
  s.HeadInvoice = QStringLiteral("TAX INVOICE (ABB.)");
  s.ComName = shell::SettingValue::ofText(QStringLiteral("Corner Shop"));
  s.ComTaxID = shell::SettingValue::ofText(QStringLiteral("1234567890123"));
  s.PosText = QStringLiteral("POS 01");
  s.TotalVatText = QStringLiteral("VAT included");
  s.BillFontSize = 9;
  s.FontName = QStringLiteral("DejaVu Sans");
  s.BillPrinter = shell::SettingValue::ofText(QStringLiteral("BillPrinter"));
  s.DrawerPort = shell::SettingValue::ofNumber(0);
  s.LangThai = false;
  s.PrintType = 1;
  s.SlipWidth = 1;
  s.VatRate = 7;
  plat::setClock(QDateTime(QDate(2024, 3, 15), QTime(10, 30, 0)));
}

print::SaleDocument sampleSale() {
  print::SaleDocument d;
  d.lines.push_back({QStringLiteral("Pencil"), 2, 60, 120, QStringLiteral("P001")});
  d.lines.push_back(
      {QStringLiteral("Notebook A5 ruled 80 pages"), 1, 1234.5, 1234.5, QStringLiteral("N002")});
  d.total = 1354.5;
  d.tax = 88.61;
  d.pay = 1500;
  d.totalText = QStringLiteral("1,354.50");
  d.taxText = QStringLiteral("88.61");
  d.payText = QStringLiteral("1500");
  d.employee = QStringLiteral("Somchai");
  d.billNo = 42;
  d.billDate = QStringLiteral("15/03/2024");
  return d;
}

QString resetLpt() {
  QDir().mkpath(plat::installDir());
  const QString p = plat::installPath(QStringLiteral("LPT1"));
  QDir(p).removeRecursively();
  QFile f(p);
  if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)) ADD_FAILURE() << "cannot make LPT1";
  return p;
}

QByteArray lptBytes() {
  QFile f(plat::installPath(QStringLiteral("LPT1")));
  if (!f.open(QIODevice::ReadOnly)) return {};
  return f.readAll();
}

void PrintTest::SetUp() {
  shopSettings();
  resetLpt();
}

void PrintTest::TearDown() {
  plat::setClock(QDateTime());
  shell::settings() = shell::ShopSettings{};
}

plat::RecordingSurface& PrintTest::lastJob() {
  static plat::RecordingSurface none;
  if (printers.jobs.empty()) {
    ADD_FAILURE() << "no print job";
    return none;
  }
  return *printers.jobs.back().surface;
}

}  // namespace printfix
