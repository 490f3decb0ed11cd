// The supplier and customer record windows, driven through their controls.
#include <gtest/gtest.h>

#include <QApplication>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QProcess>
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
using partners::RecordForm;
using partners::RecordLayout;
using partners::SupplierForm;

struct Window {
  const char* name;
  const RecordLayout& (*layout)();
  const char* changeId;
  const char* changeIdThai;
  const char* refusal;
  const char* refusalThai;
};

const Window kSupplier{"SupplierForm",
                       &SupplierForm::layout,
                       " Please Change SupplierID ",
                       "กรุณาเปลี่ยนรหัสผู้ค้า",
                       "Database have buy data you can not delete",
                       "ไม่สามารถลบได้เพราะมีข้อมูลการซื้อ"};
const Window kCustomer{"CustomerForm",
                       &CustomerForm::layout,
                       " Please Change CustomerID ",
                       "กรุณาเปลี่ยนรหัสลูกค้า",
                       "Database have sell data you can not delete",
                       "ไม่สามารถลบได้เพราะมีข้อมูลการขาย"};

// A quote, Thai text, one blank and plain text in turn.
QString sample(int i, const QString& tag) {
  switch (i % 4) {
    case 0:
      return QStringLiteral("O'Neil \"%1\" %2").arg(tag).arg(i);
    case 1:
      return QStringLiteral("ห้างหุ้นส่วน %1 %2").arg(tag).arg(i);
    case 2:
      return QStringLiteral(" ");
    default:
      return QStringLiteral("%1 plain %2").arg(tag).arg(i);
  }
}

class RecordFormTest : public testenv::DbTest {
 protected:
  void SetUp() override {
    DbTest::SetUp();
    partners::registerForms();
  }
  void TearDown() override {
    plat::FormRegistry::instance().unloadAll();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    DbTest::TearDown();
  }

  RecordForm* open(const Window& w) {
    return static_cast<RecordForm*>(plat::FormRegistry::instance().form(QString::fromUtf8(w.name)));
  }
  // Shown and active, so focus moves as it would for the user.
  RecordForm* openActive(const Window& w) {
    RecordForm* f = open(w);
    f->show();
    f->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(f));
    return f;
  }

  static const data::PartnerTable& table(const Window& w) { return *w.layout().table; }

  // A row written straight into the table, a sample in every column (customers at level 1).
  static void addRow(const Window& w, const QString& id, const QString& tag = QStringLiteral("r")) {
    QStringList v{id};
    const auto& t = table(w);
    for (int i = 1; i < t.columns.size(); ++i) v << sample(i, tag);
    if (t.columns.back() == QLatin1String("Discount")) v.back() = QStringLiteral("1");
    ASSERT_EQ(data::insertPartner(t, v), data::InsertOutcome::Inserted);
  }
  static void addRows(const Window& w, const QStringList& ids) {
    for (const QString& id : ids) addRow(w, id, id);
  }
  static int rows(const Window& w) {
    return data::Conn().scalar(QStringLiteral("SELECT COUNT(*) FROM %1").arg(table(w).table)).toInt();
  }
  static QString stored(const Window& w, const QString& id, const QString& column) {
    return data::Conn()
        .scalar(
            QStringLiteral("SELECT %1 FROM %2 WHERE %3 = ?").arg(column, table(w).table, table(w).idColumn()),
            {id})
        .toString();
  }

  // Types into every record box, the carried ones too.
  static void fill(RecordForm* f, const Window& w, const QString& id, const QString& tag) {
    int i = 0;
    for (const auto& b : w.layout().boxes) {
      f->box(b.box)->setText(i == 0 ? id : sample(i, tag));
      ++i;
    }
  }
  static QStringList shown(RecordForm* f, const Window& w) {
    QStringList v;
    for (const auto& b : w.layout().boxes) v << f->box(b.box)->text();
    return v;
  }
  static QString id(RecordForm* f, const Window& w) { return f->box(w.layout().boxes.front().box)->text(); }

  plat::ScriptedDialogs dlg;
};

