#include "stock/register.h"

#include "platform/form.h"

namespace stock {
void registerForms() {}
}  // namespace stock
