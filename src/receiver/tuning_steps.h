#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace zelvora {

// The entries of the tuning-step list in list order, "1 Hz" first.
const QStringList& TuningStepEntries();

// The step in MHz of an entry, matched exactly (letter case included).
std::optional<double> TuningStepMHzOf(const QString& entry);

}  // namespace zelvora
