#include <QtPrintSupport>
