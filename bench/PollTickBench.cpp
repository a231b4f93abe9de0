// The cost of one poll tick: with nothing waiting and with a full receive buffer (2048
// bytes), on a real pseudo-terminal and on the fake device (the driver's own share).
#include <benchmark/benchmark.h>

#include "FakeCommApi.h"
#include "ManualTimerCommApi.h"
#include "PtyPort.h"
#include "SerialDrv.h"

namespace {

// A driver open on COM1, bound to a pseudo-terminal, counting the bytes it hands over.
struct PtyDriver {
  PtyPort port{1};
  ManualTimerCommApi api;
  TSerialPortDriver driver{nullptr, api};
  std::size_t total = 0;

  PtyDriver() {
    driver.SetComPort(pnCOM1);
    driver.SetOnReceiveData(
        [this](TComponent*, const std::uint8_t*, std::int32_t size) { total += size; });
    driver.OpenPort();
  }
};

void BM_PollTickPtyIdle(benchmark::State& state) {
  PtyDriver pty;
  for (auto _ : state) pty.api.Tick();
  benchmark::DoNotOptimize(pty.total);
}
BENCHMARK(BM_PollTickPtyIdle);

void BM_PollTickPty2048(benchmark::State& state) {
  PtyDriver pty;
  const std::string block(2048, 'r');
  for (auto _ : state) {
    state.PauseTiming();
    pty.port.Write(block);
    WaitForQueued(pty.api.DescriptorOf(1), 2048);
    state.ResumeTiming();
    pty.api.Tick();
  }
  if (pty.total != 2048 * static_cast<std::size_t>(state.iterations())) {
    state.SkipWithError("lost bytes");
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(pty.total));
}
BENCHMARK(BM_PollTickPty2048);

void BM_PollTickFake(benchmark::State& state) {
  FakeCommApi api;
  api.Record = false;
  TSerialPortDriver driver(nullptr, api);
  std::size_t total = 0;
  driver.SetOnReceiveData(
      [&total](TComponent*, const std::uint8_t*, std::int32_t size) { total += size; });
  driver.OpenPort();
  const auto waiting = static_cast<std::size_t>(state.range(0));
  for (auto _ : state) {
    if (waiting > 0) {
      state.PauseTiming();
      api.Arrive(waiting);
      state.ResumeTiming();
    }
    api.Tick();
  }
  benchmark::DoNotOptimize(total);
}
BENCHMARK(BM_PollTickFake)->Arg(0)->Arg(2048);

}  // namespace

BENCHMARK_MAIN();
