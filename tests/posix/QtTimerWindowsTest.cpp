// Timer windows on the Qt event loop deliver WM_TIMER with the caller's identifier.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>

#include "QtTimerWindows.h"

namespace {
void Spin(int ms) {
  QElapsedTimer clock;
  clock.start();
  while (clock.elapsed() < ms) QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
}
}  // namespace

TEST(QtTimerWindows, DeliverTicksUntilKilled) {
  int argc = 0;
  QCoreApplication app(argc, nullptr);
  QtTimerWindows windows;
  std::vector<comm::TMessage> got;
  const auto window = windows.Allocate([&](comm::TMessage& m) { got.push_back(m); });
  ASSERT_TRUE(windows.SetTimer(window, 1, 10));
  Spin(120);
  ASSERT_GE(got.size(), 5u);
  EXPECT_EQ(got.front().Msg, comm::WM_TIMER);
  EXPECT_EQ(got.front().WParam, 1u);

  // Setting the same identifier again replaces the timer instead of adding one.
  ASSERT_TRUE(windows.SetTimer(window, 1, 1000));
  got.clear();
  Spin(100);
  EXPECT_TRUE(got.empty());

  EXPECT_TRUE(windows.KillTimer(window, 1));
  EXPECT_FALSE(windows.KillTimer(window, 1));
  ASSERT_TRUE(windows.SetTimer(window, 1, 0));  // as often as the loop allows
  Spin(30);
  EXPECT_GT(got.size(), 10u);
  windows.Deallocate(window);
  got.clear();
  Spin(20);
  EXPECT_TRUE(got.empty());
  EXPECT_FALSE(windows.SetTimer(window, 1, 10));
}
