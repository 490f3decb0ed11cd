#include "reports/bill_form.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QStringListModel>
#include <QStyle>
#include <algorithm>

#include "data/dates.h"
#include "data/db.h"
#include "data/tell_failure.h"
#include "platform/clock.h"
#include "platform/dialogs.h"
#include "platform/keys.h"
#include "platform/print_surface_qt.h"
#include "platform/units.h"
#include "print/sale_document.h"
#include "reports/bill_cancel.h"
#include "reports/bill_layout.h"
#include "reports/bill_print.h"
#include "shell/lang.h"
#include "shell/security.h"
#include "shell/session.h"
#include "shell/settings.h"

namespace reports {

namespace {

// The window in twips, with its frame and caption bar.
constexpr int kWidth = 11840;
constexpr int kHeight = 7700;

using K = plat::ui::Kind;

// In tab order; the labels and the hidden Del take no focus from Tab.
const QVector<plat::ui::Control>& controlRows() {
  static const QVector<plat::ui::Control> rows = {
      {"txtDate", K::Box, {480, 600, 2295, 315}},
      {"txtInvNo", K::Box, {3120, 600, 855, 315}},
      {"cmdShow", K::Button, {4440, 600, 1335, 495}, "Show", "แสดง"},
      {"cmdDel", K::Button, {4440, 1200, 1335, 495}, "Cancel Bill", "ยกเลิกบิล"},
      {"cmdPrint", K::Button, {4440, 1800, 1335, 495}, "Print", "พิมพ์"},
      {"List1", K::ListView, {480, 1200, 3735, 5520}},
      {"LabelDate", K::Label, {480, 240, 2400, 240}, "Date(Day/Month/Year)", "วันที่ (วัน/เดือน/ปี)"},
      {"lblInvNo", K::Label, {3120, 240, 1185, 240}, "Invoice No.", "เลขที่บิล"},
      {"Del", K::Button, {4440, 2400, 1335, 495}, "Delete", "ลบข้อมูล"},
  };
  return rows;
}

// A caption a little wider in this font than in the designed one is shown whole.
void fitCaption(QLabel* l) { l->resize(std::max(l->width(), l->sizeHint().width()), l->height()); }

// The list's lines, all of one size: the widest line's, so the list scrolls across to every line's
// end (a list of uniform items would otherwise size them all by the first).
class LinesModel : public QStringListModel {
 public:
  using QStringListModel::QStringListModel;
  void setLines(const QStringList& lines, const QFont& font) {
    const QFontMetrics fm(font);
    hint_ = QSize(plat::widestLinePx(lines, fm) + 8, fm.height() + 2);
    setStringList(lines);
  }
  QVariant data(const QModelIndex& index, int role) const override {
    if (role == Qt::SizeHintRole) return hint_;
    return QStringListModel::data(index, role);
  }

