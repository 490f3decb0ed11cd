#include "shell/admin.h"

#include <QApplication>
#include <QDir>

#include "platform/dialogs.h"
#include "shell/lang.h"
#include "shell/settings.h"
#include "shell/stock_reset.h"

namespace shell {

void closeSharedConn() { data::Conn().close(); }

void reopenSharedConn() {
  QString error;
  if (!data::Conn().tryOpen(settings().DbPath.toText(), &error))
    plat::dialogs().message(
        L(QStringLiteral("เปิดฐานข้อมูลไม่ได้: "), QStringLiteral("The database cannot be opened: ")) + error, {},
        plat::Icon::Critical);
}

QString databaseBusyText(const QString& dbPath) {
  return L(QStringLiteral("ฐานข้อมูล '%1' กำลังถูกใช้งานโดยโปรแกรมอีกเครื่องหนึ่ง ไม่มีข้อมูลใดถูกเปลี่ยน โปรดลองอีกครั้ง"),
           QStringLiteral("The database '%1' is busy: another copy of the program is writing to it. Nothing "
                          "was changed; please try again."))
      .arg(QDir::toNativeSeparators(dbPath));
}

WaitingCursor::WaitingCursor() {
  QApplication::setOverrideCursor(Qt::WaitCursor);
  repaint();
}

WaitingCursor::~WaitingCursor() { QApplication::restoreOverrideCursor(); }

void WaitingCursor::repaint() { QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents); }

void runStockReset() {
  const QString question =
      L(QStringLiteral("ระบบจะทำการลบข้อมูลการซื้อ และปรับจำนวนสินค้าทุกรายการ = 0 โปรดยันยืนการปรับปรุงข้อมูล "),
        QStringLiteral("System Will Delete Buy Data And Update Qty = 0 Please Confirm to Update Data "));
  if (!plat::dialogs().askYesNo(question)) return;
  try {
    resetStock(data::Conn());
  } catch (const data::DbError& e) {
    plat::dialogs().message(L(QStringLiteral("ปรับจำนวนสินค้าไม่ได้ ไม่มีข้อมูลใดถูกเปลี่ยน: "),
                              QStringLiteral("The stock was not reset; nothing was changed: ")) +
                                e.text(),
                            {}, plat::Icon::Critical);
  }
}

}  // namespace shell
