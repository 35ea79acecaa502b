#include "gallery_drive.h"

#include <cstdio>
#include <string>

#include "ui/win/button.h"

using namespace DuiLib;

namespace {

constexpr UINT kStepTimer = 4242;

struct Drive {
  GalleryWindow& gallery;
  int step = 0;
  int failures = 0;
  int clicks = 0;
  int deferredDone = 0;
  int pollTicks = 0;
  UINT promptCode = 0;
  bool busy = false;

  void Check(bool ok, const char* what) {
    std::printf("%s %s\n", ok ? "ok  " : "FAIL", what);
    if (!ok) ++failures;
  }
  HWND hwnd() { return gallery.GetHWND(); }
  POINT Centre(const wchar_t* name) {
    const RECT r = gallery.Find(name)->GetPos();
    return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
  }
  // The pointer goes there too: Wine reports the mouse leaving a window as soon as the real
  // pointer is elsewhere.
  void MoveTo(POINT p) {
    POINT screen = p;
    ::ClientToScreen(hwnd(), &screen);
    ::SetCursorPos(screen.x, screen.y);
    Post(WM_MOUSEMOVE, 0, p);
  }
  void Post(UINT message, WPARAM wParam, POINT p) {
    ::PostMessageW(hwnd(), message, wParam, MAKELPARAM(p.x, p.y));
  }
  bool Hot(const wchar_t* name) { return static_cast<CButtonUI*>(gallery.Find(name))->IsHot(); }

  void RunPrompt() {
    auto* tip = new GalleryWindow(L"PromptProbeWindow.xml", L"Main_Tip", 3);
    tip->deleteOnFinal = true;
    tip->CreateFramed(hwnd());
    tip->CenterWindow();
    CControlUI* text = tip->Find(L"tip_text");
    Check(text != nullptr && tip->Find(L"tip_wx_ok") != nullptr, "prompt built its extended buttons");
    HWND owner = hwnd();
    bool ownerDisabled = false;
    tip->onNotify = [tip, text, owner, &ownerDisabled](TNotifyUI& msg) {
      if (msg.sType != L"timer" || msg.wParam != 1) return;
      tip->m_PaintManager.KillTimer(text, 1);
      ownerDisabled = !::IsWindowEnabled(owner);
      ::PostMessageW(tip->GetHWND(), WM_KEYDOWN, VK_ESCAPE, 0);
    };
    if (text) tip->m_PaintManager.SetTimer(text, 1, 100);
    promptCode = tip->ShowModal();
    Check(ownerDisabled, "owner disabled while the prompt is shown");
    Check(promptCode == 1, "Escape closed the prompt with code 1");
    Check(::IsWindowEnabled(owner) != FALSE, "owner enabled again");
  }

  void NextStep(CControlUI* timerOwner) {
    // The step timer keeps ticking inside the prompt's modal loop; one step at a time.
    if (busy) return;
    busy = true;
    RunStep(timerOwner);
    busy = false;
  }

  void RunStep(CControlUI* timerOwner) {
    switch (step++) {
      case 0:
        MoveTo(Centre(L"gallery_close"));
        break;
      case 1:
        Check(Hot(L"gallery_close"), "close button hot under the mouse");
        MoveTo(Centre(L"gallery_menu"));
        break;
      case 2:
        Check(Hot(L"gallery_menu") && !Hot(L"gallery_close"), "hot moved to the menu button");
        MoveTo(Centre(L"gallery_scan"));
        Post(WM_LBUTTONDOWN, MK_LBUTTON, Centre(L"gallery_scan"));
        Post(WM_LBUTTONUP, 0, Centre(L"gallery_scan"));
        break;
      case 3:
        Check(clicks == 1, "one click from the scan button");
        gallery.m_PaintManager.SetTimer(gallery.Find(L"gallery_status"), 8001, 10);
        gallery.m_PaintManager.SetTimer(gallery.Find(L"gallery_progress"), 1001, 20);
        break;
      case 4:
        if (pollTicks < 3) {
          --step;  // wait for the polling timer
          break;
        }
        gallery.m_PaintManager.KillTimer(gallery.Find(L"gallery_progress"), 1001);
        Check(deferredDone == 1, "deferred step ran once");
        break;
      case 5:
        RunPrompt();
        break;
      default:
        gallery.m_PaintManager.KillTimer(timerOwner, kStepTimer);
        ::PostMessageW(hwnd(), WM_KEYDOWN, VK_ESCAPE, 0);
        break;
    }
  }
};

}  // namespace

int DriveGallery(GalleryWindow& gallery) {
  Drive drive{gallery};
  CControlUI* root = gallery.m_PaintManager.GetRoot();
  gallery.onNotify = [&drive, root, &gallery](TNotifyUI& msg) {
    const std::wstring sender = msg.pSender ? msg.pSender->GetName() : L"";
    if (msg.sType == L"click" && sender == L"gallery_scan") ++drive.clicks;
    if (msg.sType != L"timer") return;
    if (msg.wParam == kStepTimer) drive.NextStep(root);
    if (msg.wParam == 8001) {
      gallery.m_PaintManager.KillTimer(msg.pSender, 8001);
      ++drive.deferredDone;
    }
    if (msg.wParam == 1001) ++drive.pollTicks;
  };
  gallery.m_PaintManager.SetTimer(root, kStepTimer, 50);
  CPaintManagerUI::MessageLoop();
  drive.Check(drive.step > 6, "Escape closed the gallery and ended the loop");
  return drive.failures;
}
