#include "platform/ui_kit.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QDateEdit>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QWidget>

#include "platform/flexgrid.h"
#include "platform/units.h"

namespace {

using plat::ui::Control;
using plat::ui::Kind;
using plat::ui::Lang;

// A frame holding a labelled box and a frame of options, and controls of the window itself.
const QVector<Control> kRows = {
    {"Frame1", Kind::Frame, {120, 0, 6000, 3000}, "Customer", "ลูกค้า"},
    {"lblId", Kind::Label, {120, 360, 1800, 255}, "Customer ID", "รหัสลูกค้า", "Frame1"},
    {"txtId", Kind::Box, {2040, 240, 1500, 315}, " ", "", "Frame1"},
    {"frLevel", Kind::Frame, {120, 900, 3000, 1500}, "Level", "ระดับ", "Frame1"},
    {"opt1", Kind::Option, {720, 240, 1455, 255}, "Level1", "ระดับ 1", "frLevel"},
    {"chkAll", Kind::Check, {720, 600, 1455, 255}, "All", "", "frLevel"},
    {"cmdShow", Kind::Button, {6240, 120, 1335, 495}, "Show", "แสดง"},
    {"cmdFind", Kind::PictureButton, {6240, 720, 735, 495}, "ค้นหา", "ค้นหา"},
    {"lblMsg", Kind::Label, {6240, 1320, 2000, 315}},
    {"DTPDate1", Kind::DatePicker, {6240, 1800, 1560, 330}},
    {"FGrid", Kind::Grid, {120, 3120, 8000, 2000}},
};

TEST(UiKit, EachRowBecomesItsControlInItsFrameAtItsTwipsPlace) {
  QWidget window;
  plat::ui::Controls c;
  c.build(&window, kRows);
  for (const Control& row : kRows) {
    SCOPED_TRACE(row.name.toStdString());
    QWidget* w = c.widget(row.name);
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->objectName(), row.name);
    EXPECT_EQ(w->geometry(), plat::twipsRect(row.rect));
    QWidget* host = row.frame.isEmpty() ? &window : c.widget(row.frame);
    EXPECT_EQ(w->parentWidget(), host);
    // Tests and other windows find the control by its name.
    EXPECT_EQ(window.findChild<QWidget*>(row.name), w);
  }
  // Typed look-ups: the right class, nullptr for another class or an unknown name.
  EXPECT_NE(c.get<QGroupBox>("Frame1"), nullptr);
  EXPECT_NE(c.get<QLineEdit>("txtId"), nullptr);
  EXPECT_NE(c.get<QRadioButton>("opt1"), nullptr);
  EXPECT_NE(c.get<QCheckBox>("chkAll"), nullptr);
  EXPECT_NE(c.get<plat::FlexGrid>("FGrid"), nullptr);
  EXPECT_EQ(c.get<QLabel>("cmdShow"), nullptr);
  EXPECT_EQ(c.get<QPushButton>("cmdNone"), nullptr);
  EXPECT_EQ(c.get<QDateEdit>("DTPDate1")->displayFormat(), QStringLiteral("dd/MM/yyyy"));
  EXPECT_TRUE(c.get<QDateEdit>("DTPDate1")->calendarPopup());
  // Enter on a focused button presses it.
  EXPECT_TRUE(c.get<QPushButton>("cmdShow")->autoDefault());
  EXPECT_TRUE(c.get<QPushButton>("cmdFind")->text().isEmpty());
}

