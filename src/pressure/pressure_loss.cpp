#include "pressure/pressure_loss.h"

#include <cmath>
#include <string>

#include "pressure/index_table.h"
#include "pressure/valves.h"

namespace kvem {
namespace {

struct PipeDiagram {
  double gMin, rMin, gMax, rMax, innerDiameter;
};
constexpr PipeDiagram kDiagrams[7] = {
    {35, 17.5, 1150, 6800, 0.0124}, {53, 15, 1600, 5500, 0.0140},  {60, 14, 1700, 5250, 0.0144},
    {96, 10.5, 2800, 3950, 0.0180}, {195, 10, 4850, 2900, 0.0232}, {22.5, 22.5, 700, 8750, 0.0092},
    {600, 10, 12000, 1800, 0.0388},
};

// Density of water / 1000 for 0..99 °C, as single-precision values.
constexpr float kDensity[100] = {
    0.99987f, 0.99993f, 0.99997f, 0.99999f, 1.00000f, 0.99999f, 0.99997f, 0.99993f, 0.99988f,
    0.99981f, 0.99973f, 0.99963f, 0.99953f, 0.99940f, 0.99927f, 0.99913f, 0.99897f, 0.99880f,
    0.99862f, 0.99843f, 0.99823f, 0.99802f, 0.99780f, 0.99757f, 0.99732f, 0.99707f, 0.99681f,
    0.99654f, 0.99626f, 0.99597f, 0.99567f, 0.99537f, 0.99505f, 0.99473f, 0.99440f, 0.99406f,
    0.99371f, 0.99336f, 0.99299f, 0.99262f, 0.99224f, 0.99186f, 0.99147f, 0.99107f, 0.99066f,
    0.99025f, 0.98982f, 0.98940f, 0.98896f, 0.98852f, 0.98807f, 0.98762f, 0.98715f, 0.98669f,
    0.98621f, 0.98573f, 0.98525f, 0.98475f, 0.98425f, 0.98375f, 0.98324f, 0.98272f, 0.98220f,
    0.98167f, 0.98113f, 0.98059f, 0.98005f, 0.97950f, 0.97894f, 0.97838f, 0.97781f, 0.97723f,
    0.97666f, 0.97607f, 0.97548f, 0.97489f, 0.97429f, 0.97368f, 0.97307f, 0.97245f, 0.97183f,
    0.97121f, 0.97057f, 0.96994f, 0.96930f, 0.96865f, 0.96800f, 0.96734f, 0.96668f, 0.96601f,
    0.96534f, 0.96467f, 0.96399f, 0.96330f, 0.96261f, 0.96192f, 0.96122f, 0.96051f, 0.95981f,
    0.95909f,
};

bool KnownPipe(std::int32_t index) {
  return index >= 1 && index <= 7;
}

}  // namespace

double PipeGradient(double flow, std::int32_t pipeIndex, Messenger& messenger) {
  if (!KnownPipe(pipeIndex)) {
    messenger.Show("Nonsence!", "", Icon::None);
    return -1.0;
  }
  const PipeDiagram& d = kDiagrams[pipeIndex - 1];
  double x = std::log(flow);
  const double lnGMin = std::log(d.gMin);
  const double lnGMax = std::log(d.gMax);
  if (x > lnGMax) return -1.0;
  if (x < lnGMin) x = lnGMin;
  const double lnRMin = std::log(d.rMin);
  return std::exp(lnRMin + (std::log(d.rMax) - lnRMin) / (lnGMax - lnGMin) * (x - lnGMin));
}

double InnerDiameter(std::int32_t pipeIndex, Messenger& messenger) {
  if (!KnownPipe(pipeIndex)) {
    messenger.Show("Nonsence!", "", Icon::None);
    return -1.0;
  }
  return kDiagrams[pipeIndex - 1].innerDiameter;
}

double WaterDensity(double t) {
  if (!(t >= 0.0 && t <= 99.0)) return -1.0;  // NaN included
  return static_cast<double>(kDensity[static_cast<int>(t + 0.5)]) * 1000.0;
}

void ComputeSectionLosses(CPrivodTelesa& network, Messenger& messenger) {
  for (CUsekPrivodu& s : network.sections) {
    if (s.elementType == kDistributor) {
      s.flow = 0.0;
      s.r = 0.0;
      s.velocity = 0.0;
      s.rl = 0.0;
      s.z = s.heatLoad;
      s.rlz = s.heatLoad;
      continue;
    }
    s.flow = s.heatLoad / s.temperatureDifference * kFlowPerWattKelvin;
    s.r = PipeGradient(s.flow, s.pipeIndex, messenger);
    if (s.r < 0) {
      s.r = 0.0;
      messenger.Show("Flow volume is out off diagram!\n\nBranch Number = " +
                         std::to_string(s.branch) + "\nSection Number = " + s.section,
                     "Kvem - error", Icon::Warning);
    }
    const double d = InnerDiameter(s.pipeIndex, messenger);
    const double rho = WaterDensity(s.mediumTemperature);
    s.velocity = s.flow / (900.0 * kPi * d * d * rho);
    s.rl = s.length * s.r * 0.001;
    s.z = rho * s.ksi * s.velocity * s.velocity * 0.5;
    s.rlz = s.rl + s.z;
  }
  network.cumulativeCurrent = false;
}

double Accumulate(CPrivodTelesa& network) {
  auto& s = network.sections;
  const std::size_t n = s.size();
  if (!network.cumulativeCurrent && n > 0) {
    // The first section of every number, then each section's parent: the
    // first section whose number is its own without the last character.
    // The hashes come first, in one pass, so that the table slots (and the
    // section a lookup will compare with) can be fetched some way ahead.
    constexpr std::size_t kAhead = 16;
    LargeVector<std::uint64_t> hashes(n);
    LargeVector<std::uint64_t> parentHashes(n);
    for (std::size_t i = 0; i < n; ++i) {
      hashes[i] = detail::HashText(s[i].section);
      const std::string_view up = ParentNumber(s[i].section);
      parentHashes[i] = up.empty() ? 0 : detail::HashText(up);
    }
    detail::IndexTable first(n);
    for (std::size_t i = 0; i < n; ++i) {
      if (i + kAhead < n) first.Prefetch(hashes[i + kAhead]);
      auto slot = first.Slot(hashes[i], [&](std::uint32_t j) { return s[j].section == s[i].section; });
      if (slot == 0) slot = static_cast<std::uint32_t>(i) + 1;
    }
    // Each section's parent, its own R*l+Z and length, in a compact copy
    // (far fewer cache lines than the sections), and the children per parent.
    struct Link {
      long parent;
      double rlz;     // then All
      double length;  // then the length overall
    };
    LargeVector<Link> links(n);
    LargeVector<std::uint32_t> childStart(n + 1, 0);
    for (std::size_t i = 0; i < n; ++i) {
      if (i + kAhead < n) first.Prefetch(parentHashes[i + kAhead]);
      if (i + kAhead / 2 < n) {
        const long c = first.Candidate(parentHashes[i + kAhead / 2]);
        if (c >= 0) __builtin_prefetch(&s[static_cast<std::size_t>(c)].section);
      }
      const std::string_view up = ParentNumber(s[i].section);
      const long p = up.empty() ? -1 : first.Find(parentHashes[i], [&](std::uint32_t j) {
        return s[j].section == up;
      });
      links[i] = {p, s[i].rlz, s[i].length};
      if (p >= 0) ++childStart[static_cast<std::size_t>(p) + 1];
    }
    for (std::size_t i = 0; i < n; ++i) childStart[i + 1] += childStart[i];
    LargeVector<std::uint32_t> children(childStart[n]);
    {
      LargeVector<std::uint32_t> fill(childStart.begin(), childStart.end() - 1);
      for (std::size_t i = 0; i < n; ++i) {
        const long p = links[i].parent;
        if (p >= 0) children[fill[static_cast<std::size_t>(p)]++] = static_cast<std::uint32_t>(i);
      }
    }
    // Sums in the order root-ward from the section itself, as the chain is
    // walked. The tree is visited depth first, so the chain of the section at
    // hand is the path from its root, which stays in the cache.
    struct Step {
      std::uint32_t node;
      std::uint32_t nextChild;
      double rlz;
      double length;
    };
    std::vector<Step> path;
    auto enter = [&](std::size_t i) {
      Link& link = links[i];
      double all = link.rlz;
      double length = link.length;
      for (std::size_t k = path.size(); k-- > 0;) {
        all += path[k].rlz;
        length += path[k].length;
      }
      path.push_back({static_cast<std::uint32_t>(i), childStart[i], link.rlz, link.length});
      link.rlz = all;
      link.length = length;
    };
    for (std::size_t root = 0; root < n; ++root) {
      if (links[root].parent >= 0) continue;
      enter(root);
      while (!path.empty()) {
        Step& top = path.back();
        if (top.nextChild == childStart[top.node + 1]) {
          path.pop_back();
        } else {
          enter(children[top.nextChild++]);
        }
      }
    }
    for (std::size_t i = 0; i < n; ++i) {
      s[i].all = links[i].rlz;
      s[i].lengthOverall = links[i].length;
    }
  }
  double largest = 0.0;
  for (const CUsekPrivodu& section : s) {
    if (section.all > largest) largest = section.all;
  }
  return largest;
}

double Distribute(CPrivodTelesa& network, double available) {
  const double used = available > 0 ? available : Accumulate(network);
  for (CUsekPrivodu& s : network.sections) {
    s.overplus = used - s.all;
    s.regulation = ValvePresetting(s.elementType, s.flow, s.overplus, s.remainder);
  }
  return used;
}

bool EvaluateNetwork(CPrivodTelesa& network, const std::filesystem::path& file,
                     NetworkHeader& header, char separator, Messenger& messenger) {
  if (!ReadNetwork(file, network, header, separator, messenger)) return false;
  BuildSections(network, separator, messenger);
  MergeDuplicates(network);
  ComputeSectionLosses(network, messenger);
  Distribute(network, -1.0);
  return true;
}

}  // namespace kvem
