#include <QLabel>
#include <QWidget>

#include "platform/form.h"
#include "sale/main_form.h"
