#pragma once
// Money amounts in words, as the invoices print the total. Both work from the amount rounded to
// whole satang, so 0.995 reads as one baht.
#include <QString>

namespace print {

// Thai words ending in "ถ้วน" when there are no satang ("หนึ่งร้อยยี่สิบบาทถ้วน"); empty for zero,
// negative amounts, amounts below half a satang and those of a quadrillion or more.
QString ThaiBaht(double x);

// Cheque style: "One thousand two hundred thirty four and 50/100". "#Error#" for an amount that
// is negative, not a number, or of a quadrillion or more.
QString EnglishBaht(double x);

}  // namespace print
