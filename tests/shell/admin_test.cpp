// The stock reset and the backup and restore windows, on real database files.
#include "shell/admin.h"

#include <sys/stat.h>

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFontMetrics>
#include <QPointer>
#include <QProcess>
#include <QScrollBar>
#include <QTest>
#include <QTimer>

#include "data/db.h"
#include "data/dbfile.h"
#include "platform/clock.h"
#include "platform/dialogs.h"
#include "platform/files.h"
#include "shell/backup_data.h"
#include "shell/file_chooser.h"
#include "shell/login.h"
#include "shell/mainwindow.h"
#include "shell/register.h"
#include "shell/settings.h"
#include "shell_helpers.h"
#include "support/scripted_dialogs.h"
#include "support/testenv.h"

using data::Conn;
using shelltest::readFile;
using shelltest::writeFile;

namespace {

class AdminTest : public shelltest::InstalledTest {
 protected:
  void SetUp() override {
    plat::setClock(QDateTime(QDate(2024, 3, 15), QTime(10, 30, 0)));
    InstalledTest::SetUp();
  }
  void TearDown() override {
    InstalledTest::TearDown();
    plat::setClock(QDateTime());
  }
  static void setThai(bool thai) { shell::settings().LangThai = thai; }

  // A product with stock, a lot and one sale line.
  static void stockAndSale(data::Db& db) {
    db.exec(
        "INSERT INTO Product (PId, PName, Price, Quantity) VALUES ('A1', 'Rice', 20, 7), ('B2', 'Salt', 5, "
        "3)");
    db.exec(
        "INSERT INTO Buy (PId, BuyDate, BuyTime, BQuantity, BPrice, BuyId, RemainQ, SupplierID) "
        "VALUES ('A1', '2024-03-01', '09:00:00', 10, 15, '1', 10, 'S1')");
  }
  static void postSale(data::Db& db) {
    db.exec(
        "INSERT INTO Sell (PID, SellTime, SellDate, SQuantity, SPrice, Comment, Employee, Recieve) "
        "VALUES ('A1', '10:31:00', '2024-03-15', 1, 20, 1, 'Admin', 20)");
  }
  static int sales(data::Db& db) { return db.scalar("SELECT COUNT(*) FROM Sell").toInt(); }

  template <typename T>
  static T* show(const char* name) {
    return qobject_cast<T*>(plat::FormRegistry::instance().show(QString::fromLatin1(name)));
  }

  plat::ScriptedDialogs dialogs;
};

// ---- the stock reset ----

TEST_F(AdminTest, StockResetAsksThenEmptiesLotsAndZeroesStockOrChangesNothing) {
  const struct {
    const char* name;
    bool thai;
    bool yes;
    bool failSecond;
    int lots, stock;
    QString message;
  } cases[] = {
      {"Yes", false, true, false, 0, 0, ""},
      {"No", false, false, false, 1, 10, ""},
      {"Yes, the stock update failing", false, true, true, 1, 10,
       "The stock was not reset; nothing was changed: "},
      {"Yes in Thai, failing", true, true, true, 1, 10, "ปรับจำนวนสินค้าไม่ได้ ไม่มีข้อมูลใดถูกเปลี่ยน: "},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    testenv::openFreshDb();
    stockAndSale(Conn());
    postSale(Conn());
    if (c.failSecond)
      Conn().exec(
          "CREATE TRIGGER refuse BEFORE UPDATE OF Quantity ON Product BEGIN SELECT RAISE(ABORT, 'refused by "
          "the test'); "
          "END");
    setThai(c.thai);
    dialogs.shown.clear();
    dialogs.answerYes(c.yes);
    shell::runStockReset();
    ASSERT_GE(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].kind, plat::ScriptedDialogs::Kind::YesNo);
    EXPECT_EQ(dialogs.shown[0].text,
              c.thai
                  ? QString("ระบบจะทำการลบข้อมูลการซื้อ และปรับจำนวนสินค้าทุกรายการ = 0 โปรดยันยืนการปรับปรุงข้อมูล ")
                  : QString("System Will Delete Buy Data And Update Qty = 0 Please Confirm to Update Data "));
    // The description of the failure follows the message.
    const QString msg = dialogs.lastMessage();
    EXPECT_TRUE(c.message.isEmpty() ? msg.isEmpty()
                                    : msg.startsWith(c.message) && msg.contains("refused by the test"))
        << msg.toStdString();
    EXPECT_EQ(Conn().scalar("SELECT COUNT(*) FROM Buy").toInt(), c.lots);
    EXPECT_EQ(Conn().scalar("SELECT SUM(Quantity) FROM Product").toInt(), c.stock);
    EXPECT_EQ(sales(Conn()), 1);
    EXPECT_FALSE(Conn().inTransaction());
  }
}

