#include "platform/dialogs.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
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
    plat::FakePrinters printers{{"BillPrinter", "ReportPrinter"}};
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
  // A dialog answered, and the document printed when it was accepted.
  auto ask = [](std::optional<QString> answer, ScriptedDialogs& dlg) {
    dlg.answerPrint(std::move(answer));
    plat::PrintDialogRequest req{"BillPrinter", 1};
    if (!plat::dialogs().printDialog(req)) return false;
    plat::dialogs().printed(req);
    return true;
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

  // A bill printer that is not installed: the system's default, or without one installed the first.
  plat::forgetDialogPrinter();
  const QString def = QPrinterInfo::defaultPrinterName();
  EXPECT_EQ(plat::dialogPrinter("Gone"), printers.names.contains(def) ? def : "BillPrinter");
  EXPECT_EQ(plat::dialogPrinter("ReportPrinter"), "ReportPrinter");
}

// A missing printer is told before the dialog, and the printer the program fell back to, or one a
// print failed on, never becomes the next dialog's preselection; a printer picked and printed on does.
TEST(PrintDialogSeam, AMissingPrinterIsToldAndOnlyAPickedPrinterPrintedOnIsRemembered) {
  plat::FakePrinters printers{QStringList()};
  ScriptedDialogs d;
  // Where the dialog falls back to: the system's default when installed, else the first printer.
  auto fallback = [](const QStringList& installed) {
    const QString def = QPrinterInfo::defaultPrinterName();
    return installed.contains(def) ? def : installed.first();
  };
  const QStringList all = {"BillPrinter", "ReportPrinter", "Office"};
  const QStringList spares = {"ReportPrinter", "Spare"};
  const QString notFallback = fallback(spares) == "Spare" ? "ReportPrinter" : "Spare";
  const QString billMissing =
      "The printer BillPrinter is not installed. Choose the printer for this document.";
  const QString officeMissing = "The printer Office is not installed. Choose the printer for this document.";
  struct Step {
    const char* what;
    QStringList installed;
    QString preselected;
    QString message;  // the box before the dialog, if any
    QString answer;   // the printer the dialog is left on
    bool printed;     // the document was printed on it
  } steps[] = {
      {"bill printer missing: told, the fallback kept",
       {"ReportPrinter", "Office"},
       fallback({"ReportPrinter", "Office"}),
       billMissing,
       fallback({"ReportPrinter", "Office"}),
       true},
      {"bill printer back: it again; a failed print on a printer picked", all, "BillPrinter", "", "Office",
       false},
      {"still the bill printer; the picked one printed on", all, "BillPrinter", "", "Office", true},
      {"the printer picked and printed on", all, "Office", "", "Office", true},
      {"the remembered one missing: told, the bill printer kept",
       {"BillPrinter", "ReportPrinter"},
       "BillPrinter",
       officeMissing,
       "BillPrinter",
       true},
      {"the remembered one back", all, "Office", "", "Office", true},
      {"both missing: told, another than the fallback picked", spares, fallback(spares), officeMissing,
       notFallback, true},
  };
  for (const Step& st : steps) {
    SCOPED_TRACE(st.what);
    printers.names = st.installed;
    d.clear();
    d.preselected.clear();
    d.answerPrint(st.answer);
    plat::PrintDialogRequest req{"BillPrinter", 1};
    ASSERT_TRUE(plat::dialogs().printDialog(req));
    EXPECT_EQ(req.printerName, st.answer);
    EXPECT_EQ(plat::currentPrinter(), st.answer);
    if (st.printed) plat::dialogs().printed(req);
    EXPECT_EQ(d.preselected, QStringList{st.preselected});
    EXPECT_EQ(d.lastMessage(), st.message);
    if (!st.message.isEmpty()) {
      ASSERT_EQ(d.shown.size(), 2u);
      EXPECT_EQ(d.shown[0].kind, ScriptedDialogs::Kind::Message);  // before the dialog
      EXPECT_EQ(d.shown[0].icon, plat::Icon::Warning);
    }
  }
  // The last pick stands.
  EXPECT_EQ(plat::dialogPrinter("BillPrinter"), notFallback);
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

// The dialog's options opened as a user opens them, for each printer it offers: no page range, no
// page set and no copies count can be seen or used, and the dialog hands back one copy of all pages.
TEST(QtDialogs, PrintDialogOptionsOfferNoPageRangeAndNoCopies) {
  QPrinter printer;
  const auto dlg = plat::QtDialogs::makePrintDialog(printer, {QString(), 1});
  dlg->show();
  QApplication::processEvents();
  QAbstractButton* options = nullptr;
  for (QAbstractButton* b : dlg->findChildren<QAbstractButton*>())
    if (b->text().contains("Options")) options = b;
  ASSERT_TRUE(options);
  QTest::mouseClick(options, Qt::LeftButton);
  QApplication::processEvents();
  EXPECT_TRUE(options->text().contains("<<")) << options->text().toStdString();
  const QStringList ranges = {"Print all", "Pages from", "Pages", "Current Page", "Selection"};
  auto check = [&] {
    // Something of the options stands open, so a hidden range is not merely a collapsed dialog.
    bool someOption = false;
    for (const QWidget* w : dlg->findChildren<QWidget*>()) {
      if (!w->isVisibleTo(dlg.get())) continue;
      EXPECT_FALSE(qobject_cast<const QSpinBox*>(w)) << "a number box: " << w->objectName().toStdString();
      if (const auto* r = qobject_cast<const QRadioButton*>(w)) {
        EXPECT_FALSE(ranges.contains(r->text())) << r->text().toStdString();
        someOption = someOption || !ranges.contains(r->text());
      }
      for (const char* name :
           {"gbPrintRange", "pagesLineEdit", "pageSetCombo", "copies", "collate", "reverse"})
        EXPECT_NE(w->objectName(), name);
    }
    EXPECT_TRUE(someOption);
  };
  check();
  auto* choice = dlg->findChild<QComboBox*>("printers");
  ASSERT_TRUE(choice);
  for (int p = 0; p < choice->count(); ++p) {
    choice->setCurrentIndex(p);
    QApplication::processEvents();
    SCOPED_TRACE(choice->currentText().toStdString());
    check();
  }
  EXPECT_EQ(printer.copyCount(), 1);
  EXPECT_EQ(printer.printRange(), QPrinter::AllPages);
  dlg->done(QDialog::Rejected);
}
