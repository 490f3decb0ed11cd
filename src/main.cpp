#include "partners/register.h"
#include "print/register.h"
#include "purchase/register.h"
#include "reportkit/register.h"
#include "reports/register.h"
#include "sale/register.h"
#include "shell/application.h"
#include "shell/program.h"
#include "shell/register.h"
#include "stock/register.h"

int main(int argc, char** argv) {
  shell::PosApplication app(argc, argv);
  shell::registerForms();
  sale::registerForms();
  stock::registerForms();
  purchase::registerForms();
  print::registerForms();
  partners::registerForms();
  reportkit::registerForms();
  reports::registerForms();
  return shell::runProgram();
}
