#pragma once
// The lines of the purchase invoice on screen, with their numbers, their save state and the
// screen's running total. The purchase grid shows them cell by cell (grid::Column); saving and the
// line editor read them from here, never back from the grid.
#include <QString>
#include <QStringList>
#include <QVector>
#include <optional>

#include "data/lots.h"

namespace purchase {

// A quantity or unit cost: the text the grid shows (as typed, or as a loaded number is written)
// and the number that text stands for, which is what a save writes.
struct Entered {
  double number = 0;
  QString text;
  // Text a numeric box accepted as a whole number of its kind.
  static Entered typed(const QString& text);
  // A number as a plain number text ("7", "2.5").
  static Entered plain(double v);
};

struct BuyLine {
  QString buyId;  // the invoice number the line is saved under
  QString code;   // PId as stored
  QString name;
  Entered quantity;
  Entered unitCost;
  double value = 0;  // quantity × unit cost; a loaded line's rounded to the satang
  bool valueAsMoney =
      false;  // the line editor shows the value "##,##0.00", every other step "###,###,###.00"
  // As plain number text in the grid: set when the line is loaded or its product typed again.
  std::optional<double> plainValue;
  // The quantity first typed or loaded, kept in step by the line editor: what a save of a changed
  // line takes off the stock before adding the line's quantity.
  Entered baseQuantity;
  QString stockShown;  // the stock box's text when the line was typed or its product typed again
  data::LineState state = data::LineState::New;
};

class BuyLines {
 public:
  int count() const { return static_cast<int>(lines_.size()); }
  bool empty() const { return lines_.isEmpty(); }
  const BuyLine& at(int i) const { return lines_.at(i); }

  // The line of this product code (compared without regard to case), or -1.
  int find(const QString& code) const;

  // Appends a typed line, new, and returns its index; the total gains its value.
  int addTyped(const QString& buyId, const QString& code, const QString& name, const Entered& quantity,
               const Entered& unitCost, const QString& stockShown);
  // The product of line i typed again: its quantity and unit cost replace the old ones (the base
  // quantity stays), and a saved line becomes changed. The total trades the old value for the new.
  void retype(int i, const Entered& quantity, const Entered& unitCost, const QString& stockShown);
  // The lines of a saved invoice in place of any others, saved and unchanged; their codes are
  // remembered as the loaded ones. The total is the sum of their values.
  void load(const QVector<data::InvoiceLine>& lines);
  // The line editor's OK on line i, opened on openingQuantity and openingCost: the base quantity
  // follows the change of quantity, and a saved line whose numbers changed becomes changed.
  void edit(int i, const Entered& quantity, const Entered& unitCost, double openingQuantity,
            double openingCost);
  // Removes line i; the total loses its quantity × unit cost.
  void remove(int i);
  // No lines and a total of 0; the codes loaded from a saved invoice stay.
  void clear();
  // No lines, a total of 0, nothing loaded.
  void reset();

  // The total as the screen shows it: every change rounds it to the satang.
  double total() const { return total_; }

  // The lines as the save takes them.
  QVector<data::LineToSave> toSave() const;
  // The product codes of the lines loaded from a saved invoice that are no longer on a line.
  QStringList removedLoaded() const;

  // Column col (grid::Column) of line i as the grid shows it.
  QString cell(int i, int col) const;
  QStringList cells(int i) const;

 private:
  void setTotal(double sum);

  QVector<BuyLine> lines_;
  QStringList loadedCodes_;
  double total_ = 0;
};

}  // namespace purchase