class BothWindows : public RecordFormTest, public ::testing::WithParamInterface<const Window*> {
 protected:
  const Window& w() const { return *GetParam(); }
};

TEST_P(BothWindows, TypedValuesRoundTripAndUpdateRewritesAllButTheId) {
  RecordForm* f = open(w());
  f->cmdNew_Click();
  fill(f, w(), QStringLiteral("501"), QStringLiteral("a"));
  const QStringList typed = shown(f, w());
  f->cmdInsert_Click();
  EXPECT_TRUE(dlg.shown.empty()) << dlg.lastMessage().toStdString();
  ASSERT_EQ(rows(w()), 1);

  // After an insert the id box is empty and every other box holds one blank.
  QStringList blanks(typed.size(), QStringLiteral(" "));
  blanks[0] = QString();
  EXPECT_EQ(shown(f, w()), blanks);

  // Stored, and shown again, without the blanks around the texts.
  f->txtFind->setText(QStringLiteral("501"));
  f->cmdFind_Click();
  int i = 0;
  for (const auto& b : w().layout().boxes) {
    EXPECT_EQ(f->box(b.box)->text(), typed[i].trimmed()) << b.column.toStdString();
    EXPECT_EQ(stored(w(), QStringLiteral("501"), b.column), typed[i++].trimmed()) << b.column.toStdString();
  }

  fill(f, w(), QStringLiteral("501"), QStringLiteral("b"));
  const QStringList changed = shown(f, w());
  f->cmdUpdate_Click();
  EXPECT_EQ(f->lblMsg->text(), QStringLiteral("Update Data Completed"));
  EXPECT_EQ(shown(f, w()), changed);
  i = 0;
  for (const auto& b : w().layout().boxes)
    EXPECT_EQ(stored(w(), QStringLiteral("501"), b.column), changed[i++].trimmed()) << b.column.toStdString();
  EXPECT_EQ(rows(w()), 1);
}

TEST_P(BothWindows, InsertRefusesAnExistingOrEmptyIdAndKeepsWhatWasTyped) {
  addRow(w(), QStringLiteral("5"));
  RecordForm* f = open(w());
  for (bool thai : {false, true}) {
    shell::settings().LangThai = thai;
    for (const char* typedId : {"5", " 5 ", "", "   "}) {
      dlg.clear();
      fill(f, w(), QString::fromUtf8(typedId), QStringLiteral("t"));
      const QStringList typed = shown(f, w());
      f->cmdInsert_Click();
      EXPECT_EQ(dlg.texts(), QStringList{QString::fromUtf8(thai ? w().changeIdThai : w().changeId)})
          << "id '" << typedId << "'";
      EXPECT_EQ(shown(f, w()), typed);
    }
  }
  EXPECT_EQ(rows(w()), 1);
  EXPECT_EQ(stored(w(), QStringLiteral("5"), table(w()).columns[1]), sample(1, QStringLiteral("r")));
}

TEST_P(BothWindows, InsertShowsTheDatabaseDescriptionForOtherFailures) {
  data::Conn().exec(
      QStringLiteral(
          "CREATE TRIGGER NoMore BEFORE INSERT ON %1 BEGIN SELECT RAISE(ABORT, 'disk is full'); END")
          .arg(table(w()).table));
  RecordForm* f = open(w());
  fill(f, w(), QStringLiteral("8"), QStringLiteral("t"));
  f->cmdInsert_Click();
  ASSERT_EQ(dlg.shown.size(), 1u);
  EXPECT_TRUE(dlg.lastMessage().contains(QStringLiteral("disk is full"))) << dlg.lastMessage().toStdString();
  EXPECT_EQ(id(f, w()), QStringLiteral("8"));
}

