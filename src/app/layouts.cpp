#include "app/layouts.h"

#include "analyzer/form_analyzer.h"
#include "app/mdi_zelvora.h"
#include "logbook/form_frequenzliste2.h"
#include "platform/form_registry.h"
#include "platform/html_view.h"
#include "platform/program_folder.h"
#include "receiver/form_pcr1000.h"
#include "web/form_browser.h"
#include "worldtime/form_weltzeit.h"
#include "worldtime/world_map.h"

#include <initializer_list>

namespace zelvora {
namespace {

// Short names of the windows the presets arrange.
Form_browser& B() { return form<Form_browser>(); }
Form_browser2& B2() { return form<Form_browser2>(); }
Form_analyzer& A() { return form<Form_analyzer>(); }
Form_weltzeit& W() { return form<Form_weltzeit>(); }
Form_pcr1000& P() { return form<Form_pcr1000>(); }
Form_frequenzliste2& L() { return form<Form_frequenzliste2>(); }
MDIzelvora& M() { return form<MDIzelvora>(); }

// Phase 1: no preset moves or sizes a minimized or maximized window. Reading
// a state loads the window, so every listed window is loaded afterwards.
void restoreWindowStates(bool withLogbook) {
  std::initializer_list<Form*> withoutL = {&B(), &B2(), &A(), &W(), &P()};
  std::initializer_list<Form*> withL = {&B(), &B2(), &A(), &W(), &P(), &L()};
  const auto list = withLogbook ? withL : withoutL;
  for (Form* f : list)
    if (f->windowState() == WindowState::Minimized) f->setWindowState(WindowState::Normal);
  for (Form* f : list)
    if (f->windowState() == WindowState::Maximized) f->setWindowState(WindowState::Normal);
  if (M().windowState() == WindowState::Minimized) M().setWindowState(WindowState::Normal);
  if (M().windowState() == WindowState::Maximized) M().setWindowState(WindowState::Normal);
}

void frame(double height, double width) {
  M().setHeight(height);
  M().setWidth(width);
}

void page1(const char* page) { B().Browser1()->Navigate(ProgramFolder() + QString::fromUtf8(page)); }
void page2(const char* page) { B2().Browser2()->Navigate(ProgramFolder() + QString::fromUtf8(page)); }

void hideAndUnload(Form& f) {
  f.hide();
  f.unload();
}

constexpr const char* kFrequencyList = "\\html\\frequ-vanto.html";

}  // namespace

void LayoutStandard() {
  restoreWindowStates(false);
  A().setHeight(9105);
  B().setHeight(A().height() - W().height());
  B().setWidth(W().width());
  B().setLeft(0);
  B().setTop(0);
  A().setLeft(B().width());
  A().setTop(0);
  W().setLeft(0);
  W().setTop(B().height());
  frame(A().height() + 900, A().width() + W().width() + 300);
  page1("\\html\\einleitung.htm");
  A().show();
  B().show();
  W().show();
  B2().hide();
  hideAndUnload(P());
  L().hide();
}

void LayoutWorldMap() {
  restoreWindowStates(false);
  B().setHeight(12000);
  B().setWidth(17000);
  B().setLeft(0);
  B().setTop(0);
  ShowWorldMap();
  W().setLeft(B().width());
  W().setTop(0);
  frame(B().height() + 900, W().width() + B().width() + 300);
  B2().setWidth(W().width());
  B2().setHeight(B().height() - W().height());
  B2().setLeft(B().width());
  B2().setTop(W().height());
  page2(kFrequencyList);
  hideAndUnload(A());
  B().show();
  B2().show();
  W().show();
  hideAndUnload(P());
  L().hide();
}

void LayoutSpectrum() {
  restoreWindowStates(false);
  A().setHeight(9105);
  B().setHeight(A().height());
  B().setWidth(10000);
  A().setLeft(0);
  A().setTop(0);
  B().setLeft(A().width());
  B().setTop(0);
  frame(A().height() + 900, A().width() + B().width() + 300);
  page1(kFrequencyList);
  A().show();
  B().show();
  hideAndUnload(W());
  B2().hide();
  hideAndUnload(P());
  L().hide();
}

void LayoutHtmlLogbook() {
  restoreWindowStates(true);
  B().setHeight(10000);
  B().setWidth(W().width());
  B().setLeft(0);
  B().setTop(0);
  page1(kFrequencyList);
  L().setWidth(B().width());
  L().setHeight(B().height() - W().height());
  L().setLeft(B().width());
  L().setTop(0);
  page2("\\html\\vanto-codes.html");
  W().setLeft(B().width());
  W().setTop(L().height());
  frame(B().height() + 900, W().width() + B().width() + 300);
  hideAndUnload(A());
  B().show();
  B2().hide();
  W().show();
  hideAndUnload(P());
  L().show();
}

void LayoutLogbookClock() {
  restoreWindowStates(true);
  L().setWidth(W().width());
  L().setHeight(6000);
  L().setLeft(0);
  L().setTop(0);
  W().setLeft(0);
  W().setTop(L().height());
  frame(W().height() + L().height() + 900, W().width() + 300);
  hideAndUnload(A());
  B().hide();
  B2().hide();
  W().show();
  hideAndUnload(P());
  L().show();
}

void LayoutMinimal() {
  restoreWindowStates(false);
  B().setHeight(W().height());
  B().setWidth(W().width());
  B().setLeft(0);
  B().setTop(0);
  W().setLeft(0);
  W().setTop(B().height());
  frame(B().height() + W().height() + 900, W().width() + 300);
  page1(kFrequencyList);
  hideAndUnload(A());
  B().show();
  W().show();
  B2().hide();
  hideAndUnload(P());
  L().hide();
}

void LayoutTwoBrowsers() {
  restoreWindowStates(false);
  B().setWidth(9000);
  B().setHeight(10000);
  B2().setWidth(B().width());
  B2().setHeight(B().height());
  B().setLeft(0);
  B().setTop(0);
  B2().setLeft(B().width());
  B2().setTop(0);
  page1(kFrequencyList);
  page2("\\html\\kwinfo.htm");
  frame(B().height() + 900, B2().width() + B().width() + 300);
  hideAndUnload(A());
  hideAndUnload(P());
  B().show();
  hideAndUnload(W());
  B2().show();
  L().hide();
}

void LayoutPcrSpectrum() {
  restoreWindowStates(false);
  A().setLeft(P().width());
  A().setTop(0);
  A().setHeight(P().height());
  P().setLeft(0);
  P().setTop(0);
  frame(P().height() + 900, A().width() + P().width() + 300);
  page1(kFrequencyList);
  A().show();
  P().show();
  B().hide();
  hideAndUnload(W());
  B2().hide();
  L().hide();
}

void LayoutPcrWorldMap() {
  restoreWindowStates(false);
  P().setLeft(0);
  P().setTop(0);
  B2().setLeft(P().width());
  B2().setTop(0);
  B2().setHeight(P().height() - W().height());
  B2().setWidth(W().width());
  W().setTop(B2().height());
  W().setLeft(P().width());
  B().setLeft(B2().width() + P().width());
  B().setTop(0);
  B().setHeight(P().height());
  B().setWidth(11200);
  frame(P().height() + 900, W().width() + P().width() + B().width() + 300);
  page2(kFrequencyList);
  ShowWorldMap();
  hideAndUnload(A());
  P().show();
  B().show();
  W().show();
  B2().show();
  L().hide();
}

void LayoutPcrOnly() {
  restoreWindowStates(false);
  P().setLeft(0);
  P().setTop(0);
  frame(P().height() + 760, P().width() + 200);
  hideAndUnload(A());
  P().show();
  B().hide();
  hideAndUnload(W());
  B2().hide();
  L().hide();
}

void LayoutPcrLogbook() {
  restoreWindowStates(true);
  P().setLeft(0);
  P().setTop(0);
  L().setLeft(P().width());
  L().setTop(0);
  L().setHeight(P().height() - W().height());
  L().setWidth(W().width());
  W().setTop(L().height());
  W().setLeft(P().width());
  frame(P().height() + 900, W().width() + P().width() + 300);
  hideAndUnload(A());
  P().show();
  B().hide();
  W().show();
  B2().hide();
  L().show();
}

}  // namespace zelvora
