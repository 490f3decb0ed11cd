// A period window whose reads fail: the database's description is told in a critical box, with no
// wait cursor over it nor left behind, and the window stays open.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QCursor>
#include <QListWidget>

#include "reports/sale_period_reports.h"
#include "shell/session.h"
#include "support/scripted_dialogs.h"
#include "support/testenv.h"

using data::Conn;

namespace {

// Notes whether the wait cursor stood over a message box.
struct CursorDialogs : plat::ScriptedDialogs {
  void message(const QString& text, const QString& title, plat::Icon icon) override {
    const QCursor* c = QApplication::overrideCursor();
    if (c && c->shape() == Qt::WaitCursor) waitOverBox = true;
    ScriptedDialogs::message(text, title, icon);
  }
  bool waitOverBox = false;
};

class PeriodReadFailure : public testenv::DbTest {
 protected:
  void SetUp() override {
    DbTest::SetUp();
    shell::session().userName = "Admin";
    Conn().exec("INSERT INTO Category (CateID, CateName) VALUES ('D', 'Drinks')");
    Conn().exec(
        "INSERT INTO Product (PId, PName, Price, Price1, Price2, Quantity, CID, ProNoun, PoOrder) "
        "VALUES ('P01', 'Cola', 1, 1, 1, 50, 'D', 'can', 0)");
    Conn().exec(
        "INSERT INTO Sell (PID, SellTime, SellDate, SQuantity, SPrice, Comment, Employee, Recieve) "
        "VALUES ('P01', '10:00:00', '2024-03-14', 2, 20, 1, 'Admin', 0)");
  }
  void expectToldOnce() {
    ASSERT_EQ(dialogs.shown.size(), 1u) << dialogs.texts().join('|').toStdString();
    EXPECT_TRUE(dialogs.lastMessage().contains("Sell")) << dialogs.lastMessage().toStdString();
    EXPECT_EQ(dialogs.shown.back().icon, plat::Icon::Critical);
    EXPECT_FALSE(dialogs.waitOverBox);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
  }
  CursorDialogs dialogs;
};

}  // namespace

TEST_F(PeriodReadFailure, TheLoadTellsAndTheWindowOpensWithoutMonths) {
  Conn().exec("DROP TABLE Sell");
  reports::MoReport f;
  f.Form_Load();
  expectToldOnce();
  EXPECT_EQ(f.comMo->count(), 0);
}

TEST_F(PeriodReadFailure, ChoosingAMonthTellsAndLeavesNoCategories) {
  reports::MoReport f;
  f.Form_Load();
  ASSERT_TRUE(dialogs.shown.empty());
  ASSERT_EQ(f.comMo->count(), 1);
  Conn().exec("DROP TABLE Sell");
  f.comMo->setCurrentIndex(0);
  f.comMo_Click();
  expectToldOnce();
  EXPECT_EQ(f.LstCate->count(), 0);
}
