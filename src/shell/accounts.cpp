#include "shell/accounts.h"

#include <sodium.h>

#include <stdexcept>

#include "shell/lang.h"

namespace shell {

namespace {
void initSodium() {
  static const bool ok = sodium_init() >= 0;
  if (!ok)
    throw std::runtime_error(
        L(QStringLiteral("เริ่มระบบรหัสผ่านไม่ได้"), QStringLiteral("The password library cannot start."))
            .toStdString());
}
}  // namespace

// ---- passwords ----

QString hashPassword(const QString& plain) {
  initSodium();
  const QByteArray pw = plain.toUtf8();
  char out[crypto_pwhash_STRBYTES];
  if (crypto_pwhash_str(out, pw.constData(), static_cast<unsigned long long>(pw.size()),
                        crypto_pwhash_OPSLIMIT_INTERACTIVE, crypto_pwhash_MEMLIMIT_INTERACTIVE) != 0)
    throw std::runtime_error(L(QStringLiteral("หน่วยความจำไม่พอสำหรับเก็บรหัสผ่าน"),
                               QStringLiteral("Not enough memory to store the password."))
                                 .toStdString());
  return QString::fromLatin1(out);
}

bool isPasswordHash(const QString& stored) {
  return stored.startsWith(QLatin1String("$argon2id$")) || stored.startsWith(QLatin1String("$argon2i$"));
}

PasswordMatch matchPassword(const QVariant& stored, const QString& typed) {
  if (stored.isNull()) return PasswordMatch::No;
  const QString s = stored.toString();
  if (isPasswordHash(s)) {
    initSodium();
    const QByteArray hash = s.toLatin1();
    const QByteArray pw = typed.toUtf8();
    if (hash.size() >= static_cast<qsizetype>(crypto_pwhash_STRBYTES)) return PasswordMatch::No;
    return crypto_pwhash_str_verify(hash.constData(), pw.constData(),
                                    static_cast<unsigned long long>(pw.size())) == 0
               ? PasswordMatch::Yes
               : PasswordMatch::No;
  }
  return s == typed ? PasswordMatch::YesLegacyPlain : PasswordMatch::No;
}

// ---- the user table ----
namespace users {

QStringList names(data::Db& db, bool withAdmin) {
  data::Snapshot rs = db.query(QStringLiteral("SELECT UserName FROM Security ORDER BY UserName"));
  QStringList out;
  for (; !rs.eof(); rs.moveNext()) {
    const QString n = rs.text(QStringLiteral("UserName"));
    if (withAdmin || n != kAdminUser) out << n;
  }
  return out;
}

std::optional<int> permission(data::Db& db, const QString& name) {
  const QVariant v = db.scalar(QStringLiteral("SELECT Permission FROM Security WHERE UserName = ?"), {name});
  if (!v.isValid() || v.isNull()) return std::nullopt;
  bool ok = false;
  const int level = v.toInt(&ok);
  if (!ok) return std::nullopt;
  return level;
}

bool add(data::Db& db, const QString& name, const QString& password) {
  if (name.trimmed().isEmpty()) return false;
  db.exec(QStringLiteral("INSERT INTO Security (UserName, Password, Permission) VALUES (?, ?, 2)"),
          {name, hashPassword(password)});
  return true;
}

bool exists(data::Db& db, const QString& name) {
  return db.scalar(QStringLiteral("SELECT 1 FROM Security WHERE UserName = ?"), {name}).isValid();
}

int changePassword(data::Db& db, const QString& name, const QString& password) {
  return db.exec(QStringLiteral("UPDATE Security SET Password = ? WHERE UserName = ?"),
                 {hashPassword(password), name});
}

int remove(data::Db& db, const QString& name) {
  if (name == kAdminUser) return 0;
  return db.exec(QStringLiteral("DELETE FROM Security WHERE UserName = ?"), {name});
}

int setPermission(data::Db& db, const QString& name, int level) {
  if (name == kAdminUser) return 0;
  return db.exec(QStringLiteral("UPDATE Security SET Permission = ? WHERE UserName = ?"), {level, name});
}

}  // namespace users

// ---- the login check ----

LoginCheck checkLogin(data::Db& db, const QString& name, const QString& password) {
  LoginCheck r;
  data::Snapshot rs;
  try {
    rs = db.query(QStringLiteral("SELECT UserName, Password, Permission FROM Security WHERE UserName = ?"),
                  {name});
  } catch (const data::DbError&) {
    return r;  // Failed: the login shows nothing for a failing statement
  }
  // The column compares exactly already; the loop keeps the match exact on any database.
  while (!rs.eof() && rs.text(QStringLiteral("UserName")) != name) rs.moveNext();
  if (rs.eof()) {
    r.outcome = LoginCheck::Outcome::UnknownUser;
    return r;
  }
  const QVariant stored = rs.value(QStringLiteral("Password"));
  const PasswordMatch m = matchPassword(stored, password);
  if (m == PasswordMatch::No) {
    r.outcome = LoginCheck::Outcome::WrongPassword;
    return r;
  }
  const QVariant lv = rs.value(QStringLiteral("Permission"));
  bool ok = false;
  const qlonglong level = lv.toLongLong(&ok);
  if (lv.isNull() || !ok || level < 0 || level > 255) return r;  // Failed: not a level
  if (m == PasswordMatch::YesLegacyPlain) {
    try {
      // Only the row as it was read is rewritten, so a password changed meanwhile stays.
      db.exec(QStringLiteral("UPDATE Security SET Password = ? WHERE UserName = ? AND Password = ?"),
              {hashPassword(password), name, stored});
    } catch (const data::DbError&) {
      // The user typed the right password: let them in; the rewrite is tried at the next login.
    }
  }
  r.outcome = LoginCheck::Outcome::Succeeded;
  r.level = static_cast<quint8>(level);
  return r;
}

}  // namespace shell
