#include "reportkit/grid_export.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>

#include "platform/clock.h"
#include "platform/dialogs.h"
#include "platform/flexgrid.h"
#include "shell/settings.h"
#include "support/scripted_dialogs.h"
#include "support/testenv.h"

namespace {

using namespace reportkit;

// The cells of the first sheet of a workbook as "row,col:kind:value" lines (kind n or s), read with
// openpyxl; empty when it cannot be read.
QStringList readBack(const QString& path) {
  static const char* script =
      "import sys, openpyxl\n"
      "ws = openpyxl.load_workbook(sys.argv[1]).worksheets[0]\n"
      "for row in ws.iter_rows():\n"
      "  for c in row:\n"
      "    if c.value is None: continue\n"
      "    k = 's' if isinstance(c.value, str) else 'n'\n"
      "    v = c.value if k == 's' else repr(float(c.value))\n"
      "    print(f'{c.row},{c.column}:{k}:{v}')\n";
  QProcess p;
  p.start(QStringLiteral("/usr/bin/python3"), {QStringLiteral("-c"), QString::fromUtf8(script), path});
  p.waitForFinished(60000);
  if (p.exitCode() != 0) {
    ADD_FAILURE() << p.readAllStandardError().toStdString();
    return {};
  }
  return QString::fromUtf8(p.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
}

bool haveOpenpyxl() {
  return QProcess::execute(QStringLiteral("/usr/bin/python3"),
                           {QStringLiteral("-c"), QStringLiteral("import openpyxl")}) == 0;
}

class GridExportTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder = testenv::tempDir() + QStringLiteral("/exports");
    setExportFolder(folder);
    setWorkbookOpener([this](const QString& p) {
      opened << p;
      return openerAnswer;
    });
    plat::setClock(QDateTime(QDate(2024, 12, 25), QTime(9, 5, 7)));
    grid.setFixedRows(0);
    grid.setRows(0);
    grid.setCols(6);
  }
  void TearDown() override {
    setExportFolder(QString());
    setWorkbookOpener(nullptr);
    plat::setClock(QDateTime());
    shell::settings() = shell::ShopSettings{};
  }
  plat::ScriptedDialogs dialogs;
  plat::FlexGrid grid;
  QString folder;
  QStringList opened;
  bool openerAnswer = true;
};

TEST(CellTyping, PlainDecimalsAreNumbersEverythingElseText) {
  struct Case {
    const char* text;
    std::optional<double> number;
  } cases[] = {
      {"12.5", 12.5},
      {"1,234.50", 1234.5},
      {"-3", -3},
      {"0", 0},
      {"0.50", 0.5},
      {".50", 0.5},
      {"999999999999", 999999999999.0},
      {"00123", std::nullopt},
      {"8851234567890", std::nullopt},
      {"1234567890123", std::nullopt},
      {"25/12/2024", std::nullopt},
      {"  ", std::nullopt},
      {"", std::nullopt},
      {"12,34", std::nullopt},
      {"1,2345", std::nullopt},
      {" 12", std::nullopt},
      {"12.", std::nullopt},
      {"1e5", std::nullopt},
      {"-", std::nullopt},
      {"piece", std::nullopt},
      {"1,234,567.25", 1234567.25},
  };
  for (const auto& c : cases) EXPECT_EQ(cellNumber(QString::fromUtf8(c.text)), c.number) << c.text;
}

