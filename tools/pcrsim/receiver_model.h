#pragma once

#include <random>
#include <string>
#include <vector>

namespace pcrsim {

// One transmitter on the simulated band.
struct Station {
  double mhz = 0;
  double widthKHz = 0;
  int strength = 0;  // 0..255, as the receiver reports it
};

struct Options {
  std::vector<Station> stations;
  char openDigit = '7';    // second digit of "I0" when the squelch is open
  char closedDigit = '4';  // and when it is closed
  bool leadingLineFeed = true;
  double dropShare = 0;    // share of replies never sent
  double garbleShare = 0;  // share of replies with one character spoiled
  bool strayBytes = false; // noise between replies
  unsigned seed = 1;
  // After a frequency command the receiver still hears the old frequency
  // for this long (its synthesizer settling).
  double settleMs = 0;
  // Fixed reply texts for given commands ("I1?" -> "I1ff"), for tests that
  // need a malformed answer.
  std::vector<std::pair<std::string, std::string>> answers;
};

// The receiver's state and its answers, one command at a time.
class ReceiverModel {
 public:
  explicit ReceiverModel(Options options);

  // The bytes the receiver sends in answer to one command taken in at
  // nowMs; empty when it stays silent.
  std::string answer(const std::string& command, double nowMs);

  // Strength 0..255 at the frequency heard at nowMs.
  int signal(double nowMs) const;
  bool squelchOpen(double nowMs) const { return signal(nowMs) > m_squelch; }

 private:
  std::string reply(const std::string& command, double nowMs);
  double heardMhz(double nowMs) const { return nowMs < m_tunedAt + m_options.settleMs ? m_previousMhz : m_mhz; }
  std::string frame(std::string body);

  Options m_options;
  std::mt19937 m_random;
  bool m_on = false;
  bool m_polled = false;
  double m_mhz = 145.0;
  double m_previousMhz = 145.0;
  double m_tunedAt = 0;
  int m_squelch = 0;
};

// Parses "MHz:widthKHz:strength".
bool parseStation(const std::string& text, Station& station);
std::vector<Station> defaultStations();

}  // namespace pcrsim
