#include "platform/units.h"
