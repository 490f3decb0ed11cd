#pragma once
// Helpers shared by the shell tests: users put straight into Security, stand-in windows for the
// forms the main window opens, whole-file reads and writes, and a fresh installation to open the
// program's windows in.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFile>
#include <QHash>
#include <QSet>
#include <QString>
#include <QVariant>

#include "data/db.h"
#include "platform/form.h"
#include "shell/register.h"
#include "shell/settings.h"
#include "support/testenv.h"

namespace shelltest {

inline void insertUser(data::Db& db, const QString& name, const QVariant& password, const QVariant& level) {
  db.exec(QStringLiteral("INSERT INTO Security (UserName, Password, Permission) VALUES (?, ?, ?)"),
          {name, password, level});
}

inline QVariant storedPassword(data::Db& db, const QString& name) {
  return db.scalar(QStringLiteral("SELECT Password FROM Security WHERE UserName = ?"), {name});
}

inline int userCount(data::Db& db) {
  return db.scalar(QStringLiteral("SELECT COUNT(*) FROM Security")).toInt();
}

inline QByteArray readFile(const QString& path) {
  QFile f(path);
  if (!f.open(QIODevice::ReadOnly)) return {};
  return f.readAll();
}

inline bool writeFile(const QString& path, const QByteArray& bytes) {
  QFile f(path);
  if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)) return false;
  return f.write(bytes) == bytes.size();
}

// A window standing in for one another folder builds; its load fails while its name is in
// failing(), its unload while the name is in failingUnload().
class FakeForm : public plat::Form {
 public:
  explicit FakeForm(QString name) : name_(std::move(name)) {}
  void Form_Load() override {
    ++loads()[name_];
    if (failing().contains(name_)) throw data::DbError(QStringLiteral("load failed"));
  }
  void Form_Unload() override {
    if (failingUnload().contains(name_)) throw data::DbError(QStringLiteral("unload failed"));
  }
  static QSet<QString>& failingUnload() {
    static QSet<QString> s;
    return s;
  }
  static QHash<QString, int>& loads() {
    static QHash<QString, int> h;
    return h;
  }
  static QSet<QString>& failing() {
    static QSet<QString> s;
    return s;
  }

 private:
  QString name_;
};

inline void registerFakes(const QStringList& names) {
  for (const QString& n : names) plat::FormRegistry::instance().add(n, [n] { return new FakeForm(n); });
}

// A fresh installation with the shipped settings read and the shared connection open on its
// database, the program's windows registered; every window goes and the connection closes after.
class InstalledTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { shell::registerForms(); }
  void SetUp() override {
    testenv::freshInstallation();
    QString e;
    shell::settings() = shell::ShopSettings{};
    ASSERT_TRUE(shell::readSettings26(shell::settings(), &e)) << e.toStdString();
    data::Conn().open(dbPath());
  }
  void TearDown() override {
    plat::FormRegistry::instance().unloadAll();
    testenv::pump();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    data::Conn().close();
    shell::settings() = shell::ShopSettings{};
  }
  static QString dbPath() { return shell::settings().DbPath.toText(); }
};

}  // namespace shelltest
