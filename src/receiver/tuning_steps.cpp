#include "receiver/tuning_steps.h"

#include <array>
#include <utility>

namespace zelvora {
namespace {

constexpr std::array<std::pair<const char*, double>, 21> kSteps = {{
    {"1 Hz", 0.000001}, {"10 Hz", 0.00001},   {"20 Hz", 0.00002},  {"50 Hz", 0.00005},   {"100 Hz", 0.0001},
    {"500 Hz", 0.0005}, {"1 KHz", 0.001},     {"2.5 KHz", 0.0025}, {"5 KHz", 0.005},     {"6.25 KHz", 0.00625},
    {"9 KHz", 0.009},   {"10 KHz", 0.01},     {"12.5 KHz", 0.0125}, {"20 KHz", 0.02},    {"25 KHz", 0.025},
    {"30 KHz", 0.03},   {"50 KHz", 0.05},     {"100 KHz", 0.1},    {"500 KHz", 0.5},     {"1 MHz", 1.0},
    {"10 MHz", 10.0},
}};

}  // namespace

const QStringList& TuningStepEntries() {
  static const QStringList entries = [] {
    QStringList list;
    for (const auto& [text, step] : kSteps) list << QString::fromLatin1(text);
    return list;
  }();
  return entries;
}

std::optional<double> TuningStepMHzOf(const QString& entry) {
  for (const auto& [text, step] : kSteps)
    if (entry == QLatin1String(text)) return step;
  return std::nullopt;
}

}  // namespace zelvora
