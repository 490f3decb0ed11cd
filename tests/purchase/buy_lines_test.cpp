// The purchase invoice's lines as numbers and save states, and the running total as the screen
// keeps it.
#include "purchase/buy_lines.h"

#include <gtest/gtest.h>

#include <QRandomGenerator>

#include "platform/numtext.h"
#include "purchase/buy_grid.h"

namespace {

using data::LineState;
using purchase::BuyLines;
using purchase::Entered;
namespace grid = purchase::grid;

Entered typed(const QString& text) { return Entered::typed(text); }

data::InvoiceLine saved(const char* code, double quantity, double price) {
  data::InvoiceLine l;
  l.PId = code;
  l.PName = QStringLiteral("Item ") + code;
  l.BQuantity = quantity;
  l.BPrice = price;
  l.BuyId = "7";
  l.SupplierID = "S1";
  return l;
}

TEST(BuyLines, ATypedLineIsNewAndShowsWhatWasTyped) {
  BuyLines b;
  EXPECT_EQ(b.addTyped("3", "P1", "Water", typed("007"), typed("0.50"), "12"), 0);
  EXPECT_EQ(b.cells(0), QStringList({"3", "P1", "Water", "007", "0.50", "3.50", "", "007", "", "12", "N"}));
  EXPECT_EQ(b.at(0).quantity.number, 7);
  EXPECT_EQ(b.total(), 3.5);
  b.addTyped("3", "P2", "Soda", typed("1"), typed(".5"), "");
  EXPECT_EQ(b.cell(1, grid::Value), ".50") << "no zero before the point";
  EXPECT_EQ(b.total(), 4);
}

TEST(BuyLines, TypingAProductAgainReplacesItsNumbersAndMarksASavedLineChanged) {
  BuyLines b;
  b.load({saved("P1", 5, 10), saved("P2", 2, 3)});
  b.addTyped("7", "P3", "Juice", typed("1"), typed("2"), "0");
  EXPECT_EQ(b.find("p1"), 0) << "codes compare without regard to case";
  EXPECT_EQ(b.find("P9"), -1);
  EXPECT_EQ(b.total(), 58);

  b.retype(0, typed("9"), typed("10"), "4");
  EXPECT_EQ(b.cells(0), QStringList({"7", "P1", "Item P1", "9", "10", "90.00", "", "5", "90", "4", "U"}))
      << "the base quantity stays the saved one";
  b.retype(2, typed("3"), typed("2"), "1");
  EXPECT_EQ(b.cell(2, grid::Status), "N") << "a typed line stays new";
  EXPECT_EQ(b.cell(2, grid::PlainValue), "6");
  EXPECT_EQ(b.cell(2, grid::BaseQty), "1");
  EXPECT_EQ(b.cell(1, grid::Status), "S");
  EXPECT_EQ(b.total(), 102);
}

TEST(BuyLines, ASavedInvoiceLoadsAsShownNumbers) {
  BuyLines b;
  b.addTyped("1", "X", "Old", typed("1"), typed("1"), "");
  b.load({saved("P1", 3, 0.335), saved("P2", 0.1 + 0.2, 1)});
  ASSERT_EQ(b.count(), 2) << "loading replaces the lines";
  EXPECT_EQ(b.cells(0), QStringList({"7", "P1", "Item P1", "3", "0.335", "1.01", "", "3", "1.01", "", "S"}));
  EXPECT_EQ(b.at(0).value, 1.01) << "a loaded value is rounded to the satang";
  EXPECT_EQ(b.cell(1, grid::Qty), "0.3");
  const QVector<data::LineToSave> out = b.toSave();
  ASSERT_EQ(out.size(), 2);
  EXPECT_EQ(out[1].quantity, 0.3) << "a save writes the quantity the grid shows";
  EXPECT_EQ(out[0].price, 0.335);
  EXPECT_EQ(out[0].buyId, "7");
  EXPECT_EQ(out[0].state, LineState::Saved);
  EXPECT_EQ(b.total(), 1.31);
}

TEST(BuyLines, TheLineEditorKeepsTheBaseInStepAndMarksOnlyARealChange) {
  BuyLines b;
  b.load({saved("P1", 2, 10), saved("P2", 1, 4)});
  b.edit(0, typed("2"), typed("10"), 2, 10);
  EXPECT_EQ(b.cells(0), QStringList({"7", "P1", "Item P1", "2", "10", "20.00", "", "2", "20", "", "S"}))
      << "unchanged numbers change nothing but the value's format";
  b.edit(0, typed("5"), typed("10"), 2, 10);
  EXPECT_EQ(b.cell(0, grid::BaseQty), "-1");
  EXPECT_EQ(b.cell(0, grid::Status), "U");
  EXPECT_EQ(b.cell(0, grid::PlainValue), "20") << "the editor leaves the plain value";
  EXPECT_EQ(b.total(), 54);
  b.edit(1, typed("0"), typed("4.5"), 1, 4);
  EXPECT_EQ(b.cell(1, grid::Value), "0.00");
  EXPECT_EQ(b.cell(1, grid::Status), "U");
  EXPECT_EQ(b.total(), 50);

  // The editor takes off the old value as it was shown, to the satang (0.34, not 0.335); a
  // removal takes off quantity × unit cost as it stands.
  BuyLines t;
  t.addTyped("1", "P1", "A", typed("1"), typed("0.335"), "");
  t.addTyped("1", "P2", "B", typed("1"), typed("0.335"), "");
  EXPECT_EQ(t.cell(0, grid::Value), ".34");
  EXPECT_EQ(t.total(), 0.68);
  t.edit(0, typed("1"), typed("1"), 1, 0.335);
  EXPECT_EQ(t.total(), 1.34);
  EXPECT_EQ(t.at(0).state, LineState::New);
  t.remove(1);
  EXPECT_EQ(t.total(), 1.01);
}

TEST(BuyLines, RemovingAndEmptying) {
  BuyLines b;
  b.load({saved("P1", 5, 10), saved("P2", 2, 3), saved("P3", 1, 1)});
  b.remove(1);
  EXPECT_EQ(b.total(), 51);
  EXPECT_EQ(b.removedLoaded(), QStringList{"P2"});
  b.addTyped("7", "p2", "Soda", typed("1"), typed("1"), "");
  EXPECT_TRUE(b.removedLoaded().isEmpty()) << "a typed line of the same product keeps it";
  b.clear();
  EXPECT_EQ(b.total(), 0);
  EXPECT_EQ(b.removedLoaded(), QStringList({"P1", "P2", "P3"})) << "emptied lines still remember the invoice";
  b.reset();
  EXPECT_TRUE(b.removedLoaded().isEmpty());
}

// The total box was once the running total itself, written after every change and read back; the
// model keeps the same figure.
TEST(BuyLines, TheTotalIsRoundedToTheSatangAfterEveryChangeAsTheBoxWas) {
  BuyLines b;
  for (int i = 0; i < 3; ++i) b.addTyped("1", QString("P%1").arg(i), "x", typed("1"), typed("0.333"), "");
  EXPECT_EQ(b.total(), 0.99) << "not the 1.00 of the exact sum";

  QRandomGenerator rng(20240315);
  for (int run = 0; run < 50; ++run) {
    BuyLines m;
    QString box = QStringLiteral("0");
    QVector<double> values;  // quantity × unit cost of each line, as the screen computed it
    auto shown = [&box] { return plat::parseNumber(box).value_or(0); };
    for (int step = 0; step < 40; ++step) {
      const QString q = QString::number(rng.bounded(1, 2000));
      const QString p = QString::number(rng.bounded(0, 100000) / 1000.0, 'f', 3);
      const double v = q.toDouble() * p.toDouble();
      const int pick = rng.bounded(0, 3);
      if (pick == 0 || m.empty()) {
        m.addTyped("1", QString("P%1").arg(step), "x", typed(q), typed(p), "");
        box = plat::fmtPurchase(shown() + v);
        values << v;
      } else if (pick == 1) {
        const int i = rng.bounded(0, m.count());
        m.retype(i, typed(q), typed(p), "");
        box = plat::fmtPurchase(shown() - values[i] + v);
        values[i] = v;
      } else {
        const int i = rng.bounded(0, m.count());
        m.remove(i);
        box = plat::fmtPurchase(shown() - values[i]);
        values.removeAt(i);
      }
      ASSERT_EQ(m.total(), shown()) << "run " << run << " step " << step << " box " << box.toStdString();
    }
  }
}

}  // namespace
