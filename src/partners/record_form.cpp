#include "partners/record_form.h"

#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QStyle>

#include "data/tell_failure.h"
#include "platform/dialogs.h"
#include "platform/keys.h"
#include "platform/units.h"
#include "shell/lang.h"

namespace partners {

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

// The window's controls: the navigation and search frame, the command frame, the record's labels
// and boxes (boxes below Frame1's height are clipped by it: they carry their columns unseen), the
// message frame, then the window's own.
QVector<plat::ui::Control> controlRows(const RecordLayout& l) {
  using K = plat::ui::Kind;
  QVector<plat::ui::Control> v = {
      {"Frame2", K::Frame, l.frame2},
      // By design: the pictures' tips are Thai in both languages.
      {"cmdFirst", K::PictureButton, {480, 240, 975, 495}, "ระเบียนแรก", "ระเบียนแรก", "Frame2"},
      {"cmdBack", K::PictureButton, {1560, 240, 975, 495}, "ระเบียนก่อน", "ระเบียนก่อน", "Frame2"},
      {"cmdNext", K::PictureButton, {2640, 240, 975, 495}, "ระเบียนถัดไป", "ระเบียนถัดไป", "Frame2"},
      {"cmdLast", K::PictureButton, {3720, 240, 855, 495}, "ระเบียนสุดท้าย", "ระเบียนสุดท้าย", "Frame2"},
      {"txtFind", K::Box, {480, 840, 1935, 495}, "", "", "Frame2"},
      {"cmdFind", K::PictureButton, {2520, 840, 735, 495}, "ค้นหา", "ค้นหา", "Frame2"},
      {"cmdFnext", K::Button, {3360, 840, 1215, 495}, "Find Next", "ค้นหาต่อ", "Frame2"},
      {"Frame3", K::Frame, l.frame3},
      {"cmdInsert", K::Button, {240, 600, 975, 495}, "Insert", "เพิ่ม", "Frame3"},
      {"cmdUpdate", K::Button, {1320, 600, 975, 495}, "Update", "แก้ไข", "Frame3"},
      {"cmdDel", K::Button, {2400, 600, 975, 495}, "Delete", "ลบ", "Frame3"},
      {"cmdNew", K::Button, {3480, 600, 975, 495}, "New", "เริ่มใหม่", "Frame3"},
      {"cmdClose", K::Button, {4560, 600, 975, 495}, "Close", "ปิด", "Frame3"},
      {"Frame1", K::Frame, l.frame1},
  };
  const QSize labelSize(kLabelWidth, kBoxHeight - 60);
  for (const BoxSpec& s : l.boxes) {
    if (!s.label.isEmpty())
      v.push_back({s.label, K::Label, QRect(s.labelPos, labelSize), s.english, s.thai, "Frame1"});
    v.push_back({s.box, K::Box, QRect(s.rect.topLeft(), QSize(s.rect.width(), kBoxHeight)), s.designText, "",
                 "Frame1"});
  }
  for (const LabelSpec& s : l.extraLabels)
    v.push_back({s.label, K::Label, QRect(s.pos, labelSize), s.english, s.thai, "Frame1"});
  v.push_back({"Frame4", K::Frame, l.frame4});
  v.push_back({"lblMsg", K::Label, QRect(l.msgPos, QSize(l.frame4.width() - 2 * l.msgPos.x(), 315)), "", "",
               "Frame4"});
  v += l.extraControls;
  return v;
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

  controls_.build(this, controlRows(layout_));
  Frame1 = control<QGroupBox>("Frame1");
  Frame2 = control<QGroupBox>("Frame2");
  Frame3 = control<QGroupBox>("Frame3");
  Frame4 = control<QGroupBox>("Frame4");
  cmdFirst = control<QPushButton>("cmdFirst");
  cmdBack = control<QPushButton>("cmdBack");
  cmdNext = control<QPushButton>("cmdNext");
  cmdLast = control<QPushButton>("cmdLast");
  txtFind = control<QLineEdit>("txtFind");
  cmdFind = control<QPushButton>("cmdFind");
  cmdFnext = control<QPushButton>("cmdFnext");
  cmdInsert = control<QPushButton>("cmdInsert");
  cmdUpdate = control<QPushButton>("cmdUpdate");
  cmdDel = control<QPushButton>("cmdDel");
  cmdNew = control<QPushButton>("cmdNew");
  cmdClose = control<QPushButton>("cmdClose");
  lblMsg = control<QLabel>("lblMsg");
  plat::ui::setPicture(cmdFirst, QStyle::SP_MediaSkipBackward);
  plat::ui::setPicture(cmdBack, QStyle::SP_MediaSeekBackward);
  plat::ui::setPicture(cmdNext, QStyle::SP_MediaSeekForward);
  plat::ui::setPicture(cmdLast, QStyle::SP_MediaSkipForward);
  plat::ui::setPicture(cmdFind, QStyle::SP_FileDialogContentsView);
  for (const BoxSpec& s : layout_.boxes) {
    QLineEdit* b = box(s.box);
    if (!s.shown) b->setFocusPolicy(Qt::NoFocus);
    b->installEventFilter(this);
  }

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

QLineEdit* RecordForm::box(const QString& name) const { return controls_.get<QLineEdit>(name); }
QLabel* RecordForm::label(const QString& name) const { return controls_.get<QLabel>(name); }

QSize RecordForm::sizeHint() const {
  // The designed window size less its frame and caption bar.
  const QSize client = clientTwips({layout_.width, layout_.height});
  return QSize(plat::twipsToPx(client.width()), plat::twipsToPx(client.height()));
}

QRect RecordForm::designGeometry() const { return {0, 0, layout_.width, layout_.height}; }

void RecordForm::Form_Load() {
  resize(sizeHint());
  if (shell::thai()) setWindowTitle(layout_.thaiCaption);
  controls_.setLanguage(shell::lang());
  // Tab from the last stop comes round to the first.
  controls_.setTabOrder(layout_.tabOrder, true);
  if (!data::tellOnFailure([&] { rs_ = data::partnerRows(*layout_.table); })) return;
  // An empty table leaves the design texts in the boxes.
  if (!rs_.empty()) {
    rs_.moveFirst();
    QueryTxt();
  }
}

void RecordForm::tell(const QString& text) { plat::dialogs().message(text, QString()); }

void RecordForm::QueryTxt() {
  if (rs_.eof() || rs_.bof()) return;
  bool first = true;
  for (const BoxSpec& s : layout_.boxes) {
    // The id as stored; one blank stands for a column without a value.
    const QString v = first || !rs_.isNull(s.column) ? rs_.text(s.column) : QStringLiteral(" ");
    box(s.box)->setText(v);
    first = false;
  }
  showExtras(rs_);
  if (layout_.showClearsMessage) lblMsg->clear();
}

QString RecordForm::extraValue(const QString&) const { return QString(); }
void RecordForm::showExtras(const data::Snapshot&) {}

void RecordForm::dcmdNew() {
  for (const BoxSpec& s : layout_.boxes) box(s.box)->setText(QStringLiteral(" "));
  idBox()->clear();
}

QStringList RecordForm::recordValues() const {
  QStringList values;
  for (const QString& column : layout_.table->columns) {
    QString v;
    bool boxed = false;
    for (const BoxSpec& s : layout_.boxes)
      if (s.column == column) {
        v = box(s.box)->text();
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
  data::InsertOutcome outcome = data::InsertOutcome::Inserted;
  if (!data::tellOnFailure([&] {
        outcome = data::insertPartner(*layout_.table, recordValues());
        if (outcome == data::InsertOutcome::Inserted) reread();
      }))
    return;
  if (outcome != data::InsertOutcome::Inserted) {
    // The boxes keep what the user typed, so the id can be changed and Insert pressed again.
    tell(shell::L(layout_.changeIdThai, layout_.changeIdEnglish));
    return;
  }
  if (layout_.insertClearsCaption) setWindowTitle(QString());
  afterInsert();
  dcmdNew();
}

void RecordForm::cmdUpdate_Click() {
  int updated = 0;
  if (!data::tellOnFailure([&] {
        updated = data::updatePartner(*layout_.table, recordValues());
        if (updated != 0) reread();
      }))
    return;
  if (updated == 0) {
    tell(shell::L(layout_.notFoundThai, layout_.notFoundEnglish));
    return;
  }
  // The boxes keep the values just written.
  lblMsg->setText(QStringLiteral("Update Data Completed"));
}

void RecordForm::cmdDel_Click() {
  const QString id = idBox()->text();
  if (!plat::dialogs().askYesNo(QStringLiteral("Do you Want to Delete ") + id, QString())) return;
  bool referenced = false;
  if (!data::tellOnFailure([&] {
        referenced = data::deletePartner(*layout_.table, id) == data::DeleteOutcome::Referenced;
        if (!referenced) reread();
      }))
    return;
  if (referenced) {
    tell(shell::L(layout_.refusalThai, layout_.refusalEnglish));
    return;
  }
  showFirstOrBlank();
}

bool RecordForm::FindDat(const QString& text) {
  findList_.clear();
  return data::tellOnFailure([&] { findList_ = data::partnerIdsStartingWith(*layout_.table, text); });
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
