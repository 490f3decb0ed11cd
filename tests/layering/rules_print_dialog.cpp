#include <QPrintDialog>
