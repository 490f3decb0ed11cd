#include "platform/dialogs.h"

#include <gtest/gtest.h>

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QWidget>

using plat::ScriptedDialogs;

namespace {

// A small window whose buttons ask, as a form's event procedures do.
class AskingWidget : public QWidget {
 public:
  AskingWidget() {
    auto* lay = new QHBoxLayout(this);
    cmdDelete = new QPushButton("Delete", this);
    cmdRename = new QPushButton("Rename", this);
    lblMsg = new QLabel(this);
    lay->addWidget(cmdDelete);
    lay->addWidget(cmdRename);
    lay->addWidget(lblMsg);
    connect(cmdDelete, &QPushButton::clicked, this, [this] {
      if (plat::dialogs().askYesNo("Do you want to delete user")) {
        lblMsg->setText("deleted");
        plat::dialogs().message("User is Delete");
      } else {
        lblMsg->setText("kept");
      }
    });
    connect(cmdRename, &QPushButton::clicked, this, [this] {
      const auto answer = plat::dialogs().inputBox("New name", "Rename", lblMsg->text());
      lblMsg->setText(answer ? "[" + *answer + "]" : "cancelled");
    });
  }
  QPushButton* cmdDelete;
  QPushButton* cmdRename;
  QLabel* lblMsg;
};

}  // namespace

TEST(ScriptedDialogs, DrivesARealWidget) {
  ScriptedDialogs d;
  AskingWidget w;
  w.show();
  d.answerYes(true);
  QTest::mouseClick(w.cmdDelete, Qt::LeftButton);
  EXPECT_EQ(w.lblMsg->text(), "deleted");
  ASSERT_EQ(d.shown.size(), 2u);
  EXPECT_EQ(d.shown[0].kind, ScriptedDialogs::Kind::YesNo);
  EXPECT_EQ(d.shown[0].text, "Do you want to delete user");
  EXPECT_EQ(d.shown[1].kind, ScriptedDialogs::Kind::Message);
  EXPECT_EQ(d.lastMessage(), "User is Delete");

  // No answer scripted: the question is answered No, and nothing blocks.
  d.clear();
  QTest::mouseClick(w.cmdDelete, Qt::LeftButton);
  EXPECT_EQ(w.lblMsg->text(), "kept");
  EXPECT_EQ(d.texts(), QStringList{"Do you want to delete user"});
  EXPECT_EQ(d.lastMessage(), "");
}

TEST(ScriptedDialogs, InputBoxTellsCancelFromAnEmptyAnswer) {
  ScriptedDialogs d;
  AskingWidget w;
  d.answerInput(QString());
  d.answerInput(std::nullopt);
  d.answerInput("Somchai");
  QTest::mouseClick(w.cmdRename, Qt::LeftButton);
  EXPECT_EQ(w.lblMsg->text(), "[]");
  QTest::mouseClick(w.cmdRename, Qt::LeftButton);
  EXPECT_EQ(w.lblMsg->text(), "cancelled");
  QTest::mouseClick(w.cmdRename, Qt::LeftButton);
  EXPECT_EQ(w.lblMsg->text(), "[Somchai]");
  QTest::mouseClick(w.cmdRename, Qt::LeftButton);  // queue empty: Cancel
  EXPECT_EQ(w.lblMsg->text(), "cancelled");
  ASSERT_EQ(d.shown.size(), 4u);
  EXPECT_EQ(d.shown[0].kind, ScriptedDialogs::Kind::Input);
  EXPECT_EQ(d.shown[0].title, "Rename");
}

TEST(ScriptedDialogs, MessagesPrintDialogAndInstallation) {
  plat::Dialogs* before = &plat::dialogs();
  {
    ScriptedDialogs d;
    EXPECT_EQ(&plat::dialogs(), &d);
    plat::dialogs().message("Saved", "Title", plat::Icon::Information);
    EXPECT_EQ(d.shown[0].title, "Title");
    EXPECT_EQ(d.shown[0].icon, plat::Icon::Information);

    d.answerPrint("ReportPrinter");
    d.answerPrint(std::nullopt);
    plat::PrintDialogRequest req{"BillPrinter", 2};
    EXPECT_TRUE(plat::dialogs().printDialog(req));
    EXPECT_EQ(req.printerName, "ReportPrinter");
    EXPECT_EQ(req.copies, 2);
    plat::PrintDialogRequest cancelled{"BillPrinter", 1};
    EXPECT_FALSE(plat::dialogs().printDialog(cancelled));
    EXPECT_EQ(cancelled.printerName, "BillPrinter");
    EXPECT_FALSE(plat::dialogs().printDialog(cancelled));  // nothing scripted: Cancel
    EXPECT_EQ(d.shown.size(), 4u);
  }
  EXPECT_EQ(&plat::dialogs(), before);  // the double steps aside when it goes
}
