// The hot-key editor: the keyboard, binding through the input box, Shift and Caps Lock, failures,
// and the bindings at work on the sale screen.
#include "sale/hotkey_form.h"

#include <gtest/gtest.h>

#include <QApplication>

#include "data/db.h"
#include "platform/dialogs.h"
#include "platform/units.h"
#include "sale/hotkeys.h"
#include "sale/main_form.h"
#include "sale/register.h"
#include "shell/settings.h"
#include "support/sale_fixtures.h"
#include "support/scripted_dialogs.h"
#include "support/testenv.h"

namespace {

using sale::Frmkb;

// Also keeps the text each input box offered.
class Dialogs : public plat::ScriptedDialogs {
 public:
  std::optional<QString> inputBox(const QString& prompt, const QString& title, const QString& def) override {
    offered.push_back(def);
    return ScriptedDialogs::inputBox(prompt, title, def);
  }
  QStringList offered;
};

class HotKeyEditor : public testenv::DbTest {
 protected:
  void SetUp() override {
    DbTest::SetUp();
    shell::settings().DisplayPort = shell::SettingValue::ofNumber(0);
    shell::settings().DrawerPort = shell::SettingValue::ofNumber(0);
    sale::registerForms();
  }
  void TearDown() override {
    plat::FormRegistry::instance().unloadAll();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    DbTest::TearDown();
  }
  Frmkb* open() { return qobject_cast<Frmkb*>(plat::FormRegistry::instance().show(QStringLiteral("Frmkb"))); }
  static QString pid(int kbid) {
    return data::Conn().scalar(QStringLiteral("SELECT PID FROM settingkb WHERE KBID = ?"), {kbid}).toString();
  }
  // Clicks hot key i answering the input box with answer (nullopt: Cancel).
  void assign(Frmkb* k, int i, std::optional<QString> answer) {
    dlg.answerInput(std::move(answer));
    k->cmdKey[i]->click();
  }
  static bool bound(const QPushButton* b) { return Frmkb::colourOf(b) == Frmkb::boundColour(); }
  static bool pressed(const QPushButton* b) { return Frmkb::colourOf(b) == Frmkb::pressedColour(); }
  static QString captions(const Frmkb* k, int from, int to) {
    QString s;
    for (int i = from; i <= to; ++i) s += k->cmdKey[i]->text();
    return s;
  }

