#pragma once
// Boxes that take only some characters: a typed character outside the set is dropped, and a pasted
// text with any character outside the set is refused whole, so it never becomes another number.
// A number box also refuses a second "." and counts as filled only once it holds a digit.
#include <QLineEdit>
#include <QValidator>

namespace plat {

// What a filtered box's whole text must be, beyond being made of the allowed characters.
enum class TextShape {
  Any,     // any mix of them, the empty text included
  Number,  // at most one "."; every other allowed character is a digit, and a whole number has one
};

class CharFilter : public QValidator {
 public:
  CharFilter(QString allowed, QObject* parent, TextShape shape = TextShape::Any)
      : QValidator(parent), allowed_(std::move(allowed)), shape_(shape) {}
  State validate(QString& input, int& pos) const override;

  // The filter's verdict on text without a box: Invalid (refused), Intermediate (a number box's
  // text without a digit yet) or Acceptable.
  static State check(const QString& text, const QString& allowed, TextShape shape);

 private:
  QString allowed_;
  TextShape shape_;
};

// Gives box a filter of the characters in allowed.
void filterChars(QLineEdit* box, const QString& allowed, TextShape shape = TextShape::Any);

// Whether a typed character code passes a box's key procedure: control codes up to 26 (Backspace,
// Enter) always, other characters only when they are in allowed.
bool keyPasses(int keyAscii, const QString& allowed);

}  // namespace plat