// Another till holds the database while a customer is saved: the window tells a busy database in
// the user's language, keeps what was typed, and the same Insert saves once the till is done.
TEST_F(RecordFormTest, ACustomerSavedWhileAnotherTillHoldsTheDatabaseIsToldBusyInTheUsersLanguage) {
  RecordForm* f = open(kCustomer);
  QProcess till;
  till.start(testenv::tillProgram(), {"hold", data::Conn().path(), QString::number(3 * data::kBusyWaitMs)});
  ASSERT_TRUE(till.waitForReadyRead(10000));
  ASSERT_EQ(till.readLine().trimmed(), "held");
  for (const bool thai : {false, true}) {
    SCOPED_TRACE(thai ? "Thai" : "English");
    shell::settings().LangThai = thai;
    dlg.clear();
    fill(f, kCustomer, QStringLiteral("42"), QStringLiteral("c"));
    const QStringList typed = shown(f, kCustomer);
    f->cmdInsert_Click();
    EXPECT_EQ(dlg.texts(),
              QStringList{thai ? QStringLiteral("ฐานข้อมูลกำลังถูกใช้งานโดยเครื่องอื่น โปรดลองอีกครั้งในอีกสักครู่")
                               : QStringLiteral("The database is busy: another till is using it. Please try "
                                                "again in a moment.")});
    EXPECT_EQ(shown(f, kCustomer), typed);
  }
  shell::settings().LangThai = false;
  ASSERT_TRUE(till.waitForFinished(5 * data::kBusyWaitMs));
  dlg.clear();
  f->cmdInsert_Click();
  EXPECT_TRUE(dlg.shown.empty()) << dlg.lastMessage().toStdString();
  EXPECT_EQ(rows(kCustomer), 1);
}

TEST_P(BothWindows, UpdateOfAnIdNotInTheTableSaysSoInTheUsersLanguage) {
  addRow(w(), QStringLiteral("5"));
  RecordForm* f = open(w());
  f->cmdNew_Click();
  f->cmdUpdate_Click();
  f->box(w().layout().boxes.front().box)->setText(QStringLiteral("77"));
  shell::settings().LangThai = true;
  f->cmdUpdate_Click();
  ASSERT_EQ(dlg.shown.size(), 2u);
  EXPECT_TRUE(dlg.shown[0].text.contains(QStringLiteral("not found"))) << dlg.shown[0].text.toStdString();
  EXPECT_TRUE(dlg.shown[1].text.startsWith(QStringLiteral("ไม่พบรหัส"))) << dlg.shown[1].text.toStdString();
  EXPECT_EQ(f->lblMsg->text(), QString());
  EXPECT_EQ(stored(w(), QStringLiteral("5"), table(w()).columns[1]), sample(1, QStringLiteral("r")));
}

TEST_P(BothWindows, DeleteIsRefusedWhileOtherRowsReferToTheRecord) {
  addRows(w(), {QStringLiteral("5"), QStringLiteral("6")});
  const auto& t = table(w());
  data::Conn().exec(
      QStringLiteral("INSERT INTO %1 (%2, Discontinue) VALUES (?, 0)").arg(t.refTable, t.refColumn),
      {QStringLiteral("5")});
  if (t.refTable == QLatin1String("Sell")) data::Conn().exec(QStringLiteral("UPDATE Sell SET SQuantity = 0"));
  RecordForm* f = open(w());
  ASSERT_EQ(id(f, w()), QStringLiteral("5"));

  dlg.answerYes(false);
  f->cmdDel_Click();
  EXPECT_EQ(dlg.texts(), QStringList{QStringLiteral("Do you Want to Delete 5")});

  for (bool thai : {false, true}) {
    shell::settings().LangThai = thai;
    dlg.clear();
    dlg.answerYes(true);
    f->cmdDel_Click();
    ASSERT_EQ(dlg.shown.size(), 2u);
    EXPECT_EQ(dlg.shown[0].kind, plat::ScriptedDialogs::Kind::YesNo);
    EXPECT_EQ(dlg.lastMessage(), QString::fromUtf8(thai ? w().refusalThai : w().refusal));
  }
  EXPECT_EQ(rows(w()), 2);

  // An unreferenced record goes, and the first row is shown again.
  f->cmdLast_Click();
  dlg.answerYes(true);
  f->cmdDel_Click();
  EXPECT_EQ(rows(w()), 1);
  EXPECT_EQ(id(f, w()), QStringLiteral("5"));
}

