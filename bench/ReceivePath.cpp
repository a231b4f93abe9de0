// The whole receive path: a simulated module streaming into the terminal's real window,
// driver and termios layer for a while; prints the CPU the process used and how its
// memory grew per megabyte received. Run it through bench/receive_path.sh.
#include <sys/resource.h>
#include <unistd.h>

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>
#include <fstream>

#include "SpeedButton.h"
#include "UnMain.h"
#include "lines/LineListBox.h"

namespace {

double CpuSeconds() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
         static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

long ResidentBytes() {
  std::ifstream statm("/proc/self/statm");
  long size = 0, resident = 0;
  statm >> size >> resident;
  return resident * sysconf(_SC_PAGESIZE);
}

std::size_t BytesShown(const TLineListBox& list) {
  std::size_t total = 0;
  for (std::size_t row = 1; row < list.RowCount(); ++row) total += list.Store().Row(row).size();
  return total;
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  const QStringList args = app.arguments();
  const int seconds = args.size() > 1 ? args[1].toInt() : 60;
  const int rate = args.size() > 2 ? args[2].toInt() : 11520;
  const QString sim = args.size() > 3 ? args[3] : QStringLiteral("varmo-sim");
  // "packets": the driver cuts the input into packets that nobody handles, so the same bytes
  // are read but no row is shown; the difference is what the window costs.
  const bool packets = args.size() > 4 && args[4] == QStringLiteral("packets");

  QTemporaryDir home;
  qputenv("XDG_CONFIG_HOME", home.path().toLocal8Bit());
  const QString links = home.path() + "/varmo-terminal/ports";
  QProcess module;
  QStringList simArgs{"--port", "1", "--links", links};
  if (rate > 0) simArgs << "--stream" << QString::number(rate);
  module.start(sim, simArgs);
  for (int i = 0; i < 200 && !QFileInfo(links + "/COM1").isSymLink(); ++i) usleep(10000);

  TFrmMain window;
  window.show();
  app.processEvents();
  window.BtnPortOn->click();
  if (!window.COMPort->IsPortOpen()) {
    std::fprintf(stderr, "could not open the simulated port\n");
    return 1;
  }
  if (packets) window.COMPort->SetPacketSize(64);
  // Settle for two seconds, then measure.
  double cpu0 = 0;
  long rss0 = 0;
  std::size_t shown0 = 0;
  QElapsedTimer clock;
  QTimer::singleShot(2000, [&] {
    cpu0 = CpuSeconds();
    rss0 = ResidentBytes();
    shown0 = BytesShown(*window.LBRec);
    clock.start();
  });
  QTimer::singleShot(2000 + seconds * 1000, [&] {
    const double wall = static_cast<double>(clock.elapsed()) / 1000.0;
    const double cpu = CpuSeconds() - cpu0;
    const long grown = ResidentBytes() - rss0;
    const std::size_t shown = BytesShown(*window.LBRec) - shown0;
    std::printf("seconds %.1f  rate %d B/s  rows %zu  bytes shown %zu\n", wall, rate,
                window.LBRec->RowCount() - 1, shown);
    std::printf("cpu %.3f %% of one core\n", 100.0 * cpu / wall);
    if (shown > 0) {
      std::printf("memory growth %.3f MB per MB shown (%ld bytes for %zu)\n",
                  static_cast<double>(grown) / static_cast<double>(shown), grown, shown);
    } else {
      std::printf("memory growth %ld bytes\n", grown);
    }
    app.quit();
  });
  const int result = app.exec();
  module.terminate();
  module.waitForFinished(3000);
  return result;
}
