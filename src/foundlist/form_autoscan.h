#pragma once

#include "platform/form.h"

#include <array>

class QLabel;
class QLineEdit;
class QPushButton;

namespace zelvora {

struct AutoscanControls {
  static constexpr int kSlots = 60;

  QLabel* Label_freqgefund = nullptr;
  // autscan1 .. autscan60 at indices 0 .. 59.
  std::array<QLineEdit*, kSlots> autscan{};
  QPushButton* Comm_freqfindspeichern = nullptr;
  QPushButton* Comm_freqfindschliess = nullptr;
  QPushButton* Commfreqloesch = nullptr;
};

// The found-frequency list: sixty slots that the band scan fills and from
// which the user copies frequencies back to the receiver panel or to the
// clipboard. The slots live only while the window is loaded.
class Form_autoscan : public FormOf<AutoscanControls> {
 public:
  static constexpr int kSlots = AutoscanControls::kSlots;

  Form_autoscan();

  // Slot K (1 .. 60). A locked slot is read-only.
  QLineEdit* autscan(int k);
  QPushButton* Comm_freqfindspeichern() { return ui().Comm_freqfindspeichern; }
  QPushButton* Comm_freqfindschliess() { return ui().Comm_freqfindschliess; }
  QPushButton* Commfreqloesch() { return ui().Commfreqloesch; }

  void autscan_DblClick(int k);
  void Comm_freqfindspeichern_Click();
  void Commfreqloesch_Click();
  void Comm_freqfindschliess_Click();

 protected:
  void buildControls(AutoscanControls& c, QWidget* client) override;
  void Form_Load() override;
};

}  // namespace zelvora
