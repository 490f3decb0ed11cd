#pragma once
// Qt's own texts in the program's language: the buttons of message boxes, questions and the input
// box, the print dialog's buttons and labels, the right-click menu of every text box and date box,
// with the dialog seam's word on a missing printer.
// Debian ships no Thai translation of them, so the program carries a small one of its own
// (qt_texts_th.ts, compiled at build time).
#include <QTranslator>
#include <functional>

#include "platform/ui_lang.h"

namespace plat {

// Thai while thai() says so, Qt's English otherwise; boxes built after a language change follow it.
class QtTexts : public QTranslator {
 public:
  explicit QtTexts(std::function<bool()> thai);

  QString translate(const char* context, const char* sourceText, const char* disambiguation = nullptr,
                    int n = -1) const override;
  bool isEmpty() const override { return false; }

 private:
  std::function<bool()> thai_;
};

// Installs the program's Qt texts into the running application once; thai tells the language.
void installQtTexts(std::function<bool()> thai);

// The language the program speaks now, the one its Qt texts follow: for the words that the layers
// below the settings tell the user. English until the texts are installed.
ui::Lang programLanguage();

}  // namespace plat
