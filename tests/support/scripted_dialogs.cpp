#include "support/scripted_dialogs.h"

namespace plat {

ScriptedDialogs::ScriptedDialogs() {
  setDialogs(this);
  forgetDialogPrinter();
}
ScriptedDialogs::~ScriptedDialogs() {
  if (&dialogs() == this) setDialogs(nullptr);
}

void ScriptedDialogs::message(const QString& text, const QString& title, Icon icon) {
  shown.push_back({Kind::Message, text, title, icon});
}

bool ScriptedDialogs::askYesNo(const QString& text, const QString& title) {
  shown.push_back({Kind::YesNo, text, title, Icon::Question});
  if (yesNo.empty()) return false;
  const bool a = yesNo.front();
  yesNo.pop_front();
  return a;
}

std::optional<QString> ScriptedDialogs::inputBox(const QString& prompt, const QString& title,
                                                 const QString&) {
  shown.push_back({Kind::Input, prompt, title, Icon::None});
  if (inputs.empty()) return std::nullopt;
  auto a = inputs.front();
  inputs.pop_front();
  return a;
}

bool ScriptedDialogs::showPrintDialog(PrintDialogRequest& request) {
  shown.push_back({Kind::Print, QString(), QString(), Icon::None});
  preselected << request.printerName;
  if (prints.empty() || !prints.front()) {
    if (!prints.empty()) prints.pop_front();
    return false;
  }
  request.printerName = *prints.front();
  prints.pop_front();
  return true;
}

QStringList ScriptedDialogs::texts() const {
  QStringList out;
  for (const auto& s : shown) out << s.text;
  return out;
}

QString ScriptedDialogs::lastMessage() const {
  for (auto it = shown.rbegin(); it != shown.rend(); ++it)
    if (it->kind == Kind::Message) return it->text;
  return {};
}

}  // namespace plat
