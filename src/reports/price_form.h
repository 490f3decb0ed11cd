#pragma once
// The purchase-price editor opened from a row of the profit analysis: rewrites the unit cost of
// every purchase line of that product. While it is open the analysis stays open and disabled;
// however the editor closes, its opener is usable again.
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "platform/form.h"
#include "platform/ui_kit.h"
#include "reports/profit_analysis.h"

namespace reports {

class PriceForm : public plat::Form {
  Q_OBJECT
 public:
  explicit PriceForm(QWidget* parent = nullptr);

  void Form_Load() override;
  void Form_Unload() override;
  bool isTopLevelWindow() const override { return true; }
  QRect designGeometry() const override { return {3500, 5000, 5295, 1125}; }

  QLabel* lblPrice;
  QLineEdit* txtPrice;
  QLabel* lblBath;
  QPushButton* cmdSave;
  QPushButton* cmdExit;

  // The product and price the opener hands over after the load: the caption names the product,
  // the box holds the price, selected so that typing replaces it.
  void edit(const PriceForEdit& row);

  void cmdSave_Click();
  void cmdExit_Click();

 private:
  plat::ui::Controls controls_;
  QString pid_;  // the product Save rewrites
};

}  // namespace reports
