#include "receiver_model.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace pcrsim {
namespace {

bool isHexDigits(const std::string& text, size_t from, size_t count) {
  if (text.size() < from + count) return false;
  for (size_t i = from; i < from + count; ++i)
    if (!std::isxdigit(static_cast<unsigned char>(text[i]))) return false;
  return true;
}

std::string hex2(int value) {
  char buf[3];
  std::snprintf(buf, sizeof buf, "%02X", value & 0xFF);
  return buf;
}

}  // namespace

ReceiverModel::ReceiverModel(Options options) : m_options(std::move(options)), m_random(m_options.seed) {}

int ReceiverModel::signal(double nowMs) const {
  const double mhz = heardMhz(nowMs);
  int best = 0;
  for (const Station& s : m_options.stations) {
    // Half the width either side, with a little slack for rounding to Hz.
    if (std::fabs(mhz - s.mhz) * 1000.0 <= s.widthKHz / 2.0 + 1e-6 && s.strength > best) best = s.strength;
  }
  return best;
}

std::string ReceiverModel::answer(const std::string& command, double nowMs) {
  for (const auto& [cmd, text] : m_options.answers)
    if (cmd == command) return frame(text);
  std::string body = reply(command, nowMs);
  if (body.empty()) return {};
  std::uniform_real_distribution<double> share(0.0, 1.0);
  if (m_options.dropShare > 0 && share(m_random) < m_options.dropShare) return {};
  if (m_options.garbleShare > 0 && share(m_random) < m_options.garbleShare) {
    std::uniform_int_distribution<size_t> at(0, body.size() - 1);
    body[at(m_random)] = "?x#%"[m_random() % 4];
  }
  std::string out = frame(body);
  if (m_options.strayBytes) {
    // Bytes a noisy line or a receiver's other messages might bring, never
    // a letter that starts a reply.
    static const char noise[] = "\r\n\x00\xff*+-.0123456789";
    std::uniform_int_distribution<int> count(1, 4);
    std::uniform_int_distribution<size_t> pick(0, sizeof noise - 2);
    std::string stray;
    for (int i = count(m_random); i > 0; --i) stray += noise[pick(m_random)];
    out = stray + out;
  }
  return out;
}

std::string ReceiverModel::frame(std::string body) {
  return (m_options.leadingLineFeed ? "\n" : "") + body + "\r\n";
}

// The receiver's own answer text for one command: acknowledgements in
// polled mode, replies to the queries.
std::string ReceiverModel::reply(const std::string& c, double nowMs) {
  const std::string ok = "G000", rejected = "G001";
  const auto ack = [&](bool accepted) { return m_polled ? (accepted ? ok : rejected) : std::string(); };
  if (c == "H101") {
    m_on = true;
    return ack(true);
  }
  if (c == "H100") {
    const bool was = m_on;
    m_on = false;
    m_polled = false;
    return was ? ok : std::string();
  }
  if (c == "H1?") return m_on ? "H101" : "H100";
  // While off the receiver only listens for the power command.
  if (!m_on) return {};
  if (c == "G300") {
    m_polled = true;
    return ok;
  }
  if (c == "G301") {
    m_polled = false;
    return {};
  }
  if (c == "I1?") return "I1" + hex2(signal(nowMs));
  if (c == "I0?") return std::string("I00") + (squelchOpen(nowMs) ? m_options.openDigit : m_options.closedDigit);
  if (c == "G0?") return ok;
  if (c == "I2?") return "I280";
  if (c == "I3?") return "I300";
  if (c == "G2?") return "G210";
  if (c == "G4?") return "G410";
  if (c == "GD?") return "GD00";
  if (c == "GE?") return "GE02";
  if (c.size() == 4 && c[0] == 'G' && c[1] == '1' && c[2] == '0') return ack(c[3] >= '0' && c[3] <= '5');
  if (c.size() == 18 && c.compare(0, 2, "K0") == 0) {
    for (size_t i = 2; i < 12; ++i)
      if (!std::isdigit(static_cast<unsigned char>(c[i]))) return ack(false);
    const double mhz = std::strtod(c.substr(2, 10).c_str(), nullptr) / 1e6;
    if (mhz < 0.01 || mhz > 1300.0) return ack(false);
    m_previousMhz = heardMhz(nowMs);
    m_mhz = mhz;
    m_tunedAt = nowMs;
    return ack(true);
  }
  if (c.size() == 5 && c[0] == 'J' && isHexDigits(c, 1, 4)) {
    if (c.compare(0, 3, "J41") == 0) m_squelch = std::strtol(c.substr(3, 2).c_str(), nullptr, 16);
    return ack(true);
  }
  return ack(false);
}

bool parseStation(const std::string& text, Station& station) {
  double mhz = 0, width = 0;
  int strength = 0;
  char rest = 0;
  if (std::sscanf(text.c_str(), "%lf:%lf:%d%c", &mhz, &width, &strength, &rest) != 3) return false;
  if (mhz <= 0 || width < 0 || strength < 0 || strength > 255) return false;
  station = {mhz, width, strength};
  return true;
}

std::vector<Station> defaultStations() {
  return {
      {0.153, 9, 120},     // long wave broadcast
      {0.198, 9, 150},
      {0.729, 9, 160},     // medium wave
      {6.075, 10, 140},    // short wave broadcast
      {7.1, 3, 60},        // amateur 40 m
      {14.2, 3, 40},
      {94.4, 200, 210},    // FM broadcast
      {99.1, 200, 180},
      {104.6, 200, 90},
      {118.7, 8, 80},      // airband
      {145.5, 12.5, 110},  // amateur 2 m
      {145.6, 12.5, 60},
      {433.5, 12.5, 70},   // amateur 70 cm
      {446.00625, 6.25, 50},
      {1296.0, 25, 30},
  };
}

}  // namespace pcrsim
