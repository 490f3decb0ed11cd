// A new user keeps categories and products with the mouse and the keyboard, the editor opened the
// way the main window opens it.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTest>

#include "data/db.h"
#include "platform/dialogs.h"
#include "platform/flexgrid.h"
#include "stock/addf.h"
#include "stock/register.h"
#include "support/scripted_dialogs.h"
#include "support/testenv.h"

namespace {

using data::Conn;
using stock::AddF;

void type(const QString& text) {
  for (const QChar ch : text) {
    QWidget* w = QApplication::focusWidget();
    ASSERT_TRUE(w);
    QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(ch));
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(ch));
    QApplication::sendEvent(w, &press);
    QApplication::sendEvent(w, &release);
  }
}
void key(Qt::Key k) { QTest::keyClick(QApplication::focusWidget(), k); }
void click(QWidget* w) { QTest::mouseClick(w, Qt::LeftButton); }
void clickCell(plat::FlexGrid* g, int r, int c) {
  QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, g->cellRect(r, c).center());
}
QStringList column0(const plat::FlexGrid* g) {
  QStringList out;
  for (int r = 0; r < g->Rows(); ++r) out << g->TextMatrix(r, 0);
  return out;
}
// The rows of a table, one text per row, for comparing what the database holds.
QStringList rows(const QString& sql) {
  data::Snapshot s = Conn().query(sql);
  QStringList out;
  for (s.moveFirst(); !s.eof(); s.moveNext()) {
    QStringList cells;
    for (const QString& c : s.columns()) cells << s.text(c);
    out << cells.join(u'|');
  }
  return out;
}

class AddFWalk : public testenv::DbTest {
 protected:
  void SetUp() override {
    DbTest::SetUp();
    stock::registerForms();
    area.resize(1200, 800);
    area.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&area));
    plat::FormRegistry::instance().setMdiArea(&area);
  }
  void TearDown() override {
    plat::FormRegistry::instance().unloadAll();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    plat::FormRegistry::instance().setMdiArea(nullptr);
    DbTest::TearDown();
  }
  QMdiArea area;
  plat::ScriptedDialogs dlg;
};