 private:
  QSize hint_;
};

void tell(const QString& text) { plat::dialogs().message(text, QString(), plat::Icon::Warning); }

QString badDateText() {
  return shell::L(QStringLiteral("วันที่ไม่ถูกต้อง กรุณาพิมพ์เป็น วัน/เดือน/ปี เช่น 15/03/2024"),
                  QStringLiteral("The date is not valid. Type it as day/month/year, such as 15/03/2024."));
}

}  // namespace

BillF::BillF(QWidget* parent) : plat::Form(parent) {
  setObjectName(QStringLiteral("BillF"));
  setWindowTitle(QStringLiteral("Bill Report"));
  setAutoFillBackground(true);
  QPalette pal = palette();
  pal.setColor(QPalette::Window, plat::formBackground());
  setPalette(pal);
  const QFont captions = plat::captionFont(9.75, true);

  controls_.build(this, controlRows());
  for (const plat::ui::Control& c : controlRows()) {
    QWidget* w = controls_.widget(c.name);
    if (c.kind != K::ListView) w->setFont(captions);
    if (auto* l = qobject_cast<QLabel*>(w)) {
      QPalette lp = l->palette();
      lp.setColor(QPalette::WindowText, Qt::white);
      l->setPalette(lp);
      fitCaption(l);
    }
    if (c.kind == K::Box) w->installEventFilter(this);
  }
  controls_.setTabOrderAsRows();
  LabelDate = controls_.get<QLabel>("LabelDate");
  lblInvNo = controls_.get<QLabel>("lblInvNo");
  txtDate = controls_.get<QLineEdit>("txtDate");
  txtInvNo = controls_.get<QLineEdit>("txtInvNo");
  List1 = controls_.get<QListView>("List1");
  List1->setUniformItemSizes(true);
  List1->setTextElideMode(Qt::ElideNone);
  List1->setEditTriggers(QAbstractItemView::NoEditTriggers);
  List1->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  cmdShow = controls_.get<QPushButton>("cmdShow");
  cmdDel = controls_.get<QPushButton>("cmdDel");
  cmdPrint = controls_.get<QPushButton>("cmdPrint");
  Del = controls_.get<QPushButton>("Del");

  model_ = new LinesModel(this);
  List1->setModel(model_);
  txtDate->setEnabled(false);
  Del->hide();

  connect(cmdShow, &QPushButton::clicked, this, &BillF::cmdShow_Click);
  connect(cmdDel, &QPushButton::clicked, this, &BillF::cmdDel_Click);
  connect(cmdPrint, &QPushButton::clicked, this, &BillF::cmdPrint_Click);
  connect(Del, &QPushButton::clicked, this, &BillF::Del_Click);
}

QSize BillF::sizeHint() const {
  // The designed window size less its frame and caption bar.
  return QSize(plat::twipsToPx(kWidth - 120) + wider_, plat::twipsToPx(kHeight - 480));
}

void BillF::showEvent(QShowEvent* event) {
  plat::Form::showEvent(event);
  if (placed_) return;
  placed_ = true;
  if (auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget())) {
    sub->move(0, 0);
    sub->resize(plat::twipsToPx(kWidth) + wider_, plat::twipsToPx(kHeight));
  }
}

void BillF::widenListForItsLines() {
  // A bill of the longest name shown and wide figures, with the day's separator and totals after it.
  Bill sample;
  sample.number = 999999;
  sample.sellDate = QStringLiteral("2024-12-28");
  sample.sellTime = QStringLiteral("23:58:58");
  sample.employee = QStringLiteral("Somchai");
  sample.received = 99999.99;
  sample.items = {{QStringLiteral("8888888888888"), QString(12, QLatin1Char('W')), 9999.99, 999}};
  const QStringList lines = billListLines({sample}, false, BillTexts::fromSettings());
  if (!plat::widenListFor(List1, plat::widestLinePx(lines, List1->fontMetrics()),
                          {cmdShow, cmdDel, cmdPrint, Del}))
    return;
  // The window grows where the buttons would reach past its list's margin from its right edge.
  const int reach = cmdShow->geometry().right() + 1 + List1->x();
  wider_ = std::max(0, reach - sizeHint().width());
  resize(sizeHint());
}

void BillF::Form_Load() {
  resize(sizeHint());
  widenListForItsLines();
  txtDate->setText(plat::today().toString(QStringLiteral("dd/MM/yyyy")));
  if (shell::thai()) {
    setWindowTitle(QStringLiteral("รายการบิล"));
    controls_.setLanguage(plat::ui::Lang::Thai);
    fitCaption(LabelDate);
    fitCaption(lblInvNo);
  }
  // The logged-in user's level as stored now; without a row (or when it cannot be read) the
  // window stays on today without the day deletion.
  std::optional<int> level;
  try {
    level = shell::users::permission(data::Conn(), shell::session().userName);
  } catch (const data::DbError&) {
    level.reset();
  }
  if (level && *level == shell::PermAll) {
    Del->show();
    txtDate->setEnabled(true);
  }
}

QStringList BillF::lines() const { return model_->stringList(); }

std::optional<BillF::Request> BillF::request() {
  const auto day = data::parseDmy(txtDate->text());
  if (!day) {
    tell(badDateText());
    return std::nullopt;
  }
  Request r;
  r.isoDay = data::isoDate(*day);
  if (!txtInvNo->text().trimmed().isEmpty()) {
    r.billNo = parseBillNo(txtInvNo->text());
    if (!r.billNo) {
      tell(
          shell::L(QStringLiteral("เลขที่บิลต้องเป็นตัวเลข"), QStringLiteral("The bill number must be a number.")));
      return std::nullopt;
    }
  }
  return r;
}

