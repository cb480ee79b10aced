#include "label/label_evaluation.h"

#include <cmath>

#include "platform/numbers.h"

namespace kvem {

std::string NormalizeDecimalSeparator(std::string_view text, char separator) {
  std::string out(text);
  for (char& c : out) {
    if (separator == '.') {
      if (c == ',') c = '.';
    } else if (c == '.') {
      c = separator;
    }
  }
  return out;
}

bool ComputeAToV(EnStData& data) {
  if (data.area <= 0.0 && data.volume == 0.0) return false;
  data.aToV = data.area / data.volume;
  return true;
}

void ComputeClimaticCoefficients(EnStData& data) {
  if (data.thetaI > 0.0) {
    data.h1 = (data.thetaI - 3.8) * 5.81;
    data.h2 = (data.thetaI - 3.8) * 0.81;
  } else {
    data.h1 = 0.0;
    data.h2 = 0.0;
  }
}

void ComputeConstructionRow(EnStData& data, int row, char separator) {
  if (row < 0 || row >= kConstructionRows) return;
  auto& cells = data.constructions[static_cast<std::size_t>(row)];
  auto read = [&](int cell) {
    return ParseDouble(NormalizeDecimalSeparator(cells[static_cast<std::size_t>(cell)], separator),
                       separator);
  };
  const double ai = read(kCellAi);
  const double ui = read(kCellUi);
  const double bi = read(kCellBi);
  const double hu = ai * ui * bi;
  cells[kCellAi] = FormatDouble("%.1f", ai, separator);
  cells[kCellHu] = std::isfinite(hu) ? FormatDouble("%.2f", hu, separator) : std::string();
}

void ComputeConstructionTotals(EnStData& data, char separator) {
  double sumA = 0.0;
  double ht = 0.0;
  for (const auto& cells : data.constructions) {
    sumA += ParseDouble(cells[kCellAi], separator);
    ht += ParseDouble(cells[kCellHu], separator);
  }
  data.sumA = sumA;
  data.ht = ht;
}

bool PerCubicMetre(const EnStData& data) {
  return data.storeyFlag == kStoreyFlagYes;
}

double RequiredValue(const EnStData& data) {
  return PerCubicMetre(data) ? data.evn : data.eva;
}

void ComputeAnnualDemand(EnStData& data) {
  data.er = data.evp + data.evv - (data.ezs + data.evz) * data.n;
}

void ComputeEnergyBalance(EnStData& data) {
  data.evp = (data.ht + 0.1 * data.area) * data.h1;
  data.evv = data.h2 * data.volume;
  data.ezs = 6.0 * data.volume;
  if (data.manualEvz != 1) data.evz = 3.0 * data.volume;
  data.n = 0.9;
  ComputeAnnualDemand(data);
  data.ev = PerCubicMetre(data) ? data.er / data.volume : data.er / data.floorArea;
  // From A and V afresh: the stored A/V may be older than the inputs.
  data.evn = (data.area / data.volume) * 26.03 + 20.64;
  data.eva = data.evn * 3.125;
}

bool HasDefinedRating(const EnStData& data) {
  return std::isfinite(data.ev) && std::isfinite(RequiredValue(data));
}

std::string_view UndefinedReason(const EnStData& data) {
  if (data.volume == 0.0) return kMissingVolumeText;
  if (!PerCubicMetre(data) && data.floorArea == 0.0) return kMissingFloorAreaText;
  return kOutOfRangeText;
}

Rating RateLabel(EnStData& data) {
  Rating rating;
  if (!HasDefinedRating(data)) {
    rating.outcome = RatingOutcome::Undefined;
    rating.text = UndefinedReason(data);
    return rating;
  }
  // Tested on eva whatever the flag: evn and eva always have the same sign.
  if (data.er <= 0.0 && data.eva <= 0.0) {
    rating.outcome = RatingOutcome::Failed;
    rating.text = kRatingFailedText;
    return rating;
  }
  const double sen = data.ev / RequiredValue(data) * 100.0;
  if (!std::isfinite(sen)) {  // a required value of exactly 0 with Er > 0
    rating.outcome = RatingOutcome::Undefined;
    rating.text = kOutOfRangeText;
    return rating;
  }
  data.sen = sen;
  rating.outcome = RatingOutcome::Rated;
  rating.text = VerdictFor(sen);
  return rating;
}

std::string_view VerdictFor(double sen) {
  return sen <= 100.0 ? kVerdictComplies : kVerdictFails;
}

int ClassIndex(double sen) {
  static constexpr double kLimits[] = {40.0, 60.0, 80.0, 100.0, 120.0, 150.0};
  int index = 0;
  for (double limit : kLimits) {
    if (sen <= limit) return index;
    ++index;
  }
  return index;
}

char ClassLetter(double sen) {
  return static_cast<char>('A' + ClassIndex(sen));
}

}  // namespace kvem
