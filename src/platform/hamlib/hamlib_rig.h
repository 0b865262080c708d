#pragma once

#include <QString>

#include <atomic>
#include <cstdint>
#include <optional>

struct s_rig;

namespace zelvora {

// Where a Hamlib rig is: its model number and either a serial device or,
// for a rigctld (model 2), "host:port".
struct RigAddress {
  int model = 0;
  QString device;
  QString host;
  int baud = 0;  // 0: the rig's own default
};

// One Hamlib rig driven by the PCR1000's command lines. Every call blocks
// on the rig, so it belongs to one worker thread; lost() may be read from
// any thread.
class HamlibRig {
 public:
  HamlibRig() = default;
  HamlibRig(const HamlibRig&) = delete;
  HamlibRig& operator=(const HamlibRig&) = delete;
  ~HamlibRig();

  // Opens the rig; comDevice is where a serial rig is when the address
  // names no device. False when the rig cannot be reached.
  bool open(const RigAddress& address, const QString& comDevice);
  void close();
  // True once a call has found the rig's line gone.
  bool lost() const { return m_lost; }

  // Carries out one command line and returns the receiver's reply to it
  // (without its line end): "G000" when done or when the rig has no such
  // control, "G001" when the rig refused or failed, and for the queries
  // "I1" + two hex digits or "I004"/"I007".
  QString answer(const QString& command);

 private:
  enum class Outcome { Done, Skipped, Failed };

  bool reopen();
  Outcome powerOn();
  Outcome tune(const QString& command);
  Outcome setControl(const QString& code, int value);
  Outcome setLevel(std::uint64_t level, int position);
  Outcome setSwitch(std::uint64_t level, bool on);
  Outcome setFunction(std::uint64_t function, bool on);
  Outcome result(int code);
  std::optional<int> strength();
  std::optional<bool> squelchOpen();

  // Set while the rig is open.
  s_rig* m_rig = nullptr;
  RigAddress m_address;
  QString m_comDevice;
  std::atomic<bool> m_lost{false};
  // The last mode and passband the rig took; a scan retunes with the same
  // ones at every step, and most rigs need a call of their own for them.
  int m_modeCode = -1;
  int m_filterCode = -1;
  // The last squelch position sent, for rigs that report no squelch state.
  int m_squelch = 0;
};

}  // namespace zelvora
