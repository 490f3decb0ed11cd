// The product and category editor driven through its controls and event procedures.
#include "stock/addf.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <functional>

#include "data/db.h"
#include "data/products.h"
#include "platform/dialogs.h"
#include "platform/flexgrid.h"
#include "platform/form.h"
#include "platform/units.h"
#include "shell/settings.h"
#include "stock/addf_rules.h"
#include "stock/register.h"
#include "support/scripted_dialogs.h"
#include "support/testenv.h"

namespace {

using data::Conn;
using stock::AddF;

class AddFTest : public testenv::DbTest {
 protected:
  void SetUp() override {
    DbTest::SetUp();
    stock::registerForms();
  }
  void TearDown() override {
    plat::FormRegistry::instance().unloadAll();
    testenv::pump();
    DbTest::TearDown();
  }
  AddF* open() {
    auto* f = qobject_cast<AddF*>(plat::FormRegistry::instance().form(QStringLiteral("AddF")));
    EXPECT_TRUE(f);
    return f;
  }
  static void category(const QString& id, const QString& name) {
    Conn().exec("INSERT INTO Category (CateID, CateName) VALUES (?, ?)", {id, name});
  }
  static void product(const QString& code, const QString& name, const QVariant& cid,
                      const QVariant& noun = QStringLiteral("pc"), double quantity = 0) {
    Conn().exec("INSERT INTO Product VALUES (?, ?, 12.5, 12, 11, ?, ?, ?, 3)",
                {code, name, quantity, cid, noun});
  }
  static void sale(const QString& code) {
    Conn().exec(
        "INSERT INTO Sell (PID, SellTime, SellDate, BuyDate, BuyId, SQuantity, SPrice, Comment, Employee, "
        "Recieve) VALUES (?, '10:00:00', '2024-03-15', '2024-03-01', '1', 1, 10, 1, 'Admin', 10)",
        {code});
  }
  static void lot(const QString& code) {
    Conn().exec(
        "INSERT INTO Buy (PId, BuyDate, BuyTime, BQuantity, BPrice, BuyId, RemainQ, SupplierID) "
        "VALUES (?, '2024-03-01', '09:00:00', 5, 6, '1', 5, 'S1')",
        {code});
  }
  static int count(const QString& sql, const QVariantList& binds = {}) {
    return Conn().scalar(sql, binds).toInt();
  }
  // Picks a Comcate2 item as a click in its list does.
  static void pickList(AddF* f, int index) {
    f->Comcate2->setCurrentIndex(index);
    f->Comcate2_Click();
  }
  static void clickCell(plat::FlexGrid* g, int r, int c) { g->setCurrentCell(r, c); }
  static void fill(AddF* f, const QString& code, const QString& name, int categoryIndex) {
    f->txtBar->setText(code);
    f->txtName->setText(name);
    f->txtPrice->setText(QStringLiteral("12.5"));
    f->txtPrice1->setText(QStringLiteral("12"));
    f->txtPrice2->setText(QStringLiteral("11"));
    f->txtNoun->setText(QStringLiteral("pc"));
    f->txtPoOrder->setText(QStringLiteral("3"));
    f->ComCate->setCurrentIndex(categoryIndex);
  }
  static QStringList column0(const plat::FlexGrid* g) {
    QStringList out;
    for (int r = 0; r < g->Rows(); ++r) out << g->TextMatrix(r, 0);
    return out;
  }
  plat::ScriptedDialogs dialogs;
};

TEST_F(AddFTest, LoadOffersTheListsWithNothingChosen) {
  category("1.5", "Half");
  category("C1", "Drinks");
  AddF* f = open();
  EXPECT_TRUE(f->productMode());
  EXPECT_EQ(f->FGrid->Rows(), 0);
  ASSERT_EQ(f->Comcate2->count(), 3);
  EXPECT_EQ(f->Comcate2->itemText(0), "All Category");
  EXPECT_EQ(f->Comcate2->itemText(1), "1.5.  Half");
  EXPECT_EQ(f->Comcate2->itemData(1, AddF::KeyRole).toString(), "1.5");
  EXPECT_EQ(f->Comcate2->currentText(), "");
  ASSERT_EQ(f->ComCate->count(), 2);
  EXPECT_EQ(f->ComCate->itemText(1), "C1. Drinks");
  EXPECT_EQ(f->ComCate->currentIndex(), -1);
  EXPECT_EQ(f->cmdEdit->text(), "Edit");
  EXPECT_FALSE(f->cmdDel->isEnabled());
  EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(AddFTest, ThaiCaptionsAndTheThaiAllItem) {
  shell::settings().LangThai = true;
  AddF* f = open();
  EXPECT_EQ(f->Comcate2->itemText(0), QStringLiteral("สินค้าทุกหมวด"));
  EXPECT_EQ(f->cmdEdit->text(), QStringLiteral("แก้ไข"));
  EXPECT_EQ(f->CmdCate->text(), QStringLiteral("ตัวแก้ไขข้อมูลหมวดสินค้า"));
  f->cmdEdit_Click();
  EXPECT_EQ(dialogs.lastMessage(), QStringLiteral("กรุณาเลือกสินค้า"));
}

TEST_F(AddFTest, EveryCaptionFitsItsControlInBothLanguages) {
  for (const bool thai : {false, true}) {
    SCOPED_TRACE(thai ? "Thai" : "English");
    shell::settings().LangThai = thai;
    AddF* f = open();
    for (const bool products : {true, false}) {
      if (products)
        f->cmdPro_Click();
      else
        f->CmdCate_Click();
      for (QWidget* w : f->findChildren<QWidget*>()) {
        if (!w->isVisibleTo(f)) continue;
        QString text;
        int room = w->width();
        if (auto* l = qobject_cast<QLabel*>(w)) {
          text = l->text();
          room -= 1;  // not touching the caption beside it
        } else if (auto* b = qobject_cast<QPushButton*>(w)) {
          text = b->text().remove('&');
          room -= 8;  // inside the button's frame
        } else {
          continue;
        }
        EXPECT_LE(QFontMetrics(w->font()).horizontalAdvance(text), room)
            << w->objectName().toStdString() << " \"" << text.toStdString() << "\"";
      }
    }
    // The column headings stand over their columns as before.
    EXPECT_EQ(f->lblPrice->geometry().left(), f->FGrid->geometry().left() + plat::twipsToPx(3920 - 120));
    plat::FormRegistry::instance().unload(QStringLiteral("AddF"));
    testenv::pump();
  }
}

TEST_F(AddFTest, InsertWritesARowWithStockZeroAndTheCategoryFromTheItemData) {
  category("1.5", "Half");
  AddF* f = open();
  pickList(f, 0);
  fill(f, QStringLiteral("M01"), QStringLiteral("Men's shirt"), 0);
  f->cmdAdd_Click();
  EXPECT_TRUE(dialogs.shown.empty()) << dialogs.lastMessage().toStdString();
  const auto p = data::productByCode("M01");
  ASSERT_TRUE(p);
  EXPECT_EQ(p->PName, "Men's shirt");
  EXPECT_EQ(p->CID, "1.5");  // an id holding a full stop arrives whole
  EXPECT_DOUBLE_EQ(p->Quantity, 0);
  EXPECT_DOUBLE_EQ(p->Price, 12.5);
  EXPECT_EQ(p->PoOrder, 3);
  // The boxes are ready for the next product, the category kept; the list is to be picked again.
  EXPECT_EQ(f->txtBar->text(), "");
  EXPECT_EQ(f->txtPrice->text(), "0");
  EXPECT_EQ(f->ComCate->currentIndex(), 0);
  EXPECT_EQ(f->Comcate2->currentText(), "");
  EXPECT_EQ(f->FGrid->Rows(), 0);
}

TEST_F(AddFTest, InsertRefusals) {
  category("C1", "Drinks");
  product("P1", "Taken", "C1");
  AddF* f = open();
  struct Case {
    const char* what;
    std::function<void(AddF*)> spoil;
    const char* message;  // nullptr: refused without a word
  };
  const Case cases[] = {
      {"empty code", [](AddF* f) { f->txtBar->clear(); }, nullptr},
      {"empty name", [](AddF* f) { f->txtName->clear(); }, nullptr},
      {"empty price", [](AddF* f) { f->txtPrice->clear(); }, nullptr},
      {"empty price 2", [](AddF* f) { f->txtPrice1->clear(); }, nullptr},
      {"empty price 3", [](AddF* f) { f->txtPrice2->clear(); }, nullptr},
      {"empty unit", [](AddF* f) { f->txtNoun->clear(); }, nullptr},
      {"empty point of order", [](AddF* f) { f->txtPoOrder->clear(); }, nullptr},
      {"no category", [](AddF* f) { f->ComCate->setCurrentIndex(-1); }, "Select Category"},
      {"price '-'", [](AddF* f) { f->txtPrice->setText("-"); }, "Enter the price as a number"},
      {"price '1.2.3'", [](AddF* f) { f->txtPrice2->setText("1.2.3"); }, "Enter the price as a number"},
      {"point of order '1.5'", [](AddF* f) { f->txtPoOrder->setText("1.5"); },
       "Enter the point of order as a whole number"},
      {"existing code", [](AddF* f) { f->txtBar->setText("p1"); }, "This Product ID already exists"},
  };
  for (const Case& c : cases) {
    dialogs.clear();
    fill(f, QStringLiteral("NEW"), QStringLiteral("New one"), 0);
    c.spoil(f);
    const QString before = f->txtName->text();
    f->cmdAdd_Click();
    if (c.message)
      EXPECT_EQ(dialogs.texts(), QStringList{c.message}) << c.what;
    else
      EXPECT_TRUE(dialogs.shown.empty()) << c.what;
    EXPECT_EQ(count("SELECT COUNT(*) FROM Product"), 1) << c.what;
    EXPECT_EQ(f->txtName->text(), before) << c.what;  // the boxes keep what was typed
  }
  EXPECT_EQ(data::productByCode("P1")->PName, "Taken");
}

TEST_F(AddFTest, RowClickThenSaveCarriesANewCodeToSalesLotsAndHotKey) {
  category("C1", "Drinks");
  category("C2", "Snacks");
  product("A1", "Cola", "C1", "can", 7);
  sale("A1");
  lot("A1");
  Conn().exec("UPDATE settingkb SET PID = 'A1' WHERE KBID = 5");
  AddF* f = open();
  pickList(f, 1);  // "C1.  Drinks"
  ASSERT_EQ(f->FGrid->Rows(), 1);
  EXPECT_EQ(f->FGrid->TextMatrix(0, 2), "12.5");  // prices as stored, unformatted
  EXPECT_EQ(f->FGrid->TextMatrix(0, 9), "Drinks");

  clickCell(f->FGrid, 0, 1);
  f->FGrid_Click();
  EXPECT_TRUE(f->editing());
  EXPECT_EQ(f->cmdEdit->text(), "Save");
  EXPECT_FALSE(f->cmdAdd->isEnabled());
  EXPECT_TRUE(f->cmdDel->isEnabled());
  EXPECT_EQ(f->pickedKey(), "A1");
  EXPECT_EQ(f->txtBar->text(), "A1");
  EXPECT_EQ(f->txtName->text(), "Cola");
  EXPECT_EQ(f->txtPrice->text(), "12.5");
  EXPECT_EQ(f->txtPrice1->text(), "12");
  EXPECT_EQ(f->txtPrice2->text(), "11");
  EXPECT_EQ(f->txtNoun->text(), "can");
  EXPECT_EQ(f->txtPoOrder->text(), "3");
  EXPECT_EQ(f->ComCate->currentText(), "C1. Drinks");

  f->txtBar->setText(QStringLiteral("A2"));
  f->txtName->setText(QStringLiteral("Cola zero"));
  f->ComCate->setCurrentIndex(1);
  f->cmdEdit_Click();
  EXPECT_TRUE(dialogs.shown.empty()) << dialogs.lastMessage().toStdString();

  EXPECT_FALSE(data::productByCode("A1"));
  const auto p = data::productByCode("A2");
  ASSERT_TRUE(p);
  EXPECT_EQ(p->PName, "Cola zero");
  EXPECT_EQ(p->CID, "C2");
  EXPECT_DOUBLE_EQ(p->Quantity, 7);
  EXPECT_EQ(count("SELECT COUNT(*) FROM Sell WHERE PID = 'A2'"), 1);
  EXPECT_EQ(count("SELECT COUNT(*) FROM Buy WHERE PId = 'A2'"), 1);
  EXPECT_EQ(Conn().scalar("SELECT PID FROM settingkb WHERE KBID = 5").toString(), "A2");
  EXPECT_FALSE(f->editing());
  EXPECT_TRUE(f->pickedKey().isEmpty());
  EXPECT_EQ(f->FGrid->Rows(), 0);
  EXPECT_EQ(f->txtBar->text(), "");
}

TEST_F(AddFTest, AFailedSaveTellsWhyAndStaysInEditing) {
  category("C1", "Drinks");
  product("A1", "Cola", "C1");
  product("B1", "Beer", "C1");
  AddF* f = open();
  pickList(f, 1);
  clickCell(f->FGrid, 0, 0);
  f->FGrid_Click();
  ASSERT_EQ(f->pickedKey(), "A1");

  struct Case {
    std::function<void(AddF*)> spoil;
    const char* message;
  };
  const Case cases[] = {
      {[](AddF* f) { f->txtBar->setText("b1"); }, "This Product ID already exists"},
      {[](AddF* f) { f->txtPrice1->setText("1.2.3"); }, "Enter the price as a number"},
      {[](AddF* f) { f->ComCate->setCurrentIndex(-1); }, "Select Category"},
  };
  for (const Case& c : cases) {
    dialogs.clear();
    clickCell(f->FGrid, 0, 0);
    f->FGrid_Click();
    c.spoil(f);
    f->cmdEdit_Click();
    EXPECT_EQ(dialogs.texts(), QStringList{c.message});
    EXPECT_TRUE(f->editing()) << c.message;
    EXPECT_EQ(f->pickedKey(), "A1") << c.message;
  }
  EXPECT_EQ(data::productByCode("A1")->PName, "Cola");
  EXPECT_EQ(data::productByCode("B1")->PName, "Beer");
  EXPECT_EQ(count("SELECT COUNT(*) FROM Product"), 2);
}

TEST_F(AddFTest, ThePickedKeyIsForgottenOnLeavingEditing) {
  category("C1", "Drinks");
  product("A1", "Cola", "C1");
  AddF* f = open();
  const auto pick = [&] {
    pickList(f, 1);
    clickCell(f->FGrid, 0, 0);
    f->FGrid_Click();
    ASSERT_EQ(f->pickedKey(), "A1");
  };
  const std::function<void()> ways[] = {
      [&] { f->cmdCancel_Click(); },
      [&] { f->cmdDel_Click(); },  // answered No
      [&] {
        f->CmdCate_Click();
        f->cmdPro_Click();
      },
  };
  for (const auto& leave : ways) {
    pick();
    leave();
    EXPECT_TRUE(f->pickedKey().isEmpty());
    EXPECT_FALSE(f->editing());
    // Edit with a code typed by hand but no row picked asks for a pick and changes nothing.
    dialogs.clear();
    f->txtBar->setText(QStringLiteral("A1"));
    f->cmdEdit_Click();
    EXPECT_EQ(dialogs.lastMessage(), "Select Product");
    EXPECT_FALSE(f->editing());
  }
  EXPECT_EQ(data::productByCode("A1")->PName, "Cola");

  f->CmdCate_Click();
  f->txtCate->setText(QStringLiteral("C1"));
  f->cmdEdit_Click();
  EXPECT_EQ(dialogs.lastMessage(), "Select Category");
}

TEST_F(AddFTest, AllCategoriesListsHeadingsOrphansAndProductsWithoutUnit) {
  category("C1", "Drinks");
  category("C3", "Snacks");
  product("A1", "Cola", "C1");
  product("A0", "Water", "C1", QVariant());
  product("Z1", "Lost", "C2");
  product("S1", "Chips", "C3");
  AddF* f = open();
  pickList(f, 0);
  EXPECT_EQ(column0(f->FGrid), (QStringList{"  ", "A0", "A1", "  ", "Z1", "  ", "S1"}));
  EXPECT_EQ(f->FGrid->TextMatrix(0, 1), "Drinks");
  EXPECT_EQ(f->FGrid->TextMatrix(3, 1), "");
  EXPECT_EQ(f->FGrid->TextMatrix(4, 5), "C2");
  EXPECT_EQ(f->FGrid->TextMatrix(1, 4), "");
  EXPECT_EQ(f->FGrid->TextMatrix(6, 9), "Snacks");

  // A heading row and an empty cell start nothing.
  clickCell(f->FGrid, 0, 0);
  f->FGrid_Click();
  clickCell(f->FGrid, 1, 10);
  f->FGrid_Click();
  EXPECT_FALSE(f->editing());
  // A product of an unknown category picks no category item.
  clickCell(f->FGrid, 4, 0);
  f->FGrid_Click();
  EXPECT_TRUE(f->editing());
  EXPECT_EQ(f->ComCate->currentIndex(), -1);
}

// More products than the list puts in at a time: the same rows as the whole list made at once, a
// code behind every product row and none behind a heading.
TEST_F(AddFTest, AllCategoriesOfALongListMatchesTheListMadeAtOnce) {
  category("C1", "Drinks");
  category("C2", "Snacks");
  Conn().transaction([] {
    for (int i = 0; i < 9000; ++i)
      product(QStringLiteral("P%1").arg(i, 5, 10, QLatin1Char('0')), QStringLiteral("N%1").arg(i),
              i % 3 == 0 ? QStringLiteral("C1") : (i % 3 == 1 ? QStringLiteral("c2") : QStringLiteral("C9")));
  });
  const QVector<stock::GridRow> want = stock::allCategoryRows(data::productsByCategory());
  AddF* f = open();
  pickList(f, 0);
  ASSERT_EQ(f->FGrid->Rows(), want.size());
  for (int r = 0; r < want.size(); ++r) {
    QStringList cells;
    for (int c = 0; c < 11; ++c) cells << f->FGrid->TextMatrix(r, c);
    ASSERT_EQ(cells, want[r].cells) << r;
    const QVariant key = f->FGrid->cellData(r, 0, AddF::KeyRole);
    ASSERT_EQ(key.isValid(), !want[r].heading) << r;
    if (key.isValid()) {
      ASSERT_EQ(key.toString(), want[r].key) << r;
    }
  }
  pickList(f, 0);  // again: the list replaced, not added to
  EXPECT_EQ(f->FGrid->Rows(), want.size());
}

TEST_F(AddFTest, EveryKeyInTheChooserEmptiesTheGridAndEnterSearches) {
  category("AB", "Group AB");
  product("X1", "Plain", "AB");
  product("ZAB", "Other", "Q");
  product("K1", "Slab", "Q");
  product("P5", "50% off", "Q");
  product("P6", "5000", "Q");
  AddF* f = open();
  pickList(f, 0);
  ASSERT_GT(f->FGrid->Rows(), 0);
  int key = 'a';
  f->Comcate2_KeyPress(key);
  EXPECT_EQ(f->FGrid->Rows(), 0);

  struct Case {
    const char* text;
    QStringList codes;
  };
  const Case cases[] = {{" ab ", {"K1", "X1", "ZAB"}}, {"50%", {"P5"}}, {"none", {}}};
  for (const Case& c : cases) {
    f->Comcate2->setEditText(QString::fromUtf8(c.text));
    int enter = 13;
    f->Comcate2_KeyPress(enter);
    EXPECT_EQ(column0(f->FGrid), c.codes) << c.text;
  }
  f->Comcate2->setEditText(QStringLiteral("ab"));
  int enter = 13;
  f->Comcate2_KeyPress(enter);
  EXPECT_EQ(f->FGrid->TextMatrix(1, 9), "Group AB");
}

TEST_F(AddFTest, DeletionAsksInEnglishAndKeepsProductsWithSales) {
  shell::settings().LangThai = true;
  category("C1", "Drinks");
  product("SOLD", "Sold", "C1");
  product("BUY", "Bought", "C1");
  sale("SOLD");
  lot("BUY");
  AddF* f = open();

  const auto pickRow = [&](int r) {
    pickList(f, 1);
    clickCell(f->FGrid, r, 0);
    f->FGrid_Click();
  };
  pickRow(1);  // SOLD, after BUY in code order
  ASSERT_EQ(f->pickedKey(), "SOLD");
  dialogs.answerYes(true);
  f->cmdDel_Click();
  EXPECT_EQ(dialogs.texts(),
            (QStringList{"Do you Want to Delete SOLD", QStringLiteral("ไม่สามารถลบได้เพราะมีข้อมูลการขาย")}));
  EXPECT_TRUE(data::productByCode("SOLD"));
  EXPECT_FALSE(f->editing());

  dialogs.clear();
  pickRow(0);
  dialogs.answerYes(false);
  f->cmdDel_Click();
  EXPECT_TRUE(data::productByCode("BUY"));

  dialogs.clear();
  pickRow(0);
  dialogs.answerYes(true);
  f->cmdDel_Click();
  EXPECT_EQ(dialogs.texts(), QStringList{"Do you Want to Delete BUY"});
  EXPECT_FALSE(data::productByCode("BUY"));
  EXPECT_EQ(count("SELECT COUNT(*) FROM Buy WHERE PId = 'BUY'"), 1);
  EXPECT_EQ(f->FGrid->Rows(), 0);

  // The category of a sold product stays; an unsold one goes and its products keep the id.
  category("C2", "Spare");
  product("P2", "Spare part", "C2");
  f->CmdCate_Click();
  for (const char* id : {"C1", "C2"}) {
    dialogs.clear();
    const int r = QStringList(column0(f->FGrid1)).indexOf(id);
    ASSERT_GE(r, 0);
    clickCell(f->FGrid1, r, 0);
    f->FGrid1_Click();
    dialogs.answerYes(true);
    f->cmdDel_Click();
  }
  EXPECT_EQ(count("SELECT COUNT(*) FROM Category WHERE CateID = 'C1'"), 1);
  EXPECT_EQ(count("SELECT COUNT(*) FROM Category WHERE CateID = 'C2'"), 0);
  EXPECT_EQ(data::productByCode("P2")->CID, "C2");
  EXPECT_EQ(column0(f->FGrid1), QStringList{"C1"});
}

TEST_F(AddFTest, CategoryModeInsertsChangesAndCarriesProductsAlong) {
  AddF* f = open();  // no category at all: the window still loads
  EXPECT_EQ(f->Comcate2->count(), 1);
  f->CmdCate_Click();
  EXPECT_FALSE(f->productMode());
  EXPECT_TRUE(f->FGrid->isHidden());
  EXPECT_FALSE(f->FGrid1->isHidden());

  f->txtCate->clear();
  f->txtcateName->setText(QStringLiteral("No id"));
  f->cmdAdd_Click();
  EXPECT_EQ(count("SELECT COUNT(*) FROM Category"), 0);
  EXPECT_TRUE(dialogs.shown.empty());

  f->txtCate->setText(QStringLiteral("C1"));
  f->txtcateName->setText(QStringLiteral("Men's wear"));
  f->cmdAdd_Click();
  f->txtCate->setText(QStringLiteral("C2"));
  f->txtcateName->setText(QStringLiteral("Shoes"));
  f->cmdAdd_Click();
  EXPECT_EQ(column0(f->FGrid1), (QStringList{"C1", "C2"}));
  EXPECT_EQ(Conn().scalar("SELECT CateName FROM Category WHERE CateID = 'C1'").toString(), "Men's wear");
  f->txtCate->setText(QStringLiteral("c1"));
  f->cmdAdd_Click();
  EXPECT_EQ(dialogs.lastMessage(), "This Category ID already exists");

  product("P1", "Shirt", "C1");
  f->txtCate->clear();
  clickCell(f->FGrid1, 0, 1);
  f->FGrid1_Click();
  EXPECT_EQ(f->txtCate->text(), "C1");
  EXPECT_EQ(f->txtcateName->text(), "Men's wear");
  dialogs.clear();
  f->txtCate->setText(QStringLiteral("C2"));
  f->cmdEdit_Click();
  EXPECT_EQ(dialogs.texts(), QStringList{"This Category ID already exists"});
  EXPECT_TRUE(f->editing());
  f->txtCate->setText(QStringLiteral("M1"));
  f->cmdEdit_Click();
  EXPECT_FALSE(f->editing());
  EXPECT_EQ(column0(f->FGrid1), (QStringList{"C2", "M1"}));
  EXPECT_EQ(data::productByCode("P1")->CID, "M1");

  f->cmdPro_Click();
  EXPECT_TRUE(f->productMode());
  EXPECT_EQ(f->Comcate2->itemText(2), "M1.  Men's wear");
  EXPECT_EQ(f->ComCate->itemText(1), "M1. Men's wear");
}

TEST_F(AddFTest, KeyProceduresDropRefusedCharactersAndPassControlKeys) {
  AddF* f = open();
  struct Case {
    void (AddF::*proc)(int&);
    int key;
    int expected;
  };
  const Case cases[] = {
      {&AddF::txtBar_KeyPress, '.', 0},      {&AddF::txtName_KeyPress, '.', 0},
      {&AddF::txtCate_KeyPress, '.', 0},     {&AddF::txtcateName_KeyPress, '.', 0},
      {&AddF::txtPrice_KeyPress, 'x', 0},    {&AddF::txtPrice1_KeyPress, '-', '-'},
      {&AddF::txtPrice2_KeyPress, '.', '.'}, {&AddF::txtPoOrder_KeyPress, '.', 0},
      {&AddF::txtNoun_KeyPress, '.', '.'},   {&AddF::txtBar_KeyPress, 22, 22},
      {&AddF::txtPoOrder_KeyPress, 8, 8},
  };
  for (const Case& c : cases) {
    int k = c.key;
    (f->*c.proc)(k);
    EXPECT_EQ(k, c.expected) << c.key;
  }
}

}  // namespace
