#include "platform/keys.h"

#include <QObject>
#include <QWidget>

namespace plat {

int keyAsciiOf(const QKeyEvent* e) {
  switch (e->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
      return Enter;
    case Qt::Key_Escape:
      return Esc;
    case Qt::Key_Backspace:
      return Backspace;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Delete:
      return -1;
    default:
      break;
  }
  if (e->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) return -1;
  const QString t = e->text();
  if (t.isEmpty()) return -1;
  return t.at(0).unicode();
}

namespace {
class KeyProcedure : public QObject {
 public:
  KeyProcedure(QWidget* box, std::function<void(int&)> proc) : QObject(box), proc_(std::move(proc)) {}

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() != QEvent::KeyPress) return false;
    int k = keyAsciiOf(static_cast<QKeyEvent*>(event));
    if (k < 0) return false;
    proc_(k);
    return k == 0;
  }

 private:
  std::function<void(int&)> proc_;
};
}  // namespace

void onKeyPress(QWidget* box, std::function<void(int& keyAscii)> proc) {
  box->installEventFilter(new KeyProcedure(box, std::move(proc)));
}

}  // namespace plat
