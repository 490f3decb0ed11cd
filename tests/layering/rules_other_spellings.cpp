#include <sale/entry.h>

#include <QPageLayout>
#include <QPageSize>
#include <QtGui/QPagedPaintDevice>

#include "../platform/units.h"
#include "./entry.h"
