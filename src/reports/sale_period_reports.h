#pragma once
// The sales period reports: a day's (DayReport), a month's (MoReport), a year's (YearReport) and
// one employee's day (EmpReport) sales per product. Each is a member of the period-report base
// with its own controls, period and printed title.
#include "reportkit/period_report.h"

class QLabel;
class QPushButton;

namespace reports {

class DayReport : public reportkit::PeriodReport {
  Q_OBJECT
 public:
  DayReport();
  void cmdShow_Click() { showAll(); }
  void cmdSh_Click() { showSelected(); }
  void cmdDel_Click() { deletePeriod(); }
  QPushButton* cmdShow = nullptr;
  QPushButton* cmdSh = nullptr;

 protected:
  QString titleText(const reportkit::ShownReport& shown) const override;
  QString deleteQuestion(const reportkit::Period& p) const override;
};

class MoReport : public reportkit::PeriodReport {
  Q_OBJECT
 public:
  MoReport();
  void comMo_Click() { choosePeriod(); }
  void cmdAll_Click() { showAll(); }
  void cmdShow_Click() { showSelected(); }
  void cmdDel_Click() { deletePeriod(); }
  QPushButton* cmdAll = nullptr;
  QPushButton* cmdShow = nullptr;

 protected:
  QString titleText(const reportkit::ShownReport& shown) const override;
  QString deleteQuestion(const reportkit::Period& p) const override;
};

class YearReport : public reportkit::PeriodReport {
  Q_OBJECT
 public:
  YearReport();
  void cmdShow_Click() { showAll(); }
  void cmdSh_Click() { showSelected(); }
  void ComCate_Click() { chooseCategory(); }
  void cmdDel_Click() { deletePeriod(); }
  QPushButton* cmdShow = nullptr;
  QPushButton* cmdSh = nullptr;

 protected:
  QString titleText(const reportkit::ShownReport& shown) const override;
  QString deleteQuestion(const reportkit::Period& p) const override;
};

class EmpReport : public reportkit::PeriodReport {
  Q_OBJECT
 public:
  EmpReport();
  void cmdShow_Click() { showAll(); }
  void cmdSh_Click() { showSelected(); }
  QPushButton* cmdShow = nullptr;
  QPushButton* cmdSh = nullptr;

 protected:
  QString titleText(const reportkit::ShownReport& shown) const override;
};

}  // namespace reports
