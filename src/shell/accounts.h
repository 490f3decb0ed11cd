#pragma once
// Users, their passwords and permission levels (table Security), and the login's check of them.
// Passwords are kept as Argon2id hash strings; a row that still holds plain text from the old
// database is accepted once and rewritten as a hash at that login.
#include <QString>
#include <QStringList>
#include <QVariant>
#include <optional>

#include "data/db.h"

namespace shell {

// The administrator: never listed for deleting or for a level change (exact, case-sensitive).
inline const QString kAdminUser = QStringLiteral("Admin");

// Permission levels of Security.Permission.
enum PermissionLevel : int { PermAll = 0, PermMain = 1, PermSale = 2 };

// ---- passwords ----

// An Argon2id hash string of plain (libsodium, interactive limits). Throws std::runtime_error
// when the hash cannot be made (out of memory).
QString hashPassword(const QString& plain);
// Whether a stored Password value is a hash string (anything else is legacy plain text).
bool isPasswordHash(const QString& stored);

enum class PasswordMatch { No, Yes, YesLegacyPlain };
// Compares a typed password with a stored Password value, letter case included. NULL never
// matches; a hash is verified as such; other text is compared exactly and, on a match, reported
// as legacy so that the caller rewrites it as a hash.
PasswordMatch matchPassword(const QVariant& stored, const QString& typed);

// ---- the user table ----
namespace users {

// User names in name order; without "Admin" unless withAdmin. Throws data::DbError.
QStringList names(data::Db& db, bool withAdmin);
// The user's level, or nullopt when there is no such user or the level is empty.
std::optional<int> permission(data::Db& db, const QString& name);
// Adds a user at level 2 with the hashed password. False (nothing inserted) for an empty name;
// throws data::DbError when the database refuses the row (a name already there, for one).
bool add(data::Db& db, const QString& name, const QString& password);
// Whether a user of exactly this name exists.
bool exists(data::Db& db, const QString& name);
// Each returns the number of rows changed (0 when there is no such user). "Admin" can have its
// password changed, but is never deleted nor moved to another level.
int changePassword(data::Db& db, const QString& name, const QString& password);
int remove(data::Db& db, const QString& name);
int setPermission(data::Db& db, const QString& name, int level);

}  // namespace users

// ---- the login check ----

struct LoginCheck {
  enum class Outcome {
    UnknownUser,    // "Invalid Password"
    WrongPassword,  // "Invalid Password, try again!"
    Succeeded,
    Failed  // a statement failed or the stored level is not a level: nothing is shown
  };
  Outcome outcome = Outcome::Failed;
  quint8 level = 0;
};
// Looks the user up by exact name with one bound query, verifies the password, and on success
// with a plain-text row rewrites the row's password as a hash.
LoginCheck checkLogin(data::Db& db, const QString& name, const QString& password);

}  // namespace shell
