#include "print/register.h"

#include "platform/form.h"

namespace print {
void registerForms() {}
}  // namespace print
