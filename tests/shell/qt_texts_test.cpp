// Qt's own boxes in both languages: the buttons of each kind of box, read while it is open.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QTimer>
#include <functional>

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

}  // namespace
