#include "sale/entry.h"