TEST_P(BothWindows, DeletingTheLastRecordBlanksTheBoxes) {
  addRow(w(), QStringLiteral("5"));
  RecordForm* f = open(w());
  ASSERT_EQ(id(f, w()), QStringLiteral("5"));
  dlg.answerYes(true);
  f->cmdDel_Click();
  EXPECT_EQ(rows(w()), 0);
  QStringList blanks(w().layout().boxes.size(), QStringLiteral(" "));
  blanks[0] = QString();
  EXPECT_EQ(shown(f, w()), blanks);
  EXPECT_EQ(dlg.shown.size(), 1u);  // the question only
}

TEST_P(BothWindows, NavigationOnAnEmptyTableDoesNothingAndInsertAddsTheFirst) {
  RecordForm* f = open(w());
  const QStringList design = shown(f, w());
  EXPECT_EQ(design.front(), QString());
  f->cmdFirst_Click();
  f->cmdBack_Click();
  f->cmdNext_Click();
  f->cmdLast_Click();
  f->cmdFnext_Click();
  EXPECT_EQ(shown(f, w()), design);
  EXPECT_TRUE(dlg.shown.empty());
  f->cmdFind_Click();
  EXPECT_EQ(dlg.texts(), QStringList{QStringLiteral("Not Found")});

  f->cmdNew_Click();
  f->box(w().layout().boxes.front().box)->setText(QStringLiteral("1"));
  f->cmdInsert_Click();
  EXPECT_EQ(rows(w()), 1);
  f->cmdNext_Click();
  EXPECT_EQ(id(f, w()), QStringLiteral("1"));
}

TEST_P(BothWindows, PagesAndSearchesInTextOrderOfIds) {
  addRows(w(), {QStringLiteral("2"), QStringLiteral("21"), QStringLiteral("10"), QStringLiteral("1")});
  RecordForm* f = open(w());
  QStringList seen{id(f, w())};
  for (int i = 0; i < 4; ++i) {
    f->cmdNext_Click();
    seen << id(f, w());
  }
  for (int i = 0; i < 4; ++i) {
    f->cmdBack_Click();
    seen << id(f, w());
  }
  f->cmdLast_Click();
  seen << id(f, w());
  EXPECT_EQ(seen, (QStringList{"1", "10", "2", "21", "21", "2", "10", "1", "1", "21"}));

  f->txtFind->setText(QStringLiteral("1"));
  f->cmdFind_Click();
  EXPECT_EQ(id(f, w()), QStringLiteral("1"));
  EXPECT_EQ(f->FindList(), (QStringList{"1", "10"}));
  f->cmdFnext_Click();
  EXPECT_EQ(id(f, w()), QStringLiteral("10"));
  f->cmdFnext_Click();
  EXPECT_EQ(id(f, w()), QStringLiteral("10"));
  EXPECT_EQ(f->box(w().layout().boxes[1].box)->text(), sample(1, QStringLiteral("10")));

  // A shorter later search never brings back results of the earlier one.
  f->txtFind->setText(QStringLiteral("21"));
  f->cmdFind_Click();
  f->cmdFnext_Click();
  EXPECT_EQ(id(f, w()), QStringLiteral("21"));
  EXPECT_TRUE(dlg.shown.empty());

  f->txtFind->setText(QStringLiteral("3"));
  f->cmdFind_Click();
  EXPECT_EQ(dlg.texts(), QStringList{QStringLiteral("Not Found")});
  EXPECT_EQ(id(f, w()), QStringLiteral("21"));
  f->cmdBack_Click();
  EXPECT_EQ(id(f, w()), QStringLiteral("2"));
}

