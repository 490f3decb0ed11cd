#include "reports/price_form.h"

#include "data/db.h"
#include "data/tell_failure.h"
#include "platform/char_filter.h"
#include "platform/dialogs.h"
#include "platform/ui_kit.h"
#include "platform/units.h"
#include "shell/ceiling_message.h"
#include "shell/lang.h"

namespace reports {

using shell::L;

namespace {
using K = plat::ui::Kind;
const QVector<plat::ui::Control>& controlRows() {
  static const QVector<plat::ui::Control> rows = {
      {"lblPrice", K::Label, {120, 300, 700, 315}, "Price", "ราคา"},
      {"txtPrice", K::Box, {840, 240, 1500, 375}},
      {"lblBath", K::Label, {2400, 300, 600, 315}, "Baht", "บาท"},
      {"cmdSave", K::Button, {3060, 210, 1000, 420}, "Save", "บันทึก"},
      {"cmdExit", K::Button, {4140, 210, 1000, 420}, "Cancel", "ยกเลิก"},
  };
  return rows;
}
}  // namespace

PriceForm::PriceForm(QWidget* parent) : plat::Form(parent) {
  controls_.build(this, controlRows());
  lblPrice = controls_.get<QLabel>("lblPrice");
  txtPrice = controls_.get<QLineEdit>("txtPrice");
  lblBath = controls_.get<QLabel>("lblBath");
  cmdSave = controls_.get<QPushButton>("cmdSave");
  cmdExit = controls_.get<QPushButton>("cmdExit");
  // Small and fixed: a title and a close box, no minimise or maximise.
  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
  const QSize client = clientTwips(designGeometry().size());
  setFixedSize(plat::twipsToPx(client.width()), plat::twipsToPx(client.height()));

  plat::filterChars(txtPrice, QStringLiteral("0123456789."));
  connect(txtPrice, &QLineEdit::returnPressed, this, [this] { cmdSave_Click(); });
  connect(cmdSave, &QPushButton::clicked, this, [this] { cmdSave_Click(); });
  connect(cmdExit, &QPushButton::clicked, this, [this] { cmdExit_Click(); });
}

void PriceForm::Form_Load() {
  txtPrice->setFocus();
  controls_.setLanguage(shell::lang());
}

void PriceForm::edit(const PriceForEdit& row) {
  pid_ = row.pid;
  setWindowTitle(row.name);
  txtPrice->setText(row.price);
  txtPrice->selectAll();
}

// However the editor goes (Save, Cancel, its frame), the window that opened it is usable again.
void PriceForm::Form_Unload() {
  if (plat::Form* opener = ownerForm()) opener->setEnabled(true);
}

void PriceForm::cmdSave_Click() {
  const std::optional<double> price = parsePurchasePrice(txtPrice->text());
  // A barcode scanned into the box is a number too: it must never become every lot's cost.
  const bool over = price && plat::aboveCeiling(*price, plat::Ceiling::Money);
  if (!price || over) {
    plat::dialogs().message(
        over
            ? shell::overCeilingMessage(QStringLiteral("ราคา"), QStringLiteral("Price"), plat::Ceiling::Money)
            : L(QStringLiteral("กรุณาใส่ราคาเป็นตัวเลข"), QStringLiteral("Please type the price as a number")));
    txtPrice->setFocus();
    txtPrice->selectAll();
    return;
  }
  if (data::tellOnFailure([&] { setPurchasePrice(pid_, *price); })) unload();
}

void PriceForm::cmdExit_Click() { unload(); }

}  // namespace reports
