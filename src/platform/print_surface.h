#pragma once
// The printer as the documents see it: positions in twips from the printable area's top-left
// corner, a current font, text printed with its top at the current Y (then X back to 0 and Y one
// line down), lines, pages. QtPrintSurface paints on a QPrinter; the tests record the
// operations to check layouts.
#include <QFont>
#include <QString>
#include <QStringList>
#include <vector>

namespace plat {

class PrintSurface {
 public:
  virtual ~PrintSurface() = default;

  double CurrentX() const { return x_; }
  double CurrentY() const { return y_; }
  void setCurrentX(double twips) { x_ = twips; }
  void setCurrentY(double twips) { y_ = twips; }

  QString FontName() const { return fontName_; }
  double FontSize() const { return fontSize_; }
  bool FontBold() const { return fontBold_; }
  virtual void setFontName(const QString& name) { fontName_ = name; }
  virtual void setFontSize(double points) { fontSize_ = points; }
  virtual void setFontBold(bool bold) { fontBold_ = bold; }
  // The current font as Qt draws it (the default sans font when no name is set).
  QFont font() const;

  // Size of a text in the current font, in twips.
  virtual double TextWidth(const QString& text) const = 0;
  virtual double TextHeight(const QString& text = QStringLiteral("X")) const = 0;
  // Width and height of the printable area, in twips.
  virtual double ScaleWidth() const = 0;
  virtual double ScaleHeight() const = 0;
  // How far the printable area starts from the paper's left edge, in twips.
  virtual double PaperLeft() const { return 0; }

  // Prints text with its top at (CurrentX, CurrentY); then CurrentX = 0, CurrentY += one line.
  void Print(const QString& text);
  // An empty line.
  void NewLine();
  virtual void Line(double x1, double y1, double x2, double y2) = 0;
  virtual void NewPage() = 0;
  virtual void EndDoc() = 0;
  // Throws the job away (nothing more is printed).
  virtual void KillDoc() = 0;

 protected:
  virtual void drawText(double x, double y, const QString& text) = 0;

 private:
  double x_ = 0;
  double y_ = 0;
  QString fontName_;
  double fontSize_ = 8.25;
  bool fontBold_ = false;
};

// Prints s at (x, y): the positioned print every report uses.
void PrintAt(PrintSurface& p, double x, double y, const QString& s);

}  // namespace plat
