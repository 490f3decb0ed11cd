#include <QPainter>
#include <QtWidgets/QLabel>
