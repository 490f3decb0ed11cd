// Backup and restore of a shop's database of 100,000 products and one million sale lines, each
// beside the same work done straight through the SQLite C API: the online backup into a file beside
// the target, synced and renamed; the check of a backup (header, tables, quick_check), the replaced
// data kept by an online backup into a synced file, and the backup's content put into the
// database by an online backup in one journaled transaction.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <sqlite3.h>
#include <unistd.h>

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "data/dbfile.h"
#include "support/harness.h"
#include "support/shop_db.h"

namespace {

QString g_db;       // the shop's database, read only
QString g_backup;   // a backup copy of it
QString g_target;   // where the backups go
QString g_restore;  // the database the restores replace

std::string s(const QString& q) { return q.toStdString(); }

void syncFile(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDWR);
  if (fd < 0 || ::fsync(fd) != 0) benchdb::die("cannot sync " + path);
  ::close(fd);
}

void BM_Backup(benchmark::State& state) {
  for (auto _ : state) data::backupDatabase(g_db, g_target);
}

// An online backup of src into a new file at path, without journal.
void copyRaw(sqlite3* src, const std::string& path) {
  sqlite3* dst = nullptr;
  if (sqlite3_open_v2(path.c_str(), &dst, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) != SQLITE_OK)
    benchdb::die("cannot create " + path);
  benchdb::execRaw(dst, "PRAGMA journal_mode = OFF; PRAGMA synchronous = OFF");
  sqlite3_backup* b = sqlite3_backup_init(dst, "main", src, "main");
  if (!b || sqlite3_backup_step(b, -1) != SQLITE_DONE || sqlite3_backup_finish(b) != SQLITE_OK)
    benchdb::die("raw backup failed");
  sqlite3_close(dst);
}

void BM_RawBackup(benchmark::State& state) {
  const std::string tmp = s(g_target) + ".raw";
  for (auto _ : state) {
    sqlite3* src = benchdb::openRaw(g_db);
    copyRaw(src, tmp);
    sqlite3_close(src);
    syncFile(tmp);
    if (std::rename(tmp.c_str(), s(g_target).c_str()) != 0) benchdb::die("rename failed");
  }
}

// Removes the kept copies a restore leaves, outside the timing.
void dropKept() {
  for (const QString& f :
       QDir(QFileInfo(g_restore).absolutePath()).entryList({"*before-restore*"}, QDir::Files))
    QFile::remove(QFileInfo(g_restore).absoluteDir().filePath(f));
}

void BM_Restore(benchmark::State& state) {
  const QDateTime when(QDate(2024, 3, 15), QTime(10, 30, 0));
  for (auto _ : state) {
    data::restoreDatabase(g_restore, g_backup, when);
    state.PauseTiming();
    dropKept();
    state.ResumeTiming();
  }
}

void BM_RawRestore(benchmark::State& state) {
  const std::string db = s(g_restore), tmp = db + ".raw", kept = db + ".kept";
  for (auto _ : state) {
    // The check: the header, the program's tables, quick_check.
    {
      FILE* f = std::fopen(s(g_backup).c_str(), "rb");
      char head[16] = {};
      if (!f || std::fread(head, 1, 16, f) != 16 || std::memcmp(head, "SQLite format 3", 16) != 0)
        benchdb::die("not a database");
      std::fclose(f);
      sqlite3* chk = nullptr;
      sqlite3_open_v2(s(g_backup).c_str(), &chk, SQLITE_OPEN_READONLY, nullptr);
      sqlite3_stmt* st =
          benchdb::prepareRaw(chk, "SELECT lower(name) FROM sqlite_master WHERE type = 'table'");
      if (benchdb::drain(st) < 8) benchdb::die("tables missing");
      sqlite3_finalize(st);
      st = benchdb::prepareRaw(chk, "PRAGMA quick_check");
      if (sqlite3_step(st) != SQLITE_ROW ||
          std::strcmp(reinterpret_cast<const char*>(sqlite3_column_text(st, 0)), "ok") != 0)
        benchdb::die("quick_check failed");
      sqlite3_finalize(st);
      sqlite3_close(chk);
    }
    // The data in use kept by an online backup into a synced file; then the backup's content
    // into the database by an online backup, journaled.
    sqlite3* live = benchdb::openRaw(g_restore);
    copyRaw(live, tmp);
    syncFile(tmp);
    if (std::rename(tmp.c_str(), kept.c_str()) != 0) benchdb::die("rename failed");
    sqlite3* src = nullptr;
    sqlite3_open_v2(s(g_backup).c_str(), &src, SQLITE_OPEN_READONLY, nullptr);
    sqlite3_backup* b = sqlite3_backup_init(live, "main", src, "main");
    if (!b || sqlite3_backup_step(b, -1) != SQLITE_DONE || sqlite3_backup_finish(b) != SQLITE_OK)
      benchdb::die("raw restore failed");
    sqlite3_close(src);
    sqlite3_close(live);
    state.PauseTiming();
    std::remove(kept.c_str());
    state.ResumeTiming();
  }
}

BENCHMARK(BM_Backup)->UseRealTime()->Unit(benchmark::kMillisecond)->Iterations(8);
BENCHMARK(BM_RawBackup)->UseRealTime()->Unit(benchmark::kMillisecond)->Iterations(8);
BENCHMARK(BM_Restore)->UseRealTime()->Unit(benchmark::kMillisecond)->Iterations(8);
BENCHMARK(BM_RawRestore)->UseRealTime()->Unit(benchmark::kMillisecond)->Iterations(8);

}  // namespace

int main(int argc, char** argv) {
  return benchdb::runBenchmarks(
      argc, argv,
      [] {
        g_db = benchdb::shopDatabase();
        const QDir dir = QFileInfo(g_db).absoluteDir();
        g_target = dir.filePath(QStringLiteral("backup_bench.bak"));
        g_backup = dir.filePath(QStringLiteral("backup_bench_source.bak"));
        data::backupDatabase(g_db, g_backup);
        g_restore = benchdb::copyOf(g_db, QStringLiteral("backup_bench_restore.db"));
        std::fprintf(stderr, "database of %lld MB\n", static_cast<long long>(QFileInfo(g_db).size() >> 20));
      },
      {{"BM_Backup", "BM_RawBackup"}, {"BM_Restore", "BM_RawRestore"}});
}
