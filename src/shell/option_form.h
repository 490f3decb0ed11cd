#pragma once
// "Setting": the one window where the shop edits its settings record. Its load copies the settings
// into the controls; OK checks the number boxes and a changed database path, then copies the
// controls back and asks whether to restart. The four groups of option buttons store their setting
// when clicked. The database chooser opened from it counts as its own dialog.
#include <QButtonGroup>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "platform/form.h"
#include "platform/ui_kit.h"

namespace shell {

class OptionF : public plat::Form {
  Q_OBJECT
 public:
  OptionF();
  bool unloadsOnDeactivate() const override { return true; }
  bool opensMaximized() const override { return true; }
  void Form_Load() override;
  void Form_Unload() override;

  void OKButton_Click();
  void cmbCancel_Click() { unload(); }
  void cmdBrowse_Click();
  void OptionType_Click(int index);
  void OptionSize_Click(int index);
  void OptLang_Click(int index);
  void OptBillCon_Click(int index);
  // Key procedures: set keyAscii to 0 to drop the typed character.
  void txtTaxVal_KeyPress(int& keyAscii);
  void txtFontSize_KeyPress(int& keyAscii);
  void txtFntBill_KeyPress(int& keyAscii);

  // Any control by its name ("txtName", "FrPrint", "OptionType(2)").
  QWidget* control(const QString& name) const { return controls_.widget(name); }

  QLineEdit *txtName, *txtAddress, *txtAddress1, *txtPhone, *txtTaxVal, *txtheadinvoice, *txtTaxID, *txtPOS,
      *txtTotalVat, *txtFontSize, *txtFntBill, *txtDatabase, *txtline1, *txtline2, *txtline3, *txtline4;
  QLineEdit *txtDisplay, *txtDrawer;  // hidden
  QComboBox *cmbdisplay, *cmbdrawer, *cmbBrowseBillPrinter, *cmbBrowseReportPrinter, *cmbFont;
  QGroupBox *FrComInfo, *FrComset, *FrPrint, *FramePortPrinter, *FrameSizeBill, *FrLang, *FraBillCon,
      *frdatabase, *frBillPrinter, *FraFont, *frReportPrinter, *FrtextInvoice;
  QLabel *lblFont, *lblFontBill, *lblBillPrinter, *lblFontName;
  QRadioButton* OptionType[6];
  QRadioButton* OptionSize[3];
  QRadioButton* OptLang[2];
  QRadioButton* OptBillCon[2];
  QPushButton *cmdBrowse, *OKButton, *cmbCancel;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // False (after telling which box and moving there) when a box holds what cannot be stored.
  bool checkBoxes();
  void refuse(QLineEdit* box, const QString& thaiText, const QString& englishText);

  plat::ui::Controls controls_;
  // The texts the checked boxes held at load: a box left as loaded is stored as before.
  QString loadedVat_, loadedFontSize_, loadedFntBill_, loadedDatabase_;
};

}  // namespace shell
