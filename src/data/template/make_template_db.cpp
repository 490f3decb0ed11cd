// Builds the shipped template database: runs the schema and seed files, then adds the first user
// ("Admin", level 0) with the password "admin" stored as an Argon2id hash.
#include <sodium.h>
#include <sqlite3.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

namespace {
std::string readFile(const char* path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
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
  std::remove(argv[3]);
  sqlite3* db = nullptr;
  if (sqlite3_open(argv[3], &db) != SQLITE_OK) return 1;
  char hash[crypto_pwhash_STRBYTES];
  if (crypto_pwhash_str(hash, "admin", 5, crypto_pwhash_OPSLIMIT_INTERACTIVE, crypto_pwhash_MEMLIMIT_INTERACTIVE) != 0)
    return 1;
  bool ok = run(db, "BEGIN") && run(db, readFile(argv[1])) && run(db, readFile(argv[2]));
  if (ok) {
    sqlite3_stmt* st = nullptr;
    ok = sqlite3_prepare_v2(db, "INSERT INTO Security (UserName, Password, Permission) VALUES ('Admin', ?, 0)", -1, &st,
                            nullptr) == SQLITE_OK &&
         sqlite3_bind_text(st, 1, hash, -1, SQLITE_TRANSIENT) == SQLITE_OK && sqlite3_step(st) == SQLITE_DONE;
    sqlite3_finalize(st);
  }
  ok = ok && run(db, "COMMIT");
  sqlite3_close(db);
  if (!ok) std::remove(argv[3]);
  return ok ? 0 : 1;
}
