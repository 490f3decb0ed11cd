#include "../../src/sale/main_form.h"
