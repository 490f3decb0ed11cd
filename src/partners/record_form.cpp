#include "partners/record_form.h"

#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QStyle>

#include "platform/dialogs.h"
#include "platform/keys.h"
#include "platform/units.h"
#include "shell/lang.h"

namespace partners {

QRect pxRect(const QRect& twips) { return plat::twipsRect(twips); }

BoxSpec carriedBox(const char* box, const char* column, const char* label, const char* english,
                   const char* thai, int left, int top) {
  return BoxSpec{box,
                 column,
                 label,
                 english,
                 QString::fromUtf8(thai),
                 QRect(left, top, 2500, 315),
                 QPoint(qMax(120, left - 1440), top + 60),
                 false,
                 QStringLiteral(" ")};
}

namespace {
constexpr int kBoxHeight = 315;
constexpr int kLabelWidth = 1800;

QGroupBox* frame(QWidget* parent, const QString& name, const QRect& twips) {
  auto* f = new QGroupBox(parent);
  f->setObjectName(name);
  f->setGeometry(pxRect(twips));
  return f;
}

QPushButton* button(QWidget* parent, const QString& name, const QString& caption, const QRect& twips) {
  auto* b = new QPushButton(caption, parent);
  b->setObjectName(name);
  b->setGeometry(pxRect(twips));
  // Enter on a focused button presses it, as Space does.
  b->setAutoDefault(true);
  return b;
}

QPushButton* pictureButton(QWidget* parent, const QString& name, QStyle::StandardPixmap picture,
                           const QString& tip, const QRect& twips) {
  QPushButton* b = button(parent, name, QString(), twips);
  b->setIcon(parent->style()->standardIcon(picture));
  b->setToolTip(tip);
  return b;
}

QLabel* makeLabel(QWidget* parent, const QString& name, const QString& caption, const QPoint& twips) {
  auto* l = new QLabel(caption, parent);
  l->setObjectName(name);
  l->setGeometry(pxRect(QRect(twips, QSize(kLabelWidth, kBoxHeight - 60))));
  return l;
}

// The id box takes digits and the control keys (Backspace, Enter, the clipboard shortcuts).
bool idKeyDiscarded(const QKeyEvent* e) {
  const int c = plat::keyAsciiOf(e);
  if (c < 0 || c <= 26) return false;  // arrows, Home, End, Delete, shortcuts, control keys
  return !(c >= '0' && c <= '9');
}
}  // namespace

RecordForm::RecordForm(const RecordLayout& layout, QWidget* parent) : plat::Form(parent), layout_(layout) {
  setFont(plat::captionFont());
  setWindowTitle(layout_.englishCaption);

  Frame2 = frame(this, QStringLiteral("Frame2"), layout_.frame2);
  cmdFirst = pictureButton(Frame2, QStringLiteral("cmdFirst"), QStyle::SP_MediaSkipBackward,
                           QStringLiteral("ระเบียนแรก"), QRect(480, 240, 975, 495));
  cmdBack = pictureButton(Frame2, QStringLiteral("cmdBack"), QStyle::SP_MediaSeekBackward,
                          QStringLiteral("ระเบียนก่อน"), QRect(1560, 240, 975, 495));
  cmdNext = pictureButton(Frame2, QStringLiteral("cmdNext"), QStyle::SP_MediaSeekForward,
                          QStringLiteral("ระเบียนถัดไป"), QRect(2640, 240, 975, 495));
  cmdLast = pictureButton(Frame2, QStringLiteral("cmdLast"), QStyle::SP_MediaSkipForward,
                          QStringLiteral("ระเบียนสุดท้าย"), QRect(3720, 240, 855, 495));
  txtFind = new QLineEdit(Frame2);
  txtFind->setObjectName(QStringLiteral("txtFind"));
  txtFind->setGeometry(pxRect(QRect(480, 840, 1935, 495)));
  cmdFind = pictureButton(Frame2, QStringLiteral("cmdFind"), QStyle::SP_FileDialogContentsView,
                          QStringLiteral("ค้นหา"), QRect(2520, 840, 735, 495));
  cmdFnext =
      button(Frame2, QStringLiteral("cmdFnext"), QStringLiteral("Find Next"), QRect(3360, 840, 1215, 495));

  Frame3 = frame(this, QStringLiteral("Frame3"), layout_.frame3);
  cmdInsert =
      button(Frame3, QStringLiteral("cmdInsert"), QStringLiteral("Insert"), QRect(240, 600, 975, 495));
  cmdUpdate =
      button(Frame3, QStringLiteral("cmdUpdate"), QStringLiteral("Update"), QRect(1320, 600, 975, 495));
  cmdDel = button(Frame3, QStringLiteral("cmdDel"), QStringLiteral("Delete"), QRect(2400, 600, 975, 495));
  cmdNew = button(Frame3, QStringLiteral("cmdNew"), QStringLiteral("New"), QRect(3480, 600, 975, 495));
  cmdClose = button(Frame3, QStringLiteral("cmdClose"), QStringLiteral("Close"), QRect(4560, 600, 975, 495));

  // Boxes placed below the frame's height are clipped by it: they carry their columns unseen.
  Frame1 = frame(this, QStringLiteral("Frame1"), layout_.frame1);
  for (const BoxSpec& s : layout_.boxes) {
    if (!s.label.isEmpty()) labels_.insert(s.label, makeLabel(Frame1, s.label, s.english, s.labelPos));
    auto* b = new QLineEdit(s.designText, Frame1);
    b->setObjectName(s.box);
    b->setGeometry(pxRect(QRect(s.rect.topLeft(), QSize(s.rect.width(), kBoxHeight))));
    if (!s.shown) b->setFocusPolicy(Qt::NoFocus);
    b->installEventFilter(this);
    boxes_.insert(s.box, b);
  }
  for (const LabelSpec& s : layout_.extraLabels)
    labels_.insert(s.label, makeLabel(Frame1, s.label, s.english, s.pos));

  Frame4 = frame(this, QStringLiteral("Frame4"), layout_.frame4);
  lblMsg = new QLabel(Frame4);
  lblMsg->setObjectName(QStringLiteral("lblMsg"));
  lblMsg->setGeometry(
      pxRect(QRect(layout_.msgPos, QSize(layout_.frame4.width() - 2 * layout_.msgPos.x(), 315))));

  connect(cmdFirst, &QPushButton::clicked, this, &RecordForm::cmdFirst_Click);
  connect(cmdBack, &QPushButton::clicked, this, &RecordForm::cmdBack_Click);
  connect(cmdNext, &QPushButton::clicked, this, &RecordForm::cmdNext_Click);
  connect(cmdLast, &QPushButton::clicked, this, &RecordForm::cmdLast_Click);
  connect(cmdFind, &QPushButton::clicked, this, &RecordForm::cmdFind_Click);
  connect(cmdFnext, &QPushButton::clicked, this, &RecordForm::cmdFnext_Click);
  connect(cmdInsert, &QPushButton::clicked, this, &RecordForm::cmdInsert_Click);
  connect(cmdUpdate, &QPushButton::clicked, this, &RecordForm::cmdUpdate_Click);
  connect(cmdDel, &QPushButton::clicked, this, &RecordForm::cmdDel_Click);
  connect(cmdNew, &QPushButton::clicked, this, &RecordForm::cmdNew_Click);
  connect(cmdClose, &QPushButton::clicked, this, &RecordForm::cmdClose_Click);
}

QSize RecordForm::sizeHint() const {
  // The designed window size less its frame and caption bar.
  const QSize client = clientTwips({layout_.width, layout_.height});
  return QSize(plat::twipsToPx(client.width()), plat::twipsToPx(client.height()));
}

QRect RecordForm::designGeometry() const { return {0, 0, layout_.width, layout_.height}; }

void RecordForm::Form_Load() {
  resize(sizeHint());
  if (shell::thai()) {
    setWindowTitle(layout_.thaiCaption);
    for (const BoxSpec& s : layout_.boxes)
      if (QLabel* l = labels_.value(s.label)) l->setText(s.thai);
    for (const LabelSpec& s : layout_.extraLabels) labels_.value(s.label)->setText(s.thai);
    cmdFnext->setText(QStringLiteral("ค้นหาต่อ"));
    cmdInsert->setText(QStringLiteral("เพิ่ม"));
    cmdUpdate->setText(QStringLiteral("แก้ไข"));
    cmdDel->setText(QStringLiteral("ลบ"));
    cmdNew->setText(QStringLiteral("เริ่มใหม่"));
    cmdClose->setText(QStringLiteral("ปิด"));
    setThaiExtras();
  }
  applyTabOrder();
  try {
    rs_ = data::partnerRows(*layout_.table);
  } catch (const data::DbError& e) {
    tell(e.text());
    return;
  }
  // An empty table leaves the design texts in the boxes.
  if (!rs_.empty()) {
    rs_.moveFirst();
    QueryTxt();
  }
}

void RecordForm::applyTabOrder() {
  QWidget* first = nullptr;
  QWidget* prev = nullptr;
  for (const QString& name : layout_.tabOrder) {
    auto* w = findChild<QWidget*>(name);
    if (!w) continue;
    if (prev) QWidget::setTabOrder(prev, w);
    if (!first) first = w;
    prev = w;
  }
  // Tab from the last stop comes round to the first.
  if (first && prev != first) QWidget::setTabOrder(prev, first);
}

void RecordForm::tell(const QString& text) { plat::dialogs().message(text, QString()); }

void RecordForm::QueryTxt() {
  if (rs_.eof() || rs_.bof()) return;
  bool first = true;
  for (const BoxSpec& s : layout_.boxes) {
    // The id as stored; one blank stands for a column without a value.
    const QString v = first || !rs_.isNull(s.column) ? rs_.text(s.column) : QStringLiteral(" ");
    boxes_.value(s.box)->setText(v);
    first = false;
  }
  showExtras(rs_);
  if (layout_.showClearsMessage) lblMsg->clear();
}

QString RecordForm::extraValue(const QString&) const { return QString(); }
void RecordForm::showExtras(const data::Snapshot&) {}

void RecordForm::dcmdNew() {
  for (const BoxSpec& s : layout_.boxes) boxes_.value(s.box)->setText(QStringLiteral(" "));
  idBox()->clear();
}

QStringList RecordForm::recordValues() const {
  QStringList values;
  for (const QString& column : layout_.table->columns) {
    QString v;
    bool boxed = false;
    for (const BoxSpec& s : layout_.boxes)
      if (s.column == column) {
        v = boxes_.value(s.box)->text();
        boxed = true;
        break;
      }
    values << (boxed ? v : extraValue(column));
  }
  return values;
}

void RecordForm::reread() {
  rs_ = data::partnerRows(*layout_.table);
  rs_.moveFirst();
}

void RecordForm::showFirstOrBlank() {
  if (!rs_.empty()) {
    rs_.moveFirst();
    QueryTxt();
    return;
  }
  dcmdNew();
  if (layout_.showClearsMessage) lblMsg->clear();
}

bool RecordForm::locate(const QString& id) {
  const int was = rs_.position();
  rs_.moveFirst();
  if (rs_.find(layout_.table->idColumn(), id)) return true;
  rs_.moveTo(was);
  return false;
}

void RecordForm::cmdFirst_Click() {
  if (rs_.empty()) return;
  rs_.moveFirst();
  QueryTxt();
}

void RecordForm::cmdBack_Click() {
  if (rs_.empty()) return;
  rs_.movePrevious();
  if (rs_.bof()) rs_.moveFirst();
  QueryTxt();
}

void RecordForm::cmdNext_Click() {
  if (rs_.empty()) return;
  rs_.moveNext();
  if (rs_.eof()) rs_.moveLast();
  QueryTxt();
}

void RecordForm::cmdLast_Click() {
  if (rs_.empty()) return;
  rs_.moveLast();
  QueryTxt();
}

void RecordForm::cmdNew_Click() {
  dcmdNew();
  afterNew();
  idBox()->setFocus();
  idBox()->end(false);
}

void RecordForm::cmdInsert_Click() {
  try {
    const data::InsertOutcome outcome = data::insertPartner(*layout_.table, recordValues());
    if (outcome != data::InsertOutcome::Inserted) {
      // The boxes keep what the user typed, so the id can be changed and Insert pressed again.
      tell(shell::L(layout_.changeIdThai, layout_.changeIdEnglish));
      return;
    }
    reread();
  } catch (const data::DbError& e) {
    tell(e.text());
    return;
  }
  if (layout_.insertClearsCaption) setWindowTitle(QString());
  afterInsert();
  dcmdNew();
}

void RecordForm::cmdUpdate_Click() {
  try {
    if (data::updatePartner(*layout_.table, recordValues()) == 0) {
      tell(shell::L(layout_.notFoundThai, layout_.notFoundEnglish));
      return;
    }
    reread();
  } catch (const data::DbError& e) {
    tell(e.text());
    return;
  }
  // The boxes keep the values just written.
  lblMsg->setText(QStringLiteral("Update Data Completed"));
}

void RecordForm::cmdDel_Click() {
  const QString id = idBox()->text();
  if (!plat::dialogs().askYesNo(QStringLiteral("Do you Want to Delete ") + id, QString())) return;
  try {
    if (data::deletePartner(*layout_.table, id) == data::DeleteOutcome::Referenced) {
      tell(shell::L(layout_.refusalThai, layout_.refusalEnglish));
      return;
    }
    reread();
  } catch (const data::DbError& e) {
    tell(e.text());
    return;
  }
  showFirstOrBlank();
}

bool RecordForm::FindDat(const QString& text) {
  findList_.clear();
  try {
    findList_ = data::partnerIdsStartingWith(*layout_.table, text);
  } catch (const data::DbError& e) {
    tell(e.text());
    return false;
  }
  return true;
}

void RecordForm::cmdFind_Click() {
  findPos_ = 0;
  if (!FindDat(txtFind->text())) return;
  if (findList_.isEmpty() || !locate(findList_.front())) {
    // The boxes keep the record shown before.
    tell(QStringLiteral("Not Found"));
    return;
  }
  QueryTxt();
}

void RecordForm::cmdFnext_Click() {
  if (findPos_ >= findList_.size()) return;
  ++findPos_;
  // After the last result the display stays on it.
  if (findPos_ >= findList_.size()) return;
  if (locate(findList_.at(findPos_))) QueryTxt();
}

void RecordForm::cmdClose_Click() { unload(); }

bool RecordForm::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress) return plat::Form::eventFilter(watched, event);
  auto* e = static_cast<QKeyEvent*>(event);
  auto* from = qobject_cast<QLineEdit*>(watched);
  if (!from) return false;
  if (from == idBox() && idKeyDiscarded(e)) return true;
  if (e->key() != Qt::Key_Return && e->key() != Qt::Key_Enter) return false;
  for (const auto& step : layout_.enterChain) {
    if (step.first != from->objectName()) continue;
    auto* to = findChild<QWidget*>(step.second);
    if (!to) return true;
    to->setFocus();
    if (auto* t = qobject_cast<QLineEdit*>(to)) t->end(false);
    return true;
  }
  return false;
}

}  // namespace partners
