#include "QWidget"
