// The cost of one poll tick: with nothing waiting and with a full receive buffer (2048
// bytes), on a real pseudo-terminal and on the fake device (the driver's own share).
#include <benchmark/benchmark.h>

#include "FakeCommApi.h"
#include "ManualTimerCommApi.h"
#include "PtyPort.h"
#include "SerialDrv.h"

namespace {

void Consume(TSerialPortDriver& driver, std::size_t& total) {
  driver.SetOnReceiveData(
      [&total](TComponent*, const std::uint8_t*, std::int32_t size) { total += size; });
}

void BM_PollTickPtyIdle(benchmark::State& state) {
  PtyPort port(1);
  ManualTimerCommApi api;
  TSerialPortDriver driver(nullptr, api);
  driver.SetComPort(pnCOM1);
  std::size_t total = 0;
  Consume(driver, total);
  driver.OpenPort();
  for (auto _ : state) api.Tick();
  benchmark::DoNotOptimize(total);
}
BENCHMARK(BM_PollTickPtyIdle);

void BM_PollTickPty2048(benchmark::State& state) {
  PtyPort port(1);
  ManualTimerCommApi api;
  TSerialPortDriver driver(nullptr, api);
  driver.SetComPort(pnCOM1);
  std::size_t total = 0;
  Consume(driver, total);
  driver.OpenPort();
  const std::string block(2048, 'r');
  for (auto _ : state) {
    state.PauseTiming();
    port.Write(block);
    WaitForQueued(api.DescriptorOf(1), 2048);
    state.ResumeTiming();
    api.Tick();
  }
  if (total != 2048 * static_cast<std::size_t>(state.iterations()))
    state.SkipWithError("lost bytes");
  state.SetBytesProcessed(static_cast<std::int64_t>(total));
}
BENCHMARK(BM_PollTickPty2048);

void BM_PollTickFake(benchmark::State& state) {
  FakeCommApi api;
  api.Record = false;
  TSerialPortDriver driver(nullptr, api);
  std::size_t total = 0;
  Consume(driver, total);
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
