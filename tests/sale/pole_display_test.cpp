// The pole display protocol and the drawer kick, byte for byte, on a fake serial line.
#include "sale/pole_display.h"

#include <gtest/gtest.h>

#include "platform/serial.h"
#include "support/fake_serial.h"

namespace {

// The writes of port `port`, in order, one entry per send.
std::vector<QByteArray> sends(const plat::SerialLog& log, int port) {
  std::vector<QByteArray> out;
  for (const auto& e : log.events)
    if (e.port == port && e.what == "write") out.push_back(e.bytes);
  return out;
}

class DisplayTest : public ::testing::Test {
 protected:
  void SetUp() override { plat::installFakeSerial(&log); }
  void TearDown() override { plat::setSerialFactory({}); }
  plat::SerialLog log;
};

using Sends = std::vector<QByteArray>;

TEST(Pad, RightAlignsUpToTwelveCharactersAndGivesOneBlankOtherwise) {
  EXPECT_EQ(sale::padFor(4), QByteArray(10, ' '));
  EXPECT_EQ(sale::padFor(8), QByteArray(6, ' '));
  EXPECT_EQ(sale::padFor(12), QByteArray(2, ' '));
  EXPECT_EQ(sale::padFor(1), QByteArray(13, ' '));
  EXPECT_EQ(sale::padFor(13), " ");
  EXPECT_EQ(sale::padFor(0), " ");
}

TEST_F(DisplayTest, EveryEventSendsItsTextsInOrder) {
  sale::PoleDisplay d;
  QString error;
  ASSERT_TRUE(d.open(2, &error));
  EXPECT_EQ(sends(log, 2), (Sends{"\r", "Price           0.00Total           0.00", "Price "}));

  log.clear();
  d.lineAdded(5, 1250.5);
  EXPECT_EQ(sends(log, 2),
            (Sends{QByteArray(10, ' '), "5.00", "Total ", QByteArray(6, ' '), "1,250.50", "Price "}));
  // One screen of 40 characters after the label, so the display never drifts.
  EXPECT_EQ(log.written(2).size(), 40 - 6 + 6);

  log.clear();
  d.lineEdited(12.75, 20);
  EXPECT_EQ(sends(log, 2),
            (Sends{QByteArray(9, ' '), "12.75", "Total ", QByteArray(9, ' '), "20.00", "Price "}));

  log.clear();
  d.lineRemoved(7.5);
  EXPECT_EQ(sends(log, 2),
            (Sends{QByteArray(10, ' '), "0.00", "Total ", QByteArray(10, ' '), "7.50", "Price "}));

  log.clear();
  d.finished(1000, 150);
  EXPECT_EQ(sends(log, 2),
            (Sends{QByteArray(6, ' '), "1,000.00", "Change", QByteArray(8, ' '), "150.00", "Cash "}));

  log.clear();
  d.reset();
  EXPECT_EQ(sends(log, 2), (Sends{"           0.00Total           0.00", "Price "}));
  EXPECT_EQ(QByteArray("Cash ").size() + sends(log, 2)[0].size(), 40);

  log.clear();
  d.clear();
  EXPECT_EQ(sends(log, 2), (Sends{"          0.00Total           0.00", "Price "}));
  EXPECT_EQ(QByteArray("Price ").size() + sends(log, 2)[0].size(), 40);

  log.clear();
  d.close();
  EXPECT_EQ(sends(log, 2), (Sends{QByteArray("\x04\x01\x25\x17\x0D", 5), "\r", "\b", "\b", "      ",
                                  "          0.00Total           0.00"}));
  EXPECT_EQ(log.events.back().what, "close");
  EXPECT_FALSE(d.isOpen());
}

TEST_F(DisplayTest, ANumberOfThirteenCharactersGetsOneBlank) {
  sale::PoleDisplay d;
  ASSERT_TRUE(d.open(1, nullptr));
  log.clear();
  d.lineAdded(10000000, 10000000);
  EXPECT_EQ(sends(log, 1), (Sends{" ", "10,000,000.00", "Total ", " ", "10,000,000.00", "Price "}));
}

TEST_F(DisplayTest, AClosedDisplaySendsNothing) {
  sale::PoleDisplay d;
  d.lineAdded(1, 1);
  d.finished(1, 0);
  d.reset();
  d.clear();
  d.close();
  EXPECT_TRUE(log.events.empty());
  log.failOpen = true;
  QString error;
  EXPECT_FALSE(d.open(3, &error));
  EXPECT_FALSE(error.isEmpty());
  d.lineAdded(1, 1);
  EXPECT_TRUE(log.events.empty());
}

TEST_F(DisplayTest, TheDrawerKickOpensWritesTwentyOneZerosAndCloses) {
  QString error;
  ASSERT_TRUE(sale::kickDrawer(4, &error));
  ASSERT_EQ(log.events.size(), 3u);
  EXPECT_EQ(log.events[0].what, "open");
  EXPECT_EQ(log.events[1].bytes, QByteArray("000000000000000000000"));
  EXPECT_EQ(log.events[2].what, "close");
  EXPECT_EQ(log.events[2].port, 4);
  log.clear();
  log.failOpen = true;
  EXPECT_FALSE(sale::kickDrawer(4, &error));
  EXPECT_TRUE(log.events.empty());
}

}  // namespace
