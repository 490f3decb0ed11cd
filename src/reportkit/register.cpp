#include "reportkit/register.h"

#include "platform/form.h"

namespace reportkit {
void registerForms() {}
}  // namespace reportkit