TEST_P(BothWindows, FindNextWalksEveryOneOf105Matches) {
  QStringList ids;
  for (int i = 0; i < 105; ++i) ids << QStringLiteral("1%1").arg(i, 3, 10, QLatin1Char('0'));
  data::Conn().transaction([&] { addRows(w(), ids + QStringList{"0", "2", "30"}); });
  RecordForm* f = open(w());
  f->txtFind->setText(QStringLiteral("1"));
  f->cmdFind_Click();
  QStringList walked{id(f, w())};
  for (int i = 0; i < 110; ++i) {
    f->cmdFnext_Click();
    if (walked.back() != id(f, w())) walked << id(f, w());
  }
  EXPECT_EQ(walked, ids);
  EXPECT_TRUE(dlg.shown.empty()) << dlg.lastMessage().toStdString();
}

TEST_P(BothWindows, EveryWriteLeavesTheSourceOnItsFirstRow) {
  addRows(w(), {QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3")});
  RecordForm* f = open(w());
  f->cmdLast_Click();
  f->cmdUpdate_Click();
  EXPECT_EQ(id(f, w()), QStringLiteral("3"));  // the boxes keep what was written
  f->cmdNext_Click();
  EXPECT_EQ(id(f, w()), QStringLiteral("2"));

  fill(f, w(), QStringLiteral("4"), QStringLiteral("n"));
  f->cmdInsert_Click();
  f->cmdNext_Click();
  EXPECT_EQ(id(f, w()), QStringLiteral("2"));
  EXPECT_EQ(f->recordSource().size(), 4);
}

TEST_P(BothWindows, CarriedBoxesAreOutOfTabReachButGoIntoTheUpdate) {
  addRow(w(), QStringLiteral("5"));
  RecordForm* f = openActive(w());
  const RecordLayout& l = w().layout();

  QSet<QString> hidden;
  for (const auto& b : l.boxes)
    if (!b.shown) hidden << b.box;
  f->box(l.boxes.front().box)->setFocus();
  QStringList order{QApplication::focusWidget()->objectName()};
  for (int i = 0; i < l.tabOrder.size() + 3; ++i) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    order << QApplication::focusWidget()->objectName();
  }
  for (const QString& name : order) EXPECT_FALSE(hidden.contains(name)) << name.toStdString();
  QStringList expected = l.tabOrder;
  // The level options are one stop for Tab: the selected one.
  expected.removeIf([](const QString& n) { return n == "optLevel(2)" || n == "optLevel(3)"; });
  EXPECT_EQ(order.mid(0, expected.size()), expected);
  EXPECT_EQ(order.at(expected.size()), expected.front());

  // The shown company name changes; the carried columns are written back as they were.
  f->box(QStringLiteral("txtComName"))->setText(QStringLiteral("New name"));
  f->cmdUpdate_Click();
  EXPECT_EQ(stored(w(), QStringLiteral("5"), QStringLiteral("CompanyName")), QStringLiteral("New name"));
  for (const auto& b : l.boxes) {
    if (b.shown) continue;
    const int column = table(w()).columns.indexOf(b.column);
    EXPECT_EQ(stored(w(), QStringLiteral("5"), b.column), sample(column, QStringLiteral("r")).trimmed())
        << b.column.toStdString();
  }
}

TEST_P(BothWindows, NewEmptiesTheIdBoxAndPutsTheCaretThere) {
  addRow(w(), QStringLiteral("5"));
  RecordForm* f = openActive(w());
  f->cmdNew_Click();
  QLineEdit* idBox = f->box(w().layout().boxes.front().box);
  EXPECT_EQ(idBox->text(), QString());
  EXPECT_TRUE(idBox->hasFocus());
  QStringList blanks(w().layout().boxes.size(), QStringLiteral(" "));
  blanks[0] = QString();
  EXPECT_EQ(shown(f, w()), blanks);
}

TEST_P(BothWindows, TheIdBoxTakesDigitsAndControlKeysOnly) {
  RecordForm* f = openActive(w());
  QLineEdit* idBox = f->box(w().layout().boxes.front().box);
  idBox->setFocus();
  QTest::keyClicks(idBox, QStringLiteral("1a2 b-3."));
  // A Thai letter typed on a Thai keyboard layout.
  QKeyEvent thai(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QStringLiteral("ก"));
  QApplication::sendEvent(idBox, &thai);
  EXPECT_EQ(idBox->text(), QStringLiteral("123"));
  QTest::keyClick(idBox, Qt::Key_Backspace);
  QTest::keyClick(idBox, Qt::Key_Home);
  QTest::keyClick(idBox, Qt::Key_Delete);
  EXPECT_EQ(idBox->text(), QStringLiteral("2"));
  // Other boxes take any text.
  QTest::keyClicks(f->box(QStringLiteral("txtComName")), QStringLiteral("a-b"));
  EXPECT_TRUE(f->box(QStringLiteral("txtComName"))->text().endsWith(QStringLiteral("a-b")));
}

INSTANTIATE_TEST_SUITE_P(Windows, BothWindows, ::testing::Values(&kSupplier, &kCustomer),
                         [](const auto& info) { return std::string(info.param->name); });

// Enter moves on along the entry order, the caret at the end of the next box.
TEST_F(RecordFormTest, EnterMovesAlongTheEntryOrder) {
  struct Case {
    const Window* w;
    const char* from;
    const char* to;  // the same box: Enter does nothing
  };
  const Case cases[] = {
      {&kSupplier, "txtSupId", "txtComName"}, {&kSupplier, "txtComName", "txtCtName"},
      {&kSupplier, "txtCtName", "txtAdr"},    {&kSupplier, "txtAdr", "txtCity"},
      {&kSupplier, "txtCity", "cmdInsert"},   {&kSupplier, "txtFind", "txtFind"},
      {&kCustomer, "txtCusId", "txtComName"}, {&kCustomer, "txtComName", "txtCtName"},
      {&kCustomer, "txtCtName", "txtPhone"},  {&kCustomer, "txtPhone", "txtCtTitle"},
      {&kCustomer, "txtCtTitle", "txtFax"},   {&kCustomer, "txtFax", "txtFax"},
      {&kCustomer, "txtFind", "txtFind"},
  };
  for (const Case& c : cases) {
    addRow(*c.w, QStringLiteral("9"));
    RecordForm* f = openActive(*c.w);
    auto* from = f->findChild<QWidget*>(QString::fromUtf8(c.from));
    from->setFocus();
    QTest::keyClick(from, Qt::Key_Return);
    QWidget* now = QApplication::focusWidget();
    ASSERT_TRUE(now);
    EXPECT_EQ(now->objectName(), QString::fromUtf8(c.to)) << c.w->name << " " << c.from;
    if (auto* t = qobject_cast<QLineEdit*>(now)) {
      EXPECT_EQ(t->cursorPosition(), t->text().size()) << c.from;
    }
    plat::FormRegistry::instance().unloadAll();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    data::Conn().exec(QStringLiteral("DELETE FROM %1").arg(table(*c.w).table));
  }
}

TEST_F(RecordFormTest, EnterOnTheFocusedInsertButtonInserts) {
  RecordForm* f = openActive(kSupplier);
  f->cmdNew_Click();
  QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("31"));
  for (const char* text : {"Acme", "Somchai", "1 Main Rd", "Bangkok"}) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QTest::keyClicks(QApplication::focusWidget(), QString::fromUtf8(text));
  }
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
  ASSERT_EQ(QApplication::focusWidget(), f->cmdInsert);
  QTest::keyClick(f->cmdInsert, Qt::Key_Return);
  // Stored without the blank New put in every box.
  EXPECT_EQ(stored(kSupplier, QStringLiteral("31"), QStringLiteral("City")), QStringLiteral("Bangkok"));
  EXPECT_EQ(stored(kSupplier, QStringLiteral("31"), QStringLiteral("Email")), QString());
}

