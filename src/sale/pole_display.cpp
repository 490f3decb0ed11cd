#include "sale/pole_display.h"

#include "platform/numtext.h"

namespace sale {

namespace {
const QByteArray kFirstScreen = "Price           0.00Total           0.00";
const QByteArray kClearScreen = "          0.00Total           0.00";   // follows "Price "
const QByteArray kResetScreen = "           0.00Total           0.00";  // follows "Cash "
const QByteArray kPriceLabel = "Price ";
const QByteArray kTotalLabel = "Total ";
const QByteArray kChangeLabel = "Change";
const QByteArray kCashLabel = "Cash ";
const QByteArray kUnloadCodes("\x04\x01\x25\x17\x0D", 5);
}  // namespace

QByteArray padFor(int n) {
  if (n >= 1 && n <= 12) return QByteArray(14 - n, ' ');
  return QByteArray(1, ' ');
}

PoleDisplay::PoleDisplay() = default;
PoleDisplay::~PoleDisplay() {
  if (line_) line_->close();
}

bool PoleDisplay::open(int port, QString* error) {
  if (line_) line_->close();
  line_ = plat::newSerialLine();
  if (!line_->open(port, error)) {
    line_.reset();
    return false;
  }
  send("\r");
  send(kFirstScreen);
  send(kPriceLabel);
  return true;
}

bool PoleDisplay::isOpen() const { return line_ && line_->isOpen(); }

void PoleDisplay::send(const QByteArray& bytes) {
  if (line_) line_->write(bytes);
}

void PoleDisplay::sendNumber(const QString& text) {
  send(padFor(static_cast<int>(text.size())));
  send(text.toLatin1());
}

void PoleDisplay::screen(double saleTotal) {
  send(kTotalLabel);
  sendNumber(plat::fmtMoney(saleTotal));
  send(kPriceLabel);
}

void PoleDisplay::lineAdded(double unitPrice, double saleTotal) {
  if (!line_) return;
  sendNumber(plat::fmtMoney(unitPrice));
  screen(saleTotal);
}

void PoleDisplay::lineEdited(double unitPrice, double saleTotal) { lineAdded(unitPrice, saleTotal); }

void PoleDisplay::lineRemoved(double saleTotal) {
  if (!line_) return;
  sendNumber(QStringLiteral("0.00"));
  screen(saleTotal);
}

void PoleDisplay::finished(double tendered, double change) {
  if (!line_) return;
  sendNumber(plat::fmtMoney(tendered));
  send(kChangeLabel);
  sendNumber(plat::fmtMoney(change));
  send(kCashLabel);
}

void PoleDisplay::reset() {
  if (!line_) return;
  send(kResetScreen);
  send(kPriceLabel);
}

void PoleDisplay::clear() {
  if (!line_) return;
  send(kClearScreen);
  send(kPriceLabel);
}

void PoleDisplay::close() {
  if (!line_) return;
  send(kUnloadCodes);
  send("\r");
  send("\b");
  send("\b");
  send("      ");
  send(kClearScreen);
  line_->flush();
  line_->close();
  line_.reset();
}

QByteArray drawerKickBytes() { return QByteArray(21, '0'); }

bool kickDrawer(int port, QString* error) {
  auto line = plat::newSerialLine();
  if (!line->open(port, error)) return false;
  const bool ok = line->write(drawerKickBytes());
  // The kick must have left the port before it closes, or the drawer may never see it.
  line->flush();
  line->close();
  if (!ok && error) *error = QStringLiteral("The drawer kick could not be written.");
  return ok;
}

}  // namespace sale
