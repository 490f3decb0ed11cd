#include "platform/dialogs.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QInputDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <vector>

#include "platform/print_surface_qt.h"

namespace plat {
namespace {
QtDialogs g_qt;
Dialogs* g_current = nullptr;
// The printer chosen last in a print dialog this session and printed on.
std::optional<QString> g_dialogChoice;

struct Preselection {
  QString printer;
  QString missing;  // the printer wanted, when it is not installed
};

Preselection preselection(const QString& firstChoice) {
  const QStringList installed = printers().installed();
  // Without a default the dialog would show a printer of its own, which then looks picked.
  const QString def = QPrinterInfo::defaultPrinterName();
  const QString fallback = installed.contains(def) ? def : installed.value(0);
  const QString wanted = g_dialogChoice ? *g_dialogChoice : firstChoice;
  if (wanted.isEmpty()) return {fallback, {}};
  if (installed.contains(wanted)) return {wanted, {}};
  if (!firstChoice.isEmpty() && installed.contains(firstChoice)) return {firstChoice, wanted};
  return {fallback, wanted};
}

QString missingPrinterText(const QString& missing) {
  return QCoreApplication::translate("plat::Dialogs",
                                     "The printer %1 is not installed. Choose the printer for this document.")
      .arg(missing);
}

QString noPrinterText(const QString& billPrinter, const QString& note) {
  QString t = QCoreApplication::translate("plat::Dialogs", "Nothing was printed: no printer is installed.");
  if (!billPrinter.isEmpty())
    t += QLatin1Char(' ') +
         QCoreApplication::translate("plat::Dialogs", "The bill printer %1 is missing.").arg(billPrinter);
  if (!note.isEmpty()) t += QLatin1Char('\n') + note;
  return t;
}

QMessageBox::Icon toQt(Icon i) {
  switch (i) {
    case Icon::Information:
      return QMessageBox::Information;
    case Icon::Warning:
      return QMessageBox::Warning;
    case Icon::Critical:
      return QMessageBox::Critical;
    case Icon::Question:
      return QMessageBox::Question;
    case Icon::None:
      break;
  }
  return QMessageBox::NoIcon;
}
}  // namespace

Dialogs& dialogs() { return g_current ? *g_current : g_qt; }
void setDialogs(Dialogs* d) { g_current = d; }

void QtDialogs::message(const QString& text, const QString& title, Icon icon) {
  QMessageBox box(toQt(icon), title.isEmpty() ? QApplication::applicationDisplayName() : title, text,
                  QMessageBox::Ok, QApplication::activeWindow());
  box.exec();
}

bool QtDialogs::askYesNo(const QString& text, const QString& title) {
  QMessageBox box(QMessageBox::Question, title.isEmpty() ? QApplication::applicationDisplayName() : title,
                  text, QMessageBox::Yes | QMessageBox::No, QApplication::activeWindow());
  return box.exec() == QMessageBox::Yes;
}

std::optional<QString> QtDialogs::inputBox(const QString& prompt, const QString& title,
                                           const QString& defaultText) {
  bool ok = false;
  const QString t = QInputDialog::getText(QApplication::activeWindow(),
                                          title.isEmpty() ? QApplication::applicationDisplayName() : title,
                                          prompt, QLineEdit::Normal, defaultText, &ok);
  if (!ok) return std::nullopt;
  return t;
}

QString dialogPrinter(const QString& firstChoice) { return preselection(firstChoice).printer; }

void forgetDialogPrinter() { g_dialogChoice.reset(); }

bool Dialogs::printDialog(PrintDialogRequest& request) {
  // A dialog without a printer would show an empty name, and its Print would print nothing.
  if (printers().installed().isEmpty()) {
    message(noPrinterText(request.printerName, request.noPrinterNote), {}, Icon::Warning);
    return false;
  }
  const Preselection pre = preselection(request.printerName);
  // Another queue offered in silence would take the documents of a printer that is only off.
  if (!pre.missing.isEmpty()) message(missingPrinterText(pre.missing), {}, Icon::Warning);
  PrintDialogRequest shown = request;
  shown.printerName = pre.printer;
  if (!showPrintDialog(shown)) return false;
  // A choice without a printer (a file, say) would leave the program without one.
  if (shown.printerName.isEmpty()) return false;
  request = shown;
  request.fallback = pre.missing.isEmpty() ? QString() : pre.printer;
  setCurrentPrinter(request.printerName);
  return true;
}

void Dialogs::printed(const PrintDialogRequest& request) {
  if (request.printerName.isEmpty() || request.printerName == request.fallback) return;
  g_dialogChoice = request.printerName;
}

std::unique_ptr<QPrintDialog> QtDialogs::makePrintDialog(QPrinter& printer, const PrintDialogRequest& request,
                                                         QWidget* parent) {
  // The dialog reads its preselection from the printer when it is built.
  if (!request.printerName.isEmpty()) printer.setPrinterName(request.printerName);
  printer.setCopyCount(request.copies);
  printer.setPrintRange(QPrinter::AllPages);
  auto dialog = std::make_unique<QPrintDialog>(&printer, parent);
  dialog->setOptions(QAbstractPrintDialog::PrintCollateCopies | QAbstractPrintDialog::PrintShowPageSize);
  // Only the printer chosen reaches the job, which goes out on its queue's own page and options:
  // the printer's properties (paper, orientation, pages per sheet, banners, priority, the queue's
  // own options) and the options section (page range, copies, colour, double-sided printing),
  // with the button that opens it, go.
  std::vector<QWidget*> unused{dialog->findChild<QWidget*>(QStringLiteral("properties")),
                               dialog->findChild<QWidget*>(QStringLiteral("QPrintSettingsOutput"))};
  if (auto* buttons = dialog->findChild<QDialogButtonBox*>())
    for (QAbstractButton* b : buttons->buttons())
      if (buttons->buttonRole(b) == QDialogButtonBox::ResetRole) unused.push_back(b);
  // The dialog shows and enables them again as it updates itself: they live on in a box of their
  // own that is never shown, so that neither they nor their keys can be reached.
  auto* holder = new QWidget(dialog.get());
  holder->setObjectName(QStringLiteral("unusedChoices"));
  holder->hide();
  for (QWidget* w : unused) {
    if (!w) continue;
    w->setParent(holder);
    w->setEnabled(false);
  }
  return dialog;
}

bool QtDialogs::showPrintDialog(PrintDialogRequest& request) {
  QPrinter printer;
  const auto dlg = makePrintDialog(printer, request, QApplication::activeWindow());
  if (dlg->exec() != QDialog::Accepted) return false;
  request.printerName = printer.outputFormat() == QPrinter::NativeFormat ? printer.printerName() : QString();
  request.copies = printer.copyCount();
  return true;
}

}  // namespace plat
