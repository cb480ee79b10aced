// kvem-cli floor: the characteristic values of a floor construction (limit
// curves per pipe spacing) and the design of one circuit as the critical one.
#include <cmath>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "cli/cli_common.h"
#include "floor/csn_en_1264.h"
#include "platform/numbers.h"

namespace kvem::cli {
namespace {

struct ConstructionOptions {
  std::string type = "A";
  double ti = 20.0;
  std::optional<double> R, su, lambdaE, D, sR, lambdaR, Do, lambdaO, k, swl, lambdaWL, proportion;
  bool marginal = false;
  std::vector<double> spacings;
  bool csv = false;
};

struct CircuitOptions {
  ConstructionOptions construction;
  double AR = 0.0;
  double AA = 0.0;
  double Phi = 0.0;
  std::optional<double> thetaV, thetaR;
  double thetaU = 5.0;
  double tVDes = 37.5;
  double tRDes = 32.5;
  bool byUser = false;
};

// The pipe when none is given: PE-X 16 x 2.0 mm, the reference pipe of the
// EN 1264 factors (so its pipe coefficient B equals B0).
constexpr double kDefaultD = 0.016;
constexpr double kDefaultSR = 0.002;
constexpr double kDefaultLambdaR = 0.35;

int SystemTypeOf(const std::string& text) {
  if (text == "B" || text == "b") return kSystemTypeB;
  if (text == "C" || text == "c") return kSystemTypeC;
  if (text == "5") return kSystemType5;
  return kSystemTypeA;
}

// The room with its one circuit: the defaults of the system type, then what
// the options give.
CMistPodlahVytap MakeRoom(const ConstructionOptions& o) {
  CMistPodlahVytap room;
  room.systemType = SystemTypeOf(o.type);
  room.thetai = o.ti;
  room.ApplyDefaults();
  room.R = o.R.value_or(room.R);
  room.su = o.su.value_or(room.su);
  room.lambdaE = o.lambdaE.value_or(room.lambdaE);
  room.k = o.k.value_or(room.k);
  room.lamellaThickness = o.swl.value_or(room.lamellaThickness);
  room.lamellaConductivity = o.lambdaWL.value_or(room.lamellaConductivity);
  room.lamellaProportion = o.proportion.value_or(room.lamellaProportion);
  CTopnyOkruh circuit;
  circuit.name = "1";
  circuit.pipe.D = o.D.value_or(kDefaultD);
  circuit.pipe.sR = o.sR.value_or(kDefaultSR);
  circuit.pipe.lambdaR = o.lambdaR.value_or(kDefaultLambdaR);
  circuit.pipe.Do = o.Do.value_or(circuit.pipe.D);
  circuit.pipe.lambdaO = o.lambdaO.value_or(circuit.pipe.lambdaR);
  // Only whether there is a marginal area matters to the limit curves.
  if (o.marginal) circuit.AR = 1.0;
  room.circuits.push_back(circuit);
  room.currentCircuit = 0;
  return room;
}

// A construction the formulas cannot take; empty when it is fine.
std::string ConstructionProblem(const CMistPodlahVytap& room, const ConstructionOptions& o) {
  const CTopnaTrubka& p = room.circuits.front().pipe;
  auto bad = [](double v) { return !std::isfinite(v); };
  if (bad(room.thetai)) return "--ti must be a number";
  if (bad(room.R) || room.R < 0.0) return "--R must be 0 or more";
  if (bad(room.su) || room.su <= 0.0) return "--su must be above 0 (mm)";
  if (bad(room.lambdaE) || room.lambdaE <= 0.0) return "--lambdaE must be above 0";
  if (bad(room.k) || room.k <= 0.0) return "--k must be above 0";
  if (bad(room.lamellaThickness) || room.lamellaThickness < 0.0) return "--swl must be 0 or more";
  if (bad(room.lamellaConductivity) || room.lamellaConductivity < 0.0)
    return "--lambdawl must be 0 or more";
  if (bad(room.lamellaProportion) || room.lamellaProportion < 0.0)
    return "--proportion must be 0 or more";
  if (bad(p.D) || bad(p.sR) || p.sR <= 0.0 || p.D <= 2.0 * p.sR)
    return "--D must be above 2 x --sR, and --sR above 0";
  if (bad(p.lambdaR) || p.lambdaR <= 0.0) return "--lambdaR must be above 0";
  if (bad(p.Do) || p.Do <= 0.004) return "--Do must be above 0.004 m";
  if (p.Do - p.D >= 0.0006 && (bad(p.lambdaO) || p.lambdaO <= 0.0))
    return "--lambdao must be above 0";
  if (p.Do < p.D) return "--Do must not be below --D";
  for (double t : o.spacings) {
    if (bad(t) || t <= 0.0) return "every spacing of --spacings must be above 0";
  }
  return {};
}

FloorDesignState MakeState(Run& run, const ConstructionOptions& o) {
  Application& app = run.app();
  app.EnableRangeMessages();
  FloorDesignState state;
  state.messenger = &app.messenger();
  state.rangeMessages = app.rangeMessagesEnabled();
  state.decimalSeparator = app.decimalSeparator();
  if (o.spacings.empty()) {
    state.roztece = DefaultSpacingRecords();
  } else {
    state.roztece.push_back(CRoztece{0.0, 0.0, 0.0, o.spacings, true});
  }
  return state;
}

void AddConstructionOptions(CLI::App* cmd, ConstructionOptions& o) {
  cmd->add_option("--type", o.type, "System type: A, B, C or 5 (types A and C evaluate alike)")
      ->check(CLI::IsMember({"A", "B", "C", "5", "a", "b", "c"}))
      ->capture_default_str();
  cmd->add_option("--ti", o.ti, "Indoor temperature thetai [°C]")->capture_default_str();
  cmd->add_option("--R", o.R, "Heat resistance of the floor covering R [m2.K/W] (default 0.01)");
  cmd->add_option("--su", o.su,
                  "Layer height over the pipes [mm] (default 42 for types A, C and 5; 3 for B)");
  cmd->add_option(
      "--lambdaE", o.lambdaE,
      "Thermal conductivity of the levelling layer [W/(m.K)] (default 1.2; 0.15 for B)");
  cmd->add_option("--D", o.D, "Outer pipe diameter [m] (default 0.016)");
  cmd->add_option("--sR", o.sR, "Pipe wall thickness [m] (default 0.002)");
  cmd->add_option("--lambdaR", o.lambdaR, "Conductivity of the pipe wall [W/(m.K)] (default 0.35)");
  cmd->add_option("--Do", o.Do,
                  "Outer diameter over a sheath [m] (default: D; counts from 0.6 mm over D)");
  cmd->add_option("--lambdao", o.lambdaO,
                  "Conductivity of the sheath [W/(m.K)] (default: lambdaR)");
  cmd->add_option("--k", o.k, "Experimental coefficient of the system [-] (default 1.0)");
  cmd->add_option("--swl", o.swl, "Type B: thickness of the conducting lamellae [mm] (default 0)");
  cmd->add_option("--lambdawl", o.lambdaWL,
                  "Type B: conductivity of the conducting lamellae [W/(m.K)] (default 0)");
  cmd->add_option("--proportion", o.proportion, "Type B: lamella proportion L/T [1] (default 0.8)");
  cmd->add_flag("--marginal", o.marginal,
                "The circuit has a marginal area (floor up to 15 K above the room, at most 35 °C)");
  cmd->add_option(
         "--spacings", o.spacings,
         "Pipe spacings [m], comma-separated, decimal point (default 0.075,0.15,0.225,0.3)")
      ->delimiter(',');
}

std::string Fixed(const char* format, double value, char sep) {
  return FormatDouble(format, value, sep);
}

int RunCurves(const Globals& globals, const ConstructionOptions& o) {
  CMistPodlahVytap room = MakeRoom(o);
  if (const std::string problem = ConstructionProblem(room, o); !problem.empty()) {
    std::fprintf(stderr, "kvem-cli floor curves: %s\n", problem.c_str());
    return kExitUnreadable;
  }
  Run run(globals);
  FloorDesignState state = MakeState(run, o);
  CCSN_EN_1264 model(state);
  const auto curves = model.LimitCurves(room);
  const char sep = run.app().decimalSeparator();
  if (o.csv) {
    std::printf("spacing,qG,dthetaHG,KH\n");
    for (const auto& v : curves) {
      std::printf("%s,%s,%s,%s\n", Fixed("%.6f", v.T, '.').c_str(),
                  Fixed("%.6f", v.qG, '.').c_str(), Fixed("%.6f", v.dTHG, '.').c_str(),
                  Fixed("%.6f", v.KH, '.').c_str());
    }
    return kExitOk;
  }
  const CTopnyOkruh& c = room.circuits.front();
  std::printf("thetaF,max [°C]: %s   qG,max [W/m2]: %s\n", Fixed("%.1f", c.thetaFMax, sep).c_str(),
              Fixed("%.0f", MezniTok(room.thetai, c.thetaFMax), sep).c_str());
  std::printf("%8s %12s %18s %18s\n", "T [m]", "qG [W/m2]", "DthetaH,G [K]", "K_H [W/(m2.K)]");
  for (const auto& v : curves) {
    std::printf("%8s %12s %18s %18s\n", Fixed("%.3f", v.T, sep).c_str(),
                Fixed("%.1f", v.qG, sep).c_str(), Fixed("%.2f", v.dTHG, sep).c_str(),
                Fixed("%.3f", v.KH, sep).c_str());
  }
  return kExitOk;
}

int RunCircuit(const Globals& globals, const CircuitOptions& o) {
  CMistPodlahVytap room = MakeRoom(o.construction);
  if (const std::string problem = ConstructionProblem(room, o.construction); !problem.empty()) {
    std::fprintf(stderr, "kvem-cli floor circuit: %s\n", problem.c_str());
    return kExitUnreadable;
  }
  const double area = o.AR + o.AA;
  if (!std::isfinite(area) || o.AR < 0.0 || o.AA < 0.0 || area <= 0.0 || !std::isfinite(o.Phi)) {
    std::fprintf(
        stderr,
        "kvem-cli floor circuit: --AR and --AA must not be negative and their sum above 0\n");
    return kExitUnreadable;
  }
  Run run(globals);
  FloorDesignState state = MakeState(run, o.construction);
  state.navrhovaTeplota = {o.tVDes, o.tRDes};
  state.rezimUzivatele = o.byUser;

  CTopnyOkruh& c = room.circuits.front();
  c.AR = o.AR;
  c.AA = o.AA;
  c.A = area;
  c.Phi = o.Phi;
  c.q = o.Phi / area;
  c.thetaU = o.thetaU;
  c.thetaV = o.thetaV.value_or(o.tVDes);
  c.thetaR = o.thetaR.value_or(o.tRDes);
  c.SetMaxFloorTemperature(room.thetai);
  c.SetMaxOutput(room.thetai);

  CCSN_EN_1264 model(state);
  std::vector<double> qG, dTHG, T;
  double dTV = 0.0;
  const double result = model.NavrhKritickehoOkruhu(room, 1, qG, dTHG, T, dTV, 1);
  const char sep = run.app().decimalSeparator();
  auto line = [sep](const char* label, const char* format, double value) {
    std::printf("%s: %s\n", label, FormatDouble(format, value, sep).c_str());
  };
  if (result <= 0.0) {
    line("Spacing T [m]", "%.3f", result);
    if (result == 0.0) {
      std::printf("No spacing could be evaluated.\n");
    } else {
      std::printf("No spacing delivers q = %s W/m2; the smallest spacing gives at most %s W/m2.\n",
                  FormatDouble("%.1f", c.q, sep).c_str(),
                  FormatDouble("%.1f", -result, sep).c_str());
    }
    return kExitStopped;
  }
  c.T = result;
  state.deltaThetaVDes = dTV;
  c.SetLength();
  model.PrutokOkruhu(room);
  c.SetMeanFloorTemperature(room.thetai);
  line("Spacing T [m]", "%.3f", c.T);
  line("DeltathetaH [K]", "%.2f", c.deltaThetaH);
  line("sigma [K]", "%.2f", c.sigma);
  line("DeltathetaV [K]", "%.2f", dTV);
  line("thetaV [°C]", "%.2f", c.thetaV);
  line("thetaR [°C]", "%.2f", c.thetaR);
  line("L [m]", "%.1f", c.L);
  line("mH [kg/s]", "%.5f", c.mH);
  line("mH [kg/h]", "%.1f", c.mH * 3600.0);
  line("q [W/m2]", "%.1f", c.q);
  line("thetaF,max [°C]", "%.1f", c.thetaFMax);
  line("thetaF,m [°C]", "%.1f", c.thetaFm);
  return kExitOk;
}

}  // namespace

void AddFloorCommand(CLI::App& app, Globals& globals) {
  CLI::App* floor = app.add_subcommand("floor", "Floor heating after EN 1264");
  floor->require_subcommand(1);

  auto curves = std::make_shared<ConstructionOptions>();
  CLI::App* curvesCmd = floor->add_subcommand(
      "curves",
      "Print, for every pipe spacing, the limit heat flux qG, the limit heating medium "
      "temperature difference DthetaH,G and the equivalent heat transmission coefficient K_H of "
      "a floor construction. Values left out take the defaults of the system type. Arguments "
      "outside the factor tables are clamped to the tables' ends and reported on stderr as "
      "\"KontrolaMezi: ...\". Exit status: 0 printed, 2 a value the formulas cannot take.");
  AddConstructionOptions(curvesCmd, *curves);
  curvesCmd->add_flag("--csv", curves->csv,
                      "Print CSV (header spacing,qG,dthetaHG,KH; unrounded values, decimal point)");
  curvesCmd->callback([&globals, curves] { globals.exitCode = RunCurves(globals, *curves); });

  auto circuit = std::make_shared<CircuitOptions>();
  CLI::App* circuitCmd = floor->add_subcommand(
      "circuit",
      "Design one circuit of a floor construction as the critical circuit: the largest spacing "
      "that delivers q = Phi/(AR+AA), its DthetaH, sigma, the design supply temperature excess "
      "DthetaV, supply and return temperature, loop length, design flow and floor temperatures. "
      "Exit status: 0 designed, 1 no spacing delivers the heat (the printed spacing is then -qG "
      "of the smallest spacing, or 0 when none could be evaluated), 2 bad values.");
  AddConstructionOptions(circuitCmd, circuit->construction);
  circuitCmd->add_option("--AR", circuit->AR, "Marginal (edge) area A_R [m2]")
      ->capture_default_str();
  circuitCmd->add_option("--AA", circuit->AA, "Occupied area A_A [m2]")->required();
  circuitCmd->add_option("--Phi", circuit->Phi, "Heat the circuit has to deliver [W]")->required();
  circuitCmd->add_option("--thetaV", circuit->thetaV,
                         "Supply temperature of the circuit [°C] (default --tVdes)");
  circuitCmd->add_option("--thetaR", circuit->thetaR,
                         "Return temperature of the circuit [°C] (default --tRdes)");
  circuitCmd
      ->add_option("--thetau", circuit->thetaU, "Temperature of the space under the floor [°C]")
      ->capture_default_str();
  circuitCmd->add_option("--tVdes", circuit->tVDes, "Design supply temperature [°C]")
      ->capture_default_str();
  circuitCmd->add_option("--tRdes", circuit->tRDes, "Design return temperature [°C]")
      ->capture_default_str();
  circuitCmd->add_flag("--by-user", circuit->byUser,
                       "User temperatures: keep the circuit's supply and return temperatures and "
                       "take the spacing whose output comes closest to Phi");
  circuitCmd->callback([&globals, circuit] { globals.exitCode = RunCircuit(globals, *circuit); });
}

}  // namespace kvem::cli