TEST_F(AddFWalk, CategoriesAndProductsAreAddedListedSearchedChangedAndDeleted) {
  auto* f = qobject_cast<AddF*>(plat::FormRegistry::instance().show(QStringLiteral("AddF")));
  testenv::pump(10);
  ASSERT_TRUE(f && f->isVisible());
  auto* sub = qobject_cast<QMdiSubWindow*>(f->parentWidget());
  ASSERT_TRUE(sub);
  EXPECT_TRUE(sub->isMaximized());

  // Two categories, the Enter key carrying the focus from box to box and on to Insert.
  click(f->CmdCate);
  ASSERT_EQ(QApplication::focusWidget(), f->txtCate);
  for (const auto& [id, name] : {std::pair{"C.1", "Drinks"}, std::pair{"C2", "Snacks & nuts"}}) {
    type(QString::fromUtf8(id));  // the full stop is refused
    key(Qt::Key_Return);
    ASSERT_EQ(QApplication::focusWidget(), f->txtcateName);
    type(QString::fromUtf8(name));
    key(Qt::Key_Return);
    ASSERT_EQ(QApplication::focusWidget(), f->cmdAdd);
    QTest::keyClick(f->cmdAdd, Qt::Key_Space);
    EXPECT_TRUE(dlg.shown.empty()) << dlg.lastMessage().toStdString();
    click(f->txtCate);
  }
  EXPECT_EQ(column0(f->FGrid1), (QStringList{"C1", "C2"}));

  // Two products, each in its category, typed as a cashier would.
  click(f->cmdPro);
  ASSERT_EQ(QApplication::focusWidget(), f->txtBar);
  struct Entry {
    const char* code;
    int downs;  // presses of Down in the category box
    const char* name;
    const char* prices[3];
    const char* unit;
    const char* point;
  };
  const Entry entries[] = {{"P1", 1, "Cola", {"12.5x", "12", "11"}, "can", "5"},
                           {"P.2", 2, "Men's peanuts", {"20", "19.5", "-1"}, "bag", "1a0"}};
  for (const Entry& e : entries) {
    click(f->txtBar);
    type(QString::fromUtf8(e.code));
    key(Qt::Key_Return);
    ASSERT_EQ(QApplication::focusWidget(), f->ComCate);
    f->ComCate->setCurrentIndex(-1);
    for (int i = 0; i < e.downs; ++i) key(Qt::Key_Down);
    key(Qt::Key_Return);
    ASSERT_EQ(QApplication::focusWidget(), f->txtName);
    type(QString::fromUtf8(e.name));
    key(Qt::Key_Return);
    for (const char* price : e.prices) {
      type(QString::fromUtf8(price));  // replaces the selected "0"
      key(Qt::Key_Return);
    }
    ASSERT_EQ(QApplication::focusWidget(), f->txtNoun);
    type(QString::fromUtf8(e.unit));
    key(Qt::Key_Return);
    type(QString::fromUtf8(e.point));
    key(Qt::Key_Return);
    ASSERT_EQ(QApplication::focusWidget(), f->cmdAdd);
    QTest::keyClick(f->cmdAdd, Qt::Key_Space);
    EXPECT_TRUE(dlg.shown.empty()) << dlg.lastMessage().toStdString();
  }
  EXPECT_EQ(rows("SELECT * FROM Product ORDER BY PId"),
            (QStringList{"P1|Cola|12.5|12|11|0|C1|can|5", "P2|Men's peanuts|20|19.5|-1|0|C2|bag|10"}));

  // Lists by category: Down in the chooser picks "All Category", then the first category.
  click(f->Comcate2);
  key(Qt::Key_Down);
  EXPECT_EQ(f->Comcate2->currentText(), "All Category");
  EXPECT_EQ(column0(f->FGrid), (QStringList{"  ", "P1", "  ", "P2"}));
  EXPECT_EQ(f->FGrid->TextMatrix(2, 1), "Snacks & nuts");
  key(Qt::Key_Down);
  EXPECT_EQ(f->Comcate2->currentText(), "C1.  Drinks");
  EXPECT_EQ(column0(f->FGrid), QStringList{"P1"});

  // A search: every key empties the grid, Enter lists what matches.
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::ControlModifier);
  type(QStringLiteral("pea"));
  EXPECT_EQ(f->FGrid->Rows(), 0);
  key(Qt::Key_Return);
  EXPECT_EQ(column0(f->FGrid), QStringList{"P2"});
  EXPECT_EQ(f->FGrid->TextMatrix(0, 9), "Snacks & nuts");

  // A click on the row starts editing it; Save writes the change.
  clickCell(f->FGrid, 0, 1);
  EXPECT_EQ(f->cmdEdit->text(), "Save");
  ASSERT_EQ(QApplication::focusWidget(), f->txtBar);
  type(QStringLiteral("N2"));  // the code was selected: typing replaces it
  click(f->txtPrice);
  QTest::keyClick(f->txtPrice, Qt::Key_A, Qt::ControlModifier);
  type(QStringLiteral("21"));
  click(f->cmdEdit);
  EXPECT_TRUE(dlg.shown.empty()) << dlg.lastMessage().toStdString();
  EXPECT_EQ(f->cmdEdit->text(), "Edit");
  EXPECT_EQ(f->FGrid->Rows(), 0);

  // Delete P1 from the all-categories list.
  click(f->Comcate2);
  f->Comcate2->setCurrentIndex(-1);
  key(Qt::Key_Down);
  ASSERT_EQ(column0(f->FGrid), (QStringList{"  ", "P1", "  ", "N2"}));
  clickCell(f->FGrid, 1, 0);
  ASSERT_TRUE(f->cmdDel->isEnabled());
  dlg.answerYes(true);
  click(f->cmdDel);
  EXPECT_EQ(dlg.texts(), QStringList{"Do you Want to Delete P1"});

  // Rename a category: its product follows.
  click(f->CmdCate);
  clickCell(f->FGrid1, 1, 0);
  ASSERT_EQ(QApplication::focusWidget(), f->txtCate);
  type(QStringLiteral("S1"));
  click(f->cmdEdit);

  EXPECT_EQ(rows("SELECT * FROM Product ORDER BY PId"),
            QStringList{"N2|Men's peanuts|21|19.5|-1|0|S1|bag|10"});
  EXPECT_EQ(rows("SELECT * FROM Category ORDER BY CateID"), (QStringList{"C1|Drinks", "S1|Snacks & nuts"}));

  click(f->cmdClose);
  testenv::pump(10);
  EXPECT_FALSE(plat::FormRegistry::instance().loaded(QStringLiteral("AddF")));
}

}  // namespace
