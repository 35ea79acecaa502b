// The framework gallery. Without arguments it shows the gallery for a person to try;
// the tests run it with:
//   --drive                       hover, click, timers, modal prompt, Escape
//   --screenshot OUT.png [--tip]  save what the window shows
//   --compare REF.png OUT.png [--tip]  save it and compare with a reference
#include <cstdio>
#include <cstring>
#include <string>

#include "gallery_drive.h"
#include "screenshot.h"
#include "ui/ex/wnd_shadow.h"

namespace {

// Channel differences up to this are font smoothing and blending noise, not a change.
constexpr int kTolerance = 48;
constexpr double kMaxDifferingShare = 0.005;

int Capture(GalleryWindow& window, const char* out, const char* reference) {
  // The first frame of everything, GIF included: painted now, before any timer runs.
  ::UpdateWindow(window.GetHWND());
  const Screenshot shot = CaptureClient(window.GetHWND());
  if (!WritePng(shot, out)) {
    std::printf("FAIL cannot write %s\n", out);
    return 1;
  }
  if (reference == nullptr) return 0;
  Screenshot expected;
  if (!ReadPng(reference, &expected)) {
    std::printf("FAIL cannot read %s\n", reference);
    return 1;
  }
  const Comparison c = Compare(shot, expected, kTolerance);
  std::printf("%d x %d, %zu of %zu pixels differ by more than %d, largest difference %d\n",
              shot.width, shot.height, c.differing, c.total, kTolerance, c.largest);
  const bool same = c.sameSize && c.differing <= c.total * kMaxDifferingShare;
  std::printf("%s screenshot matches %s\n", same ? "ok  " : "FAIL", reference);
  return same ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  DuiLib::CPaintManagerUI::SetInstance(::GetModuleHandleW(nullptr));
  DuiLib::CWndShadow::Initialize(::GetModuleHandleW(nullptr));
  bool tip = false, shadow = true;
  for (int i = 1; i < argc; ++i) {
    tip = tip || std::strcmp(argv[i], "--tip") == 0;
    shadow = shadow && std::strcmp(argv[i], "--no-shadow") != 0;
  }
  GalleryWindow window(tip ? L"PromptProbeWindow.xml" : L"GalleryWindow.xml",
                       tip ? L"Main_Tip" : L"Main", shadow ? 3 : 0);
  window.quitOnFinal = true;
  if (!window.CreateFramed(nullptr)) return 2;
  window.CenterWindow();
  window.ShowWindow(true, true);
  int result = 0;
  if (argc >= 2 && std::strcmp(argv[1], "--drive") == 0) {
    result = DriveGallery(window);
  } else if (argc >= 3 && std::strcmp(argv[1], "--screenshot") == 0) {
    result = Capture(window, argv[2], nullptr);
  } else if (argc >= 4 && std::strcmp(argv[1], "--compare") == 0) {
    result = Capture(window, argv[3], argv[2]);
  } else {
    DuiLib::CPaintManagerUI::MessageLoop();
  }
  if (::IsWindow(window.GetHWND())) ::DestroyWindow(window.GetHWND());
  DuiLib::CPaintManagerUI::Term();
  return result;
}
