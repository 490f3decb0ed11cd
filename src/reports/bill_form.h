#pragma once
// The bill list: a day's bills (or one bill) as receipt text, with reprint, bill cancellation and,
// for level 0, deletion of the day.
#include <QStringList>
#include <QVector>
#include <optional>

#include "platform/form.h"
#include "platform/ui_kit.h"
#include "reports/bill_gather.h"

class QLabel;
class QLineEdit;
class QListView;
class QPushButton;
class QStringListModel;

namespace reports {

class BillF : public plat::Form {
  Q_OBJECT
 public:
  explicit BillF(QWidget* parent = nullptr);

  bool unloadsOnDeactivate() const override { return true; }
  QSize sizeHint() const override;
  void Form_Load() override;

  // Fills the list for the day in txtDate and the bill number in txtInvNo.
  void cmdShow_Click();
  void cmdPrint_Click();
  void cmdDel_Click();
  void Del_Click();
  void txtDate_KeyPress(int& KeyAscii);
  void txtInvNo_KeyPress(int& KeyAscii);

  // The lines of List1.
  QStringList lines() const;

  QLabel* LabelDate = nullptr;
  QLineEdit* txtDate = nullptr;
  QLabel* lblInvNo = nullptr;
  QLineEdit* txtInvNo = nullptr;
  QListView* List1 = nullptr;
  QPushButton* cmdShow = nullptr;
  QPushButton* cmdDel = nullptr;
  QPushButton* cmdPrint = nullptr;
  QPushButton* Del = nullptr;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  // Widens the list to its widest line in its font, the buttons beside it moving along.
  void widenListForItsLines();
  struct Request {
    QString isoDay;
    std::optional<qint64> billNo;
  };
  // The day and bill number of the boxes; nullopt (after telling the user) when either is not valid.
  std::optional<Request> request();
  // The bills of the request; nullopt (after telling the user) when they cannot be read.
  std::optional<QVector<Bill>> gather(const Request& r);

  plat::ui::Controls controls_;
  QStringListModel* model_ = nullptr;
  bool placed_ = false;
  int wider_ = 0;  // pixels the window grew by for its list
};

}  // namespace reports
