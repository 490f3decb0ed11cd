#pragma once
// What the supplier and customer history windows read: a partner by id, the pick list, the
// category and product lists, and the lines of one partner or one product as grid rows. Every
// value is bound; ids and codes come back as they are stored, to travel as item data.
#include <QDate>
#include <QString>
#include <QStringList>
#include <QVector>
#include <optional>

#include "data/dates.h"

namespace partners {

enum class PartnerKind { Supplier, Customer };

// A partner or a list entry: the stored id (or code) and its text.
struct Keyed {
  QString id;
  QString name;
  bool operator==(const Keyed& o) const = default;
};

// The company name of the partner with this id (compared without regard to case); nullopt when
// there is none. Throws data::DbError when the table cannot be read.
std::optional<QString> partnerName(PartnerKind kind, const QString& id);
// Every partner, in id order.
QVector<Keyed> partnerList(PartnerKind kind);
// The pick list's text of a partner: id, a full stop, the name.
QString pickText(const Keyed& partner);

// Every category, in id order; its text is id, a full stop, the name.
QVector<Keyed> categoryList();
// The products of a category, in code order; their text is code, ". ", name.
QVector<Keyed> productList(const QString& categoryId);
QString categoryItemText(const Keyed& category);
QString productItemText(const Keyed& product);

// Grid rows of six cell texts, and what the by-partner show of customers adds up.
struct HistoryLines {
  QVector<QStringList> rows;
  double total = 0;      // quantity times price over every line read, cancelled ones adding 0
  bool anyRead = false;  // the query gave rows, even if all were cancelled
};

// One partner's lines: a supplier's purchase lines, or a customer's sale lines within range (both
// ends included). Lines whose product is unknown are left out; so are cancelled sale lines
// (quantity 0), and lines marked Discontinue. Throws data::DbError.
HistoryLines partnerLines(PartnerKind kind, const QString& id, const data::DateRange& range = {});
// The statement partnerLines() runs: the supplier's binds its id, the customer's its id, from, to.
const char* partnerLinesStatement(PartnerKind kind);
// One product's lines with the partner they came from or went to, in partner id order. Lines of
// an unknown partner and cancelled sale lines are left out. Throws data::DbError.
HistoryLines productLines(PartnerKind kind, const QString& productCode);

// The range of the customer show, from the two pickers; nullopt when from is after to.
std::optional<data::DateRange> pickerRange(const QDate& from, const QDate& to);

}  // namespace partners
