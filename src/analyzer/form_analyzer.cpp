#include "analyzer/form_analyzer.h"

#include "platform/classic_timer.h"

#include <QWidget>

namespace zelvora {

Form_analyzer::Form_analyzer() : FormOf(QStringLiteral("Form_analyzer"), QStringLiteral("Spektrum Analyzer"), {8625, 8730}) {}

void Form_analyzer::buildControls(AnalyzerControls& c, QWidget* client) {
  c.Timer1 = new ClassicTimer(client, QStringLiteral("Timer1"), 0, false);
}

}  // namespace zelvora