// ---- backup ----

TEST_F(AdminTest, BackupWindowClosesTheConnectionCopiesTheDatabaseInUseAndReopens) {
  // The database in use is not the default file: the backup copies it, the default stays as it is.
  const QString other = testenv::tempDir() + "/elsewhere.db";
  ASSERT_TRUE(QFile::copy(dbPath(), other));
  const QString defaultDb = dbPath();
  const QByteArray defaultBytes = readFile(defaultDb);
  shell::settings().DbPath = shell::SettingValue::ofText(other);
  Conn().open(other);
  stockAndSale(Conn());

  QPointer<shell::BackupData> w = show<shell::BackupData>("BackupData");
  ASSERT_TRUE(w);
  EXPECT_FALSE(Conn().isOpen());
  EXPECT_EQ(w->Text1->text(), plat::installPath("Kelvantorium.bak"));
  EXPECT_EQ(w->size(), QSize(350, 94));
  writeFile(w->Text1->text(), "an older backup, replaced without asking");
  w->cmdOk_Click();
  EXPECT_EQ(dialogs.texts(), QStringList{"Backup complete"});
  EXPECT_EQ(plat::FormRegistry::instance().loaded("BackupData"), nullptr);
  ASSERT_TRUE(Conn().isOpen());
  EXPECT_EQ(Conn().path(), other);

  data::Db copy;
  copy.open(plat::installPath("Kelvantorium.bak"));
  EXPECT_EQ(copy.scalar("SELECT COUNT(*) FROM Product").toInt(), 2);
  EXPECT_EQ(readFile(defaultDb), defaultBytes);
}

TEST_F(AdminTest, BackupFailuresKeepTheWindowOpenAndSayWhy) {
  setThai(true);
  QPointer<shell::BackupData> w = show<shell::BackupData>("BackupData");
  ASSERT_TRUE(w);
  EXPECT_EQ(w->windowTitle(), "เก็บข้อมูลสำรอง");
  EXPECT_EQ(w->cmdOk->text(), "ตกลง");
  const QByteArray dbBytes = readFile(dbPath());

  w->Text1->setText(testenv::tempDir() + "/missing/Kelvantorium.bak");
  w->cmdOk_Click();
  EXPECT_TRUE(dialogs.lastMessage().startsWith("เก็บข้อมูลสำรองไม่ได้: ")) << dialogs.lastMessage().toStdString();
  EXPECT_TRUE(dialogs.lastMessage().contains("ไม่มีแฟ้มหรือโฟลเดอร์นี้")) << dialogs.lastMessage().toStdString();

  w->Text1->setText(dbPath());
  w->cmdOk_Click();
  EXPECT_EQ(dialogs.lastMessage(), "ไม่สามารถเก็บข้อมูลสำรองทับฐานข้อมูลที่ใช้อยู่ได้ โปรดเลือกชื่อแฟ้มอื่น");

  EXPECT_EQ(plat::FormRegistry::instance().loaded("BackupData"), w.data());
  EXPECT_FALSE(Conn().isOpen());
  EXPECT_EQ(readFile(dbPath()), dbBytes);
  w->cmdCancel_Click();
  EXPECT_TRUE(Conn().isOpen());
}

