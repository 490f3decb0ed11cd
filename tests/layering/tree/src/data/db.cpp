#include "data/db.h"
