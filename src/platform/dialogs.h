#pragma once
// The one seam for every modal question the program asks: message boxes, Yes/No questions, the
// input box and the print dialog. The program installs the Qt implementation; tests install their
// own, which records what was shown and answers from a script, so no test blocks.
#include <QString>
#include <QStringList>
#include <deque>
#include <memory>
#include <optional>
#include <vector>

class QPrintDialog;
class QPrinter;
class QWidget;

namespace plat {

enum class Icon { None, Information, Warning, Critical, Question };

struct PrintDialogRequest {
  // in: the printer a session's first dialog preselects when it is installed (the bill printer);
  // out: the one chosen
  QString printerName;
  int copies = 1;  // in/out
  // out: the printer the dialog preselected in place of a missing one, empty when none was missing
  QString fallback = {};
  // in: said after the word that nothing was printed because no printer is installed: what the
  // user can do instead
  QString noPrinterNote = {};
};

// The printer a print dialog preselects: the one chosen last in a print dialog this session and
// printed on; before any, firstChoice. When that one is not installed: firstChoice when it is,
// else the system's default (the first printer when the default is not installed). A printer
// chosen by name (the report printer, the slip printer) never changes it.
QString dialogPrinter(const QString& firstChoice);
// Forgets the print-dialog choice of this session (a new session starts from firstChoice).
void forgetDialogPrinter();

class Dialogs {
 public:
  virtual ~Dialogs() = default;
  virtual void message(const QString& text, const QString& title = {}, Icon icon = Icon::None) = 0;
  // True for Yes.
  virtual bool askYesNo(const QString& text, const QString& title = {}) = 0;
  // nullopt for Cancel; an empty text for OK on an empty box.
  virtual std::optional<QString> inputBox(const QString& prompt, const QString& title = {},
                                          const QString& defaultText = {}) = 0;
  // Shows the print dialog preselecting dialogPrinter(request.printerName); when the printer
  // wanted there is not installed, a message says so first. On OK the printer chosen becomes the
  // program's current printer. False for Cancel, and for a choice that names no printer: the
  // program keeps the printer it had. With no printer installed at all no dialog is shown: a
  // message says that nothing was printed, names request.printerName and adds noPrinterNote.
  bool printDialog(PrintDialogRequest& request);
  // The document of an accepted request was printed: its printer becomes the next dialog's
  // preselection, unless it is the fallback the user merely kept. A failed print is never told.
  void printed(const PrintDialogRequest& request);

 protected:
  // The dialog itself: request.printerName is preselected; false for Cancel.
  virtual bool showPrintDialog(PrintDialogRequest& request) = 0;
};

// The installed implementation (the Qt one unless a test installed another).
Dialogs& dialogs();
// Installs d (not owned); nullptr restores the Qt implementation.
void setDialogs(Dialogs* d);

class QtDialogs : public Dialogs {
 public:
  void message(const QString& text, const QString& title, Icon icon) override;
  bool askYesNo(const QString& text, const QString& title) override;
  std::optional<QString> inputBox(const QString& prompt, const QString& title,
                                  const QString& defaultText) override;

  // The print dialog for request, configured as the program shows it: the choice of printer only
  // (a job goes out with its queue's own page and options, so neither the printer's properties nor
  // the options of copies, pages, colour and double-sided printing are offered); the request's
  // printer preselected.
  static std::unique_ptr<QPrintDialog> makePrintDialog(QPrinter& printer, const PrintDialogRequest& request,
                                                       QWidget* parent = nullptr);

 protected:
  bool showPrintDialog(PrintDialogRequest& request) override;
};

}  // namespace plat
