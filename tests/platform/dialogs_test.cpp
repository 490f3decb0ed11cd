#include "platform/dialogs.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QUrl>
#include <QWidget>
#include <algorithm>
#include <functional>
#include <optional>

#include "platform/print_surface_qt.h"
#include "shell/settings.h"
#include "support/print_fixtures.h"
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

// With no printer installed no dialog opens: one warning in the user's language says that nothing
// was printed and names the bill printer (not a printer remembered from an earlier dialog), then
// what the caller adds.
TEST(PrintDialogSeam, WithNoPrinterInstalledNoDialogOpensAndTheUserIsTold) {
  plat::FakePrinters printers{{"Office"}};
  ScriptedDialogs d;
  d.answerPrint("Office");
  plat::PrintDialogRequest first{"BillPrinter", 1};
  ASSERT_TRUE(plat::dialogs().printDialog(first));
  plat::dialogs().printed(first);  // the next dialog would start from Office
  printers.names.clear();
  struct Case {
    bool thai;
    QString billPrinter, note, told;
  } cases[] = {
      {false, "BillPrinter", "Print it later.",
       "Nothing was printed: no printer is installed. The bill printer BillPrinter is missing.\nPrint it "
       "later."},
      {false, "", "", "Nothing was printed: no printer is installed."},
      {true, "BillPrinter", "", "ไม่ได้พิมพ์ เพราะไม่มีเครื่องพิมพ์ติดตั้งอยู่ในเครื่องนี้ ไม่พบเครื่องพิมพ์ใบเสร็จ BillPrinter"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.told.toStdString());
    shell::settings().LangThai = c.thai;
    d.clear();
    d.preselected.clear();
    d.answerPrint("Office");
    plat::PrintDialogRequest req{c.billPrinter, 1};
    req.noPrinterNote = c.note;
    EXPECT_FALSE(plat::dialogs().printDialog(req));
    EXPECT_TRUE(d.preselected.isEmpty());
    EXPECT_EQ(d.texts(), QStringList{c.told});
    ASSERT_EQ(d.shown.size(), 1u);
    EXPECT_EQ(d.shown[0].icon, plat::Icon::Warning);
    EXPECT_EQ(plat::currentPrinter(), "Office");
    d.prints.clear();
  }
  shell::settings().LangThai = false;
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

namespace {

// Runs f on the modal window that opens next (the print dialog, then a dialog it opens), after the
// caller has opened it.
void onModal(std::function<void(QWidget*)> f) {
  QTimer::singleShot(0, [f = std::move(f)] {
    QWidget* w = QApplication::activeModalWidget();
    if (!w) {
      ADD_FAILURE() << "no window opened";
      return;
    }
    f(w);
    // A check that failed half-way leaves no window open behind it.
    if (auto* d = qobject_cast<QDialog*>(w); d && d->isVisible()) d->done(QDialog::Rejected);
  });
}

bool usable(const QWidget* w, const QWidget* in) { return w && w->isVisibleTo(in) && w->isEnabled(); }

QAbstractButton* buttonOfRole(QWidget* dlg, QDialogButtonBox::ButtonRole role) {
  for (QDialogButtonBox* box : dlg->findChildren<QDialogButtonBox*>())
    for (QAbstractButton* b : box->buttons())
      if (box->buttonRole(b) == role) return b;
  return nullptr;
}

// The words a user reads on a window: its title, its labels, buttons, frames and tabs (not the
// contents of lists and boxes, which are the printers' own names).
QStringList wordsOn(QWidget* w) {
  QStringList out{w->windowTitle()};
  auto visible = [w](const QWidget* c) { return c->isVisibleTo(w); };
  for (const QLabel* l : w->findChildren<QLabel*>())
    if (visible(l) && l->objectName() != "location" && l->objectName() != "type") out << l->text();
  for (const QAbstractButton* b : w->findChildren<QAbstractButton*>())
    if (visible(b)) out << b->text();
  for (const QGroupBox* g : w->findChildren<QGroupBox*>())
    if (visible(g)) out << g->title();
  for (const QTabWidget* t : w->findChildren<QTabWidget*>())
    if (visible(t))
      for (int i = 0; i < t->count(); ++i) out << t->tabText(i);
  out.removeAll(QString());
  return out;
}

bool hasThai(const QString& t) {
  return std::any_of(t.begin(), t.end(),
                     [](QChar c) { return c.unicode() >= 0x0E01 && c.unicode() <= 0x0E5B; });
}

// What a user changes in the dialog before printing.
enum class Choice { Landscape, TwoPagesASheet, LongSideBinding };

// The Properties of the printer as a user opens them: its words, and whether `choice` could be
// made there; nothing when the dialog offers no Properties.
struct PropertiesSeen {
  QStringList words;
  bool chosen = false;
};
PropertiesSeen openProperties(QWidget* dlg, std::optional<Choice> choice) {
  PropertiesSeen seen;
  auto* properties = dlg->findChild<QAbstractButton*>("properties");
  if (!usable(properties, dlg)) return seen;
  onModal([&seen, choice](QWidget* p) {
    seen.words = wordsOn(p);
    for (QTabWidget* t : p->findChildren<QTabWidget*>())
      for (int i = 0; i < t->count(); ++i) {
        t->setCurrentIndex(i);
        seen.words << wordsOn(t->widget(i));
      }
    if (choice == Choice::Landscape) {
      if (auto* landscape = p->findChild<QRadioButton*>("landscape"); landscape && landscape->isEnabled()) {
        landscape->click();
        seen.chosen = landscape->isChecked();
      }
    }
    if (choice == Choice::TwoPagesASheet) {
      if (auto* perSheet = p->findChild<QComboBox*>("pagesPerSheetCombo");
          perSheet && perSheet->isEnabled() && perSheet->count() > 1) {
        perSheet->setCurrentIndex(1);  // 2 (2x1)
        seen.chosen = perSheet->currentText().startsWith('2');
      }
    }
    QAbstractButton* ok = buttonOfRole(p, QDialogButtonBox::AcceptRole);
    if (ok) ok->click();
    if (p->isVisible()) static_cast<QDialog*>(p)->done(QDialog::Accepted);
  });
  QTest::mouseClick(properties, Qt::LeftButton);
  return seen;
}

}  // namespace

// The dialog as a user meets it, for each printer it offers: the printer is the one choice. No
// Options (page range, page set, copies, colour, double-sided) and no Properties (paper, orientation,
// pages per sheet, banners, priority, the printer's own options) can be seen, clicked or reached by
// their keys, and the dialog hands back one copy of all pages.
TEST(QtDialogs, PrintDialogOffersThePrinterAlone) {
  QPrinter printer;
  const auto dlg = plat::QtDialogs::makePrintDialog(printer, {QString(), 1});
  dlg->show();
  QApplication::processEvents();
  auto check = [&] {
    for (const QWidget* w : dlg->findChildren<QWidget*>()) {
      if (!w->isVisibleTo(dlg.get())) continue;
      EXPECT_FALSE(qobject_cast<const QAbstractSpinBox*>(w))
          << "a number box: " << w->objectName().toStdString();
      EXPECT_FALSE(qobject_cast<const QRadioButton*>(w)) << w->objectName().toStdString();
      for (const char* name : {"properties", "QPrintSettingsOutput", "gbPrintRange", "pageSetCombo", "copies",
                               "collate", "reverse", "colorMode", "duplex"})
        EXPECT_NE(w->objectName(), name);
    }
    EXPECT_FALSE(usable(dlg->findChild<QWidget*>("properties"), dlg.get()));
    EXPECT_FALSE(usable(buttonOfRole(dlg.get(), QDialogButtonBox::ResetRole), dlg.get()));
    // Their keys open nothing either.
    for (const Qt::Key key : {Qt::Key_O, Qt::Key_R}) {
      QTest::keyClick(dlg.get(), key, Qt::AltModifier);
      QApplication::processEvents();
      for (const QWidget* top : QApplication::topLevelWidgets())
        EXPECT_FALSE(top != dlg.get() && top->isVisible()) << top->metaObject()->className();
      EXPECT_FALSE(dlg->findChild<QWidget*>("QPrintSettingsOutput")->isVisibleTo(dlg.get()));
    }
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

// What the dialog shows in Thai mode is Thai, Properties included when it offers them.
TEST(QtDialogs, PrintDialogSpeaksThaiInThaiMode) {
  if (QPrinterInfo::availablePrinterNames().isEmpty()) GTEST_SKIP() << "no printer installed";
  shell::settings().LangThai = true;
  QPrinter printer;
  const auto dlg =
      plat::QtDialogs::makePrintDialog(printer, {QPrinterInfo::availablePrinterNames().first(), 1});
  QStringList words;
  onModal([&words](QWidget* d) {
    words = wordsOn(d);
    words << openProperties(d, std::nullopt).words;
    static_cast<QDialog*>(d)->done(QDialog::Rejected);
  });
  dlg->exec();
  shell::settings().LangThai = false;
  EXPECT_TRUE(words.contains(QStringLiteral("เครื่องพิมพ์"))) << words.join('|').toStdString();
  for (const QString& w : words) EXPECT_TRUE(hasThai(w)) << w.toStdString();
}

namespace {

QString tool(const QString& program, const QStringList& args) {
  QProcess p;
  p.start(program, args);
  if (!p.waitForFinished(30000)) return {};
  return QString::fromUtf8(p.readAllStandardOutput() + p.readAllStandardError());
}

// The attributes of a job of the private print server, as "name (type) = value" lines.
QString jobAttributes(int job) {
  const QString server = QString::fromUtf8(QUrl::toPercentEncoding(qEnvironmentVariable("CUPS_SERVER")));
  return tool("ipptool",
              {"-tv", "ipp://" + server + "/jobs/" + QString::number(job), "get-job-attributes.test"});
}

}  // namespace

// Whatever the dialog lets a user choose, the job sent honours: two pages printed through the real
// dialog, with landscape or two pages a sheet chosen under Properties, or double-sided printing
// under Options, wherever the dialog offers them, come out as the PDF's pages and the CUPS job's
// attributes say.
TEST(QtDialogs, EveryChoiceTheDialogOffersReachesTheJob) {
  if (qEnvironmentVariableIsEmpty("CUPS_SERVER"))
    GTEST_SKIP() << "no private print server (CUPS_SERVER unset)";
  for (const Choice choice : {Choice::Landscape, Choice::TwoPagesASheet, Choice::LongSideBinding}) {
    SCOPED_TRACE(static_cast<int>(choice));
    plat::forgetDialogPrinter();  // no earlier choice: the dialog opens without a word before it
    bool chosen = false;
    onModal([&](QWidget* d) {
      auto* printers = d->findChild<QComboBox*>("printers");
      ASSERT_TRUE(printers);
      printers->setCurrentIndex(printers->findText("ReportPrinter"));
      QApplication::processEvents();
      if (choice != Choice::LongSideBinding) chosen = openProperties(d, choice).chosen;
      if (QAbstractButton* options = buttonOfRole(d, QDialogButtonBox::ResetRole);
          choice == Choice::LongSideBinding && usable(options, d)) {
        options->click();
        QApplication::processEvents();
        if (auto* longSide = d->findChild<QRadioButton*>("duplexLong"); usable(longSide, d)) {
          longSide->click();
          chosen = longSide->isChecked();
        }
      }
      QAbstractButton* print = buttonOfRole(d, QDialogButtonBox::AcceptRole);
      ASSERT_TRUE(print);
      print->click();
    });
    plat::PrintDialogRequest req{"ReportPrinter", 1};
    plat::QtDialogs qt;
    ASSERT_TRUE(qt.printDialog(req));
    ASSERT_EQ(req.printerName, "ReportPrinter");

    const QSet<QString> before = printfix::pdfsNow();
    QString err;
    auto job = plat::printers().openJob(req.printerName, QStringLiteral("Choices %1").arg(getpid()), &err);
    ASSERT_TRUE(job) << err.toStdString();
    job->setFontName("DejaVu Sans");
    plat::PrintAt(*job, 0, 0, "FirstPageText");
    job->NewPage();
    plat::PrintAt(*job, 0, 0, "SecondPageText");
    job->EndDoc();
    QString text;
    const QString pdf = printfix::waitForPdf(before, {}, "SecondPageText", &text);
    ASSERT_FALSE(pdf.isEmpty());
    const QString info = tool("pdfinfo", {pdf});
    QFile::remove(pdf);
    const QRegularExpressionMatch size =
        QRegularExpression(R"(Page size:\s+([0-9.]+) x ([0-9.]+))").match(info);
    ASSERT_TRUE(size.hasMatch()) << info.toStdString();
    // Two pages a sheet of portrait paper stand side by side on a landscape sheet.
    const bool wide = size.captured(1).toDouble() > size.captured(2).toDouble();
    EXPECT_EQ(wide, chosen && choice != Choice::LongSideBinding) << info.toStdString();
    const bool twoUp = chosen && choice == Choice::TwoPagesASheet;
    EXPECT_TRUE(info.contains(QRegularExpression(twoUp ? R"(Pages:\s+1\n)" : R"(Pages:\s+2\n)")))
        << info.toStdString();
    const int jobId = QRegularExpression(R"(job_(\d+))").match(QFileInfo(pdf).fileName()).captured(1).toInt();
    ASSERT_GT(jobId, 0) << pdf.toStdString();
    const QString attrs = jobAttributes(jobId);
    ASSERT_TRUE(attrs.contains("job-state")) << attrs.toStdString();
    EXPECT_EQ(attrs.contains("number-up (integer) = 2"), twoUp) << attrs.toStdString();
    EXPECT_EQ(attrs.contains("sides (keyword) = two-sided-long-edge"),
              chosen && choice == Choice::LongSideBinding)
        << attrs.toStdString();
  }
}
