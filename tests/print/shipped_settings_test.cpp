// What the shipped settings print. The font is the Thai font, among the TLWG family Debian installs,
// in which the widest texts of the invoices fit their columns best, measured with a PDF printer's
// metrics: a 13-digit code, every column heading in both languages and amounts up to 9,999,999.99.
// The phone is printed after the invoice's own label once.
#include <gtest/gtest.h>

#include <QFontDatabase>
#include <QPrinter>
#include <algorithm>
#include <cstdio>
#include <memory>

#include "platform/print_surface_qt.h"
#include "print/invoice.h"
#include "shell/settings.h"
#include "support/testenv.h"

namespace {

using print::InvoiceKind;

const char* const kTlwgFonts[] = {
    "Garuda",    "Kinnari",         "Laksaman",    "Loma",      "Norasi", "Purisa", "Sawasdee",
    "Tlwg Mono", "Tlwg Typewriter", "Tlwg Typist", "Tlwg Typo", "Umpush", "Waree"};

// One text and the room its column gives it, at the size it prints in.
struct Probe {
  QString text;
  double room;
  double size;
  bool bold;
};

// The next rule right of x in the item table of spec, or its right edge.
double ruleAfter(const print::InvoiceSpec& spec, double x) {
  double edge = spec.right;
  for (const auto& v : spec.verticals)
    if (v.x > x) edge = std::min(edge, v.x);
  return edge;
}
double ruleBefore(const print::InvoiceSpec& spec, double x) {
  double edge = spec.left;
  for (const auto& v : spec.verticals)
    if (v.x > 0 && v.x < x) edge = std::max(edge, v.x);
  return edge;
}

std::vector<Probe> probes(double billSize) {
  std::vector<Probe> out;
  const QString code = QStringLiteral(" 8851234000017");
  const QString amount = QStringLiteral("9,999,999.99");
  for (InvoiceKind k : {InvoiceKind::A4, InvoiceKind::A5, InvoiceKind::TwoUp})
    for (bool thai : {true, false}) {
      const auto& spec = print::invoiceSpec(k, thai);
      const double size = spec.billFontSize ? billSize : 15;
      for (const auto& h : spec.headings)
        if (h.text) out.push_back({QString::fromUtf8(h.text), ruleAfter(spec, h.x) - h.x, size, true});
      if (spec.codeX > 0) out.push_back({code, spec.nameX - spec.codeX, size, false});
      if (spec.priceRight > 0)
        out.push_back({amount, spec.priceRight - ruleBefore(spec, spec.priceRight), size, false});
      out.push_back({amount, spec.amountRight - ruleBefore(spec, spec.amountRight), size, false});
    }
  return out;
}

// How much wider than its room the worst-fitting text is (1: just fits), and the mean of them.
struct Fit {
  double worst = 0, mean = 0;
};

Fit measure(plat::PrintSurface& s, const QString& family, const std::vector<Probe>& ps) {
  s.setFontName(family);
  Fit f;
  for (const Probe& p : ps) {
    s.setFontSize(p.size);
    s.setFontBold(p.bold);
    const double r = s.TextWidth(p.text) / p.room;
    f.worst = std::max(f.worst, r);
    f.mean += r / ps.size();
  }
  return f;
}

TEST(ShippedFont, IsTheTlwgFontWhoseWidestInvoiceTextsFitTheirColumnsBest) {
  const QStringList installed = QFontDatabase::families();
  auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
  printer->setOutputFormat(QPrinter::PdfFormat);
  printer->setOutputFileName(testenv::tempDir() + QStringLiteral("/measure.pdf"));
  printer->setPageSize(QPageSize(QPageSize::A4));
  plat::QtPrintSurface surface(std::move(printer));
  const auto ps = probes(10);

  QString best;
  Fit bestFit{1e9, 1e9};
  for (const char* name : kTlwgFonts) {
    const QString family = QString::fromLatin1(name);
    if (!installed.contains(family)) continue;
    const Fit f = measure(surface, family, ps);
    std::printf("%-16s worst %.3f mean %.3f\n", name, f.worst, f.mean);
    if (f.worst < bestFit.worst - 1e-9 || (f.worst < bestFit.worst + 1e-9 && f.mean < bestFit.mean)) {
      best = family;
      bestFit = f;
    }
  }
  surface.KillDoc();
  if (best.isEmpty()) GTEST_SKIP() << "no TLWG font installed (fonts-thai-tlwg)";
  EXPECT_EQ(testenv::shippedSettings().FontName, best);
}

TEST(ShippedSettings, ThePhonePrintsAfterTheInvoicesLabelOnce) {
  shell::settings() = testenv::shippedSettings();
  print::SaleDocument doc;
  for (bool thai : {true, false})
    for (InvoiceKind k : {InvoiceKind::A4, InvoiceKind::A5, InvoiceKind::TwoUp}) {
      const auto& spec = print::invoiceSpec(k, thai);
      const auto c = print::layoutInvoice(doc, spec, {});
      ASSERT_TRUE(c);
      const QString label = QString::fromUtf8(spec.phoneLabel);
      const auto phone = std::find_if(c->ops.begin(), c->ops.end(),
                                      [&](const print::InvoiceOp& op) { return op.text.startsWith(label); });
      ASSERT_NE(phone, c->ops.end());
      EXPECT_EQ(phone->text, label + shell::settings().ComPhone);
      EXPECT_FALSE(phone->text.contains(QStringLiteral("Tel.")) ||
                   phone->text.count(QStringLiteral("Tel")) > 1)
          << phone->text.toStdString();
    }
  shell::settings() = shell::ShopSettings{};
}

}  // namespace
