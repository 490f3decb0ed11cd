#pragma once
// Boxes that take only some characters: a typed character outside the set is dropped, and a pasted
// text with any character outside the set is refused whole, so it never becomes another number.
#include <QLineEdit>
#include <QValidator>

namespace plat {

class CharFilter : public QValidator {
 public:
  CharFilter(QString allowed, QObject* parent) : QValidator(parent), allowed_(std::move(allowed)) {}
  State validate(QString& input, int& pos) const override;

 private:
  QString allowed_;
};

// Gives box a filter of the characters in allowed.
void filterChars(QLineEdit* box, const QString& allowed);

// Whether a typed character code passes a box's key procedure: control codes up to 26 (Backspace,
// Enter) always, other characters only when they are in allowed.
bool keyPasses(int keyAscii, const QString& allowed);

}  // namespace plat
