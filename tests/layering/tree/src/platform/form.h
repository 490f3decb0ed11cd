// A window of the platform layer.
#include <QWidget>
