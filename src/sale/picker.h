#pragma once
// What the touch picker shows, apart from its window: four categories of a strip that slides one
// category at a time, and up to 24 products of a category that scroll one row of four at a time.
// A scroll reads only the rows it brings in, by product code, so a large category stays quick.
#include <QByteArrayView>
#include <QString>
#include <QVariantList>
#include <QVector>
#include <functional>
#include <memory>
#include <optional>

#include "data/categories.h"

class QSqlQuery;

namespace sale {

// A button's caption and the code it carries; an empty code is a button that does nothing.
struct PickItem {
  QString code;
  QString name;
};

class CategoryStrip {
 public:
  static constexpr int kShown = 4;
  void load(QVector<data::Category> all);
  // Slot i (0 to 3): the category shown there, or a blank item.
  PickItem slot(int i) const;
  bool backEnabled() const { return first_ > 0; }
  bool nextEnabled() const { return first_ + kShown < categories_.size(); }
  void next();
  void back();

 private:
  QVector<data::Category> categories_;
  int first_ = 0;
};

// A SELECT of codes and names prepared once on the shared connection and run again with new
// values; prepared afresh when the connection was closed and opened since.
class ReusedSelect {
 public:
  explicit ReusedSelect(QString sql);
  ~ReusedSelect();
  ReusedSelect(ReusedSelect&&) noexcept;
  ReusedSelect& operator=(ReusedSelect&&) noexcept;
  // The rows' first two columns. Throws data::DbError.
  QVector<PickItem> items(const QVariantList& binds);

 private:
  bool run(const QVariantList& binds);
  QString sql_;
  std::unique_ptr<QSqlQuery> q_;
};

class ProductWindow {
 public:
  static constexpr int kButtons = 24;
  static constexpr int kRow = 4;
  // The first products of category cid, codes in order. Throws data::DbError.
  void show(const QString& cid);
  // One row further down or up; false (nothing changed) when there is none. Throw data::DbError.
  bool down();
  bool up();
  // Button i (0 to 23): its product, or a blank item.
  PickItem button(int i) const;
  const QVector<PickItem>& items() const { return items_; }
  bool upEnabled() const { return upEnabled_; }
  bool downEnabled() const { return downEnabled_; }

 private:
  QString cid_;
  QVector<PickItem> items_;
  bool upEnabled_ = false;
  bool downEnabled_ = true;
  ReusedSelect first_;
  ReusedSelect after_;
  ReusedSelect before_;

 public:
  ProductWindow();
};

// The stock on hand and the re-order point of the product with this code, or nullopt when there is
// none. Throws data::DbError.
struct StockOnHand {
  double quantity = 0;
  double reorderPoint = 0;
};
std::optional<StockOnHand> stockOnHand(const QString& code);

// Each product whose name holds text ("%", "_" and "\" taken literally), its code and name as
// stored, in UTF-8, in the database's order. The views are valid only during the call. Throws
// data::DbError.
void eachProductNamed(const QString& text,
                      const std::function<void(QByteArrayView code, QByteArrayView name)>& f);

// What OK makes of the chosen product's stock, the quantity box and the re-order point.
struct PickCheck {
  enum Outcome { Take, TooMany, NotEnough, NoQuantity } outcome = Take;
  bool reorderWarning = false;
  int quantity = 0;
};
// An empty quantity counts as 0; one above 32767 is refused before anything else.
PickCheck checkPick(double stock, const QString& quantityText, double reorderPoint);

}  // namespace sale
