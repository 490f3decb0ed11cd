#include "shell/backup_data.h"

#include <QScopedValueRollback>
#include <QShortcut>

#include "data/dbfile.h"
#include "platform/dialogs.h"
#include "platform/files.h"
#include "platform/ui_kit.h"
#include "shell/admin.h"
#include "shell/form_style.h"
#include "shell/lang.h"
#include "shell/settings.h"

namespace shell {

namespace {
using K = plat::ui::Kind;
const QVector<plat::ui::Control>& controlRows() {
  static const QVector<plat::ui::Control> rows = {
      {"lblBFname", K::Label, {120, 120, 3000, 255}, "Backup File Name :", "ตำแหน่งเก็บข้อมูลสำรอง"},
      {"Text1", K::Box, {120, 420, 5010, 315}},
      {"cmdOk", K::Button, {2760, 870, 1125, 375}, "Save", "ตกลง"},
      {"cmdCancel", K::Button, {4005, 870, 1125, 375}, "Cancel", "ยกเลิก"},
  };
  return rows;
}
}  // namespace

BackupData::BackupData() {
  setWindowTitle(QStringLiteral("Backup Your Data"));
  dressForm(this);
  controls_.build(this, controlRows());
  lblBFname = controls_.get<QLabel>("lblBFname");
  whiteText(lblBFname);
  Text1 = controls_.get<QLineEdit>("Text1");
  cmdOk = controls_.get<QPushButton>("cmdOk");
  cmdCancel = controls_.get<QPushButton>("cmdCancel");
  setTabOrder(Text1, cmdOk);
  setTabOrder(cmdOk, cmdCancel);
  connect(cmdOk, &QPushButton::clicked, this, &BackupData::cmdOk_Click);
  connect(cmdCancel, &QPushButton::clicked, this, &BackupData::cmdCancel_Click);
  connect(Text1, &QLineEdit::returnPressed, this, &BackupData::cmdOk_Click);
  connect(new QShortcut(QKeySequence(Qt::Key_Escape), this), &QShortcut::activated, this,
          &BackupData::cmdCancel_Click);
}

void BackupData::Form_Load() {
  // The window's 5370 by 1830 twips, its caption bar and borders included.
  resize(plat::twipsToPx(5250), plat::twipsToPx(1410));
  if (thai()) setWindowTitle(QStringLiteral("เก็บข้อมูลสำรอง"));
  controls_.setLanguage(lang());
  Text1->setText(plat::installPath(QStringLiteral("Kelvantorium.bak")));
  closeSharedConn();
}

void BackupData::cmdOk_Click() {
  const QString db = settings().DbPath.toText();
  const QString target = Text1->text();
  if (data::sameFile(db, target)) {
    plat::dialogs().message(L(QStringLiteral("ไม่สามารถเก็บข้อมูลสำรองทับฐานข้อมูลที่ใช้อยู่ได้ โปรดเลือกชื่อแฟ้มอื่น"),
                              QStringLiteral("The backup cannot be written over the database in use. "
                                             "Please choose another file name.")));
    Text1->setFocus();
    return;
  }
  try {
    const QScopedValueRollback<bool> busy(copying_, true);
    const WaitingCursor cursor;
    data::backupDatabase(db, target, &WaitingCursor::repaint);
  } catch (const data::DbError& e) {
    plat::dialogs().message(
        e.busy() ? databaseBusyText(settings().DbPath.toText())
                 : L(QStringLiteral("เก็บข้อมูลสำรองไม่ได้: "), QStringLiteral("The backup was not made: ")) +
                       data::tell(e, lang()));
    return;
  }
  plat::dialogs().message(QStringLiteral("Backup complete"));
  unload();
}

void BackupData::Form_Unload() { reopenSharedConn(); }

}  // namespace shell