  Dialogs dlg;
};

TEST_F(HotKeyEditor, TheKeyboardOpensUnshiftedWithOnlyItsKeysEnabled) {
  Frmkb* k = open();
  ASSERT_TRUE(k);
  EXPECT_EQ(k->windowTitle(), "Hot Key");
  EXPECT_EQ(captions(k, 0, 33), "qwertyuiop[]\\asdfghjkl;'zxcvbnm,./");
  EXPECT_EQ(captions(k, 34, 46), ",1234567890-=");
  for (int i = 0; i < 34; ++i) {
    EXPECT_EQ(k->tag(i), i + 1);
    EXPECT_TRUE(k->cmdKey[i]->isEnabled());
    EXPECT_EQ(Frmkb::colourOf(k->cmdKey[i]), Frmkb::faceColour()) << i;
  }
  for (int i = 34; i < 47; ++i) EXPECT_FALSE(k->cmdKey[i]->isEnabled());
  for (const char* n : {"cmdEsc", "cmdF1", "CmdF6", "cmDF7", "cmdF12", "cmdTab", "cmdEnter", "cmdBackspace",
                        "cmdLCtrl", "cmdRAlt", "cmdLStart"})
    EXPECT_FALSE(k->button(n)->isEnabled()) << n;
  EXPECT_EQ(k->cmdSpace->text(), "C  l  o  s  e");
  // Places from the table: the backslash key is wide, the hot keys stand 720 twips apart.
  EXPECT_EQ(k->cmdKey[12]->geometry(),
            QRect(plat::twipsToPx(10320), plat::twipsToPx(1800), plat::twipsToPx(975), plat::twipsToPx(495)));
  EXPECT_EQ(k->cmdKey[14]->x() - k->cmdKey[13]->x(), plat::twipsToPx(720));
  EXPECT_EQ(k->button("cmdF9")->x(), plat::twipsToPx(8520));
  // Every button lies inside the window and none overlaps another.
  QList<QPushButton*> all = k->findChildren<QPushButton*>();
  EXPECT_EQ(all.size(), 47 + 12 + 14);
  for (int a = 0; a < all.size(); ++a)
    for (int b = a + 1; b < all.size(); ++b)
      EXPECT_FALSE(all[a]->geometry().intersects(all[b]->geometry()))
          << all[a]->objectName().toStdString() << " " << all[b]->objectName().toStdString();
  k->cmdSpace_Click();
  EXPECT_FALSE(plat::FormRegistry::instance().loaded("Frmkb"));

  shell::settings().LangThai = true;
  salefx::bindKey(3, "4711");
  k = open();
  EXPECT_EQ(k->windowTitle(), "กำหนดค่าปุ่มลัด");
  EXPECT_TRUE(bound(k->cmdKey[2]));
  EXPECT_FALSE(bound(k->cmdKey[1]));
}

TEST_F(HotKeyEditor, AKeyIsBoundThroughTheInputBoxAndPaintedAtOnce) {
  Frmkb* k = open();
  ASSERT_TRUE(k);
  assign(k, 0, QStringLiteral("4711"));
  ASSERT_EQ(dlg.shown.size(), 1u);
  EXPECT_EQ(dlg.shown[0].kind, plat::ScriptedDialogs::Kind::Input);
  EXPECT_EQ(dlg.shown[0].text, "Product ID in buttonq");
  EXPECT_EQ(dlg.shown[0].title, "Product  ID");
  EXPECT_EQ(pid(1), "4711");
  EXPECT_TRUE(bound(k->cmdKey[0]));

  struct Step {
    std::optional<QString> answer;
    const char* stored;
    bool painted;
  } steps[] = {
      {std::nullopt, "4711", true},     // Cancel keeps the binding
      {QString("o'1"), "o'1", true},    // an apostrophe is stored as typed
      {QString(" x1 "), " x1 ", true},  // neither trimmed nor looked up
      {QString(""), "", false},         // an emptied box unbinds
  };
  for (const Step& s : steps) {
    SCOPED_TRACE(s.stored);
    assign(k, 0, s.answer);
    EXPECT_EQ(pid(1), s.stored);
    EXPECT_EQ(bound(k->cmdKey[0]), s.painted);
  }
  // The box offers the key's current code.
  salefx::bindKey(2, "AB1");
  dlg.clear();
  assign(k, 1, std::nullopt);
  EXPECT_EQ(dlg.offered.last(), "AB1");
  EXPECT_EQ(pid(2), "AB1");
  EXPECT_EQ(data::Conn().scalar("SELECT COUNT(*) FROM settingkb").toInt(), 68);

  shell::settings().LangThai = true;
  dlg.clear();
  assign(k, 23, std::nullopt);
  EXPECT_EQ(dlg.shown[0].text, "กรุณาใส่รหัสสินค้าในปุ่มตัวอักษร '");
  EXPECT_EQ(dlg.shown[0].title, "ใส่รหัสสินค้า");
}

TEST_F(HotKeyEditor, ShiftHoldsForOneKeyAndCapsLockUntilClickedAgain) {
  Frmkb* k = open();
  ASSERT_TRUE(k);
  salefx::bindKey(1, "4711");
  k->cmdLShift_Click();
  EXPECT_EQ(k->ShiftState(), 1);
  EXPECT_EQ(captions(k, 0, 12), "QWERTYUIOP{}|");
  EXPECT_EQ(captions(k, 34, 46), "~!@#$%^&&*()_+");
  EXPECT_EQ(k->cmdKey[41]->text(), "&&");  // shown as a plain "&"
  EXPECT_TRUE(pressed(k->cmdLShift));
  EXPECT_TRUE(pressed(k->cmdRShift));
  EXPECT_FALSE(bound(k->cmdKey[0]));  // painted by key 35
  assign(k, 0, QStringLiteral("AB1"));
  EXPECT_EQ(pid(35), "AB1");
  EXPECT_EQ(pid(1), "4711");
  EXPECT_EQ(k->ShiftState(), 0);
  EXPECT_EQ(k->tag(0), 1);
  EXPECT_EQ(captions(k, 0, 2), "qwe");
  EXPECT_FALSE(pressed(k->cmdLShift));
  EXPECT_FALSE(pressed(k->cmdRShift));

  k->cmdCapsLock_Click();
  EXPECT_TRUE(pressed(k->cmdCapsLock));
  assign(k, 0, QStringLiteral("C35"));
  assign(k, 1, QStringLiteral("C36"));
  EXPECT_EQ(pid(35), "C35");
  EXPECT_EQ(pid(36), "C36");
  EXPECT_EQ(k->ShiftState(), 1);
  EXPECT_EQ(k->tag(1), 36);
  EXPECT_TRUE(bound(k->cmdKey[1]));
  k->cmdCapsLock_Click();
  EXPECT_EQ(k->ShiftState(), 0);
  EXPECT_FALSE(pressed(k->cmdCapsLock));
  EXPECT_FALSE(bound(k->cmdKey[1]));  // key 2 has nothing
}

TEST_F(HotKeyEditor, TheModifiersShareOneStateAndPaintOnlyThemselves) {
  Frmkb* k = open();
  ASSERT_TRUE(k);
  // Caps Lock, then Shift: unshifted, Caps Lock still painted pressed; Caps Lock again shifts.
  k->cmdCapsLock_Click();
  k->cmdRShift_Click();
  EXPECT_EQ(k->ShiftState(), 0);
  EXPECT_EQ(k->cmdKey[0]->text(), "q");
  EXPECT_TRUE(pressed(k->cmdCapsLock));
  EXPECT_FALSE(pressed(k->cmdLShift));
  k->cmdCapsLock_Click();
  EXPECT_EQ(k->ShiftState(), 1);
  k->cmdCapsLock_Click();
  // Shift, then Caps Lock: unshifted with both Shift buttons pressed, until the next key releases them.
  k->cmdLShift_Click();
  k->cmdCapsLock_Click();
  EXPECT_EQ(k->ShiftState(), 0);
  EXPECT_TRUE(pressed(k->cmdLShift));
  EXPECT_TRUE(pressed(k->cmdRShift));
  assign(k, 4, QStringLiteral("T5"));
  EXPECT_EQ(pid(5), "T5");
  EXPECT_EQ(k->ShiftState(), 0);
  EXPECT_FALSE(pressed(k->cmdLShift));
  EXPECT_FALSE(pressed(k->cmdRShift));
  EXPECT_TRUE(bound(k->cmdKey[4]));
}

TEST_F(HotKeyEditor, AMissingRowOrAFailedUpdateIsToldAndKeepsTheBinding) {
  salefx::bindKey(6, "KEEP");
  data::Conn().exec("DELETE FROM settingkb WHERE KBID = 5");
  Frmkb* k = open();
  ASSERT_TRUE(k);
  k->cmdKey[4]->click();
  EXPECT_EQ(dlg.lastMessage(), "Hot key 5 is missing from table settingkb");
  EXPECT_EQ(data::Conn().scalar("SELECT COUNT(*) FROM settingkb").toInt(), 67);

  data::Conn().exec(
      "CREATE TRIGGER no_keys BEFORE UPDATE ON settingkb BEGIN SELECT RAISE(ABORT, 'keys are locked'); END");
  dlg.clear();
  assign(k, 5, QStringLiteral("NEW"));
  EXPECT_TRUE(dlg.lastMessage().contains("keys are locked")) << dlg.lastMessage().toStdString();
  EXPECT_EQ(pid(6), "KEEP");
  EXPECT_TRUE(bound(k->cmdKey[5]));
}

TEST_F(HotKeyEditor, BoundKeysRingUpTheirProductsOnTheSaleScreen) {
  salefx::addProduct("4711", "Green Tea", 10, 100, 0);
  salefx::addProduct("AB1", "Rice", 50, 100, 0);
  Frmkb* k = open();
  ASSERT_TRUE(k);
  assign(k, 0, QStringLiteral("4711"));
  k->cmdLShift_Click();
  assign(k, 0, QStringLiteral("AB1"));
  k->cmdSpace_Click();

  auto* f = qobject_cast<sale::MainForm*>(plat::FormRegistry::instance().show(QStringLiteral("MainForm")));
  ASSERT_TRUE(f);
  salefx::typeKeys(f->txtBar, "q");
  salefx::typeKeys(f->txtBar, "Q");
  ASSERT_EQ(f->LineCount(), 2);
  EXPECT_EQ(f->FGrid->TextMatrix(0, 5), "4711");
  EXPECT_EQ(f->FGrid->TextMatrix(1, 5), "AB1");
  salefx::typeKeys(f->txtBar, "w");
  EXPECT_EQ(f->txtBar->text(), "w");
  EXPECT_EQ(f->LineCount(), 2);
}

}  // namespace
