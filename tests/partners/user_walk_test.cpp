// A new user keeps suppliers and customers with the mouse and the keyboard, the windows opened
// the way the main window opens them.
#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "data/db.h"
#include "data/partners.h"
#include "partners/customer_form.h"
#include "partners/register.h"
#include "partners/supplier_form.h"
#include "platform/dialogs.h"
#include "shell/settings.h"
#include "support/scripted_dialogs.h"
#include "support/testenv.h"

namespace {

using partners::CustomerForm;
using partners::SupplierForm;

// Types text into the focused widget one key at a time, Thai letters included.
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

void enter() { QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return); }

void click(QWidget* w) { QTest::mouseClick(w, Qt::LeftButton); }

// Replaces what a box holds, as a user does with Ctrl+A and typing.
void retype(QLineEdit* box, const QString& text) {
  click(box);
  QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
  type(text);
}

class UserWalk : public testenv::DbTest {
 protected:
  void SetUp() override {
    DbTest::SetUp();
    partners::registerForms();
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
  template <class F>
  F* openFromMenu(const char* name) {
    auto* f = static_cast<F*>(plat::FormRegistry::instance().show(QString::fromUtf8(name)));
    testenv::pump(10);
    return f;
  }

  QMdiArea area;
  plat::ScriptedDialogs dlg;
};

TEST_F(UserWalk, SuppliersAreAddedBrowsedFoundChangedAndDeleted) {
  auto* s = openFromMenu<SupplierForm>("SupplierForm");
  ASSERT_TRUE(s && s->isVisible());
  EXPECT_EQ(s->windowTitle(), QStringLiteral("Supplier"));

  struct Entry {
    const char* id;
    const char* company;
    const char* contact;
    const char* line1;
    const char* line2;
  };
  const Entry entries[] = {{"200", "Siam Paper", "Somsak", "12 Rama IV", "Bangkok"},
                           {"100", "O'Hara & Sons", "Mr. \"Joe\"", "5 Soi 3", "Chiang Mai"},
                           {"150", "ร้านสมใจ", "คุณสมใจ", "99 ถนนสุขุมวิท", "กรุงเทพฯ"}};
  for (const Entry& e : entries) {
    click(s->cmdNew);
    ASSERT_EQ(QApplication::focusWidget(), s->txtSupId);
    type(QString::fromUtf8(e.id) + QStringLiteral("x"));  // the letter is refused by the id box
    enter();
    // The other boxes start with one blank: the user clears it before typing.
    for (const char* text : {e.company, e.contact, e.line1, e.line2}) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backspace);
      type(QString::fromUtf8(text));
      enter();
    }
    ASSERT_EQ(QApplication::focusWidget(), s->cmdInsert);
    QTest::keyClick(s->cmdInsert, Qt::Key_Space);
    EXPECT_TRUE(dlg.shown.empty()) << dlg.lastMessage().toStdString();
    EXPECT_EQ(s->txtSupId->text(), QString());
  }
  EXPECT_EQ(data::Conn().scalar(QStringLiteral("SELECT CompanyName FROM Suppliers WHERE SupplierId = '100'")),
            QStringLiteral("O'Hara & Sons"));
  EXPECT_EQ(data::Conn().scalar(QStringLiteral("SELECT City FROM Suppliers WHERE SupplierId = '150'")),
            QStringLiteral("กรุงเทพฯ"));

  // Browse in id order.
  click(s->cmdFirst);
  EXPECT_EQ(s->txtSupId->text(), QStringLiteral("100"));
  EXPECT_EQ(s->txtCtName->text(), QStringLiteral("Mr. \"Joe\""));
  click(s->cmdNext);
  EXPECT_EQ(s->txtComName->text(), QStringLiteral("ร้านสมใจ"));
  click(s->cmdNext);
  click(s->cmdNext);
  EXPECT_EQ(s->txtSupId->text(), QStringLiteral("200"));
  click(s->cmdBack);
  EXPECT_EQ(s->txtSupId->text(), QStringLiteral("150"));

  // Find by the beginning of the id.
  click(s->txtFind);
  type(QStringLiteral("1"));
  click(s->cmdFind);
  EXPECT_EQ(s->txtSupId->text(), QStringLiteral("100"));
  click(s->cmdFnext);
  EXPECT_EQ(s->txtSupId->text(), QStringLiteral("150"));

  // Change the address of 150.
  retype(s->txtAdr, QStringLiteral("101 ถนนพระราม 9"));
  click(s->cmdUpdate);
  EXPECT_EQ(s->lblMsg->text(), QStringLiteral("Update Data Completed"));
  click(s->cmdLast);
  click(s->cmdBack);
  EXPECT_EQ(s->txtAdr->text(), QStringLiteral("101 ถนนพระราม 9"));
  EXPECT_EQ(s->txtComName->text(), QStringLiteral("ร้านสมใจ"));

  // A supplier with purchases stays; one without goes.
  data::Conn().exec(QStringLiteral("INSERT INTO Buy (PId, SupplierID, BQuantity) VALUES ('P1', '100', 5)"));
  click(s->cmdFirst);
  dlg.answerYes(true);
  click(s->cmdDel);
  EXPECT_EQ(dlg.texts(),
            (QStringList{"Do you Want to Delete 100", "Database have buy data you can not delete"}));
  click(s->cmdLast);
  dlg.clear();
  dlg.answerYes(true);
  click(s->cmdDel);
  EXPECT_EQ(dlg.texts(), QStringList{QStringLiteral("Do you Want to Delete 200")});
  EXPECT_EQ(s->txtSupId->text(), QStringLiteral("100"));
  EXPECT_EQ(data::Conn().scalar(QStringLiteral("SELECT COUNT(*) FROM Suppliers")).toInt(), 2);

  // Opening the customers closes the suppliers.
  openFromMenu<CustomerForm>("CustomerForm");
  EXPECT_EQ(plat::FormRegistry::instance().loaded(QStringLiteral("SupplierForm")), nullptr);
}

