// Times one poll tick and one time text in each display mode, on the simulated drive with
// a disc of 99 tracks and a play list of all of them, playing the fiftieth.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "engine/Cdp.h"
#include "platform/drives/DriveTable.h"
#include "platform/mci/CdCommandLayer.h"
#include "platform/messages/ManualEventLoop.h"

namespace {

struct Player {
  platform::ManualEventLoop loop;
  std::unique_ptr<TCDP> cd;

  explicit Player(bool shuffle) {
    platform::SetEventLoop(&loop);
    std::string disc = "sim:";
    for (int i = 0; i < 99; ++i) disc += (i ? ",0:45" : "0:45");
    platform::DriveTable::Instance().Configure(disc);
    cd = std::make_unique<TCDP>(nullptr);
    cd->Open(0);
    loop.Advance(1200);
    cd->SetShufflePlay(shuffle);
    if (shuffle) cd->Shuffle();
    // Intro play and the time event armed far ahead, so a tick does all its queries.
    cd->SetIntroPlay(true);
    cd->SetIntroTime(1000);
    cd->SetNotifyAt(1000);
    cd->PlayIndex(49);
    loop.Advance(20000);
  }
  ~Player() {
    cd.reset();
    platform::cd::CdCommandLayer::Instance().Reset();
    platform::DriveTable::Instance().Configure("none");
    platform::SetEventLoop(nullptr);
  }
};

void BM_PollTick(benchmark::State& state) {
  Player p(false);
  for (auto _ : state) p.cd->PollTimer(nullptr);
}
BENCHMARK(BM_PollTick);

void BM_TimeText(benchmark::State& state) {
  Player p(state.range(1) != 0);
  p.cd->SetTimeMode(static_cast<TCDPTimeMode>(state.range(0)));
  std::string text;
  for (auto _ : state) {
    text = p.cd->GetTimeText();
    benchmark::DoNotOptimize(text);
  }
  state.SetLabel(text);
}
BENCHMARK(BM_TimeText)
    ->ArgNames({"mode", "shuffle"})
    ->Args({cdpTrackPast, 0})
    ->Args({cdpTrackLeft, 0})
    ->Args({cdpTotalPast, 0})
    ->Args({cdpTotalLeft, 0})
    ->Args({cdpNone, 0})
    ->Args({cdpTotalPast, 1})
    ->Args({cdpTotalLeft, 1});

}  // namespace

BENCHMARK_MAIN();
