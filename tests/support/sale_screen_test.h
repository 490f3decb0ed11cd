#pragma once
// A test on the sale screen alone: a fresh database, the sale screen opened as the program opens
// it, and afterwards every window unloaded and the settings as at start.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QEvent>

#include "platform/form.h"
#include "sale/main_form.h"
#include "shell/settings.h"
#include "support/testenv.h"

namespace salefx {

class SaleScreenTest : public testenv::DbTest {
 protected:
  void TearDown() override {
    plat::FormRegistry::instance().unloadAll();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    shell::settings() = shell::ShopSettings{};
    DbTest::TearDown();
  }
  // The sale screen, shown, in f (its forms registered by the caller).
  void openSaleScreen() {
    f = static_cast<sale::MainForm*>(plat::FormRegistry::instance().form(QStringLiteral("MainForm")));
    ASSERT_TRUE(f);
    f->show();
  }

  sale::MainForm* f = nullptr;
};

}  // namespace salefx
