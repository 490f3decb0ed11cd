#include <QPrintDialog>
#include <QPrinter>

#include "../sale/main_form.h"
