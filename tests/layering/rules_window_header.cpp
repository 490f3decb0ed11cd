#include "sale/entry.h"
#include "platform/form.h"
