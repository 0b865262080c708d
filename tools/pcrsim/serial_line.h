#pragma once

#include <functional>
#include <map>
#include <string>
#include <utility>

namespace pcrsim {

// How the cable between the program and the receiver behaves. All zero is
// the bare pseudo-terminal: everything arrives at once.
struct LineOptions {
  int baud = 0;            // characters paced at 10 bit times, both ways
  double latencyMs = 0;    // a USB adapter hands received bytes on every N ms
  double processMs = 0;    // the receiver's own time per command
};

// The serial line between the program's terminal and the receiver, as a
// small discrete-event timeline run in real time: bytes the program writes
// cross the line one character time each, the receiver takes each command
// once its line end has crossed, and its answer crosses back the same way
// and waits in the adapter for its next flush.
class SerialLine {
 public:
  // Called with each command (without its line end) when the receiver has
  // taken it in, and the time it crossed the line; returns the answer
  // bytes and how many ms late to send them.
  using Receiver = std::function<std::pair<std::string, double>(const std::string& command, double arrivedMs)>;
  // Called with bytes that reach the program's side of the terminal.
  using Deliver = std::function<void(const std::string& bytes)>;

  SerialLine(LineOptions options, Receiver receiver, Deliver deliver);

  // Bytes the program wrote, read off the terminal at nowMs.
  void fromProgram(const char* bytes, size_t count, double nowMs);
  // Runs everything due by nowMs; returns the time of the next event, or a
  // negative number when nothing is scheduled.
  double run(double nowMs);

 private:
  void schedule(double atMs, std::function<void()> event);
  void take(const std::string& command, double arrivedMs);
  void answer(const std::string& bytes, double fromMs);

  LineOptions m_options;
  double m_charMs;
  Receiver m_receiver;
  Deliver m_deliver;
  std::multimap<double, std::function<void()>> m_events;
  std::string m_incoming;
  double m_inFreeAt = 0;     // the program-to-receiver wire is busy until then
  double m_receiverFreeAt = 0;
  double m_outFreeAt = 0;    // the receiver-to-program wire
};

}  // namespace pcrsim
