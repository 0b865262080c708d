#pragma once

namespace zelvora {

// The window layout presets of the "Ansichten" menu. Each restores the
// states of its windows, sets their geometry and pages, then shows, hides
// or unloads them.
void LayoutStandard();
void LayoutWorldMap();
void LayoutSpectrum();
void LayoutLogbookClock();
void LayoutHtmlLogbook();
void LayoutTwoBrowsers();
void LayoutMinimal();
void LayoutPcrOnly();
void LayoutPcrLogbook();
void LayoutPcrSpectrum();
void LayoutPcrWorldMap();

}  // namespace zelvora
