// One insert into a line list plus the repaint it causes, at 1 thousand, 1 million and
// 10 million rows; and what a row costs in memory.
#include <benchmark/benchmark.h>
#include <malloc.h>

#include <QApplication>
#include <QScrollBar>
#include <cstdlib>
#include <map>
#include <memory>

#include "FakeCommApi.h"
#include "Fonts.h"
#include "UnMain.h"
#include "lines/LineListBox.h"

namespace {

// A typical reply line: 63 bytes, or ROW_BYTES from the environment.
const std::string kRow(std::getenv("ROW_BYTES") != nullptr ? std::atoi(std::getenv("ROW_BYTES"))
                                                           : 63,
                       'r');

// Bytes in use on the heap (what the process holds, not what the allocator keeps).
long HeapInUse() { return static_cast<long>(mallinfo2().uordblks + mallinfo2().hblkhd); }

// A shown list filled once with `rows` lines; filling ten million takes a while, so each
// size is built only once however often the benchmark library calls the function.
struct Filled {
  std::unique_ptr<TLineListBox> list;
  double bytesPerRow = 0;
};

std::map<std::size_t, Filled> lists;

Filled& ListOf(std::size_t rows) {
  Filled& filled = lists[rows];
  if (!filled.list) {
    filled.list = std::make_unique<TLineListBox>(QStringLiteral("ОТВЕТ:"));
    filled.list->setFont(FormFont(true));  // as the main window's lists have it
    filled.list->resize(684, 263);
    filled.list->show();
    QApplication::processEvents();
    const long before = HeapInUse();
    for (std::size_t i = 0; i < rows; ++i) {
      filled.list->Insert(kRow);
      // The event loop runs between poll ticks; without it Qt's posted events pile up.
      if (i % 4096 == 0) QApplication::processEvents();
    }
    QApplication::processEvents();
    filled.bytesPerRow = static_cast<double>(HeapInUse() - before) / static_cast<double>(rows);
  }
  return filled;
}

void BM_InsertAndRepaint(benchmark::State& state) {
  Filled& filled = ListOf(static_cast<std::size_t>(state.range(0)));
  TLineListBox& list = *filled.list;
  list.verticalScrollBar()->setValue(0);
  for (auto _ : state) {
    list.Insert(kRow);
    QApplication::processEvents();  // paints what the insert left to paint
  }
  state.counters["heap_bytes_per_row"] = filled.bytesPerRow;
  state.counters["row_bytes"] = static_cast<double>(kRow.size());
}
BENCHMARK(BM_InsertAndRepaint)
    ->Arg(1000)
    ->Arg(1000000)
    ->Arg(10000000)
    ->Iterations(5000)
    ->Unit(benchmark::kMicrosecond);

// The same while the operator reads further down: the rows in view do not change.
void BM_InsertWhileScrolledAway(benchmark::State& state) {
  TLineListBox& list = *ListOf(static_cast<std::size_t>(state.range(0))).list;
  list.SelectRow(500);
  QApplication::processEvents();
  for (auto _ : state) {
    list.Insert(kRow);
    QApplication::processEvents();
  }
}
BENCHMARK(BM_InsertWhileScrolledAway)
    ->Arg(1000000)
    ->Iterations(2000)
    ->Unit(benchmark::kMicrosecond);

// A reply block through the main window's handler into its reply list, with the painting
// and flushing of the whole window that follows, as one poll tick brings it.
void BM_MainWindowReply(benchmark::State& state) {
  FakeCommApi api;
  TFrmMain window(api);
  window.show();
  window.COMPort->OpenPort();
  QApplication::processEvents();
  for (auto _ : state) {
    api.Arrive(kRow);
    api.Tick();
    QApplication::processEvents();
  }
}
BENCHMARK(BM_MainWindowReply)->Iterations(2000)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM",
          qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  lists.clear();  // widgets go before the application
  return 0;
}
