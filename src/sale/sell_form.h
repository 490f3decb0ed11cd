#pragma once
// The touch picker: a strip of categories, 24 product buttons and a keypad. OK hands the chosen
// product and quantity to the sale screen, which makes the line at once; the picker then stays in
// front for the next product until Close.
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVector>

#include "platform/form.h"
#include "platform/ui_kit.h"
#include "sale/picker.h"

namespace sale {

class SellForm : public plat::Form {
  Q_OBJECT
 public:
  explicit SellForm(QWidget* parent = nullptr);

  void Form_Load() override;
  void Form_Unload() override;
  bool isTopLevelWindow() const override { return true; }
  QRect designGeometry() const override { return {0, 0, 14850, 10000}; }

  QFrame* Frame1;
  QPushButton* cmdBack;
  QVector<QPushButton*> cmdMenu;  // 4
  QPushButton* cmdNext;
  QFrame* Frame2;
  QVector<QPushButton*> cmdPro;  // 24
  QPushButton* cmdUp;
  QPushButton* cmdDown;
  QFrame* Frame3;
  QLabel* lblPName;
  QLineEdit* txtName;
  QPushButton* cmdClose;
  QLabel* lblStock;
  QLineEdit* txtStock;
  QPushButton* cmdChk;
  QLabel* lblQuantity;
  QLineEdit* txtQ;
  QVector<QPushButton*> cmdNum;  // 10
  QPushButton* cmdClear;
  QPushButton* cmdOk;

  // The code carried by the name box and the re-order point carried by the stock box.
  QString nameTag() const { return nameTag_; }
  double stockTag() const { return stockTag_; }

  void PButton(const QString& cid);
  void ClearB();
  void cmdMenu_Click(int index);
  void cmdNext_Click();
  void cmdBack_Click();
  void cmdDown_Click();
  void cmdUp_Click();
  void cmdPro_Click(int index);
  // Reads the chosen product's stock and re-order point; false when it is no longer there.
  bool cmdChk_Click();
  void cmdNum_Click(int index);
  void cmdClear_Click();
  void txtQ_KeyPress(int& keyAscii);
  void txtStock_Click();
  void cmdOk_Click();
  void cmdClose_Click();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void showStrip();
  void showProducts();
  void showStock(double stock);
  plat::ui::Controls controls_;
  CategoryStrip strip_;
  ProductWindow products_;
  QString nameTag_;
  double stockTag_ = 0;
  double stock_ = 0;  // the chosen product's stock on hand as last read; the stock box shows it
  QString lastPid_;   // the product chosen last: choosing it again counts up
  bool qtyReplace_ = false;
};

}  // namespace sale
