#pragma once

#include "web/browser_window.h"

namespace zelvora {

class Form_browser : public BrowserWindow {
 public:
  Form_browser();
  HtmlView* Browser1() { return view(); }
};

class Form_browser2 : public BrowserWindow {
 public:
  Form_browser2();
  HtmlView* Browser2() { return view(); }
};

}  // namespace zelvora
