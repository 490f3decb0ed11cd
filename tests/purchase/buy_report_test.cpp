#include "purchase/buy_report.h"

#include <gtest/gtest.h>

#include "platform/dialogs.h"
#include "purchase/buy_history.h"
#include "purchase/register.h"
#include "shell/settings.h"
#include "support/purchase_fixtures.h"
#include "support/scripted_dialogs.h"
#include "support/testenv.h"

using namespace purchasefx;
using purchase::BuyReport;

namespace {

plat::FormRegistry& reg() { return plat::FormRegistry::instance(); }

class BuyReportTest : public testenv::DbTest {
 protected:
  void SetUp() override {
    DbTest::SetUp();
    purchase::registerForms();
    shell::settings().VatRate = 7;
    addCategory("C1", "Drinks");
    addCategory("C2", "Snacks");
    addProduct("P1", "Water", 0, "C1", "bottle");
    addProduct("P'2", "Quoted", 0, "C1", "box");
    addProduct("S1", "Chips", 0, "C2");
    // Three lots on two dates, saved out of order: listed by date, then time.
    addLot("P1", "2024-03-02", "9", 5, 6, "S1", "08:00:00");
    addLot("P1", "2024-03-01", "7", 10, 5, "S1", "10:00:00");
    addLot("P1", "2024-03-02", "8", 1, 6.5, "S1", "07:00:00");
    addLot("P'2", "2024-01-01", "1", 4, 2.5);
    f = qobject_cast<BuyReport*>(reg().show("BuyReport"));
    ASSERT_NE(f, nullptr);
  }
  void TearDown() override {
    reg().unloadAll();
    DbTest::TearDown();
  }
  void pick(QComboBox* box, const QString& code) {
    box->setCurrentIndex(box->findData(code));
    if (box == f->ComCate)
      f->ComCate_Click();
    else
      f->ComBar_Click();
  }
  QStringList boxes() const {
    return {f->txtPrice->text(), f->txtQuantity->text(), f->txtVal->text(), f->txtVat->text(),
            f->txtVatTotal->text()};
  }
  plat::ScriptedDialogs d;
  BuyReport* f = nullptr;
};

TEST_F(BuyReportTest, ListsTheLotsInTheOrderBoughtWithTheirSums) {
  EXPECT_EQ(f->ComCate->count(), 2);
  pick(f->ComCate, "C1");
  EXPECT_EQ(f->ComBar->itemText(0), "P'2. Quoted");
  pick(f->ComBar, "P1");
  ASSERT_EQ(f->FGrid->Rows(), 3);
  const QStringList first{"01/03/2024", "7", "10", "5", "50.00"};
  for (int c = 0; c < 5; ++c) EXPECT_EQ(f->FGrid->TextMatrix(0, c), first[c]);
  EXPECT_EQ(f->FGrid->TextMatrix(1, 1), "8");
  EXPECT_EQ(f->FGrid->TextMatrix(2, 1), "9");
  EXPECT_EQ(boxes(), QStringList({"6.00", "16.00", "86.50", "5.66", "86.50"}));
  EXPECT_EQ(f->LblN->text(), "bottle");
  // A code with a quote finds its own lots.
  pick(f->ComBar, "P'2");
  EXPECT_EQ(f->FGrid->Rows(), 1);
  EXPECT_EQ(f->LblN->text(), "box");
}

TEST_F(BuyReportTest, ANeverBoughtProductShowsZerosAndKeepsTheUnitWord) {
  pick(f->ComCate, "C1");
  pick(f->ComBar, "P1");
  pick(f->ComCate, "C2");
  EXPECT_EQ(f->FGrid->Rows(), 3) << "a category choice keeps the last product's rows";
  pick(f->ComBar, "S1");
  EXPECT_EQ(f->FGrid->Rows(), 0);
  EXPECT_EQ(boxes(), QStringList({"0", "0", "0", "0", "0"}));
  EXPECT_EQ(f->LblN->text(), "bottle");
}

TEST(PurchaseHistorySums, VatIsThePartContained) {
  const struct {
    double q1, p1, q2, p2;
    QStringList want;
  } cases[] = {{10, 5, 5, 6, {"6.00", "15.00", "80.00", "5.23", "80.00"}},
               {1, 20000, 0, 0, {"0.00", "1.00", "20,000.00", "1,308.41", "20,000.00"}}};
  for (const auto& c : cases) {
    testenv::openFreshDb();
    addCategory("C1", "Drinks");
    addProduct("P1", "Water", 0);
    addLot("P1", "2024-03-01", "1", c.q1, c.p1);
    addLot("P1", "2024-03-02", "2", c.q2, c.p2);
    const purchase::PurchaseHistory h = purchase::purchaseHistory("P1", 7);
    EXPECT_EQ(QStringList({h.lastPrice, h.quantity, h.value, h.vat, h.valueWithVat}), c.want);
  }
}

}  // namespace
