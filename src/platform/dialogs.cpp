#include "platform/dialogs.h"

#include <QApplication>
#include <QInputDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>

#include "platform/print_surface_qt.h"

namespace plat {
namespace {
QtDialogs g_qt;
Dialogs* g_current = nullptr;
// The printer chosen last in a print dialog this session.
std::optional<QString> g_dialogChoice;

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

QString dialogPrinter(const QString& firstChoice) {
  if (g_dialogChoice) return *g_dialogChoice;
  if (!firstChoice.isEmpty() && printers().installed().contains(firstChoice)) return firstChoice;
  return QPrinterInfo::defaultPrinterName();
}

void forgetDialogPrinter() { g_dialogChoice.reset(); }

bool Dialogs::printDialog(PrintDialogRequest& request) {
  PrintDialogRequest shown = request;
  shown.printerName = dialogPrinter(request.printerName);
  if (!showPrintDialog(shown)) return false;
  // A choice without a printer (a file, say) would leave the program without one.
  if (shown.printerName.isEmpty()) return false;
  request = shown;
  g_dialogChoice = request.printerName;
  setCurrentPrinter(request.printerName);
  return true;
}

std::unique_ptr<QPrintDialog> QtDialogs::makePrintDialog(QPrinter& printer, const PrintDialogRequest& request,
                                                         QWidget* parent) {
  // The dialog reads its preselection from the printer when it is built.
  if (!request.printerName.isEmpty()) printer.setPrinterName(request.printerName);
  printer.setCopyCount(request.copies);
  printer.setPrintRange(QPrinter::AllPages);
  auto dialog = std::make_unique<QPrintDialog>(&printer, parent);
  dialog->setOptions(QAbstractPrintDialog::PrintCollateCopies | QAbstractPrintDialog::PrintShowPageSize);
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
