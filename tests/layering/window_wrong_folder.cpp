#include <QWidget>

#include "reports/bill_form.h"
