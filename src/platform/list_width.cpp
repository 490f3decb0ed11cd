// widenListFor of units.h: it works on widgets, so it is built with the platform's windows.
#include <QAbstractScrollArea>
#include <QStyle>

#include "platform/units.h"

namespace plat {
int widenListFor(QAbstractScrollArea* list, int textPx, std::initializer_list<QWidget*> rightOfIt) {
  const int needed = textPx + 8 + 2 * list->frameWidth() +
                     list->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, list);
  const int more = needed - list->width();
  if (more <= 0) return 0;
  list->resize(list->width() + more, list->height());
  for (QWidget* w : rightOfIt) w->move(w->x() + more, w->y());
  return more;
}
}  // namespace plat
