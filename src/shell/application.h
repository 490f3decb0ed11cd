#pragma once
// The program's QApplication: a failure that no event procedure caught reaches a message box in
// the user's language and the program keeps running.
#include <QApplication>
#include <exception>

namespace shell {
class PosApplication : public QApplication {
 public:
  PosApplication(int& argc, char** argv);
  bool notify(QObject* receiver, QEvent* event) override;
};
// Qt's own boxes (message boxes, questions, the input box, the print dialog) speak the language
// LangThai names; the application calls it once at start.
void installQtTexts();
// Shows the description of a failure nobody caught.
void reportUncaught(const QString& what);
// The description of a failure: the database's text for a database failure.
QString failureText(const std::exception& e);
}  // namespace shell