TEST_F(AdminTest, ABackupKeptFromTheDatabaseByAnotherTillSaysSoInTheUsersLanguage) {
  setThai(true);
  QPointer<shell::BackupData> w = show<shell::BackupData>("BackupData");
  ASSERT_TRUE(w);
  QProcess holder;
  holder.start(testenv::tillProgram(), {"hold", dbPath(), "7000"});
  ASSERT_TRUE(holder.waitForReadyRead(10000));
  ASSERT_EQ(holder.readLine().trimmed(), "held");
  w->cmdOk_Click();
  EXPECT_EQ(dialogs.lastMessage(), QString("ฐานข้อมูล '%1' กำลังถูกใช้งานโดยโปรแกรมอีกเครื่องหนึ่ง ไม่มีข้อมูลใดถูกเปลี่ยน "
                                           "โปรดลองอีกครั้ง")
                                       .arg(dbPath()));
  EXPECT_EQ(plat::FormRegistry::instance().loaded("BackupData"), w.data());
  holder.waitForFinished(20000);
  EXPECT_FALSE(QFile::exists(w->Text1->text()));
}

// ---- restore ----

TEST_F(AdminTest, RestoreBringsBackTheBackupAndKeepsTheReplacedData) {
  // The database in use is not the default file: the restore replaces it, the default stays.
  const QString defaultDb = dbPath();
  const QByteArray defaultBytes = readFile(defaultDb);
  const QString inUse = testenv::tempDir() + "/Kelvantorium.db";
  ASSERT_TRUE(QFile::copy(defaultDb, inUse));
  shell::settings().DbPath = shell::SettingValue::ofText(inUse);
  Conn().open(inUse);
  stockAndSale(Conn());
  const QString backup = testenv::tempDir() + "/Before Sale.bak";
  {
    Conn().close();
    data::backupDatabase(dbPath(), backup);
    Conn().open(dbPath());
  }
  postSale(Conn());

  QPointer<shell::LoadData> w = show<shell::LoadData>("LoadData");
  ASSERT_TRUE(w);
  EXPECT_FALSE(Conn().isOpen());
  EXPECT_EQ(w->Dir1->path(), plat::installDir());
  EXPECT_FALSE(w->cmdOk->isEnabled());
  ASSERT_TRUE(w->Dir1->setPath(QFileInfo(backup).absolutePath()));
  EXPECT_EQ(w->File1->path(), QFileInfo(backup).absolutePath());
  ASSERT_TRUE(w->File1->choose("Before Sale.bak"));
  EXPECT_TRUE(w->cmdOk->isEnabled());
  EXPECT_EQ(w->Text1->text(), "Before Sale.bak");

  dialogs.answerYes(false);  // No: nothing happens
  w->cmdOk_Click();
  EXPECT_EQ(plat::FormRegistry::instance().loaded("LoadData"), w.data());
  dialogs.answerYes(true);
  w->cmdOk_Click();
  EXPECT_EQ(dialogs.texts(), (QStringList{"Your Old Data will be lost!,You Should Backup your old data befor",
                                          "Your Old Data will be lost!,You Should Backup your old data befor",
                                          "Data  Opened"}));
  EXPECT_EQ(w->RestorePath, backup);
  EXPECT_EQ(plat::FormRegistry::instance().loaded("LoadData"), nullptr);

  // The next statement runs on the reopened connection, on the restored data.
  ASSERT_TRUE(Conn().isOpen());
  EXPECT_EQ(sales(Conn()), 0);
  EXPECT_EQ(Conn().scalar("SELECT COUNT(*) FROM Product").toInt(), 2);
  EXPECT_EQ(Conn().path(), inUse);
  const QString kept = QFileInfo(inUse).absolutePath() + "/Kelvantorium-before-restore-20240315-103000.bak";
  data::Db old;
  old.open(kept);
  EXPECT_EQ(sales(old), 1);
  EXPECT_FALSE(QFile::exists(dbPath() + "-journal"));
  EXPECT_EQ(readFile(defaultDb), defaultBytes);
}

