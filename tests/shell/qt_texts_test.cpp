// Qt's own boxes in both languages: the buttons of each kind of box, read while it is open.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QContextMenuEvent>
#include <QDateEdit>
#include <QDialog>
#include <QLineEdit>
#include <QMenu>
#include <QTimer>
#include <functional>
#include <memory>

#include "platform/dialogs.h"
#include "shell/settings.h"

namespace {

struct Seen {
  QStringList buttons;
  QString title;
};

// Opens a box through the Qt implementation of the seam, reads it while it is open, closes it.
Seen whileOpen(const std::function<void(plat::QtDialogs&)>& open) {
  Seen seen;
  QTimer::singleShot(0, [&seen] {
    QWidget* box = QApplication::activeModalWidget();
    if (!box) return;
    seen.title = box->windowTitle();
    for (const QAbstractButton* b : box->findChildren<QAbstractButton*>())
      if (b->isVisibleTo(box) && !b->text().isEmpty()) seen.buttons << b->text();
    if (auto* d = qobject_cast<QDialog*>(box)) d->done(QDialog::Rejected);
  });
  plat::QtDialogs qt;
  open(qt);
  return seen;
}

TEST(QtTexts, EveryKindOfBoxSpeaksTheProgramsLanguage) {
  struct Case {
    bool thai;
    QStringList message, yesNo, input, print;
    QString printTitle;
  } cases[] = {
      {false, {"OK"}, {"&Yes", "&No"}, {"OK", "Cancel"}, {"&Print", "Cancel"}, "Print"},
      {true, {"ตกลง"}, {"ใช่(&Y)", "ไม่ใช่(&N)"}, {"ตกลง", "ยกเลิก"}, {"พิมพ์(&P)", "ยกเลิก"}, "พิมพ์"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.thai ? "Thai" : "English");
    shell::settings().LangThai = c.thai;
    EXPECT_EQ(
        whileOpen([](plat::QtDialogs& d) { d.message("Saved", "Shop", plat::Icon::Information); }).buttons,
        c.message);
    QStringList yesNo = whileOpen([](plat::QtDialogs& d) { d.askYesNo("Delete?", "Shop"); }).buttons;
    yesNo.sort();
    QStringList wantYesNo = c.yesNo;
    wantYesNo.sort();
    EXPECT_EQ(yesNo, wantYesNo);
    QStringList input = whileOpen([](plat::QtDialogs& d) { d.inputBox("Name", "Shop", ""); }).buttons;
    for (const QString& b : c.input) EXPECT_TRUE(input.contains(b)) << b.toStdString();
    plat::PrintDialogRequest req;
    const Seen print = whileOpen([&req](plat::QtDialogs& d) { d.printDialog(req); });
    for (const QString& b : c.print)
      EXPECT_TRUE(print.buttons.contains(b))
          << b.toStdString() << " in " << print.buttons.join('|').toStdString();
    EXPECT_EQ(print.title, c.printTitle);
  }
  shell::settings().LangThai = false;
}

// A menu's item texts without the shortcut Qt adds after a tab; separators left out.
QStringList itemTexts(const QMenu& menu) {
  QStringList out;
  for (const QAction* a : menu.actions())
    if (!a->isSeparator()) out << a->text().section(u'\t', 0, 0);
  return out;
}

TEST(QtTexts, TheRightClickMenuOfATextBoxAndADateBoxSpeaksTheProgramsLanguage) {
  struct Case {
    bool thai;
    QStringList textBox, dateBox;
  } cases[] = {
      {false,
       {"&Undo", "&Redo", "Cu&t", "&Copy", "&Paste", "Delete", "Select All"},
       {"&Undo", "&Redo", "Cu&t", "&Copy", "&Paste", "Delete", "&Select All", "&Step up", "Step &down"}},
      {true,
       {"เลิกทำ(&U)", "ทำซ้ำ(&R)", "ตัด(&T)", "คัดลอก(&C)", "วาง(&P)", "ลบ", "เลือกทั้งหมด"},
       {"เลิกทำ(&U)", "ทำซ้ำ(&R)", "ตัด(&T)", "คัดลอก(&C)", "วาง(&P)", "ลบ", "เลือกทั้งหมด(&S)", "เพิ่มขึ้น(&S)",
        "ลดลง(&D)"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.thai ? "Thai" : "English");
    shell::settings().LangThai = c.thai;
    QLineEdit box;
    box.setText(QStringLiteral("4711"));
    const std::unique_ptr<QMenu> menu(box.createStandardContextMenu());
    EXPECT_EQ(itemTexts(*menu), c.textBox);

    // The date box builds its menu as the right click comes and shows it at once: read it open.
    QDateEdit date;
    date.show();
    QStringList seen;
    QTimer::singleShot(0, [&seen] {
      for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* m = qobject_cast<QMenu*>(w); m && m->isVisible()) {
          seen = itemTexts(*m);
          m->close();
        }
    });
    QContextMenuEvent click(QContextMenuEvent::Mouse, QPoint(5, 5), date.mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(&date, &click);
    EXPECT_EQ(seen, c.dateBox);
  }
  shell::settings().LangThai = false;
}

}  // namespace
