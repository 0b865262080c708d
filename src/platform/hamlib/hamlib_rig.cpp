#include "platform/hamlib/hamlib_rig.h"

#include "platform/hamlib/pcr_scale.h"

#include <hamlib/rig.h>

namespace zelvora {
namespace {

const QString kDone = QStringLiteral("G000");
const QString kRefused = QStringLiteral("G001");

bool allDigits(const QString& text) {
  for (QChar ch : text)
    if (ch < QLatin1Char('0') || ch > QLatin1Char('9')) return false;
  return !text.isEmpty();
}

// The PCR1000's mode codes of the frequency command.
rmode_t rigMode(int modeCode) {
  switch (modeCode) {
    case 0: return RIG_MODE_LSB;
    case 1: return RIG_MODE_USB;
    case 2: return RIG_MODE_AM;
    case 3: return RIG_MODE_CW;
    case 5: return RIG_MODE_FM;
    case 6: return RIG_MODE_WFM;
    default: return RIG_MODE_NONE;
  }
}

// The AGC setting for "on": fast, like the PCR1000's, unless the rig lists
// its settings without it.
int agcOn(const rig_caps* caps) {
  bool other = false;
  int first = RIG_AGC_FAST;
  for (int i = 0; i < caps->agc_level_count && i < HAMLIB_MAX_AGC_LEVELS; ++i) {
    const int level = caps->agc_levels[i];
    if (level == RIG_AGC_FAST) return RIG_AGC_FAST;
    if (level != RIG_AGC_OFF && level != RIG_AGC_NONE && !other) {
      first = level;
      other = true;
    }
  }
  return first;
}

}  // namespace

HamlibRig::~HamlibRig() { close(); }

bool HamlibRig::open(const RigAddress& address, const QString& comDevice) {
  close();
  m_address = address;
  m_comDevice = comDevice;
  return reopen();
}

bool HamlibRig::reopen() {
  // Hamlib writes its traces to standard error unless told not to.
  rig_set_debug(RIG_DEBUG_NONE);
  RIG* rig = rig_init(m_address.model);
  if (!rig) return false;
  const QString path = !m_address.host.isEmpty()     ? m_address.host
                       : !m_address.device.isEmpty() ? m_address.device
                       : rig->caps->port_type == RIG_PORT_SERIAL ? m_comDevice
                                                                 : QString();
  if (!path.isEmpty()) rig_set_conf(rig, rig_token_lookup(rig, "rig_pathname"), path.toLocal8Bit().constData());
  if (m_address.baud > 0)
    rig_set_conf(rig, rig_token_lookup(rig, "serial_speed"), QByteArray::number(m_address.baud).constData());
  if (rig_open(rig) != RIG_OK) {
    rig_cleanup(rig);
    return false;
  }
  m_rig = rig;
  m_lost = false;
  m_modeCode = -1;
  m_filterCode = -1;
  return true;
}

void HamlibRig::close() {
  if (!m_rig) return;
  rig_close(m_rig);
  rig_cleanup(m_rig);
  m_rig = nullptr;
}

QString HamlibRig::answer(const QString& command) {
  const auto reply = [](Outcome outcome) { return outcome == Outcome::Failed ? kRefused : kDone; };
  if (command == QLatin1String("H101")) return reply(powerOn());
  if (command == QLatin1String("H100")) {
    close();
    return kDone;
  }
  if (command == QLatin1String("I1?")) {
    const auto db = strength();
    return db ? QStringLiteral("I1%1").arg(PcrStrength(*db), 2, 16, QLatin1Char('0')).toUpper() : kRefused;
  }
  if (command == QLatin1String("I0?")) {
    const auto open = squelchOpen();
    return open ? (*open ? QStringLiteral("I007") : QStringLiteral("I004")) : kRefused;
  }
  if (command.size() == 18 && command.startsWith(QLatin1String("K0"))) return reply(tune(command));
  if (command.size() == 5 && command[0] == QLatin1Char('J')) {
    bool ok = false;
    const int value = command.mid(3, 2).toInt(&ok, 16);
    return ok ? reply(setControl(command.mid(1, 2), value)) : kRefused;
  }
  return kDone;
}

HamlibRig::Outcome HamlibRig::result(int code) {
  if (code == RIG_OK) return Outcome::Done;
  if (code == -RIG_ENAVAIL || code == -RIG_ENIMPL) return Outcome::Skipped;
  if (code == -RIG_EIO) m_lost = true;
  return Outcome::Failed;
}

HamlibRig::Outcome HamlibRig::powerOn() {
  if (!m_rig && !reopen()) return Outcome::Failed;
  if (!m_rig->caps->set_powerstat) return Outcome::Skipped;
  return result(rig_set_powerstat(m_rig, RIG_POWER_ON));
}

// "K0" + ten digits of Hz + mode code + filter code + "00".
HamlibRig::Outcome HamlibRig::tune(const QString& command) {
  if (!allDigits(command.mid(2, 16))) return Outcome::Failed;
  if (!m_rig) return Outcome::Failed;
  const Outcome tuned = result(rig_set_freq(m_rig, RIG_VFO_CURR, command.mid(2, 10).toDouble()));
  if (tuned == Outcome::Failed) return tuned;
  const int modeCode = command.mid(12, 2).toInt();
  const int filterCode = command.mid(14, 2).toInt();
  if (modeCode == m_modeCode && filterCode == m_filterCode) return tuned;
  const rmode_t mode = rigMode(modeCode);
  if (mode == RIG_MODE_NONE) return Outcome::Failed;
  if (!m_rig->caps->set_mode) return tuned;
  const int passband = FilterPassbandHz(filterCode);
  int code = rig_set_mode(m_rig, RIG_VFO_CURR, mode, passband > 0 ? passband : RIG_PASSBAND_NORMAL);
  // A rig without that filter still takes the mode with its own passband.
  if (code != RIG_OK && code != -RIG_EIO) code = rig_set_mode(m_rig, RIG_VFO_CURR, mode, RIG_PASSBAND_NORMAL);
  if (code == RIG_OK) {
    m_modeCode = modeCode;
    m_filterCode = filterCode;
  }
  return result(code);
}

HamlibRig::Outcome HamlibRig::setControl(const QString& code, int value) {
  const bool on = value != 0;
  if (code == QLatin1String("40")) return setLevel(RIG_LEVEL_AF, value);
  if (code == QLatin1String("41")) {
    m_squelch = value;
    return setLevel(RIG_LEVEL_SQL, value);
  }
  if (code == QLatin1String("43")) return setLevel(RIG_LEVEL_IF, value);
  if (code == QLatin1String("45")) return setSwitch(RIG_LEVEL_AGC, on);
  if (code == QLatin1String("47")) return setSwitch(RIG_LEVEL_ATT, on);
  if (code == QLatin1String("46")) return setFunction(RIG_FUNC_NB, on);
  if (code == QLatin1String("50")) return setFunction(RIG_FUNC_AFC, on);
  return Outcome::Skipped;
}

HamlibRig::Outcome HamlibRig::setLevel(std::uint64_t level, int position) {
  if (!m_rig) return Outcome::Failed;
  if (!rig_has_set_level(m_rig, level)) return Outcome::Skipped;
  const gran_t& range = m_rig->state.level_gran[rig_setting2idx(level)];
  value_t value{};
  if (level == RIG_LEVEL_IF) {
    const int maxHz = range.max.i > 0 ? range.max.i : static_cast<int>(m_rig->state.max_ifshift);
    if (maxHz <= 0) return Outcome::Skipped;
    value.i = IfShiftHz(position, maxHz);
  } else {
    // Most rigs leave the range of these two at Hamlib's 0 .. 1.
    const bool ranged = range.max.f > range.min.f;
    value.f = static_cast<float>(ScaledLevel(position, ranged ? range.min.f : 0.0, ranged ? range.max.f : 1.0));
  }
  return result(rig_set_level(m_rig, RIG_VFO_CURR, level, value));
}

HamlibRig::Outcome HamlibRig::setSwitch(std::uint64_t level, bool on) {
  if (!m_rig) return Outcome::Failed;
  if (!rig_has_set_level(m_rig, level)) return Outcome::Skipped;
  value_t value{};
  if (level == RIG_LEVEL_ATT) {
    // The attenuator switches on at the rig's first step.
    value.i = on ? m_rig->state.attenuator[0] : 0;
    if (on && value.i == 0) return Outcome::Skipped;
  } else {
    value.i = on ? agcOn(m_rig->caps) : RIG_AGC_OFF;
  }
  return result(rig_set_level(m_rig, RIG_VFO_CURR, level, value));
}

HamlibRig::Outcome HamlibRig::setFunction(std::uint64_t function, bool on) {
  if (!m_rig) return Outcome::Failed;
  if (!rig_has_set_func(m_rig, function)) return Outcome::Skipped;
  return result(rig_set_func(m_rig, RIG_VFO_CURR, function, on ? 1 : 0));
}

std::optional<int> HamlibRig::strength() {
  if (!m_rig || !rig_has_get_level(m_rig, RIG_LEVEL_STRENGTH)) return std::nullopt;
  value_t value{};
  if (result(rig_get_level(m_rig, RIG_VFO_CURR, RIG_LEVEL_STRENGTH, &value)) != Outcome::Done) return std::nullopt;
  return value.i;
}

std::optional<bool> HamlibRig::squelchOpen() {
  if (!m_rig) return std::nullopt;
  dcd_t dcd = RIG_DCD_OFF;
  const Outcome read = result(rig_get_dcd(m_rig, RIG_VFO_CURR, &dcd));
  if (read == Outcome::Done) return dcd == RIG_DCD_ON;
  if (read == Outcome::Failed) return std::nullopt;
  // A rig without a squelch state: open when the signal, on the PCR1000's
  // scale, is above the squelch set.
  const auto db = strength();
  if (!db) return std::nullopt;
  return PcrStrength(*db) > m_squelch;
}

}  // namespace zelvora