TEST_F(RecordFormTest, CustomerLevelShownAndWritten) {
  struct Case {
    QVariant stored;
    int shown;
  };
  const Case cases[] = {{QStringLiteral("1"), 1},
                        {QStringLiteral("2"), 2},
                        {QStringLiteral("3"), 3},
                        {QVariant(), 3},
                        {QStringLiteral("7"), 3}};
  int n = 0;
  for (const Case& c : cases) {
    addRow(kCustomer, QString::number(++n));
    data::Conn().exec(QStringLiteral("UPDATE Customers SET Discount = ? WHERE CustomerId = ?"),
                      {c.stored, QString::number(n)});
  }
  auto* f = static_cast<CustomerForm*>(open(kCustomer));
  for (const Case& c : cases) {
    EXPECT_TRUE(f->optLevel[c.shown]->isChecked()) << "stored " << c.stored.toString().toStdString();
    EXPECT_EQ(f->selectedLevel(), c.shown);
    f->cmdNext_Click();
  }

  for (int level : {3, 1, 2}) {
    f->txtFind->setText(QStringLiteral("4"));
    f->cmdFind_Click();
    f->optLevel[level]->setChecked(true);
    f->cmdUpdate_Click();
    EXPECT_EQ(stored(kCustomer, QStringLiteral("4"), QStringLiteral("Discount")), QString::number(level));
  }

  // New selects level 1, and an insert without touching the options stores "1".
  f->optLevel[3]->setChecked(true);
  f->cmdNew_Click();
  EXPECT_TRUE(f->optLevel[1]->isChecked());
  f->txtCusId->setText(QStringLiteral("60"));
  f->cmdInsert_Click();
  EXPECT_EQ(stored(kCustomer, QStringLiteral("60"), QStringLiteral("Discount")), QStringLiteral("1"));
  EXPECT_TRUE(dlg.shown.empty());
}