TEST_F(AdminTest, AReopenThatFailsIsToldWithTheDatabasesDescription) {
  QPointer<shell::LoadData> w = show<shell::LoadData>("LoadData");
  ASSERT_TRUE(w);
  const QString gone = testenv::tempDir() + "/gone.db";
  shell::settings().DbPath = shell::SettingValue::ofText(gone);
  w->cmdCancel_Click();
  EXPECT_FALSE(Conn().isOpen());
  EXPECT_TRUE(dialogs.lastMessage().startsWith("The database cannot be opened: "))
      << dialogs.lastMessage().toStdString();
  EXPECT_TRUE(dialogs.lastMessage().contains(gone));
}

TEST_F(AdminTest, RestoreRefusesWhatIsNoBackupAndChangesNothing) {
  const QString dir = testenv::tempDir();
  stockAndSale(Conn());
  Conn().close();
  data::backupDatabase(dbPath(), dir + "/whole.bak");
  const QByteArray whole = readFile(dir + "/whole.bak");
  writeFile(dir + "/x.BAK", "a note renamed to look like a backup\n");
  writeFile(dir + "/empty.bak", "");
  writeFile(dir + "/half.bak", whole.left(whole.size() / 2));
  {
    data::Db other;
    QFile::copy(testenv::templateDb(), dir + "/other.bak");
    QFile::setPermissions(dir + "/other.bak", QFile::ReadOwner | QFile::WriteOwner);
    other.open(dir + "/other.bak");
    other.exec("DROP TABLE Security");
  }
  {
    data::Db columns;
    QFile::copy(dir + "/whole.bak", dir + "/columns.bak");
    columns.open(dir + "/columns.bak");
    columns.exec("ALTER TABLE Sell RENAME COLUMN SPrice TO Price");
  }
  {
    QFile::copy(dir + "/whole.bak", dir + "/wal.bak");
    data::Db wal;
    wal.open(dir + "/wal.bak");
    wal.scalar("PRAGMA journal_mode = WAL");
  }
  // Under a backup's name but no file to read: a pipe, a folder, a link to a device.
  ASSERT_EQ(mkfifo(QFile::encodeName(dir + "/pipe.bak").constData(), 0600), 0);
  ASSERT_TRUE(QDir(dir).mkdir("x.bak"));
  ASSERT_TRUE(QFile::link("/dev/zero", dir + "/zero.bak"));
  Conn().open(dbPath());
  const QByteArray dbBytes = readFile(dbPath());
  const QString english = "This file is not a usable backup of this program's data; nothing was changed: ";
  const QString thaiText = "แฟ้มนี้ไม่ใช่ข้อมูลสำรองของโปรแกรมที่ใช้ได้ ข้อมูลเดิมไม่ถูกเปลี่ยน: ";
  const struct {
    const char* file;
    bool thai;
    const char* detail;
  } cases[] = {{"x.BAK", false, "is not a database file"},
               {"empty.bak", true, "ว่างเปล่า"},
               {"half.bak", false, "malformed"},
               {"other.bak", false, "table Security is missing"},
               {"columns.bak", true, "ตาราง Sell ไม่มีช่องข้อมูล sprice"},
               {"wal.bak", false, "WAL mode"},
               {"pipe.bak", false, "exists but is not a file (it is a device or a pipe)."},
               {"x.bak", true, "เป็นโฟลเดอร์ ไม่ใช่แฟ้ม"},
               {"zero.bak", true, "มีอยู่ แต่ไม่ใช่แฟ้มข้อมูล"},
               {"gone.bak", true, "ไม่พบแฟ้ม"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.file);
    setThai(c.thai);
    QPointer<shell::LoadData> w = show<shell::LoadData>("LoadData");
    ASSERT_TRUE(w);
    EXPECT_EQ(w->Combo1->itemText(0),
              c.thai ? QStringLiteral("แฟ้มข้อมูลสำรอง (*.BAK)") : QStringLiteral("Backup File (*.BAK)"));
    w->Dir1->setPath(dir);
    // What the list does not show is typed into the name box.
    if (!w->File1->choose(c.file)) w->Text1->setText(c.file);
    dialogs.shown.clear();
    dialogs.answerYes(true);
    w->cmdOk_Click();
    const QString msg = dialogs.lastMessage();
    EXPECT_TRUE(msg.startsWith(c.thai ? thaiText : english)) << msg.toStdString();
    EXPECT_TRUE(msg.contains(c.detail)) << msg.toStdString();
    EXPECT_TRUE(msg.contains(c.file)) << msg.toStdString();
    EXPECT_EQ(plat::FormRegistry::instance().loaded("LoadData"), w.data());
    EXPECT_EQ(readFile(dbPath()), dbBytes);
    w->cmdCancel_Click();
    ASSERT_TRUE(Conn().isOpen());
    EXPECT_EQ(Conn().scalar("SELECT COUNT(*) FROM Product").toInt(), 2);
  }
  EXPECT_EQ(QDir(plat::installDir()).entryList({"*before-restore*"}, QDir::Files), QStringList{});
}

