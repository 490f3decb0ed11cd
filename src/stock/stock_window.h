#pragma once
// The layout the two stock windows share: a category combo box that also takes a search text, five
// labels over a six-column grid, and the count of rows the last list put in. Each window adds its
// own buttons; its captions come from a StockWindowLayout.
#include <QString>
#include <exception>

#include "data/tell_failure.h"
#include "platform/form.h"
#include "platform/ui_kit.h"
#include "stock/stock_lists.h"

class QComboBox;
class QLabel;

namespace plat {
class FlexGrid;
}

namespace stock {

struct Caption {
  QString english;
  QString thai;
};

struct StockWindowLayout {
  Caption form, lblCate, lblPid, lblDesc, lblPrice, lblQuantity, lblUnit;
  int colWidths[6];  // twips
};

class StockListWindow : public plat::Form {
  Q_OBJECT
 public:
  static constexpr int kWidth = 11850;  // twips, the restored placement
  static constexpr int kHeight = 7700;

  StockListWindow(const StockWindowLayout& layout, QWidget* parent = nullptr);

  bool opensMaximized() const override { return true; }
  bool unloadsOnDeactivate() const override { return true; }
  QSize sizeHint() const override;
  void Form_Load() override;

  // The category id of the combo's item: the id it carries (a full stop in it too), or the text
  // before the first full stop of a text typed over it.
  QString pickedCategoryId() const;

  QLabel* lblCate = nullptr;
  QComboBox* ComCate = nullptr;
  QLabel* lblPid = nullptr;
  QLabel* lblDesc = nullptr;
  QLabel* lblPrice = nullptr;
  QLabel* lblQuantity = nullptr;
  QLabel* lblUnit = nullptr;
  plat::FlexGrid* FGrid = nullptr;
  // Rows the last list put into the grid, heading rows included.
  int RowCount = 0;

 protected:
  // The picked item (ComCate_Click) and a key typed into the combo (ComCate_KeyPress).
  virtual void ComCate_Click() = 0;
  virtual void ComCate_KeyPress(int& KeyAscii) = 0;

  void clearList();
  // Shows rows in the grid and counts them.
  void showRows(ListRows rows);
  // Runs a list; a failure of the database is told to the user and leaves what was shown so far.
  template <typename F>
  void guarded(F f);
  void tell(const QString& text);

  const StockWindowLayout& layout() const { return layout_; }
  // Makes one more control of the window after the shared ones (a label white, as theirs); its
  // caption follows the language with the others'.
  QWidget* addControl(const plat::ui::Control& row);
  const plat::ui::Controls& controls() const { return controls_; }

  bool eventFilter(QObject* watched, QEvent* event) override;
  bool event(QEvent* e) override;

 private:
  void fillCategories();
  plat::ui::Controls controls_;
  const StockWindowLayout& layout_;
  bool placed_ = false;
};

template <typename F>
void StockListWindow::guarded(F f) {
  try {
    data::tellOnFailure(f);
  } catch (const std::exception& e) {
    // Not the database's (the memory for a very long list, say): told in its own words.
    tell(QString::fromStdString(e.what()));
  }
}

}  // namespace stock
