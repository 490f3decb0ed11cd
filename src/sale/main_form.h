#pragma once
// The cashier's sale screen: the lines of the sale in progress, the customer, the payment and the
// customer display and cash drawer.
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <memory>
#include <optional>

#include "platform/flexgrid.h"
#include "platform/form.h"
#include "platform/name_list.h"
#include "platform/ui_kit.h"
#include "print/sale_document.h"
#include "sale/pole_display.h"
#include "sale/sale_lines.h"
#include "sale/screen_state.h"

namespace sale {

class MainForm : public plat::Form {
  Q_OBJECT
 public:
  explicit MainForm(QWidget* parent = nullptr);
  ~MainForm() override;

  void Form_Load() override;
  void Form_Unload() override;
  bool opensMaximized() const override { return true; }
  QRect designGeometry() const override { return {0, 0, 11850, 7700}; }

  // Controls.
  QLabel* lblPid;
  QLineEdit* txtBar;
  plat::FlexGrid* FGrid;
  QLabel* lblNo;
  QLabel* lblDesc;
  QLabel* lblQuantity;
  QLabel* lblPrice;
  QLabel* lblTotal;
  QLineEdit* txtTotal;
  QLabel* lblVat;
  QLineEdit* txtTax;
  QLabel* lblCash;
  QLineEdit* txtPay;
  QLineEdit* txtCash;
  QFrame* FrameCash;
  QLineEdit* txtShowCash;
  QLabel* lblCash1;
  QLabel* lblCus;
  QLineEdit* txtCus;
  QLineEdit* txtCusName;
  QPushButton* cmdBrowse;
  plat::NameList* ListCusId;
  plat::NameList* ListPName;
  // By design: hidden boxes showing the screen's state (price level, employee, the edited line's
  // stock and price); the screen never reads them back.
  QLineEdit* txtDisc;
  QLineEdit* txtEmployee;
  QLineEdit* a;
  QLineEdit* txtPric;
  QPushButton* cmdMenu;
  QPushButton* cmdPay;
  QPushButton* cmdReceive;
  QPushButton* cmdClear;
  QPushButton* cmdExit;
  QPushButton* cmdBillInvoid;
  QPushButton* cmdCancel;
  QPushButton* cmd05;
  QPushButton* cmd1;
  QPushButton* cmd025;
  QPushButton* cmd10;
  QPushButton* cmd20;
  QPushButton* cmd50;
  QPushButton* cmd100;
  QPushButton* cmd500;
  QPushButton* cmd1000;
  QPushButton* cmdC;

  // The sale in progress.
  const SaleLines& lines() const { return lines_; }
  const SaleScreenState& state() const { return state_; }
  int LineCount() const { return lines_.count(); }
  double SaleTotal() const { return lines_.total(); }
  int NextQty() const { return nextQty_; }
  QString CurBillNo() const { return curBillNo_; }
  QString CusName() const { return cusName_; }
  QString CusLine1() const { return cusLine1_; }
  QString CusLine2() const { return cusLine2_; }
  bool displayOpen() const { return display_.isOpen(); }

  // Event procedures. Key procedures take the character code and set it to 0 to swallow it.
  void txtBar_KeyPress(int& keyAscii);
  void txtBar_Click();
  void CheckChr(int hotKbid, int& keyAscii);
  void ChkSearch(const QString& text);
  void cmdCancel_Click();
  void cmdExit_Click();
  void cmdMenu_Click();
  void FGrid_Click();
  void FGrid_KeyPress(int& keyAscii);
  void Form_Activate();
  void txtCus_KeyPress(int& keyAscii);
  void txtCusName_Change();
  void cmdBrowse_Click();
  void ListCusId_DblClick();
  void ListCusId_KeyPress(int& keyAscii);
  void ListCusId_LostFocus();
  void ListPName_DblClick();
  void ListPName_KeyPress(int& keyAscii);

  void cmdPay_Click();
  void cashButton_Click(QPushButton* button);
  void cmdC_Click();
  void txtPay_KeyPress(int& keyAscii);
  void cmdReceive_Click();
  void cmdClear_Click();
  // The A4 invoice of the sale on screen, not posted: no bill number.
  void cmdBillInvoid_Click();
  // By design: nothing in the program calls it. The two-up invoice under the next bill number,
  // which it leaves in CurBillNo without reserving it.
  void BillInvoidA6();

  // The pole display after the line editor changed or removed a line.
  void DisplayEdit();
  void DisplayDel();

  // For the line editor. The line the grid has current, or -1 when it holds none.
  int selectedLine() const;
  // Line `row` with the stock read when the editor was opened; nullopt when there is no such line.
  std::optional<LineForEdit> lineForEdit(int row) const;
  // Sets the quantity and unit price of line `row`; its stock left becomes the stock of
  // lineForEdit() minus the new quantity. The total and the pole display follow at once.
  void applyEdit(int row, int quantity, double unitPrice);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void changeEvent(QEvent* event) override;
  bool event(QEvent* event) override;

 private:
  void buildControls();
  QList<QPushButton*> cashButtons() const;
  // Enter in the code box: looks the code up and adds or merges a line.
  void enterCode();
  // The total box and Receive after every change of the lines.
  void refreshTotal();
  void receiveWhileLinesRemain();
  void quantityFromBox();
  void renderRow(int i);
  void renderAll();
  // The hidden boxes from state_.
  void renderState();
  void enterEntryState();
  void enterPaymentState();
  // An amount tendered above the ceiling is told and left selected in its box, Finish disabled;
  // true when it was refused.
  bool refuseTooBigTender();
  // The customer check of Receive and Finish; false after it told the cashier and emptied the boxes.
  bool checkCustomer(QString* customerId);
  void clearCustomer();
  void fillCustomerList();
  void openPicker();
  // Clear and the reset after Finish; they differ only in the display text.
  void resetSale(bool afterFinish);
  void showPortError();
  // The sale on screen as the receipts and invoices read it.
  print::SaleDocument saleDocument(qint64 billNo);

  plat::ui::Controls controls_;
  SaleLines lines_;
  SaleScreenState state_;
  int nextQty_ = 1;
  QString curBillNo_;
  QString cusName_;
  QString cusLine1_;
  QString cusLine2_;
  bool paying_ = false;
  PoleDisplay display_;
  int drawerPort_ = 0;
};

}  // namespace sale