TEST(CustomerLevel, StoredValuesOtherThanOneAndTwoShowAsThree) {
  struct Case {
    QVariant stored;
    int shown;
  };
  for (const Case& c :
       {Case{QStringLiteral("1"), 1}, Case{QStringLiteral("2"), 2}, Case{2, 2}, Case{QStringLiteral(" 2"), 2},
        Case{QStringLiteral("3"), 3}, Case{QVariant(), 3}, Case{QStringLiteral("7"), 3},
        Case{QStringLiteral(""), 3}, Case{QStringLiteral("x"), 3}, Case{QStringLiteral("1.5"), 3}}) {
    EXPECT_EQ(partners::levelShown(c.stored), c.shown) << c.stored.toString().toStdString();
  }
}

TEST_F(RecordFormTest, TheUpdateMessageStaysOnTheSupplierWindowButGoesOnTheCustomerWindow) {
  addRows(kSupplier, {QStringLiteral("1"), QStringLiteral("2")});
  addRows(kCustomer, {QStringLiteral("1"), QStringLiteral("2")});
  for (const Window* w : {&kSupplier, &kCustomer}) {
    RecordForm* f = open(*w);
    f->cmdUpdate_Click();
    EXPECT_EQ(f->lblMsg->text(), QStringLiteral("Update Data Completed"));
    f->cmdNext_Click();
    EXPECT_EQ(f->lblMsg->text(), w == &kSupplier ? QStringLiteral("Update Data Completed") : QString())
        << w->name;
  }
}

