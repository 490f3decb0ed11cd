#include "platform/form.h"
#include "sale/entry.h"
