// The pipe network of one heating medium as the CAD side draws it: one text
// file per medium ("<P>_r007.txt" supply, "<P>_z007.txt" return) listing the
// sections, read into a CPrivodTelesa holding CUsekPrivodu records.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "platform/large_data.h"
#include "platform/messenger.h"

namespace kvem {

// Kind letters of the two media.
inline constexpr char kSupplyKind = 'r';
inline constexpr char kReturnKind = 'z';

// Element types of a section's end.
inline constexpr std::int32_t kWithoutValve = 0;
inline constexpr std::int32_t kValvePexon = 1;
inline constexpr std::int32_t kValveHeimeier = 2;
inline constexpr std::int32_t kDistributor = 3;
inline constexpr std::int32_t kRisingPipe = 4;
inline constexpr std::int32_t kValveDanfoss = 10;

// One pipe section. Units are those the grids and reports show.
struct CUsekPrivodu {
  std::int32_t branch = 0;      // branch (riser) the section belongs to
  std::string section;          // hierarchical code, one character per level
  double heatLoad = 0.0;        // W; for a distributor its pressure loss in Pa
  double flow = 0.0;            // kg/h
  double length = 0.0;          // mm
  double lengthOverall = 0.0;   // mm, from the root to the end of this section
  std::int32_t pipeIndex = 0;   // 1..7, 0 when the designation is unknown
  std::string pipe;             // designation as written ("16x1.8")
  double velocity = 0.0;        // m/s
  double r = 0.0;               // Pa/m
  double rl = 0.0;              // Pa
  double ksi = 0.0;             // sum of local loss coefficients
  double z = 0.0;               // Pa
  double rlz = 0.0;             // Pa
  double all = 0.0;             // Pa, loss from the root to the end of this section
  double overplus = 0.0;        // Pa, available pressure minus all
  std::int32_t regulation = 0;  // valve presetting, 0 = none
  double remainder = 0.0;       // Pa left after the valve
  std::int32_t elementType = kWithoutValve;
  std::string heater;                   // heater at the end of the section
  double temperatureDifference = 20.0;  // K
  double mediumTemperature = 80.0;      // °C
  double minDisposalPressure = 0.0;     // Pa
  std::string riser;                    // riser number of a valve line
};

// A body line of a network file: where its bytes are in the file, and its
// line number there (for messages).
struct NetworkLine {
  std::size_t offset = 0;
  std::size_t size = 0;
  long fileLine = 0;
};

// The network of one medium.
class CPrivodTelesa {
 public:
  // In file order after sorting and merging. Networks run to a million
  // sections, so the big arrays live in large-page memory.
  LargeVector<CUsekPrivodu> sections;

  // Only while reading: the file's bytes and its body lines, sorted.
  std::filesystem::path file;
  LargeString lineBytes;
  LargeVector<NetworkLine> lines;
  bool separatorNoted = false;  // a number that stopped at the other separator was reported

  double meanTemperature = 0.0;        // °C
  double temperatureDifference = 0.0;  // K
  // Set when All comes from outside (the heater items), cleared by every loss
  // calculation; accumulation keeps All while it is set.
  bool cumulativeCurrent = false;

  std::string_view LineText(std::size_t i) const {
    return std::string_view(lineBytes).substr(lines[i].offset, lines[i].size);
  }
  void ClearLines();
};

// Lines 1 to 7 of the network file last read. Lines 1, 2 and 5 carry a
// 16-character label before their value.
struct NetworkHeader {
  std::array<std::string, 7> values;  // UTF-8
  double presetPressure = 0.0;        // line 7 read as a number; used when > 0

  const std::string& riser() const { return values[2]; }        // line 3
  const std::string& drawingKind() const { return values[5]; }  // line 6: "P" or "S"
};

// "16x1.8" -> 1 ... "50x5.6" -> 7; 0 for any other designation.
std::int32_t PipeIndexOf(std::string_view designation);

// PathWorking/P/P_<kind><nnn>.txt ("%03ld" of the drawing number).
std::filesystem::path NetworkFileName(const std::filesystem::path& working,
                                      const std::string& project, long number, char kind);

// The drawing project name P (line 3 of "epc_pr1.ini") and number n (line 2
// of "epc_pr2.ini", read as an integer) from the temporary folder.
struct DrawingProject {
  std::string name;
  long number = 0;
};
DrawingProject ReadDrawingProject(const std::filesystem::path& tmp, Messenger& messenger);

// Reads the file into the header and the network's sorted line list (false
// when it cannot be opened: the message "\nCann't open file\n'%s' !").
// `separator` is the user's decimal separator.
bool ReadNetwork(const std::filesystem::path& file, CPrivodTelesa& network, NetworkHeader& header,
                 char separator, Messenger& messenger);

// Puts the body lines in ascending byte order; identical lines keep the
// order the one-by-one insertion gives them (the later read first).
void SortNetworkLines(CPrivodTelesa& network);

// Turns every line into a section (malformed lines are reported and dropped)
// and empties the line list.
void BuildSections(CPrivodTelesa& network, char separator, Messenger& messenger);

// Parses one body line into `out`. Returns 0 when it is a section, else the
// failure: -1 fewer than six values, 1..4 the marker of where the line ends.
struct LineParse {
  int failure = 0;
  bool stoppedAtOtherSeparator = false;
};
LineParse ParseNetworkLine(std::string_view line, const CPrivodTelesa& network, char separator,
                           CUsekPrivodu& out);

// Shows the messages of a malformed line (its marker, if any, then the
// "záznam nemá očekávaný tvar" box).
void ReportMalformedLine(int failure, Messenger& messenger);

// Two sections are duplicates when branch, section number, heat load and pipe
// index are equal; each class is folded in list order into one section.
void MergeDuplicates(CPrivodTelesa& network);

// Index of the first section with exactly that number, or -1.
long FindSection(const CPrivodTelesa& network, std::string_view number);

// A section number without its last character (UTF-8 aware).
std::string_view ParentNumber(std::string_view number);

}  // namespace kvem
