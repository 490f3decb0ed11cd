#pragma once
// The one seam for every modal question the program asks: message boxes, Yes/No questions, the
// input box and the print dialog. The program installs the Qt implementation; tests install
// ScriptedDialogs, which records what was shown and answers from a script, so no test blocks.
#include <QString>
#include <QStringList>
#include <deque>
#include <optional>
#include <vector>

namespace plat {

enum class Icon { None, Information, Warning, Critical, Question };

struct PrintDialogRequest {
  QString printerName;  // in: the printer to preselect; out: the one chosen
  int copies = 1;       // in/out
};

class Dialogs {
 public:
  virtual ~Dialogs() = default;
  virtual void message(const QString& text, const QString& title = {}, Icon icon = Icon::None) = 0;
  // True for Yes.
  virtual bool askYesNo(const QString& text, const QString& title = {}) = 0;
  // nullopt for Cancel; an empty text for OK on an empty box.
  virtual std::optional<QString> inputBox(const QString& prompt, const QString& title = {},
                                          const QString& defaultText = {}) = 0;
  // False for Cancel.
  virtual bool printDialog(PrintDialogRequest& request) = 0;
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
  bool printDialog(PrintDialogRequest& request) override;
};

// Test double: records every box and answers from queues (defaults when a queue is empty:
// No, Cancel, Cancel).
class ScriptedDialogs : public Dialogs {
 public:
  enum class Kind { Message, YesNo, Input, Print };
  struct Shown {
    Kind kind;
    QString text;
    QString title;
    Icon icon = Icon::None;
  };

  ScriptedDialogs();            // installs itself
  ~ScriptedDialogs() override;  // restores the Qt implementation

  void message(const QString& text, const QString& title, Icon icon) override;
  bool askYesNo(const QString& text, const QString& title) override;
  std::optional<QString> inputBox(const QString& prompt, const QString& title,
                                  const QString& defaultText) override;
  bool printDialog(PrintDialogRequest& request) override;

  void answerYes(bool yes = true) { yesNo.push_back(yes); }
  void answerInput(std::optional<QString> text) { inputs.push_back(std::move(text)); }
  // A chosen printer, or nullopt for Cancel.
  void answerPrint(std::optional<QString> printer) { prints.push_back(std::move(printer)); }

  // The texts of all boxes shown, in order.
  QStringList texts() const;
  // The text of the last message box ("" when none).
  QString lastMessage() const;
  void clear() { shown.clear(); }

  std::vector<Shown> shown;
  std::deque<bool> yesNo;
  std::deque<std::optional<QString>> inputs;
  std::deque<std::optional<QString>> prints;
  // The printer each print dialog was opened with, in order.
  QStringList preselected;
};

}  // namespace plat
