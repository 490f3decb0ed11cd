#pragma once
// The dialogs of the tests: every box recorded, every answer from a script.
#include <QString>
#include <QStringList>
#include <deque>
#include <optional>
#include <vector>

#include "platform/dialogs.h"

namespace plat {

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

  ScriptedDialogs();            // installs itself; no print-dialog choice remembered yet
  ~ScriptedDialogs() override;  // restores the Qt implementation

  void message(const QString& text, const QString& title, Icon icon) override;
  bool askYesNo(const QString& text, const QString& title) override;
  std::optional<QString> inputBox(const QString& prompt, const QString& title,
                                  const QString& defaultText) override;

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

 protected:
  bool showPrintDialog(PrintDialogRequest& request) override;
};

}  // namespace plat
