#include "sale/main_form.h"
