#pragma once
// Helpers shared by the shell tests: users put straight into Security, stand-in windows for the
// forms the main window opens, and whole-file reads and writes.
#include <QFile>
#include <QHash>
#include <QSet>
#include <QString>
#include <QVariant>

#include "data/db.h"
#include "platform/form.h"

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

}  // namespace shelltest
