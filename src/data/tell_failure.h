#pragma once
// Event procedures whose database failure is shown as it is and the window goes on.
#include <functional>

#include "platform/dialogs.h"

namespace data {

// Runs work; a DbError it throws is shown in a message box with its text (and icon) instead of
// going further. True when work finished, false when it failed and was told.
bool tellOnFailure(const std::function<void()>& work, plat::Icon icon = plat::Icon::None);

}  // namespace data