TEST(UiKit, CaptionsFollowTheLanguageAndAnEmptyThaiKeepsTheEnglish) {
  QWidget window;
  plat::ui::Controls c;
  c.build(&window, kRows);
  c.get<QLabel>("lblMsg")->setText(QStringLiteral("Update Data Completed"));
  struct Want {
    Lang lang;
    const char* frame;
    const char* label;
    const char* option;
    const char* button;
  };
  const Want wants[] = {
      {Lang::Thai, "ลูกค้า", "รหัสลูกค้า", "ระดับ 1", "แสดง"},
      {Lang::English, "Customer", "Customer ID", "Level1", "Show"},
  };
  for (const Want& w : wants) {
    SCOPED_TRACE(static_cast<int>(w.lang));
    c.setLanguage(w.lang);
    EXPECT_EQ(c.get<QGroupBox>("Frame1")->title(), QString::fromUtf8(w.frame));
    EXPECT_EQ(c.get<QLabel>("lblId")->text(), QString::fromUtf8(w.label));
    EXPECT_EQ(c.get<QRadioButton>("opt1")->text(), QString::fromUtf8(w.option));
    EXPECT_EQ(c.get<QPushButton>("cmdShow")->text(), QString::fromUtf8(w.button));
    // No Thai caption: the English one in both languages; the design text of a box stays.
    EXPECT_EQ(c.get<QCheckBox>("chkAll")->text(), QStringLiteral("All"));
    EXPECT_EQ(c.get<QLineEdit>("txtId")->text(), QStringLiteral(" "));
    EXPECT_EQ(c.get<QPushButton>("cmdFind")->toolTip(), QStringLiteral("ค้นหา"));
    // A control without captions keeps what the window put in it.
    EXPECT_EQ(c.get<QLabel>("lblMsg")->text(), QStringLiteral("Update Data Completed"));
  }
  // Built in Thai from the start.
  QWidget thaiWindow;
  plat::ui::Controls t;
  t.build(&thaiWindow, kRows, Lang::Thai);
  EXPECT_EQ(t.get<QPushButton>("cmdShow")->text(), QStringLiteral("แสดง"));
  EXPECT_EQ(t.get<QCheckBox>("chkAll")->text(), QStringLiteral("All"));
}

TEST(UiKit, TabOrderByNamesOrByRows) {
  QWidget window;
  plat::ui::Controls c;
  c.build(&window, kRows);
  auto* id = c.widget("txtId");
  auto* show = c.widget("cmdShow");
  auto* find = c.widget("cmdFind");
  c.setTabOrder({"cmdShow", "missing", "txtId", "cmdFind"});
  EXPECT_EQ(show->nextInFocusChain(), id);
  EXPECT_EQ(id->nextInFocusChain(), find);
  // Wrapped: Tab from the last comes round to the first.
  c.setTabOrder({"txtId", "cmdFind", "cmdShow"}, true);
  EXPECT_EQ(find->nextInFocusChain(), show);
  EXPECT_EQ(show->nextInFocusChain(), id);
  // By rows: frames and labels take no focus; the box, the option, ... the button follow in turn.
  c.setTabOrderAsRows();
  EXPECT_EQ(id->nextInFocusChain(), c.widget("opt1"));
  EXPECT_EQ(c.widget("opt1")->nextInFocusChain(), c.widget("chkAll"));
  EXPECT_EQ(c.widget("chkAll")->nextInFocusChain(), show);
  EXPECT_EQ(show->nextInFocusChain(), find);
}

TEST(UiKit, APanelIsABoxedFrameWithoutTitleThatHoldsItsRows) {
  QWidget window;
  plat::ui::Controls c;
  c.build(&window, {{"FrameCash", Kind::Panel, {3000, 1800, 6000, 1800}},
                    {"lblCash1", Kind::Label, {150, 150, 5700, 360}, "Cash", "ทอนเงิน", "FrameCash"}});
  auto* panel = c.get<QFrame>("FrameCash");
  ASSERT_NE(panel, nullptr);
  EXPECT_EQ(qobject_cast<QGroupBox*>(panel), nullptr) << "no title, no group box look";
  EXPECT_EQ(panel->frameShape(), QFrame::Box);
  EXPECT_EQ(panel->geometry(), QRect(200, 120, 400, 120));
  EXPECT_EQ(c.widget("lblCash1")->parentWidget(), panel);
  c.setLanguage(Lang::Thai);
  EXPECT_EQ(c.get<QLabel>("lblCash1")->text(), QStringLiteral("ทอนเงิน"));
  EXPECT_EQ(panel->focusPolicy(), Qt::NoFocus);
}

}  // namespace
