// Why the backup, load-data and options windows cannot use a file, told in the user's language
// from one table of reasons: the same cases in English and in Thai, read from the message boxes
// the windows show.
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QPointer>
#include <QRegularExpression>

#include "data/db.h"
#include "data/dbfile.h"
#include "platform/dialogs.h"
#include "platform/files.h"
#include "shell/backup_data.h"
#include "shell/file_chooser.h"
#include "shell/option_form.h"
#include "shell/register.h"
#include "shell/settings.h"
#include "shell_helpers.h"
#include "support/recording_print.h"
#include "support/scripted_dialogs.h"
#include "support/testenv.h"

using data::Conn;
using shelltest::readFile;
using shelltest::writeFile;

namespace {

class FileReasonsTest : public shelltest::InstalledTest {
 protected:
  template <typename T>
  static T* show(const char* name) {
    return qobject_cast<T*>(plat::FormRegistry::instance().show(QString::fromLatin1(name)));
  }

  plat::ScriptedDialogs dialogs;
  plat::FakePrinters printers{{"Counter"}};
};

// One case: the file a window is given, what it must say in each language (%1 the file as the
// reason names it), and the names of the program's tables and columns that a Thai text may carry.
struct Case {
  const char* name;
  QString file;
  QString english, thai;
  QStringList names = {};
  QString named = {};        // the path the reason names, when it is not file
  bool wordsFollow = false;  // SQLite's own words follow the English text
};

// The message is the case's in the language; a Thai message holds no English word beside the
// path and the program's names, an English one no Thai.
void expectTold(const QString& message, const Case& c, bool thai) {
  const QString named = c.named.isEmpty() ? c.file : c.named;
  const QString want = (thai ? c.thai : c.english).arg(named);
  if (c.wordsFollow && !thai)
    EXPECT_TRUE(message.startsWith(want + ": ")) << message.toStdString();
  else
    EXPECT_EQ(message.toStdString(), want.toStdString());
  QString rest = message;
  if (!named.isEmpty()) rest.remove(named);
  for (const QString& n : c.names) rest.remove(n);
  if (thai)
    EXPECT_FALSE(rest.contains(QRegularExpression("[A-Za-z]")))
        << "English in Thai: " << message.toStdString();
  else
    EXPECT_FALSE(rest.contains(QRegularExpression("[\u0e00-\u0e7f]"))) << message.toStdString();
}

// Files no window can use, in dir: text, empty, cut short, not this program's (two ways), in WAL
// mode, a folder and a pipe.
void unusableFiles(const QString& dir, const QString& db) {
  const QString whole = dir + "/whole.bak";
  data::backupDatabase(db, whole);
  writeFile(dir + "/notes.bak", "a note renamed to look like a backup\n");
  writeFile(dir + "/empty.bak", "");
  const QByteArray bytes = readFile(whole);
  writeFile(dir + "/half.bak", bytes.left(bytes.size() / 2));
  ASSERT_TRUE(QFile::copy(whole, dir + "/other.bak"));
  ASSERT_TRUE(QFile::copy(whole, dir + "/columns.bak"));
  ASSERT_TRUE(QFile::copy(whole, dir + "/wal.bak"));
  {
    data::Db other;
    other.open(dir + "/other.bak");
    other.exec("DROP TABLE Security");
    data::Db columns;
    columns.open(dir + "/columns.bak");
    columns.exec("ALTER TABLE Sell RENAME COLUMN SPrice TO Price");
    data::Db wal;
    wal.open(dir + "/wal.bak");
    wal.scalar("PRAGMA journal_mode = WAL");
  }
  ASSERT_TRUE(QDir(dir).mkdir("folder.bak"));
  ASSERT_EQ(mkfifo(QFile::encodeName(dir + "/pipe.bak").constData(), 0600), 0);
}

const char kNotADb[] = "'%1' is not a database file.";
const char kNotADbThai[] = "'%1' ไม่ใช่แฟ้มฐานข้อมูล";
const char kEmpty[] = "'%1' is empty.";
const char kEmptyThai[] = "แฟ้ม '%1' ว่างเปล่า ไม่มีข้อมูลอยู่เลย";
const char kNoTable[] = "'%1' is not a database of this program (table Security is missing).";
const char kNoTableThai[] = "'%1' ไม่ใช่ฐานข้อมูลของโปรแกรมนี้ (ไม่มีตาราง Security)";
const char kMissing[] = "Could not find file '%1'.";
const char kMissingThai[] = "ไม่พบแฟ้ม '%1'";
const char kFolder[] = "'%1' is a folder, not a file.";
const char kFolderThai[] = "'%1' เป็นโฟลเดอร์ ไม่ใช่แฟ้ม";
const char kPipe[] = "'%1' exists but is not a file (it is a device or a pipe).";
const char kPipeThai[] = "'%1' มีอยู่ แต่ไม่ใช่แฟ้มข้อมูล (เป็นอุปกรณ์หรือท่อส่งข้อมูล)";

TEST_F(FileReasonsTest, TheBackupWindowSaysWhyInTheUsersLanguage) {
  const QString dir = testenv::tempDir();
  ASSERT_TRUE(QDir(dir).mkdir("folder"));
  ASSERT_TRUE(QFile::link(dir + "/folder", dir + "/link.bak"));
  const QString english = "The backup was not made: ";
  const QString thai = "เก็บข้อมูลสำรองไม่ได้: ";
  const Case cases[] = {
      {"a folder that does not exist", dir + "/missing/Kelvantorium.bak",
       english + "Could not write '%1': No such file or directory",
       thai + "เขียนแฟ้ม '%1' ไม่ได้: ไม่มีแฟ้มหรือโฟลเดอร์นี้"},
      {"no file name", "", english + "No file name was given.", thai + "ไม่ได้ระบุชื่อแฟ้ม"},
      {"a folder", dir + "/folder", english + kFolder, thai + kFolderThai},
      {"a link to a folder", dir + "/link.bak", english + kFolder, thai + kFolderThai, {}, dir + "/folder"},
  };
  for (const bool inThai : {false, true}) {
    shell::settings().LangThai = inThai;
    for (const Case& c : cases) {
      SCOPED_TRACE(std::string(c.name) + (inThai ? " in Thai" : ""));
      QPointer<shell::BackupData> w = show<shell::BackupData>("BackupData");
      ASSERT_TRUE(w);
      w->Text1->setText(c.file);
      dialogs.clear();
      w->cmdOk_Click();
      ASSERT_EQ(dialogs.shown.size(), 1u);
      expectTold(dialogs.lastMessage(), c, inThai);
      EXPECT_EQ(plat::FormRegistry::instance().loaded("BackupData"), w.data());
      w->cmdCancel_Click();
    }
  }
  EXPECT_TRUE(QFileInfo(dir + "/link.bak").isSymLink());
  EXPECT_EQ(QDir(dir + "/folder").entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList{});
}

TEST_F(FileReasonsTest, TheLoadDataWindowSaysWhyInTheUsersLanguage) {
  const QString dir = testenv::tempDir();
  Conn().close();
  unusableFiles(dir, dbPath());
  Conn().open(dbPath());
  const QByteArray before = readFile(dbPath());
  const QString refused = "This file is not a usable backup of this program's data; nothing was changed: ";
  const QString refusedThai = "แฟ้มนี้ไม่ใช่ข้อมูลสำรองของโปรแกรมที่ใช้ได้ ข้อมูลเดิมไม่ถูกเปลี่ยน: ";
  const Case cases[] = {
      {"a text file", dir + "/notes.bak", refused + kNotADb, refusedThai + kNotADbThai},
      {"an empty file", dir + "/empty.bak", refused + kEmpty, refusedThai + kEmptyThai},
      {"a file cut short",
       dir + "/half.bak",
       refused + "'%1' is damaged",
       refusedThai + "แฟ้ม '%1' เสียหาย อ่านข้อมูลได้ไม่ครบ",
       {},
       {},
       true},
      {"without a table of the program",
       dir + "/other.bak",
       refused + kNoTable,
       refusedThai + kNoTableThai,
       {"Security"}},
      {"without a column of the program",
       dir + "/columns.bak",
       refused + "'%1' is not a database of this program (table Sell has no column sprice).",
       refusedThai + "'%1' ไม่ใช่ฐานข้อมูลของโปรแกรมนี้ (ตาราง Sell ไม่มีช่องข้อมูล sprice)",
       {"Sell", "sprice"}},
      {"in WAL mode", dir + "/wal.bak",
       refused +
           "'%1' is kept in WAL mode, with part of its data in files beside it; make the backup copy with "
           "this program's backup instead.",
       refusedThai + "'%1' เก็บข้อมูลบางส่วนไว้ในแฟ้มอื่นข้างกัน โปรดทำสำเนาด้วยการเก็บข้อมูลสำรองของโปรแกรมนี้แทน"},
      {"a file not there", dir + "/gone.bak", refused + kMissing, refusedThai + kMissingThai},
      {"a folder", dir + "/folder.bak", refused + kFolder, refusedThai + kFolderThai},
      {"a pipe", dir + "/pipe.bak", refused + kPipe, refusedThai + kPipeThai},
      {"the database in use", dbPath(),
       "The backup was not put in place; nothing was changed: '%1' is the database in use.",
       "เรียกใช้ข้อมูลสำรองไม่ได้ ข้อมูลเดิมไม่ถูกเปลี่ยน: '%1' คือฐานข้อมูลที่กำลังใช้อยู่"},
  };
  for (const bool inThai : {false, true}) {
    shell::settings().LangThai = inThai;
    for (const Case& c : cases) {
      SCOPED_TRACE(std::string(c.name) + (inThai ? " in Thai" : ""));
      QPointer<shell::LoadData> w = show<shell::LoadData>("LoadData");
      ASSERT_TRUE(w);
      ASSERT_TRUE(w->Dir1->setPath(QFileInfo(c.file).absolutePath()));
      if (!w->File1->choose(QFileInfo(c.file).fileName())) w->Text1->setText(QFileInfo(c.file).fileName());
      dialogs.clear();
      dialogs.answerYes(true);
      w->cmdOk_Click();
      ASSERT_EQ(dialogs.shown.size(), 2u);
      expectTold(dialogs.lastMessage(), c, inThai);
      EXPECT_EQ(plat::FormRegistry::instance().loaded("LoadData"), w.data());
      w->cmdCancel_Click();
      EXPECT_EQ(readFile(dbPath()), before);
    }
  }
  EXPECT_EQ(QDir(plat::installDir()).entryList({"*before-restore*"}, QDir::Files), QStringList{});
}

TEST_F(FileReasonsTest, TheOptionsWindowsDatabasePathSaysWhyInTheUsersLanguage) {
  const QString dir = testenv::tempDir();
  Conn().close();
  unusableFiles(dir, dbPath());
  Conn().open(dbPath());
  const QString english = "Database Path: ";
  const QString thai = "ตำแหน่งของฐานข้อมูล: ";
  const QString choose = " Please choose a database of this program.";
  const QString chooseThai = " โปรดเลือกฐานข้อมูลของโปรแกรมนี้";
  const Case cases[] = {
      {"a file not there", dir + "/gone.db", english + kMissing + choose, thai + kMissingThai + chooseThai},
      {"a folder", dir + "/folder.bak", english + kFolder + choose, thai + kFolderThai + chooseThai},
      {"a pipe", dir + "/pipe.bak", english + kPipe + choose, thai + kPipeThai + chooseThai},
      {"a text file", dir + "/notes.bak", english + kNotADb + choose, thai + kNotADbThai + chooseThai},
      {"an empty file", dir + "/empty.bak", english + kEmpty + choose, thai + kEmptyThai + chooseThai},
      {"without a table of the program",
       dir + "/other.bak",
       english + kNoTable + choose,
       thai + kNoTableThai + chooseThai,
       {"Security"}},
  };
  const shell::ShopSettings before = shell::settings();
  for (const bool inThai : {false, true}) {
    for (const Case& c : cases) {
      SCOPED_TRACE(std::string(c.name) + (inThai ? " in Thai" : ""));
      shell::settings().LangThai = inThai;
      auto* f = show<shell::OptionF>("OptionF");
      ASSERT_TRUE(f);
      f->txtDatabase->setText(c.file);
      dialogs.clear();
      f->OKButton_Click();
      ASSERT_EQ(dialogs.shown.size(), 1u);
      expectTold(dialogs.lastMessage(), c, inThai);
      EXPECT_EQ(f->focusWidget(), f->txtDatabase);
      EXPECT_EQ(shell::settings().DbPath, before.DbPath);
      f->cmbCancel_Click();
    }
  }
  // A database in WAL mode or without a column opens at the next start, as it always did.
  for (const char* file : {"/wal.bak", "/columns.bak"}) {
    SCOPED_TRACE(file);
    shell::settings() = before;
    auto* f = show<shell::OptionF>("OptionF");
    ASSERT_TRUE(f);
    f->txtDatabase->setText(dir + file);
    dialogs.clear();
    dialogs.answerYes(false);
    f->OKButton_Click();
    EXPECT_EQ(dialogs.texts(), QStringList{"To use this setting you must restart your program"});
    EXPECT_EQ(shell::settings().DbPath.toText(), dir + file);
  }
}

// The owner's backup name is a link to a file on a stick: Save writes the file there, says the
// backup is complete, and the link stays.
TEST_F(FileReasonsTest, ABackupOntoALinkReachesTheFileItNames) {
  const QString stick = testenv::tempDir();
  writeFile(stick + "/Kelvantorium.bak", "last week's backup");
  const QString link = plat::installPath("Kelvantorium.bak");
  QFile::remove(link);
  ASSERT_TRUE(QFile::link(stick + "/Kelvantorium.bak", link));
  Conn().exec("INSERT INTO Product (PId, PName, Price, Quantity) VALUES ('A1', 'Rice', 20, 7)");
  QPointer<shell::BackupData> w = show<shell::BackupData>("BackupData");
  ASSERT_TRUE(w);
  EXPECT_EQ(w->Text1->text(), link);
  w->cmdOk_Click();
  EXPECT_EQ(dialogs.texts(), QStringList{"Backup complete"});
  EXPECT_TRUE(QFileInfo(link).isSymLink());
  EXPECT_EQ(QFileInfo(link).symLinkTarget(), stick + "/Kelvantorium.bak");
  data::Db copy;
  copy.open(stick + "/Kelvantorium.bak");
  EXPECT_EQ(copy.scalar("SELECT PName FROM Product WHERE PId = 'A1'").toString(), "Rice");
  EXPECT_EQ(QDir(stick).entryList(QDir::Files), QStringList{"Kelvantorium.bak"});
}

}  // namespace