TEST_F(GridExportTest, CellsLandWhereTheGridHasThemWithTheirKind) {
  if (!haveOpenpyxl()) GTEST_SKIP() << "python3-openpyxl is not installed";
  grid.AddItem(QStringLiteral("00123\tTea\t12.5\t1,234.50\t-3\t"));
  grid.AddItem(QStringLiteral("8851234567890\tชาเขียว\t25/12/2024\t  \t0\tx"));
  grid.setCurrentCell(0, 1);

  const ExportResult r = exportGrid(grid, {QStringLiteral("Stock"), OnFailure::Message, std::nullopt});
  ASSERT_TRUE(r.written) << r.error.toStdString();
  EXPECT_TRUE(r.opened);
  EXPECT_EQ(opened, QStringList{r.path});
  EXPECT_EQ(QFileInfo(r.path).fileName(), QStringLiteral("Stock 2024-12-25 090507.xlsx"));
  EXPECT_EQ(QFileInfo(r.path).absolutePath(), folder);
  EXPECT_EQ(readBack(r.path), (QStringList{
                                  "1,1:s:00123",
                                  "1,2:s:Tea",
                                  "1,3:n:12.5",
                                  "1,4:n:1234.5",
                                  "1,5:n:-3.0",
                                  "2,1:s:8851234567890",
                                  "2,2:s:ชาเขียว",
                                  "2,3:s:25/12/2024",
                                  "2,4:s:  ",
                                  "2,5:n:0.0",
                                  "2,6:s:x",
                              }));
  EXPECT_EQ(grid.currentRow(), 0);
  EXPECT_EQ(grid.currentColumn(), 1);
  EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(GridExportTest, TwoExportsInARowMakeTwoFiles) {
  grid.AddItem(QStringLiteral("1\tTea\t1\t1\t1\t"));  // the last cell is empty
  const ExportResult a = exportGrid(grid, {QStringLiteral("Stock")});
  const ExportResult b = exportGrid(grid, {QStringLiteral("Stock")});
  ASSERT_TRUE(a.written);
  ASSERT_TRUE(b.written);
  EXPECT_NE(a.path, b.path);
  EXPECT_TRUE(QFile::exists(a.path));
  EXPECT_TRUE(QFile::exists(b.path));
  EXPECT_EQ(opened.size(), 2);
}

TEST_F(GridExportTest, TotalRowStandsUnderQuantityAndValue) {
  if (!haveOpenpyxl()) GTEST_SKIP() << "python3-openpyxl is not installed";
  grid.AddItem(QStringLiteral("P1\tTea\t3\t30.00\t\tbox"));
  grid.AddItem(QStringLiteral("P2\tCoffee\t2\t1,000.00\t\tbag"));
  const ExportResult r = exportGrid(grid, {QStringLiteral("Buy Report"), OnFailure::Silent,
                                           TotalRow{QStringLiteral("Total"), QStringLiteral("1,030.00")}});
  ASSERT_TRUE(r.written);
  const QStringList cells = readBack(r.path);
  EXPECT_TRUE(cells.contains(QStringLiteral("3,3:s:Total"))) << cells.join(' ').toStdString();
  EXPECT_TRUE(cells.contains(QStringLiteral("3,4:n:1030.0"))) << cells.join(' ').toStdString();
  EXPECT_EQ(cells.size(), 10 + 2);
}

TEST_F(GridExportTest, AGridWithoutRowsExportsNothing) {
  const ExportResult r = exportGrid(grid, {QStringLiteral("Stock")});
  EXPECT_FALSE(r.written);
  EXPECT_TRUE(opened.isEmpty());
  EXPECT_TRUE(dialogs.shown.empty());
  EXPECT_FALSE(QDir(folder).exists());
}

TEST_F(GridExportTest, FailuresAreToldOrSilentByTheMembersChoice) {
  grid.AddItem(QStringLiteral("1\tTea\t1\t1\t1\t1"));
  // A file where the folder should be: the folder cannot be made.
  QDir().mkpath(QFileInfo(folder).absolutePath());
  QFile f(folder);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.close();

  ExportResult r = exportGrid(grid, {QStringLiteral("Stock"), OnFailure::Message});
  EXPECT_FALSE(r.written);
  EXPECT_EQ(dialogs.lastMessage(), QStringLiteral("The folder %1 could not be created.").arg(folder));
  EXPECT_TRUE(opened.isEmpty());

  dialogs.clear();
  r = exportGrid(grid, {QStringLiteral("Stock"), OnFailure::Silent});
  EXPECT_FALSE(r.written);
  EXPECT_FALSE(r.error.isEmpty());
  EXPECT_TRUE(dialogs.shown.empty());

  // A folder that exists but takes no files (even for root): the workbook fails, no file stays.
  setExportFolder(QStringLiteral("/proc/self"));
  shell::settings().LangThai = true;
  r = exportGrid(grid, {QStringLiteral("Stock"), OnFailure::Message});
  EXPECT_FALSE(r.written);
  EXPECT_TRUE(dialogs.lastMessage().startsWith(QStringLiteral("บันทึกไฟล์")))
      << dialogs.lastMessage().toStdString();
  shell::settings().LangThai = false;
  QFile::remove(folder);
  setExportFolder(folder);

  // Written, but nothing opens it: the user is told where it is.
  dialogs.clear();
  openerAnswer = false;
  r = exportGrid(grid, {QStringLiteral("Stock"), OnFailure::Message});
  EXPECT_TRUE(r.written);
  EXPECT_FALSE(r.opened);
  EXPECT_TRUE(dialogs.lastMessage().contains(r.path));

  // Also where failures are silent: the file exists, and where it is is no failure.
  dialogs.clear();
  r = exportGrid(grid, {QStringLiteral("Analyze"), OnFailure::Silent});
  EXPECT_TRUE(r.written);
  EXPECT_EQ(dialogs.shown.size(), 1u);
  EXPECT_TRUE(dialogs.lastMessage().contains(r.path)) << dialogs.lastMessage().toStdString();
}

}  // namespace
