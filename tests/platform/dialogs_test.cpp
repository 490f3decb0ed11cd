#include "platform/dialogs.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTest>
#include <QWidget>

#include "platform/print_surface_qt.h"
#include "support/recording_print.h"
#include "support/scripted_dialogs.h"

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

TEST(PrintDialogSeam, PreselectsTheLastDialogChoiceAndNeverLosesThePrinter) {
  plat::FakePrinters printers{{"BillPrinter", "ReportPrinter", "Office"}};
  ScriptedDialogs d;
  auto ask = [](std::optional<QString> answer, ScriptedDialogs& dlg) {
    dlg.answerPrint(std::move(answer));
    plat::PrintDialogRequest req{"BillPrinter", 1};
    return plat::dialogs().printDialog(req);
  };

  // The session's first dialog starts from the bill printer; the choice becomes current.
  plat::setCurrentPrinter("BillPrinter");
  EXPECT_TRUE(ask("Office", d));
  EXPECT_EQ(plat::currentPrinter(), "Office");

  // A printer chosen by name (the report printer) is current, but the next dialog starts from the
  // last dialog's choice; Cancel keeps the current printer.
  plat::setCurrentPrinter("ReportPrinter");
  EXPECT_FALSE(ask(std::nullopt, d));
  EXPECT_EQ(plat::currentPrinter(), "ReportPrinter");

  // A choice that names no printer (a file) prints nothing and keeps the printer the program had.
  EXPECT_FALSE(ask(QString(), d));
  EXPECT_EQ(plat::currentPrinter(), "ReportPrinter");
  EXPECT_EQ(d.preselected, (QStringList{"BillPrinter", "Office", "Office"}));

  // A bill printer that is not installed: the system's default.
  plat::forgetDialogPrinter();
  EXPECT_EQ(plat::dialogPrinter("Gone"), QPrinterInfo::defaultPrinterName());
  EXPECT_EQ(plat::dialogPrinter("ReportPrinter"), "ReportPrinter");
}

// The dialog the program shows, read while it is open: no print-to-file entry, no page range,
// selection or current page, one copy, the request's printer preselected.
TEST(QtDialogs, PrintDialogHidesFileRangeAndSelection) {
  const QStringList installed = QPrinterInfo::availablePrinterNames();
  const QString wanted = installed.isEmpty() ? QString() : installed.last();
  QPrinter printer;
  const auto dlg = plat::QtDialogs::makePrintDialog(printer, {wanted, 1});
  for (auto o : {QAbstractPrintDialog::PrintToFile, QAbstractPrintDialog::PrintPageRange,
                 QAbstractPrintDialog::PrintSelection, QAbstractPrintDialog::PrintCurrentPage})
    EXPECT_FALSE(dlg->testOption(o)) << o;
  dlg->show();
  QApplication::processEvents();

  QStringList entries;
  bool preselected = false;
  for (const QComboBox* c : dlg->findChildren<QComboBox*>()) {
    for (int i = 0; i < c->count(); ++i) entries << c->itemText(i);
    preselected = preselected || (!wanted.isEmpty() && c->currentText() == wanted);
  }
  EXPECT_FALSE(entries.join('|').contains("Print to File")) << entries.join('|').toStdString();
  if (!wanted.isEmpty()) {
    EXPECT_TRUE(preselected) << wanted.toStdString();
  }
  for (const QRadioButton* r : dlg->findChildren<QRadioButton*>()) {
    if (r->text() == "Pages from" || r->text() == "Selection" || r->text() == "Current Page") {
      EXPECT_FALSE(r->isVisibleTo(dlg.get()) && r->isEnabled()) << r->text().toStdString();
    }
  }
  for (const QSpinBox* s : dlg->findChildren<QSpinBox*>()) {
    if (s->objectName() == "copies") {
      EXPECT_EQ(s->value(), 1);
    }
  }
  EXPECT_EQ(printer.copyCount(), 1);
  dlg->done(QDialog::Rejected);
}
