// Network files for the tests: a header as the CAD side writes it and body lines.
#pragma once

#include <random>
#include <set>
#include <string>
#include <vector>

namespace kvem::test {

inline std::string NetworkText(const std::vector<std::string>& body, const std::string& kind = "P",
                               const std::string& preset = "", const std::string& eol = "\n") {
  std::string text = "Project:        Hall" + eol + "Drawing:        7" + eol + "12" + eol + "x" +
                     eol + "Date:           2024-01-01" + eol + kind + eol + preset + eol +
                     "Branch Section Length Q Pipe ksi Type Riser Heater Pmin" + eol;
  for (const auto& line : body) text += line + eol;
  return text;
}

// Random supply and return networks: trees up to `depth` levels deep over
// several branches, with duplicated lines, valve lines whose return side
// matches (or, now and then, differs slightly), unknown pipes, flows out of
// the diagram, malformed lines and seven-value lines.
struct RandomNetworks {
  std::vector<std::string> supply, ret;
};

inline RandomNetworks MakeRandomNetworks(unsigned seed, int sections, int depth, char sep = '.') {
  std::mt19937 rng(seed);
  auto pick = [&](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
  auto num = [&](double v, int decimals) {
    std::string s = std::to_string(v);
    s = s.substr(0, s.find('.') + (decimals > 0 ? decimals + 1 : 0));
    for (char& c : s) c = c == '.' ? sep : c;
    return s;
  };
  const std::string alphabet = "ABCDEFGHJKLMNabcdefgh123456789";
  const char* pipes[] = {"16x1.8", "16x2.0", "18x2",   "20x2.3", "23x2.5",
                         "32x4.4", "12x1.4", "50x5.6", "16x1.8"};
  std::vector<std::string> numbers;
  std::set<std::string> used;
  RandomNetworks out;
  for (int i = 0; i < sections; ++i) {
    std::string number;
    if (numbers.empty() || pick(8) == 0) {
      number = std::string(
          1, alphabet[static_cast<std::size_t>(pick(static_cast<int>(alphabet.size())))]);
    } else {
      number = numbers[static_cast<std::size_t>(pick(static_cast<int>(numbers.size())))];
      if (static_cast<int>(number.size()) >= depth) number.pop_back();
      number += alphabet[static_cast<std::size_t>(pick(static_cast<int>(alphabet.size())))];
    }
    if (!used.insert(number).second) continue;
    numbers.push_back(number);
    const std::string branch = std::to_string(1 + pick(12));
    const std::string pipe = pick(40) == 0 ? "15x9" : pipes[pick(9)];
    const double q = pick(30) == 0 ? 900000.0 : 200.0 + pick(20000);
    const std::string head = branch + " " + number + " " + num(500.0 + pick(9000), pick(2)) + " ";
    const std::string ksi = num(pick(60) / 10.0, 1);
    const int type = pick(3) == 0 ? (pick(3) == 0 ? 2 : (pick(2) == 0 ? 1 : 10)) : 0;
    if (type == 0) {
      std::string line = head + num(q, 0) + " " + pipe + " " + ksi + " 0";
      if (pick(4) == 0) line += " 3 - 0";
      out.supply.push_back(line);
      out.ret.push_back(line);
      if (pick(25) == 0) out.supply.push_back(line);  // a drawn piece twice
    } else {
      const std::string heater = "T" + number;
      const std::string riser = std::to_string(pick(5));
      const std::string tail = " " + riser + " " + heater + " " + num(pick(3000), 0);
      const std::string qs = num(q / 10, 0);
      out.supply.push_back(head + qs + " " + pipe + " " + ksi + " " + std::to_string(type) + tail);
      const std::string qr = pick(20) == 0 ? num(q / 10 + 1, 0) : qs;
      out.ret.push_back(head + qr + " " + pipe + " " + ksi + " " + std::to_string(type) + tail);
      if (pick(25) == 0)
        out.supply.push_back(head + qs + " " + pipe + " 1 0");  // type-0 piece of a valve line
    }
    if (pick(60) == 0)
      out.supply.push_back(head + "100 " + pipe + (pick(2) ? " 1" : " 1 2 3"));  // malformed
  }
  std::shuffle(out.supply.begin(), out.supply.end(), rng);
  std::shuffle(out.ret.begin(), out.ret.end(), rng);
  return out;
}

}  // namespace kvem::test
