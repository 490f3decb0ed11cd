#include "shell/file_chooser.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QScopedValueRollback>
#include <QShortcut>
#include <QStyle>

#include "data/dbfile.h"
#include "platform/clock.h"
#include "platform/dialogs.h"
#include "platform/files.h"
#include "platform/ui_kit.h"
#include "shell/admin.h"
#include "shell/form_style.h"
#include "shell/lang.h"
#include "shell/option_form.h"
#include "shell/settings.h"

namespace shell {

namespace {
using K = plat::ui::Kind;
const QVector<plat::ui::Control>& chooserRows() {
  static const QVector<plat::ui::Control> rows = {
      {"lblFname", K::Label, {120, 60, 2535, 255}, "File Name :", "ชื่อแฟ้ม"},
      {"Text1", K::Box, {120, 330, 2535, 315}},
      {"cmdOk", K::Button, {2760, 2250, 1125, 375}, "Open", "ตกลง"},
      {"cmdCancel", K::Button, {4005, 2250, 1125, 375}, "Cancel", "ยกเลิก"},
  };
  return rows;
}
}  // namespace

FileChooser::FileChooser(QWidget* parent) : plat::Form(parent) {
  dressForm(this);
  // The file, folder and drive lists stand between the name box and the buttons.
  const QVector<plat::ui::Control>& rows = chooserRows();
  controls_.build(this, rows.mid(0, 2));
  lblFname = controls_.get<QLabel>("lblFname");
  whiteText(lblFname);
  Text1 = controls_.get<QLineEdit>("Text1");
  File1 = new plat::FileList(this);
  File1->setGeometry(plat::twipsRect(120, 690, 2535, 1890));
  Dir1 = new plat::DirList(this);
  Dir1->setGeometry(plat::twipsRect(2760, 330, 2370, 1440));
  Drive1 = new plat::DriveList(this);
  Drive1->setGeometry(plat::twipsRect(2760, 1830, 2370, 315));
  for (const plat::ui::Control& c : rows.mid(2)) controls_.add(c);
  cmdOk = controls_.get<QPushButton>("cmdOk");
  cmdCancel = controls_.get<QPushButton>("cmdCancel");
  cmdOk->setEnabled(false);
  connect(Drive1, &plat::DriveList::driveChanged, this, &FileChooser::Drive1_Change);
  connect(Dir1, &plat::DirList::pathChanged, this, &FileChooser::Dir1_Change);
  connect(File1, &plat::FileList::fileClicked, this, &FileChooser::File1_Click);
  connect(File1, &plat::FileList::fileActivated, this, [this] {
    if (!Text1->text().isEmpty()) File1_DblClick();
  });
  connect(cmdOk, &QPushButton::clicked, this, &FileChooser::cmdOk_Click);
  connect(cmdCancel, &QPushButton::clicked, this, &FileChooser::cmdCancel_Click);
  connect(Text1, &QLineEdit::returnPressed, this, [this] {
    if (cmdOk->isEnabled()) cmdOk_Click();
  });
  connect(new QShortcut(QKeySequence(Qt::Key_Escape), this), &QShortcut::activated, this,
          &FileChooser::cmdCancel_Click);
}

void FileChooser::loadChooser(const QString& thaiCaption, const QString& pattern) {
  // The window's 5370 by 3615 twips, its caption bar and borders included.
  resize(plat::twipsToPx(5250), plat::twipsToPx(3195));
  controls_.setLanguage(lang());
  if (thai()) setWindowTitle(thaiCaption);
  File1->setPattern(pattern);
  const QString start = plat::installDir();
  Drive1->showDriveOf(start);
  Dir1->setPath(start);
  closeSharedConn();
}

void FileChooser::Form_Unload() { reopenSharedConn(); }

void FileChooser::Drive1_Change() { Dir1->setPath(Drive1->drive()); }

void FileChooser::Dir1_Change() {
  File1->setPath(Dir1->path());
  Drive1->showDriveOf(Dir1->path());
}

void FileChooser::File1_Click() {
  const QString name = File1->fileName();
  if (name.isEmpty()) return;
  cmdOk->setEnabled(true);
  Text1->setText(name);
}

void FileChooser::widenFileListFor(const QString& widest) {
  resize(width() + plat::widenListFor(File1, File1->fontMetrics().horizontalAdvance(widest),
                                      {Dir1, Drive1, cmdOk, cmdCancel}),
         height());
}

QString FileChooser::chosenPath() const { return QDir(File1->path()).filePath(Text1->text()); }

// ---- LoadData ----

LoadData::LoadData() {
  setWindowTitle(QStringLiteral("Load Data"));
  Combo1 = new QComboBox(this);
  Combo1->addItem(QStringLiteral("Backup File (*.BAK)"));
  Combo1->setGeometry(plat::twipsRect(120, 2640, 2535, 315));
  setTabOrder(Text1, File1);
  setTabOrder(File1, Combo1);
  setTabOrder(Combo1, Dir1);
  setTabOrder(Dir1, Drive1);
  setTabOrder(Drive1, cmdOk);
  setTabOrder(cmdOk, cmdCancel);
  connect(Combo1, &QComboBox::activated, this, &LoadData::Combo1_Click);
}

void LoadData::Form_Load() {
  Combo1->setItemText(0, L(QStringLiteral("แฟ้มข้อมูลสำรอง (*.BAK)"), QStringLiteral("Backup File (*.BAK)")));
  loadChooser(QStringLiteral("เรียกใช้ข้อมูลสำรอง"), QStringLiteral("*.BAK"));
  // The copy a restore keeps of the data it replaces is the longest name listed here.
  widenFileListFor(QFileInfo(data::keptCopyPath(settings().DbPath.toText(),
                                                QDateTime(QDate(2024, 12, 28), QTime(23, 58, 58))))
                       .fileName());
}

void LoadData::Combo1_Click() { File1->setPattern(QStringLiteral("*.BAK")); }

void LoadData::cmdOk_Click() {
  if (!plat::dialogs().askYesNo(
          QStringLiteral("Your Old Data will be lost!,You Should Backup your old data befor")))
    return;
  RestorePath = chosenPath();
  try {
    // The window stays while the restore waits for another till, even if another one is activated.
    const QScopedValueRollback<bool> busy(restoring_, true);
    const WaitingCursor cursor;
    data::restoreDatabase(settings().DbPath.toText(), RestorePath, plat::now(), &WaitingCursor::repaint);
  } catch (const data::RefusedFile& e) {
    plat::dialogs().message(L(QStringLiteral("แฟ้มนี้ไม่ใช่ข้อมูลสำรองของโปรแกรมที่ใช้ได้ ข้อมูลเดิมไม่ถูกเปลี่ยน: "),
                              QStringLiteral("This file is not a usable backup of this program's data; "
                                             "nothing was changed: ")) +
                            data::tell(e, lang()));
    return;
  } catch (const data::DbError& e) {
    if (e.busy()) {
      plat::dialogs().message(databaseBusyText(settings().DbPath.toText()));
      return;
    }
    plat::dialogs().message(L(QStringLiteral("เรียกใช้ข้อมูลสำรองไม่ได้ ข้อมูลเดิมไม่ถูกเปลี่ยน: "),
                              QStringLiteral("The backup was not put in place; nothing was changed: ")) +
                            data::tell(e, lang()));
    return;
  }
  plat::dialogs().message(QStringLiteral("Data  Opened"));
  unload();
}

// ---- BrowseData ----

BrowseData::BrowseData(QWidget* options) : FileChooser(options) {
  setWindowTitle(QStringLiteral("Select Database"));
  setTabOrder(Text1, File1);
  setTabOrder(File1, Dir1);
  setTabOrder(Dir1, Drive1);
  setTabOrder(Drive1, cmdOk);
  setTabOrder(cmdOk, cmdCancel);
}

void BrowseData::Form_Load() { loadChooser(QStringLiteral("เลือกตำแหน่งของฐานข้อมูล"), QStringLiteral("*.db")); }

void BrowseData::cmdOk_Click() {
  DataPath = chosenPath();
  auto* options = qobject_cast<OptionF*>(plat::FormRegistry::instance().loaded(QStringLiteral("OptionF")));
  if (!options)
    options = qobject_cast<OptionF*>(plat::FormRegistry::instance().show(QStringLiteral("OptionF")));
  if (options) options->txtDatabase->setText(DataPath);
  unload();
}

}  // namespace shell
