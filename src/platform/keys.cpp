#include "platform/keys.h"

namespace plat {

int keyAsciiOf(const QKeyEvent* e) {
  switch (e->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
      return 13;
    case Qt::Key_Escape:
      return 27;
    case Qt::Key_Backspace:
      return 8;
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

}  // namespace plat
