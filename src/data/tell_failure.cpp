#include "data/tell_failure.h"

#include "data/db.h"

namespace data {

bool tellOnFailure(const std::function<void()>& work, plat::Icon icon) {
  try {
    work();
    return true;
  } catch (const DbError& e) {
    plat::dialogs().message(e.text(), QString(), icon);
    return false;
  }
}

}  // namespace data
