#include "shell/settings.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QLocale>
#include <QProcess>
#include <clocale>
#include <csignal>
#include <cstdio>
#include <functional>

#include "platform/codepage.h"
#include "platform/files.h"
#include "support/testenv.h"

using shell::SettingValue;
using shell::ShopSettings;

namespace {

// The fields of a settings line as they stand in the file (quotes included).
QStringList baseFields() {
  return {"\"Shop\"",
          "\"12/3, Sukhumvit Rd\"",
          "\"Bangkok\"",
          "\"02-123-4567\"",
          "\"RECEIPT\"",
          "\"0105551234567\"",
          "\"Thank you\"",
          "\"VAT included\"",
          "\"10\"",
          "12",
          "1",
          "\"RJ45\"",
          "#TRUE#",
          "1",
          "7",
          "\"spare, kept\"",
          "1",
          "\"/data/my shop/Kelvantorium.db\"",
          "\"BillPrinter\"",
          "\"Garuda\"",
          "#FALSE#",
          "\"Inv 1\"",
          "\"Inv 2\"",
          "\"Inv 3\"",
          "\"Inv 4\"",
          "\"ReportPrinter\""};
}

QByteArray line(const QStringList& fields) { return plat::toCp874(fields.join(',') + "\r\n"); }

QByteArray readBytes(const QString& path) {
  QFile f(path);
  if (!f.open(QIODevice::ReadOnly)) return {};
  return f.readAll();
}

void writeBytes(const QString& path, const QByteArray& bytes) {
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
  ASSERT_EQ(f.write(bytes), bytes.size());
}

class SettingsFile : public ::testing::Test {
 protected:
  void SetUp() override {
    testenv::wipeInstallation();
    QLocale::setDefault(QLocale(QLocale::German));  // comma decimals must not reach the file
    std::setlocale(LC_ALL, "de_DE.UTF-8");          // where the machine has it
  }
  void TearDown() override {
    QLocale::setDefault(QLocale::c());
    std::setlocale(LC_ALL, "C");
  }
};

}  // namespace

