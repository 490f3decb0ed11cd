#pragma once
// The record window the supplier and customer windows share: one record at a time from a partner
// table, with navigation, search by id prefix, New, Insert, Update and Delete. A RecordLayout
// says which table, which boxes and captions, and the few places where the two windows differ.
#include <QHash>
#include <QList>
#include <QPair>
#include <QPoint>
#include <QRect>
#include <QString>
#include <QStringList>

#include "data/partners.h"
#include "platform/form.h"
#include "platform/ui_kit.h"

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace partners {

// A text box of the record and its label; positions in twips inside Frame1.
struct BoxSpec {
  QString box;     // "txtSupId"
  QString column;  // "SupplierId"
  QString label;   // "lblSupID"; empty when the box sits under another box's label
  QString english;
  QString thai;
  QRect rect;          // the box (its height is always 315)
  QPoint labelPos;     // the label's left and top
  bool shown = true;   // false: clipped by Frame1 and never reached with Tab
  QString designText;  // what the box holds before the first row is shown
};

// A label of the record that has no box of its own.
struct LabelSpec {
  QString label;
  QString english;
  QString thai;
  QPoint pos;
};

// A record box the window carries out of sight: Frame1 clips it, its label stands to its left.
BoxSpec carriedBox(const char* box, const char* column, const char* label, const char* english,
                   const char* thai, int left, int top);

struct RecordLayout {
  const data::PartnerTable* table = nullptr;
  QString englishCaption;
  QString thaiCaption;
  int width = 0;  // the window, twips
  int height = 0;
  QRect frame1, frame2, frame3, frame4;
  QPoint msgPos;         // lblMsg inside Frame4
  QList<BoxSpec> boxes;  // the id box first
  QList<LabelSpec> extraLabels;
  QVector<plat::ui::Control> extraControls;   // a window's own controls, after the shared ones
  QStringList tabOrder;                       // control names, first to last
  QList<QPair<QString, QString>> enterChain;  // Enter in first moves the focus to second
  QString changeIdThai, changeIdEnglish;      // an empty or existing id at Insert
  QString refusalThai, refusalEnglish;        // Delete while other rows refer to the record
  QString notFoundThai, notFoundEnglish;      // Update of an id that is not in the table
  bool insertClearsCaption = false;           // the window caption goes empty after an insert
  bool showClearsMessage = false;             // showing a row empties lblMsg
};

class RecordForm : public plat::Form {
  Q_OBJECT
 public:
  explicit RecordForm(const RecordLayout& layout, QWidget* parent = nullptr);

  bool unloadsOnDeactivate() const override { return true; }
  QSize sizeHint() const override;
  QRect designGeometry() const override;
  void Form_Load() override;

  // Shows the record source's current row in the boxes.
  void QueryTxt();
  // Empties the id box and puts one blank in every other record box.
  void dcmdNew();
  // Fills FindList with the ids that begin with text; false (after telling the user) when the
  // table cannot be read.
  bool FindDat(const QString& text);

  void cmdFirst_Click();
  void cmdBack_Click();
  void cmdNext_Click();
  void cmdLast_Click();
  void cmdNew_Click();
  void cmdInsert_Click();
  void cmdUpdate_Click();
  void cmdDel_Click();
  void cmdFind_Click();
  void cmdFnext_Click();
  void cmdClose_Click();

  QLineEdit* box(const QString& name) const;
  QLabel* label(const QString& name) const;
  template <class W>
  W* control(const QString& name) const {
    return controls_.get<W>(name);
  }
  const QStringList& FindList() const { return findList_; }
  int FindPos() const { return findPos_; }
  // The record source, as this window last read it.
  const data::Snapshot& recordSource() const { return rs_; }

  QGroupBox* Frame1 = nullptr;
  QGroupBox* Frame2 = nullptr;
  QGroupBox* Frame3 = nullptr;
  QGroupBox* Frame4 = nullptr;
  QPushButton* cmdFirst = nullptr;
  QPushButton* cmdBack = nullptr;
  QPushButton* cmdNext = nullptr;
  QPushButton* cmdLast = nullptr;
  QLineEdit* txtFind = nullptr;
  QPushButton* cmdFind = nullptr;
  QPushButton* cmdFnext = nullptr;
  QPushButton* cmdInsert = nullptr;
  QPushButton* cmdUpdate = nullptr;
  QPushButton* cmdDel = nullptr;
  QPushButton* cmdNew = nullptr;
  QPushButton* cmdClose = nullptr;
  QLabel* lblMsg = nullptr;

 protected:
  // What a window adds to the shared record: columns without a box, captions, row display.
  virtual QString extraValue(const QString& column) const;
  virtual void showExtras(const data::Snapshot& row);
  virtual void afterNew() {}
  virtual void afterInsert() {}

  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QLineEdit* idBox() const { return box(layout_.boxes.front().box); }
  QStringList recordValues() const;
  // Reads the table again and stands on its first row.
  void reread();
  // Shows the first row, or blank boxes when the table is empty.
  void showFirstOrBlank();
  // Moves the record source to the row with this id; false (position kept) when it has none.
  bool locate(const QString& id);
  void tell(const QString& text);

  const RecordLayout& layout_;
  plat::ui::Controls controls_;
  data::Snapshot rs_;
  QStringList findList_;
  int findPos_ = 0;
};

}  // namespace partners
