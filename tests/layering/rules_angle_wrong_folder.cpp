#include <stock/addf_rules.h>