// Beside a till that writes and then keeps reading, the restore waits once, at most 5 s in all,
// with the busy cursor and the window repainting; then it says the database is busy.
TEST_F(AdminTest, ARestoreBesideABusyTillWaitsOnceShowingTheWait) {
  setThai(true);
  const QString backup = testenv::tempDir() + "/whole.bak";
  Conn().close();
  data::backupDatabase(dbPath(), backup);
  const QByteArray dbBytes = readFile(dbPath());
  QPointer<shell::LoadData> w = show<shell::LoadData>("LoadData");
  ASSERT_TRUE(w);
  w->Dir1->setPath(QFileInfo(backup).absolutePath());
  ASSERT_TRUE(w->File1->choose("whole.bak"));
  testenv::Paints paints(w);
  testenv::pump();
  const int paintsBefore = paints.n;
  int ticks = 0, busyTicks = 0;
  QTimer timer;
  QObject::connect(&timer, &QTimer::timeout, w, [&] {
    ++ticks;
    if (QApplication::overrideCursor() && QApplication::overrideCursor()->shape() == Qt::WaitCursor)
      ++busyTicks;
    w->update();
  });
  QProcess holder;
  holder.start(testenv::tillProgram(), {"hold-write-then-read", dbPath(), "3000", "12000"});
  ASSERT_TRUE(holder.waitForReadyRead(10000));
  ASSERT_EQ(holder.readLine().trimmed(), "held");
  timer.start(100);
  dialogs.answerYes(true);
  QElapsedTimer t;
  t.start();
  w->cmdOk_Click();
  const qint64 waited = t.elapsed();
  timer.stop();
  EXPECT_LE(waited, data::kBusyWaitMs + 700);
  EXPECT_GE(waited, 3000);
  EXPECT_EQ(dialogs.lastMessage(), shell::databaseBusyText(dbPath()));
  EXPECT_GE(busyTicks, 30) << ticks;
  EXPECT_EQ(busyTicks, ticks);
  EXPECT_GE(paints.n - paintsBefore, 30);
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
  EXPECT_EQ(plat::FormRegistry::instance().loaded("LoadData"), w.data());
  holder.waitForFinished(20000);
  EXPECT_EQ(readFile(dbPath()), dbBytes);
}

