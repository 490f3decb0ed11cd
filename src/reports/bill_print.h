#pragma once
// Printing the bill lines: flowing lines with tab stops, a new page where a line would pass the
// foot of the page.
#include <QString>
#include <QStringList>

namespace plat {
class PrintSurface;
}

namespace reports {

// The distance between two tab stops on s: eight widths of "0" in the current font.
double tabStop(const plat::PrintSurface& s);

// Prints lines one under another from the current position. A tab moves on to the next tab stop;
// a line that would pass the foot of the page starts a new page.
void flowLines(plat::PrintSurface& s, const QStringList& lines);

// Prints lines as one job on printer in the report font of the settings. False with *error when
// the job could not be opened, painted or sent; nothing is then left on the printer.
bool printLines(const QStringList& lines, const QString& printer, const QString& docName, QString* error);

}  // namespace reports
