// The records floor-heating design works on: the pipe, the spacing record,
// the heating circuit with its thermal relations, the floor-heated room, and
// the design state of one run (design temperatures, mode, spacing records,
// where the range messages go). The design state is owned by whoever runs the
// design and handed to the calculation object; nothing here is global.
#pragma once

#include <string>
#include <vector>

#include "platform/messenger.h"

namespace kvem {

// System types as the room table stores them.
inline constexpr int kSystemTypeA = 1;
inline constexpr int kSystemTypeB = 2;
inline constexpr int kSystemTypeC = 3;
inline constexpr int kSystemTypeS = 4;  // dry system
inline constexpr int kSystemType5 = 5;  // evaluated with a constant limit curve

// Specific heat of water in the design flow [J/(kg.K)], as its reciprocal.
inline constexpr double kInverseHeatCapacityWater = 0.00023884589662749592;  // 1/4186.8

// The limit heat flux [W/m2] of a floor whose surface may be `thetaFMax`:
// 175 in marginal zones (more than 9 K above the room), 100 elsewhere.
double MezniTok(double thetai, double thetaFMax);

// A pipe type. Lengths in metres, conductivities in W/(m.K).
struct CTopnaTrubka {
  std::string name;
  double D = 0.0;        // outer diameter
  double Do = 0.0;       // outer diameter over an outer layer (sheath); <= D: none
  double sR = 0.0;       // wall thickness
  double lambdaR = 0.0;  // pipe wall
  double lambdaO = 0.0;  // outer layer
};

// A spacing record: values from `from` in steps of `step` up to `to` [m].
struct CRoztece {
  double step = 0.0;
  double from = 0.0;
  double to = 0.0;
  std::vector<double> values;
  bool available = false;

  // Fills `values` from step/from/to. Values are kept to whole micrometres so
  // that 3 x 0.075 is 0.225 and equal spacings of two records compare equal.
  void GenerateValues();
};

// The two records a run starts with: the standard 0.075 ... 0.3 m (available)
// and 0.063 ... 0.252 m (not available).
std::vector<CRoztece> DefaultSpacingRecords();

// Design supply and return temperature tV,des / tR,des [°C].
struct NavrhovaTeplota {
  double tV = 37.5;
  double tR = 32.5;
};

// The floor-heating design state of one run, with the settings of the design
// dialog. Owned by the caller (the application, a batch command, a test).
struct FloorDesignState {
  NavrhovaTeplota navrhovaTeplota;
  bool rezimUzivatele = false;   // false: EN 1264 design; true: user temperatures
  double deltaThetaVDes = 0.0;   // design supply temperature excess [K]
  double minimalSigma = 5.0;     // [K], user-temperatures mode
  double maxLoopLength = 140.0;  // [m]
  double tolerance = 1.03;       // [-]
  double returnExcess = 5.0;     // [K]
  double maxFlow = 4.0 / 60.0;   // [kg/s]
  double minFlow = 0.5 / 60.0;   // [kg/s]
  int defaultSystemType = kSystemTypeA;
  std::vector<CRoztece> roztece;  // the spacing records

  // Where the table lookups report an argument outside their range; nothing is
  // reported unless `rangeMessages` is on (the programs turn it on at start).
  Messenger* messenger = nullptr;
  bool rangeMessages = false;
  char decimalSeparator = '.';
};

// One heating circuit (one loop of pipe in one room).
struct CTopnyOkruh {
  CTopnaTrubka pipe;
  std::string name;
  std::string note;               // heater count of a virtual heater
  double T = 0.0;                 // pipe spacing [m]
  double L = 0.0;                 // pipe length in the heated area [m]
  double Phi = 0.0;               // heat to deliver [W]
  double PhiMax = 0.0;            // maximum output [W]
  double notCovered = 0.0;        // Phi - A.q [W]
  double A = 0.0;                 // total area [m2]
  double AR = 0.0;                // marginal (edge) area [m2]
  double AA = 0.0;                // occupied area [m2]
  double q = 0.0;                 // heat flux [W/m2]
  double thetaFMax = 0.0;         // maximum floor surface temperature [°C]
  double thetaFm = 0.0;           // mean floor surface temperature [°C]
  double thetaV = 0.0;            // supply [°C]
  double thetaR = 0.0;            // return [°C]
  double deltaThetaH = -1.0;      // heating medium temperature difference [K]; -1: never designed
  double sigma = 0.0;             // temperature drop [K]
  double thetaU = 5.0;            // space under the floor [°C]
  double mH = 0.0;                // design flow [kg/s]
  bool marginalZone = false;      // the marginal area is served at the densest spacing
  double connectionLength = 0.0;  // connection pipe [m]
  double factor = 1.04;

  // thetaF,max: 9 K above the room, 15 K with a marginal area, never above 35 °C.
  void SetMaxFloorTemperature(double thetai);
  // thetaF,m from the heat flux (the basic characteristic curve).
  void SetMeanFloorTemperature(double thetai);
  // Phi_max = limit heat flux . A.
  void SetMaxOutput(double thetai);
  // L = A/T rounded up to the next 0.5 m; 0 when T <= 0.
  void SetLength();
  // Supply and return from DeltathetaH and sigma; with `design` the result
  // also becomes the design temperatures.
  void SetTemperaturesFromDrop(double thetai, NavrhovaTeplota* design);
  // sigma := s, supply at the design supply temperature, return s below it.
  void SetTemperaturesFromSigma(double s, const NavrhovaTeplota& design);
};

// A floor-heated room: its construction and its circuits.
struct CMistPodlahVytap {
  bool selected = true;
  std::string number;
  std::string name;
  double thetai = 20.0;
  double heatLoss = 0.0;
  double fromCircuits = 0.0;
  double fromHeaters = 0.0;
  int count = 1;
  int systemType = kSystemTypeA;
  double area = 0.0;  // room area [m2]

  // Floor construction. Resistances in m2.K/W, heights in mm,
  // conductivities in W/(m.K).
  double R = 0.0;  // covering (top layer)
  double bearingResistance = 0.0;
  double insulationResistance = 0.0;
  double ceilingResistance = 0.0;
  double plasterResistance = 0.0;
  double lowerSurfaceResistance = 0.0;
  double su = 0.0;                            // layer height over the pipes [mm]
  double lambdaE = 0.0;                       // levelling (load-bearing) layer
  double insulationHeight = 0.0;              // [mm]
  double insulationHeightUnderPipe = 0.0;     // type B [mm]
  double insulationHeightUnderLamella = 0.0;  // type B [mm]
  double insulationConductivity = 0.0;
  double lamellaThickness = 0.0;     // s_WL [mm]
  double lamellaConductivity = 0.0;  // lambda_WL
  double lamellaProportion = 0.0;    // L/T [1]
  bool reinforcement = false;        // type C
  double reinforcementConductivity = 0.0;
  double reinforcementProportion = 0.0;  // [%]
  double k = 1.0;                        // experimental coefficient

  std::vector<CTopnyOkruh> circuits;
  int currentCircuit = 0;  // index into `circuits`

  CTopnyOkruh* CurrentCircuit();
  const CTopnyOkruh* CurrentCircuit() const;

  // R_u: insulation + ceiling + plaster + lower surface.
  double ResistanceBelow() const;

  // Every construction value that is 0 or less takes the default of the
  // room's system type (types C and 5 take those of type A).
  void ApplyDefaults();
};

}  // namespace kvem