// Where the database went missing or was spoilt, the login says which file: the shop then puts a
// backup copy there by hand (the restore window is reached only after a login).
TEST_F(AdminTest, TheLoginNamesADatabaseThatIsMissingOrUnreadable) {
  const QString db = dbPath();
  Conn().close();
  for (const char* what : {"missing", "text"}) {
    SCOPED_TRACE(what);
    QFile::remove(db);
    if (QString(what) == "text") writeFile(db, "this is no database");
    dialogs.shown.clear();
    auto* login = new shell::frmLogin;
    login->Form_Load();
    EXPECT_TRUE(dialogs.lastMessage().contains(db)) << dialogs.lastMessage().toStdString();
    delete login;
  }
}

TEST_F(AdminTest, FileListShowsBackupsWithoutRegardToCase) {
  const QString dir = testenv::tempDir();
  for (const char* f : {"a.bak", "B.BAK", "c.Bak", "d.db", "e.bak.txt"}) writeFile(dir + "/" + f, "x");
  QDir(dir).mkdir("sub");
  QPointer<shell::LoadData> w = show<shell::LoadData>("LoadData");
  ASSERT_TRUE(w);
  w->Dir1->setPath(dir);
  QStringList listed;
  for (int i = 0; i < w->File1->count(); ++i) listed << w->File1->item(i)->text();
  EXPECT_EQ(listed, (QStringList{"a.bak", "B.BAK", "c.Bak"}));
  // The keys choose a file as a click does.
  EXPECT_FALSE(w->cmdOk->isEnabled());
  QTest::keyClick(w->File1, Qt::Key_Down);
  EXPECT_EQ(w->Text1->text(), "a.bak");
  EXPECT_TRUE(w->cmdOk->isEnabled());
  QTest::keyClick(w->File1, Qt::Key_Down);
  EXPECT_EQ(w->Text1->text(), "B.BAK");
  // The folder list holds the way down to the folder and the folders inside it; opening one lists it.
  const auto sub = w->Dir1->findItems("sub", Qt::MatchEndsWith);
  ASSERT_EQ(sub.size(), 1);
  emit w->Dir1->itemActivated(sub.front());
  EXPECT_EQ(w->Dir1->path(), dir + "/sub");
  EXPECT_EQ(w->File1->count(), 0);
  // Typing a name after a click restores the typed name from the listed folder.
  w->Dir1->setPath(dir);
  w->File1->choose("a.bak");
  w->Text1->setText("c.Bak");
  EXPECT_EQ(w->chosenPath(), dir + "/c.Bak");
}

}  // namespace

TEST_F(AdminTest, TheFileListHoldsTheKeptCopysNameWholeInBothLanguages) {
  const QString dir = testenv::tempDir();
  const QString inUse = dir + "/Kelvantorium.db";
  ASSERT_TRUE(QFile::copy(dbPath(), inUse));
  shell::settings().DbPath = shell::SettingValue::ofText(inUse);
  const QString name = "Kelvantorium-before-restore-20240315-103000.bak";
  writeFile(dir + "/" + name, "x");
  for (const bool thai : {false, true}) {
    setThai(thai);
    QPointer<shell::LoadData> w = show<shell::LoadData>("LoadData");
    ASSERT_TRUE(w);
    w->Dir1->setPath(dir);
    testenv::pump();
    const QFontMetrics fm(w->File1->font());
    EXPECT_GE(w->File1->viewport()->width(), fm.horizontalAdvance(name)) << (thai ? "Thai" : "English");
    EXPECT_EQ(w->File1->horizontalScrollBar()->maximum(), 0) << "nothing to scroll to";
    // The folder list and the buttons stand right of the list as drawn, the window holds them.
    EXPECT_GT(w->Dir1->x(), w->File1->geometry().right());
    EXPECT_LE(w->cmdCancel->geometry().right(), w->width());
    w->cmdCancel_Click();
    testenv::pump();
  }
}
