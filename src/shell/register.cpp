#include "shell/register.h"

#include "platform/form.h"

namespace shell {
void registerForms() {}
}  // namespace shell
