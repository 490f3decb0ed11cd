#pragma once
// The message that refuses a number above its box's ceiling, naming the box, in the user's language.
#include <QString>

#include "platform/ceilings.h"

namespace shell {

// "<box> cannot be more than <ceiling>", Thai or English by the setting. boxThai and boxEnglish
// name the box as its caption does.
QString overCeilingMessage(const QString& boxThai, const QString& boxEnglish, plat::Ceiling kind);

}  // namespace shell
