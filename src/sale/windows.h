#pragma once
// The windows the sale screen's helpers work on: the sale screen itself and the main window.
class QWidget;

namespace sale {

class MainForm;

// The loaded sale screen, or nullptr.
MainForm* saleScreen();
// The main window that holds the sale screen's area, or nullptr (as in tests without one).
QWidget* mainWindow();
// Shows the sale screen maximized in its area, as it is after the dialogs over it close.
void maximizeSaleScreen();

}  // namespace sale
