#include <QFont>
#include <QPainter>
#include <QShortcut>
#include <QtGui/QColor>

#include "platform/dialogs.h"
#include "platform/units.h"
#include "sale/entry.h"