TEST_F(UserWalk, ThaiUserKeepsCustomersThatTheSaleScreenFindsWithTheirLevel) {
  shell::settings().LangThai = true;
  auto* c = openFromMenu<CustomerForm>("CustomerForm");
  ASSERT_TRUE(c && c->isVisible());
  EXPECT_EQ(c->windowTitle(), QStringLiteral("ข้อมูลลูกค้า"));
  EXPECT_EQ(c->cmdInsert->text(), QStringLiteral("เพิ่ม"));

  // New, the id, Enter, then each field, the level with the mouse, and Insert.
  click(c->cmdNew);
  type(QStringLiteral("0042"));
  enter();
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backspace);  // the blank New put there
  type(QStringLiteral("บริษัท ทองดี จำกัด"));
  enter();
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backspace);
  type(QStringLiteral("คุณทองดี"));
  enter();
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backspace);
  type(QStringLiteral("02-123-4567"));
  enter();
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backspace);
  type(QStringLiteral("1 ถนนสีลม"));
  enter();
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backspace);
  type(QStringLiteral("บางรัก กรุงเทพฯ 10500"));
  enter();  // stays in the second address line
  EXPECT_EQ(QApplication::focusWidget(), c->txtFax);
  click(c->optLevel[2]);
  click(c->cmdInsert);
  EXPECT_TRUE(dlg.shown.empty()) << dlg.lastMessage().toStdString();
  EXPECT_TRUE(c->optLevel[1]->isChecked());

  // The same id again is refused in Thai.
  c->txtCusId->setText(QStringLiteral("0042"));
  click(c->cmdInsert);
  EXPECT_EQ(dlg.lastMessage(), QStringLiteral("กรุณาเปลี่ยนรหัสลูกค้า"));

  // The sale screen's look-up sees the name, both address lines and the level.
  auto found = data::customerById(QStringLiteral("0042"));
  ASSERT_TRUE(found.has_value());
  EXPECT_EQ(found->CompanyName, QStringLiteral("บริษัท ทองดี จำกัด"));
  EXPECT_EQ(found->ContactTitle, QStringLiteral("1 ถนนสีลม"));
  EXPECT_EQ(found->Fax, QStringLiteral("บางรัก กรุงเทพฯ 10500"));
  EXPECT_EQ(found->Phone, QStringLiteral("02-123-4567"));
  EXPECT_EQ(found->Discount, QStringLiteral("2"));

  // Raise the customer to level 3.
  click(c->cmdFirst);
  EXPECT_EQ(c->txtCusId->text(), QStringLiteral("0042"));
  EXPECT_TRUE(c->optLevel[2]->isChecked());
  click(c->optLevel[3]);
  click(c->cmdUpdate);
  EXPECT_EQ(c->lblMsg->text(), QStringLiteral("Update Data Completed"));
  EXPECT_EQ(data::customerById(QStringLiteral("0042"))->Discount, QStringLiteral("3"));

  // A customer with a sale, even a cancelled one, stays.
  data::Conn().exec(QStringLiteral(
      "INSERT INTO Sell (PID, SQuantity, Recieve, Comment, CustomerId) VALUES ('P1', 0, 0, 1, '0042')"));
  dlg.clear();
  dlg.answerYes(true);
  click(c->cmdDel);
  EXPECT_EQ(dlg.lastMessage(), QStringLiteral("ไม่สามารถลบได้เพราะมีข้อมูลการขาย"));
  EXPECT_TRUE(data::customerById(QStringLiteral("0042")).has_value());

  click(c->cmdClose);
  testenv::pump(10);
  EXPECT_EQ(plat::FormRegistry::instance().loaded(QStringLiteral("CustomerForm")), nullptr);
}

}  // namespace
