#pragma once
// Administration of the database file: the shared connection while a backup, restore or database
// chooser window is open, and the stock reset of the File menu.
#include "data/db.h"
#include "platform/form.h"

namespace shell {

// The backup, restore and chooser windows close the shared connection while they are open...
void closeSharedConn();
// ...and reopen it on the current DbPath when they unload; a failure is told with the database's
// description, and the connection stays closed.
void reopenSharedConn();

// The message for a backup or restore that another copy of the program kept from the database
// past the busy wait, in the user's language.
QString databaseBusyText(const QString& dbPath);

// While it lives: the busy cursor over the program. repaint() lets the windows repaint (and timers
// run) while a backup or restore waits for another copy of the program, taking no key or click.
class WaitingCursor {
 public:
  WaitingCursor();
  ~WaitingCursor();
  WaitingCursor(const WaitingCursor&) = delete;
  WaitingCursor& operator=(const WaitingCursor&) = delete;
  static void repaint();
};

// "Reset Stock = 0": asks in the user's language; on Yes resets on the shared connection and shows
// nothing after, unless the reset failed.
void runStockReset();

}  // namespace shell
