// How fast the EN 1264 model evaluates the spacings of a circuit and designs
// circuits; a design run evaluates every circuit of every floor-heated room.
#include <benchmark/benchmark.h>

#include <vector>

#include "floor/csn_en_1264.h"

namespace {

using namespace kvem;

CMistPodlahVytap MakeRoom(int type) {
  CMistPodlahVytap room;
  room.systemType = type;
  room.ApplyDefaults();
  if (type == kSystemTypeB) {
    room.lamellaThickness = 0.5;
    room.lamellaConductivity = 200.0;
  }
  CTopnyOkruh c;
  c.pipe = {"PE-X 16x2", 0.016, 0.016, 0.002, 0.35, 0.35};
  c.thetaV = 37.5;
  c.thetaR = 32.5;
  c.AA = 12.0;
  c.A = 12.0;
  c.q = 45.0;
  c.Phi = 540.0;
  room.circuits.push_back(c);
  return room;
}

FloorDesignState MakeState() {
  FloorDesignState state;
  // A fine spacing list: every 25 mm from 0.05 to 0.45 m.
  CRoztece fine{0.025, 0.05, 0.45, {}, true};
  fine.GenerateValues();
  state.roztece = {fine};
  return state;
}

void BM_LimitCurves(benchmark::State& s) {
  FloorDesignState state = MakeState();
  CCSN_EN_1264 model(state);
  CMistPodlahVytap room = MakeRoom(static_cast<int>(s.range(0)));
  for (auto _ : s) benchmark::DoNotOptimize(model.LimitCurves(room));
  s.SetItemsProcessed(s.iterations() * static_cast<long>(model.SeznamRozteci().size()));
}
BENCHMARK(BM_LimitCurves)->Arg(kSystemTypeA)->Arg(kSystemTypeB)->Arg(kSystemType5);

// The critical circuit, then a further circuit at its supply excess, and the flow.
void BM_DesignTwoCircuits(benchmark::State& s) {
  FloorDesignState state = MakeState();
  CCSN_EN_1264 model(state);
  std::vector<double> qG, dTHG, T, sigma;
  for (auto _ : s) {
    CMistPodlahVytap critical = MakeRoom(kSystemTypeA);
    CMistPodlahVytap further = MakeRoom(kSystemTypeA);
    further.circuits[0].q = 30.0;
    double dTV = 0.0;
    benchmark::DoNotOptimize(model.NavrhKritickehoOkruhu(critical, 1, qG, dTHG, T, dTV, 1));
    benchmark::DoNotOptimize(model.NavrhDalsihoOkruhu(further, dTV, qG, dTHG, T, sigma));
    benchmark::DoNotOptimize(model.PrutokOkruhu(further));
  }
}
BENCHMARK(BM_DesignTwoCircuits);

}  // namespace

BENCHMARK_MAIN();
