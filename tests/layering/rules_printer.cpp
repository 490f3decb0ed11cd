#include <QPainter>
#include <QPrinter>
