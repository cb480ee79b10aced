// The printable energy label: an HTML page made from the installed template
// by replacing its keys (names between percent signs) with the record's
// values, with a picture copied beside it. The template and the page are
// Windows-1250; the page is written as one line.
#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

#include "label/label_data.h"
#include "platform/launcher.h"
#include "platform/messenger.h"
#include "project/project.h"

namespace kvem {

inline constexpr std::string_view kLabelTemplateName = "EnergetickyStitekSablona.htm";
inline constexpr std::string_view kLabelPictureName = "EnergetickyStitekObrazek.gif";
inline constexpr std::string_view kDefaultLabelPageName = "EnergetickyStitekBudovy.htm";
// The template's reference to the picture, replaced by the copied picture's name.
inline constexpr std::string_view kPictureReference = "EnergetickyStitekSablona.bmp";
inline constexpr std::string_view kTemplateMissingText = "IDS_";
inline constexpr std::string_view kLabelErrorCaption = "Kvem - error";
inline constexpr std::string_view kLabelNoticeCaption = "Kvem - notice";

// The installed template and picture under the main installation folder.
std::filesystem::path LabelTemplatePath(const std::filesystem::path& pathMain);
std::filesystem::path LabelPicturePath(const std::filesystem::path& pathMain);

// The picture beside a page: the page's last extension replaced by "gif".
std::filesystem::path LabelPicturePathFor(const std::filesystem::path& page);

// The template's lines joined without their line ends and every key replaced,
// pass by pass in the label's order. `templateBytes` and the result are
// Windows-1250; values are taken from UTF-8 and counted in *unmappable when
// the code page cannot hold a character (written as "?"). Numbers carry
// `separator`; a number without a finite value is left empty, as are SEN,
// class and verdict when the record has no defined rating.
std::string FillLabelTemplate(std::string_view templateBytes, const EnStData& data,
                              const BuildingData& building, std::string_view pictureName,
                              char separator, std::size_t* unmappable = nullptr);

// The generator: reads `templatePath`, writes `page` (replacing it
// atomically), then opens it with the desktop's viewer when `viewer` is
// given. A missing template shows "IDS_" and writes nothing. A page that
// cannot be written is not reported (the caller may, from *writeError);
// returns false then.
bool GenerateLabelPage(const std::filesystem::path& page, const std::filesystem::path& templatePath,
                       const EnStData& data, const BuildingData& building,
                       std::string_view pictureName, char separator, Messenger& messenger,
                       ProgramLauncher* viewer = nullptr, std::string* writeError = nullptr);

// The save of the label's last page once the engineer has chosen `page`: the
// picture's bare name is remembered in `state`, the installed picture is
// copied beside the page (a failed copy is ignored), then the page is
// generated from `templatePath` (empty: the installed template).
bool SaveLabelPage(EnergyLabelState& state, const BuildingData& building,
                   const std::filesystem::path& pathMain, const std::filesystem::path& page,
                   char separator, Messenger& messenger, ProgramLauncher* viewer = nullptr,
                   const std::filesystem::path& templatePath = {},
                   std::string* writeError = nullptr);

}  // namespace kvem
