#include "partners/register.h"

#include "platform/form.h"

namespace partners {
void registerForms() {}
}  // namespace partners
