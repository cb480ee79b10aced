// The hand-over of heat-loss results into the drawing's room table, as the
// Results window's OK does it: room number, name, Ti and total loss of every
// room, "NE" in the floor-heating flag. When the table already holds heater
// records the user chooses how to go on.
#pragma once

#include <array>
#include <cstddef>
#include <filesystem>
#include <string_view>

#include "platform/messenger.h"
#include "project/project.h"

namespace kvem {

enum class HandoverChoice {
  OverwriteAll = 0,   // one record per room; every former record (heaters too) goes
  Modifications = 1,  // append only rooms whose number and name are not in the table yet
  WithoutChanges = 2  // nothing is written
};

inline constexpr std::string_view kHandoverCaption = "Kvem - How to Go On";
inline constexpr std::string_view kHandoverText =
    " My records say that some ro-\n oms have the installation of heaters already determined. "
    "It\n is however most likely that this installation also\n has already been drawn in "
    "drawings. There-\n fore I ask to consider this fact and decide,\n whether :";
inline constexpr std::array<std::string_view, 3> kHandoverChoiceTexts = {
    "Overwrite &all", "Overwrite only &modifications of data on rooms\nnot provided with heaters",
    " Without changes (no save)"};
inline constexpr int kHandoverPreselected = static_cast<int>(HandoverChoice::WithoutChanges);

struct HandoverOutcome {
  HandoverChoice choice = HandoverChoice::WithoutChanges;
  bool asked = false;       // the table held heater records, so the user was asked
  bool created = false;     // the table did not exist and was created
  std::size_t written = 0;  // records written (all) or appended (modifications)
  std::size_t kept = 0;     // rooms already in the table (modifications)
};

// Hands the results of `project` (rows of the Results list, user's decimal
// separator `decimalSeparator`) over into `roomTable`. When the table does
// not exist and `createWhenMissing` is set, it is created (with its folder)
// with the layout of NewRoomTableLayout(); otherwise a missing table is
// reported like one that cannot be opened. False after a message when the
// table cannot be read or written, or has fewer than the 4 fields the rooms
// and their losses need; the table is then unchanged. Every rewrite replaces
// the file atomically.
bool HandOverResults(const Project& project, char decimalSeparator,
                     const std::filesystem::path& roomTable, bool createWhenMissing,
                     Messenger& messenger, HandoverOutcome* outcome = nullptr);

}  // namespace kvem