TEST_F(SettingsFile, RoundTripsByteForByte) {
  struct Case {
    const char* name;
    int field;  // 1-based, 0 for the base line
    QString raw;
  };
  const Case cases[] = {
      {"drawer RJ45 quoted", 0, {}},
      {"drawer port 3 bare", 12, "3"},
      {"port held as text", 11, "\"3\""},
      {"VAT 7.5", 15, "7.5"},
      {"negative VAT", 15, "-0.25"},
      {"empty value field", 24, ""},
      {"empty name value", 1, ""},
      {"Thai text", 1, QString::fromUtf8("\"ร้านสมใจ ขายส่ง\"")},
      {"Thai address", 2, QString::fromUtf8("\"99/1 ถนนสุขุมวิท, กรุงเทพฯ\"")},
      {"spare text kept", 16, "\"anything, at all; 'here'\""},
      {"English", 13, "#FALSE#"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    QStringList f = baseFields();
    if (c.field > 0) f[c.field - 1] = c.raw;
    const QByteArray bytes = line(f);
    writeBytes(shell::settingsPath(), bytes);
    ShopSettings rec;
    QString error;
    ASSERT_TRUE(shell::readSettings26(rec, &error)) << error.toStdString();
    ASSERT_TRUE(shell::writeSettings(rec, &error)) << error.toStdString();
    EXPECT_EQ(readBytes(shell::settingsPath()), bytes);
  }
}

TEST_F(SettingsFile, FieldsTakeTheirKinds) {
  QStringList f = baseFields();
  f[10] = "\"3\"";  // DisplayPort typed as text
  f[23] = "";       // InvLine3 holds nothing
  f[0] = QString::fromUtf8("\"ร้านสมใจ\"");
  writeBytes(shell::settingsPath(), line(f));
  ShopSettings r;
  QString error;
  ASSERT_TRUE(shell::readSettings26(r, &error)) << error.toStdString();
  EXPECT_EQ(r.ComName, SettingValue::ofText(QString::fromUtf8("ร้านสมใจ")));
  EXPECT_EQ(r.ComAddress, "12/3, Sukhumvit Rd");
  EXPECT_EQ(r.ComTaxID, SettingValue::ofText("0105551234567"));
  EXPECT_EQ(r.ReportFontSize, SettingValue::ofText("10"));
  EXPECT_EQ(r.BillFontSize, 12);
  EXPECT_EQ(r.DisplayPort, SettingValue::ofText("3"));
  EXPECT_EQ(r.DrawerPort, SettingValue::ofText("RJ45"));
  EXPECT_TRUE(r.LangThai);
  EXPECT_EQ(r.PrintType, 1);
  EXPECT_EQ(r.VatRate, 7);
  EXPECT_EQ(r.SpareText, "spare, kept");
  EXPECT_EQ(r.SlipWidth, 1);
  EXPECT_EQ(r.DbPath.toText(), "/data/my shop/Kelvantorium.db");
  EXPECT_FALSE(r.BillNoContinue);
  EXPECT_TRUE(r.InvLine3.isNothing());
  EXPECT_EQ(r.ReportPrinter, "ReportPrinter");

  f[11] = "3";
  f[14] = "7.5";
  writeBytes(shell::settingsPath(), line(f));
  ASSERT_TRUE(shell::readSettings26(r, &error));
  EXPECT_EQ(r.DrawerPort, SettingValue::ofNumber(3));
  EXPECT_EQ(r.VatRate, 7.5);
}

TEST_F(SettingsFile, WritesNumbersWithAPointWhateverTheLocale) {
  ShopSettings r;
  r.VatRate = 7.5;
  r.DrawerPort = SettingValue::ofNumber(3);
  r.DisplayPort = SettingValue::ofText("3");
  r.ComName = SettingValue::ofText(QString::fromUtf8("ร้าน"));
  const QByteArray bytes = shell::encodeSettings(r);
  const QByteArray want =
      QByteArray("\"") + QByteArray("\xC3\xE9\xD2\xB9") +
      "\",\"\",\"\",\"\",\"\",,\"\",\"\",,0,\"3\",3,#FALSE#,0,7.5,\"\",0,,,\"\",#FALSE#,,,,\"\",\"\"\r\n";
  EXPECT_EQ(bytes, want);
  r.VatRate = 7;
  EXPECT_TRUE(shell::encodeSettings(r).contains(",0,7,\"\","));
}

TEST_F(SettingsFile, EmptyRecordRoundTrips) {
  const ShopSettings empty;
  ShopSettings back;
  back.LangThai = true;
  QString error;
  ASSERT_TRUE(shell::decodeSettings(shell::encodeSettings(empty), 26, back, &error)) << error.toStdString();
  EXPECT_EQ(back, empty);
}

TEST_F(SettingsFile, DoubleQuoteBecomesApostropheAndShiftsNothing) {
  ShopSettings r;
  r.ComAddress = "The \"Best\" Shop, 5 Road";
  r.ComAddress1 = "line\r\nbreak";
  r.ComPhone = "02-000";
  r.ReportPrinter = "Last";
  QString error;
  ASSERT_TRUE(shell::writeSettings(r, &error));
  ShopSettings back;
  ASSERT_TRUE(shell::readSettings26(back, &error)) << error.toStdString();
  EXPECT_EQ(back.ComAddress, "The 'Best' Shop, 5 Road");
  EXPECT_EQ(back.ComAddress1, "line  break");
  EXPECT_EQ(back.ComPhone, "02-000");
  EXPECT_EQ(back.ReportPrinter, "Last");
  EXPECT_EQ(readBytes(shell::settingsPath()).count("\r\n"), 1);
}

TEST_F(SettingsFile, ADatabasePathIsKeptOnlyWhenTheFileGivesItBackAsTyped) {
  const struct {
    QString path;
    std::optional<QChar> unkept;
  } cases[] = {
      {"/data/shop.db", std::nullopt},
      {"/data/ร้านค้า/shop.db", std::nullopt},
      {plat::installPath("ร้าน/shop.db"), std::nullopt},
      {"/data/shop \"main\".db", QChar('"')},
      {"/home/jos\u00e9/x.db", QChar(0xe9)},
      {"/data/a\nb.db", QChar('\n')},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.path.toStdString());
    EXPECT_EQ(shell::unkeptDbPathChar(c.path), c.unkept);
    if (c.unkept) continue;
    // What is accepted comes back from the file unchanged.
    shell::ShopSettings r, back;
    r.DbPath = shell::SettingValue::ofText(c.path);
    ASSERT_TRUE(shell::decodeSettings(shell::encodeSettings(r), 18, back, nullptr));
    EXPECT_EQ(back.DbPath.toText(), c.path);
  }
}

