#include <QtPrintSupport/QPrinterInfo>
