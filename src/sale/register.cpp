#include "sale/register.h"

#include "platform/form.h"

namespace sale {
void registerForms() {}
}  // namespace sale