TEST_F(SettingsFile, FieldCounts) {
  const QStringList all = baseFields();
  for (int n = 18; n <= 25; ++n) {
    SCOPED_TRACE(n);
    const QByteArray bytes = line(all.mid(0, n));
    writeBytes(shell::settingsPath(), bytes);
    ShopSettings r;
    r.FontName = "before";
    QString error;
    EXPECT_TRUE(shell::readSettings18(r, &error)) << error.toStdString();
    EXPECT_EQ(r.DbPath.toText(), "/data/my shop/Kelvantorium.db");
    EXPECT_EQ(r.FontName, "before");  // fields after 18 are the main window's
    const ShopSettings afterLogin = r;
    error.clear();
    EXPECT_FALSE(shell::readSettings26(r, &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(r, afterLogin);  // a failed read changes nothing
    EXPECT_EQ(readBytes(shell::settingsCopyPath()), bytes);
  }
  for (int n : {1, 17}) {
    writeBytes(shell::settingsPath(), line(all.mid(0, n)));
    ShopSettings r;
    QString error;
    EXPECT_FALSE(shell::readSettings18(r, &error)) << n;
  }

  // More than 26: read normally; the next write holds exactly 26.
  writeBytes(shell::settingsPath(), line(all + QStringList{"\"extra\"", "27", "#TRUE#"}));
  ShopSettings r;
  QString error;
  ASSERT_TRUE(shell::readSettings26(r, &error)) << error.toStdString();
  EXPECT_EQ(r.ReportPrinter, "ReportPrinter");
  ASSERT_TRUE(shell::writeSettings(r, &error));
  EXPECT_EQ(readBytes(shell::settingsPath()), line(all));
}

TEST_F(SettingsFile, WholeFieldOutsideSixteenBitsFailsTheRead) {
  struct Case {
    int field;
    const char* raw;
    bool ok18, ok26;
  } cases[] = {
      {10, "32767", true, true},   {10, "-32768", true, true},   {10, "32768", false, false},
      {17, "99999", false, false}, {14, "-40000", false, false}, {10, "12abc", false, false},
      {13, "maybe", false, false}, {15, "1e400", false, false},  {10, "", true, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.field) + "=" + c.raw);
    QStringList f = baseFields();
    f[c.field - 1] = c.raw;
    writeBytes(shell::settingsPath(), line(f));
    ShopSettings r;
    QString error;
    EXPECT_EQ(shell::readSettings18(r, &error), c.ok18) << error.toStdString();
    EXPECT_EQ(shell::readSettings26(r, &error), c.ok26) << error.toStdString();
    if (!c.ok26) {
      EXPECT_TRUE(error.contains(QString::number(c.field))) << error.toStdString();
    }
  }
}

TEST_F(SettingsFile, ADamagedFieldIsShownOnlyByItsStart) {
  QStringList f = baseFields();
  f[9] = QString(5000, '7') + QStringLiteral("x");  // BillFontSize, run on for pages
  writeBytes(shell::settingsPath(), line(f));
  ShopSettings r;
  QString error;
  EXPECT_FALSE(shell::readSettings18(r, &error));
  EXPECT_TRUE(error.contains(QString(40, '7') + QStringLiteral("..."))) << error.toStdString();
  EXPECT_LT(error.size(), 200);
}

TEST_F(SettingsFile, ReaderSkipsBlanksAndTakesLineEndsAsSeparators) {
  QStringList f = baseFields();
  QString text = f.mid(0, 13).join(",  ") + "\n" + f.mid(13).join(" ,") + "\r\n";
  ShopSettings r;
  QString error;
  ASSERT_TRUE(shell::decodeSettings(plat::toCp874(text), 26, r, &error)) << error.toStdString();
  EXPECT_EQ(r.ComAddress, "12/3, Sukhumvit Rd");
  EXPECT_TRUE(r.LangThai);
  EXPECT_EQ(r.PrintType, 1);
  EXPECT_EQ(r.VatRate, 7);
  EXPECT_EQ(r.ReportPrinter, "ReportPrinter");
}

TEST_F(SettingsFile, MissingFile) {
  ShopSettings r;
  r.ComAddress = "kept";
  QString error;
  EXPECT_FALSE(shell::readSettings18(r, &error));
  EXPECT_TRUE(error.contains("File not found")) << error.toStdString();
  EXPECT_FALSE(shell::readSettings26(r, &error));
  EXPECT_FALSE(QFile::exists(shell::settingsCopyPath()));
  EXPECT_EQ(r.ComAddress, "kept");
}

TEST_F(SettingsFile, CopyIsRenewedAtEveryStartEvenWhenTheReadFails) {
  writeBytes(shell::settingsCopyPath(), "old copy");
  const QByteArray shortFile = line(baseFields().mid(0, 20));
  writeBytes(shell::settingsPath(), shortFile);
  ShopSettings r;
  QString error;
  EXPECT_FALSE(shell::readSettings26(r, &error));
  EXPECT_EQ(readBytes(shell::settingsCopyPath()), shortFile);

  const QByteArray good = line(baseFields());
  writeBytes(shell::settingsPath(), good);
  EXPECT_TRUE(shell::readSettings26(r, &error));
  EXPECT_EQ(readBytes(shell::settingsCopyPath()), good);
}

namespace {
// Runs fn in a child process as the unprivileged user "nobody" (root writes into read-only
// folders, so the test would otherwise prove nothing when run as root). Returns fn's result.
int asUnprivileged(const std::function<int()>& fn) {
  if (geteuid() != 0) return fn();
  const pid_t pid = fork();
  if (pid == 0) {
    if (setgid(65534) != 0 || setuid(65534) != 0) _exit(100);
    _exit(fn());
  }
  int status = 0;
  waitpid(pid, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : 101;
}
}  // namespace

TEST_F(SettingsFile, WriteIntoReadOnlyFolderKeepsTheOldBytesAndSaysWhy) {
  const QByteArray old = line(baseFields());
  writeBytes(shell::settingsPath(), old);
  // Let the unprivileged child reach the folder: every folder above it becomes passable.
  for (QDir d(plat::installDir()); d.cdUp() && d.path() != "/";) {
    // Only folders that lack it: a chmod would drop the sticky bit of /tmp.
    const auto p = QFile::permissions(d.path());
    if (!(p & QFile::ExeOther)) QFile::setPermissions(d.path(), p | QFile::ExeOther);
  }
  QFile::setPermissions(plat::installDir(), QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup |
                                                QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther);
  QFile::setPermissions(shell::settingsPath(), QFile::ReadOwner | QFile::ReadOther | QFile::ReadGroup);

  const int rc = asUnprivileged([] {
    ShopSettings r;
    r.ComAddress = "new";
    QString error;
    if (shell::writeSettings(r, &error)) return 1;
    return error.contains(shell::settingsPath()) ? 0 : 2;
  });
  QFile::setPermissions(plat::installDir(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
  QFile::setPermissions(shell::settingsPath(), QFile::ReadOwner | QFile::WriteOwner);
  EXPECT_EQ(rc, 0);
  EXPECT_EQ(readBytes(shell::settingsPath()), old);
  EXPECT_EQ(QDir(plat::installDir()).entryList(QDir::Files), QStringList{"Kelvantorium.new"});
}

namespace {
// Runs fn while no file may grow past 40 bytes: a file size limit stands in for a full disk, and
// it holds for root too.
bool withFilesOf40Bytes(const std::function<bool()>& fn) {
  rlimit saved{};
  if (getrlimit(RLIMIT_FSIZE, &saved) != 0) {
    ADD_FAILURE() << "no file size limit";
    return true;
  }
  auto* oldHandler = std::signal(SIGXFSZ, SIG_IGN);
  rlimit tight = saved;
  tight.rlim_cur = 40;
  const bool limited = setrlimit(RLIMIT_FSIZE, &tight) == 0;
  EXPECT_TRUE(limited);
  const bool result = fn();
  setrlimit(RLIMIT_FSIZE, &saved);
  std::signal(SIGXFSZ, oldHandler);
  return result;
}
}  // namespace

TEST_F(SettingsFile, FullDiskKeepsTheOldBytesAndSaysTheDiskIsFull) {
  const QByteArray old = line(baseFields());
  writeBytes(shell::settingsPath(), old);
  for (const bool thai : {false, true}) {
    ShopSettings r;
    r.ComAddress = QString(200, 'x');
    r.LangThai = thai;
    shell::settings().LangThai = thai;
    QString error;
    const bool ok = withFilesOf40Bytes([&] { return shell::writeSettings(r, &error); });
    EXPECT_FALSE(ok);
    EXPECT_TRUE(error.startsWith(thai ? QStringLiteral("ดิสก์เต็ม") : QStringLiteral("The disk is full")))
        << error.toStdString();
    EXPECT_EQ(readBytes(shell::settingsPath()), old);
    EXPECT_EQ(QDir(plat::installDir()).entryList(QDir::Files), QStringList{"Kelvantorium.new"});
  }
  shell::settings().LangThai = false;
}

// The reasons that need another user or a full disk to meet, in both languages: a file the program
// may not read, a copy into a folder it may not write, a copy onto a full disk.
TEST_F(SettingsFile, ASettingsFileThatCannotBeReadOrCopiedIsToldWhyInTheUsersLanguage) {
  const QString file = QDir::toNativeSeparators(shell::settingsPath());
  const QString copy = QDir::toNativeSeparators(shell::settingsCopyPath());
  for (QDir d(plat::installDir()); d.cdUp() && d.path() != "/";) {
    const auto p = QFile::permissions(d.path());
    if (!(p & QFile::ExeOther)) QFile::setPermissions(d.path(), p | QFile::ExeOther);
  }
  const auto readOnlyFolder = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadGroup |
                              QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther;
  struct Case {
    QFile::Permissions filePermissions;
    QString english, thai;
  } unprivileged[] = {
      {QFile::ReadOwner | QFile::WriteOwner, "Cannot read " + file + ": there is no permission to read it.",
       "อ่านแฟ้ม " + file + " ไม่ได้: ไม่มีสิทธิ์อ่านแฟ้มนี้"},
      {QFile::ReadOwner | QFile::WriteOwner | QFile::ReadOther,
       "Cannot copy the settings to " + copy + ": there is no permission to write in its folder.",
       "คัดลอกค่าที่ตั้งไว้ไปที่ " + copy + " ไม่ได้: ไม่มีสิทธิ์เขียนในโฟลเดอร์ของแฟ้มนี้"},
  };
  for (const bool thai : {false, true}) {
    SCOPED_TRACE(thai ? "Thai" : "English");
    shell::settings().LangThai = thai;
    writeBytes(shell::settingsPath(), line(baseFields()));
    QFile::setPermissions(plat::installDir(), readOnlyFolder);
    for (const Case& c : unprivileged) {
      QFile::setPermissions(shell::settingsPath(), c.filePermissions);
      const QString want = thai ? c.thai : c.english;
      const int rc = asUnprivileged([&want] {
        ShopSettings r;
        QString error;
        if (shell::readSettings26(r, &error)) return 1;
        if (error != want) {
          std::fprintf(stderr, "told: %s\n", error.toUtf8().constData());
          return 2;
        }
        return 0;
      });
      EXPECT_EQ(rc, 0) << want.toStdString();
    }
    QFile::setPermissions(plat::installDir(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QFile::setPermissions(shell::settingsPath(), QFile::ReadOwner | QFile::WriteOwner);

    // The limit holds for the copy only: the file is read first.
    ShopSettings r;
    QString error;
    EXPECT_FALSE(withFilesOf40Bytes([&] { return shell::readSettings26(r, &error); }));
    EXPECT_EQ(error, thai ? "คัดลอกค่าที่ตั้งไว้ไปที่ " + copy + " ไม่ได้: ดิสก์เต็ม"
                          : "Cannot copy the settings to " + copy + ": the disk is full.");
  }
  shell::settings().LangThai = false;
}

TEST_F(SettingsFile, AReallyFullDiskIsToldAsSuch) {
  // A tiny file system filled to the brim; only root may mount one.
  if (geteuid() != 0) GTEST_SKIP() << "mounting a small file system needs root";
  const QString mnt = testenv::tempDir() + QStringLiteral("/full");
  QDir().mkpath(mnt);
  if (QProcess::execute(QStringLiteral("mount"), {"-t", "tmpfs", "-o", "size=64k", "tmpfs", mnt}) != 0)
    GTEST_SKIP() << "no tmpfs mount here";
  struct Unmount {
    QString at;
    ~Unmount() { QProcess::execute(QStringLiteral("umount"), {at}); }
  } unmount{mnt};
  const QByteArray before = qgetenv("XDG_DATA_HOME");
  qputenv("XDG_DATA_HOME", mnt.toUtf8());
  QDir().mkpath(plat::installDir());
  const QByteArray old = line(baseFields());
  writeBytes(shell::settingsPath(), old);
  {
    QFile fill(mnt + QStringLiteral("/fill"));
    ASSERT_TRUE(fill.open(QIODevice::WriteOnly));
    const QByteArray block(4096, 'f');
    while (fill.write(block) == block.size() && fill.flush()) {
    }
  }
  ShopSettings r;
  r.ComAddress = QStringLiteral("new");
  QString error;
  EXPECT_FALSE(shell::writeSettings(r, &error));
  EXPECT_TRUE(error.startsWith(QStringLiteral("The disk is full"))) << error.toStdString();
  EXPECT_EQ(readBytes(shell::settingsPath()), old);
  qputenv("XDG_DATA_HOME", before);
}

TEST(SettingValue, TextAndNumberViews) {
  EXPECT_EQ(SettingValue::ofNumber(7.5).toText(), "7.5");
  EXPECT_EQ(SettingValue::ofText("12 pt").toNumber(), 12);
  EXPECT_EQ(SettingValue::ofFlag(true).toNumber(), -1);
  EXPECT_EQ(SettingValue{}.toText(), "");
  EXPECT_EQ(SettingValue{}.toNumber(), 0);
}