std::optional<QVector<Bill>> BillF::gather(const Request& r) {
  try {
    return gatherBills(data::Conn(), r.isoDay, r.billNo);
  } catch (const data::DbError& e) {
    tell(shell::L(QStringLiteral("อ่านรายการบิลไม่ได้: "), QStringLiteral("The bills could not be read: ")) +
         e.text());
    return std::nullopt;
  }
}

void BillF::cmdShow_Click() {
  const auto r = request();
  if (!r) return;
  const auto bills = gather(*r);
  if (!bills) return;
  static_cast<LinesModel*>(model_)->setLines(
      billListLines(*bills, r->billNo.has_value(), BillTexts::fromSettings()), List1->font());
}

void BillF::cmdPrint_Click() {
  // No installed printer of that name (or "None"): nothing is printed and nothing is said.
  const QString printer = shell::settings().BillPrinter.toText();
  if (!plat::printers().installed().contains(printer)) return;
  const auto r = request();
  if (!r) return;
  const auto bills = gather(*r);
  if (!bills || bills->isEmpty()) return;
  const QStringList out = billPrinterLines(*bills, r->billNo.has_value(), BillTexts::fromSettings());
  plat::setCurrentPrinter(printer);
  const QString docName = r->billNo ? QStringLiteral("Bill %1").arg(print::billNoText(*r->billNo))
                                    : QStringLiteral("Bills %1").arg(data::showDate(r->isoDay));
  QString error;
  if (!printLines(out, printer, docName, &error))
    tell(shell::L(QStringLiteral("พิมพ์บิลไม่สำเร็จ: "), QStringLiteral("The bills could not be printed: ")) +
         error);
}

void BillF::cmdDel_Click() {
  const QString n = txtInvNo->text().trimmed();
  if (n.isEmpty()) return;
  const auto r = request();
  if (!r) return;
  // By design: asked in English whatever the language, before the bill is looked up.
  if (!plat::dialogs().askYesNo(QStringLiteral("Do you want Cancel Inv No.") + n)) return;
  try {
    if (!cancelBill(data::Conn(), r->isoDay, *r->billNo)) return;
  } catch (const MissingProductError& e) {
    tell(shell::L(QStringLiteral("ไม่พบสินค้ารหัส %1 ในรายการสินค้า จึงยกเลิกบิลไม่ได้"),
                  QStringLiteral("Product %1 is no longer in the product list; the bill was not cancelled."))
             .arg(e.code));
    return;
  } catch (const data::DbError& e) {
    tell(shell::L(QStringLiteral("ยกเลิกบิลไม่ได้: "), QStringLiteral("The bill could not be cancelled: ")) +
         e.text());
    return;
  }
  cmdShow_Click();
}

void BillF::Del_Click() {
  const auto day = data::parseDmy(txtDate->text());
  if (!day) {
    tell(badDateText());
    return;
  }
  const QString typed = txtDate->text();
  if (plat::dialogs().askYesNo(shell::L(QStringLiteral("คุณต้องการลบข้อมูลประจำวันที่ ") + typed,
                                        QStringLiteral("Do you Want to Delete Data ") + typed))) {
    data::tellOnFailure([&] { deleteDay(data::Conn(), data::isoDate(*day)); }, plat::Icon::Warning);
  }
  cmdShow_Click();
}

void BillF::txtDate_KeyPress(int& KeyAscii) {
  if (KeyAscii == plat::Enter) cmdShow_Click();
}

void BillF::txtInvNo_KeyPress(int& KeyAscii) {
  if (KeyAscii == plat::Enter) cmdShow_Click();
}

bool BillF::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress && (watched == txtDate || watched == txtInvNo)) {
    int key = plat::keyAsciiOf(static_cast<QKeyEvent*>(event));
    if (key != plat::Enter) return false;
    if (watched == txtDate)
      txtDate_KeyPress(key);
    else
      txtInvNo_KeyPress(key);
    return true;
  }
  return plat::Form::eventFilter(watched, event);
}

}  // namespace reports
