#include "foundlist/add_found_frequency.h"

#include "foundlist/form_autoscan.h"
#include "platform/form_registry.h"
#include "platform/text_value.h"
#include "receiver/form_pcr1000.h"

#include <QLineEdit>

namespace zelvora {

void AddFoundFrequency() {
  const QString text = FormatFrequencyEntry(form<Form_pcr1000>().CurrentFrequency);
  auto& list = form<Form_autoscan>();
  // A slot the user typed into counts as taken; only the finds are locked.
  for (int k = 1; k < Form_autoscan::kSlots; ++k) {
    QLineEdit* slot = list.autscan(k);
    if (slot->text().isEmpty()) {
      slot->setText(text);
      slot->setReadOnly(true);
      return;
    }
  }
  list.autscan(Form_autoscan::kSlots)->setText(text);
}

}  // namespace zelvora
