#include "purchase/register.h"

#include "platform/form.h"

namespace purchase {
void registerForms() {}
}  // namespace purchase
