// Builds the shipped template database: runs the schema and seed files, then adds the first user
// ("Admin", level 0) with the password "admin" stored as an Argon2id hash.
#include <sodium.h>
#include <sqlite3.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

namespace {
// False when the file cannot be read, so a missing schema never yields an empty database.
bool readFile(const char* path, std::string* out) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    std::fprintf(stderr, "make_template_db: cannot read %s\n", path);
    return false;
  }
  std::ostringstream s;
  s << in.rdbuf();
  *out = s.str();
  return true;
}

bool run(sqlite3* db, const std::string& sql) {
  char* err = nullptr;
  if (sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &err) != SQLITE_OK) {
    std::fprintf(stderr, "make_template_db: %s\n", err ? err : "error");
    sqlite3_free(err);
    return false;
  }
  return true;
}
}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: make_template_db schema.sql seed.sql out.db\n");
    return 2;
  }
  if (sodium_init() < 0) return 1;
  std::string schema, seed;
  if (!readFile(argv[1], &schema) || !readFile(argv[2], &seed)) return 1;
  // Built beside the target and renamed at the end, so a broken run leaves no half database.
  const std::string tmp = std::string(argv[3]) + ".tmp";
  std::remove(tmp.c_str());
  sqlite3* db = nullptr;
  if (sqlite3_open(tmp.c_str(), &db) != SQLITE_OK) {
    sqlite3_close(db);
    return 1;
  }
  char hash[crypto_pwhash_STRBYTES];
  if (crypto_pwhash_str_alg(hash, "admin", 5, crypto_pwhash_OPSLIMIT_INTERACTIVE,
                            crypto_pwhash_MEMLIMIT_INTERACTIVE, crypto_pwhash_ALG_ARGON2ID13) != 0) {
    sqlite3_close(db);
    std::remove(tmp.c_str());
    return 1;
  }
  bool ok = run(db, "BEGIN") && run(db, schema) && run(db, seed);
  if (ok) {
    sqlite3_stmt* st = nullptr;
    ok =
        sqlite3_prepare_v2(db, "INSERT INTO Security (UserName, Password, Permission) VALUES ('Admin', ?, 0)",
                           -1, &st, nullptr) == SQLITE_OK &&
        sqlite3_bind_text(st, 1, hash, -1, SQLITE_TRANSIENT) == SQLITE_OK && sqlite3_step(st) == SQLITE_DONE;
    sqlite3_finalize(st);
  }
  ok = ok && run(db, "COMMIT");
  ok = sqlite3_close(db) == SQLITE_OK && ok;
  ok = ok && std::rename(tmp.c_str(), argv[3]) == 0;
  if (!ok) std::remove(tmp.c_str());
  return ok ? 0 : 1;
}
