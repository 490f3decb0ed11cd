// A window of the sale layer.
#include <QWidget>
