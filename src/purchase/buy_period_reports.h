#pragma once
// The purchase period reports: a day's (BuyDayReport), a month's (MoBuyForm) and a year's
// (YrBuyReport) purchases per product. Each is a member of the period-report base with its own
// controls, period and printed title.
#include "reportkit/period_report.h"

class QPushButton;

namespace purchase {

class BuyDayReport : public reportkit::PeriodReport {
  Q_OBJECT
 public:
  BuyDayReport();
  void cmdShow_Click() { showAll(); }
  void cmdSh_Click() { showSelected(); }
  QPushButton* cmdShow = nullptr;
  QPushButton* cmdSh = nullptr;

 protected:
  QString titleText(const reportkit::ShownReport& shown) const override;
};

class MoBuyForm : public reportkit::PeriodReport {
  Q_OBJECT
 public:
  MoBuyForm();
  void comMo_Click() { choosePeriod(); }
  void ComCate_Click() { chooseCategory(); }
  void cmdAll_Click() { showAll(); }
  void cmdShow_Click() { showSelected(); }
  QPushButton* cmdAll = nullptr;
  QPushButton* cmdShow = nullptr;

 protected:
  QString titleText(const reportkit::ShownReport& shown) const override;
};

class YrBuyReport : public reportkit::PeriodReport {
  Q_OBJECT
 public:
  YrBuyReport();
  void ComCate_Click() { chooseCategory(); }
  void cmdShow_Click() { showAll(); }
  void cmdSh_Click() { showSelected(); }
  QPushButton* cmdShow = nullptr;
  QPushButton* cmdSh = nullptr;

 protected:
  QString titleText(const reportkit::ShownReport& shown) const override;
};

}  // namespace purchase
