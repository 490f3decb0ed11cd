#pragma once
// Every folder's windows registered by name, as the program registers them at start, for the
// end-to-end tests that open them from the main window's menus.
#include "partners/register.h"
#include "print/register.h"
#include "purchase/register.h"
#include "reportkit/register.h"
#include "reports/register.h"
#include "shell/register.h"
#include "stock/register.h"

namespace e2e {

inline void registerEveryWindow() {
  shell::registerForms();
  stock::registerForms();
  purchase::registerForms();
  print::registerForms();
  partners::registerForms();
  reportkit::registerForms();
  reports::registerForms();
}

}  // namespace e2e
