// The label record as the batch tool reads it: one JSON file (UTF-8) per
// label, {"project": {"Te", "date", "prepared_by"}, "label": {...}}. Members
// that are missing (or null) keep their start values, so {"label": {}} is
// the empty record; members the format does not know are ignored.
#pragma once

#include <filesystem>
#include <string_view>

#include "label/label_data.h"
#include "platform/messenger.h"
#include "project/project.h"

namespace kvem {

inline constexpr std::string_view kLabelReadCaption = "Kvem - error";

// Reads `file` into fresh values and hands them over only when the whole file
// is a label record; otherwise reports why and leaves `data` and `building`
// as they were. `building` receives Te, the date and the preparer.
bool ReadLabelJson(const std::filesystem::path& file, EnStData& data, BuildingData& building,
                   Messenger& messenger);

// The same for text already in memory; `source` names it in messages.
bool ParseLabelJson(std::string_view text, std::string_view source, EnStData& data,
                    BuildingData& building, Messenger& messenger);

}  // namespace kvem
