#include "reports/bill_print.h"

#include <cmath>
#include <exception>

#include "platform/print_surface_qt.h"
#include "shell/settings.h"

namespace reports {

double tabStop(const plat::PrintSurface& s) { return 8 * s.TextWidth(QStringLiteral("0")); }

void flowLines(plat::PrintSurface& s, const QStringList& lines) {
  const double stop = tabStop(s);
  for (const QString& line : lines) {
    const double height = s.TextHeight(QStringLiteral("X"));
    if (s.CurrentY() > 0 && s.CurrentY() + height > s.ScaleHeight()) s.NewPage();
    const double y = s.CurrentY();
    double x = 0;
    const QStringList pieces = line.split(QLatin1Char('\t'));
    for (qsizetype i = 0; i < pieces.size(); ++i) {
      if (i > 0) x = (std::floor(x / stop + 1e-9) + 1) * stop;
      if (pieces[i].isEmpty()) continue;
      s.setCurrentX(x);
      s.setCurrentY(y);
      s.Print(pieces[i]);
      x += s.TextWidth(pieces[i]);
    }
    s.setCurrentX(0);
    s.setCurrentY(y + height);
  }
}

bool printLines(const QStringList& lines, const QString& printer, const QString& docName, QString* error) {
  QString err;
  const auto surface = plat::printers().openJob(printer, docName, &err);
  if (!surface) {
    if (error) *error = err;
    return false;
  }
  const shell::ShopSettings& set = shell::settings();
  try {
    surface->setFontBold(false);
    const double size = set.ReportFontSize.toNumber();
    if (size > 0) surface->setFontSize(size);
    surface->setFontName(set.FontName);
    flowLines(*surface, lines);
    surface->EndDoc();
  } catch (const std::exception& e) {
    surface->KillDoc();
    if (error) *error = QString::fromStdString(e.what());
    return false;
  }
  return true;
}

}  // namespace reports
