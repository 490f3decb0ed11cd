#include "data/db.h"
#include "stock/addf_rules.h"