TEST_F(RecordFormTest, OnlyTheSupplierWindowLosesItsCaptionAtInsert) {
  for (const Window* w : {&kSupplier, &kCustomer}) {
    RecordForm* f = open(*w);
    const QString caption = f->windowTitle();
    fill(f, *w, QStringLiteral("70"), QStringLiteral("c"));
    f->cmdInsert_Click();
    EXPECT_EQ(f->windowTitle(), w == &kSupplier ? QString() : caption) << w->name;
  }
}

TEST_F(RecordFormTest, ThaiCaptionsAtLoad) {
  shell::settings().LangThai = true;
  auto* s = static_cast<SupplierForm*>(open(kSupplier));
  EXPECT_EQ(s->windowTitle(), QStringLiteral("ข้อมูลผู้ค้า"));
  EXPECT_EQ(s->label(QStringLiteral("lblSupID"))->text(), QStringLiteral("รหัสผู้ค้า"));
  EXPECT_EQ(s->label(QStringLiteral("lblCity"))->text(), QStringLiteral("จังหวัด"));
  EXPECT_EQ(s->label(QStringLiteral("lblEmail"))->text(), QStringLiteral("อีเมล์"));
  EXPECT_EQ(s->cmdFnext->text(), QStringLiteral("ค้นหาต่อ"));
  EXPECT_EQ(s->cmdNew->text(), QStringLiteral("เริ่มใหม่"));
  auto* c = static_cast<CustomerForm*>(open(kCustomer));
  EXPECT_EQ(c->windowTitle(), QStringLiteral("ข้อมูลลูกค้า"));
  EXPECT_EQ(c->label(QStringLiteral("lblAdr"))->text(), QStringLiteral("ที่อยู่"));
  EXPECT_EQ(c->label(QStringLiteral("lblCtTitle"))->text(), QStringLiteral("ที่อยู่ในใบกำกับภาษี"));
  EXPECT_EQ(c->frLevel->title(), QStringLiteral("ระดับลูกค้า"));
  EXPECT_EQ(c->optLevel[2]->text(), QStringLiteral("ระดับ 2"));
  EXPECT_EQ(c->cmdDel->text(), QStringLiteral("ลบ"));

  shell::settings().LangThai = false;
  plat::FormRegistry::instance().unloadAll();
  s = static_cast<SupplierForm*>(open(kSupplier));
  EXPECT_EQ(s->windowTitle(), QStringLiteral("Supplier"));
  EXPECT_EQ(s->label(QStringLiteral("lblAdr"))->text(), QStringLiteral("Adress"));
  EXPECT_EQ(s->cmdInsert->text(), QStringLiteral("Insert"));
}

TEST_F(RecordFormTest, WindowsUnloadWhenAnotherWindowBecomesActiveAndReopenAfresh) {
  addRows(kSupplier, {QStringLiteral("1"), QStringLiteral("2")});
  QMdiArea area;
  area.resize(1000, 700);
  area.show();
  auto& reg = plat::FormRegistry::instance();
  reg.setMdiArea(&area);
  auto* s = static_cast<SupplierForm*>(reg.show(QStringLiteral("SupplierForm")));
  s->cmdNext_Click();
  ASSERT_EQ(s->txtSupId->text(), QStringLiteral("2"));
  reg.show(QStringLiteral("CustomerForm"));
  testenv::pump(10);
  EXPECT_EQ(reg.loaded(QStringLiteral("SupplierForm")), nullptr);

  s = static_cast<SupplierForm*>(reg.show(QStringLiteral("SupplierForm")));
  testenv::pump(10);
  EXPECT_EQ(s->txtSupId->text(), QStringLiteral("1"));
  EXPECT_EQ(reg.loaded(QStringLiteral("CustomerForm")), nullptr);
  s->cmdClose->click();
  testenv::pump(10);
  EXPECT_EQ(reg.loaded(QStringLiteral("SupplierForm")), nullptr);
  reg.unloadAll();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  reg.setMdiArea(nullptr);
}

}  // namespace
