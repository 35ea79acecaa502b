// Figures of the framework on this machine:
//   1. parsing and building every layout file of the skin package;
//   2. one full repaint of an 847x567 window into the back buffer;
//   3. CPU used by an idle window over 10 seconds (GIF hidden, then playing).
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "ui/ascii_case.h"
#include "ui/win/dialog_builder.h"
#include "ui/win/gdi_canvas.h"
#include "ui/win/skin_resource.h"
#include "ui/win/wide_text.h"
#include "ui/win/window_impl_base.h"
#include "ui/zip_archive.h"

using namespace DuiLib;

namespace {

class BenchWindow : public WindowImplBase {
 public:
  const wchar_t* GetWndClassName() const override { return L"TessaBench"; }
  std::wstring GetLayoutFileName() const override { return L"GalleryWindow.xml"; }
};

double NowMs() {
  LARGE_INTEGER frequency, now;
  ::QueryPerformanceFrequency(&frequency);
  ::QueryPerformanceCounter(&now);
  return 1000.0 * static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

double ProcessCpuMs() {
  FILETIME created, exited, kernel, user;
  ::GetProcessTimes(::GetCurrentProcess(), &created, &exited, &kernel, &user);
  auto ms = [](FILETIME t) {
    return (static_cast<double>(t.dwHighDateTime) * 4294967296.0 + t.dwLowDateTime) / 10000.0;
  };
  return ms(kernel) + ms(user);
}

std::vector<std::string> LayoutFiles() {
  std::vector<std::string> names;
  HMODULE module = ::GetModuleHandleW(nullptr);
  HRSRC info = ::FindResourceW(module, L"SKINDATA", L"ZIPRES");
  const auto* bytes = static_cast<const uint8_t*>(::LockResource(::LoadResource(module, info)));
  ZipArchive archive;
  if (archive.Open(bytes, ::SizeofResource(module, info)) != ZipStatus::kOk) return names;
  for (const ZipEntry& entry : archive.entries()) {
    const std::string lower = ToLowerAscii(entry.name);
    if (lower.size() > 4 && lower.compare(lower.size() - 4, 4, ".xml") == 0) names.push_back(entry.name);
  }
  return names;
}

void BenchBuild(CPaintManagerUI& manager) {
  const std::vector<std::string> files = LayoutFiles();
  constexpr int kRounds = 20;
  double total = 0;
  for (const std::string& file : files) {
    const double start = NowMs();
    int controls = 0;
    for (int round = 0; round < kRounds; ++round) {
      CDialogBuilder builder;
      CControlUI* root = builder.Create(Utf8ToWide(file), nullptr, nullptr, &manager);
      if (root) {
        root->ForEach([](CControlUI*, void* n) { ++*static_cast<int*>(n); }, &controls);
        delete root;
      }
    }
    const double each = (NowMs() - start) / kRounds;
    total += each;
    std::printf("build %-22s %7.3f ms  (%d controls)\n", file.c_str(), each, controls / kRounds);
  }
  std::printf("build all %zu layout files: %.3f ms\n", files.size(), total);
}

void BenchRepaint(BenchWindow& window) {
  GdiCanvas canvas;
  canvas.Resize(847, 567);
  const RECT all{0, 0, 847, 567};
  window.m_PaintManager.PaintInto(canvas, all);  // warm: pictures decoded, fonts made
  constexpr int kRounds = 50;
  const double start = NowMs();
  for (int i = 0; i < kRounds; ++i) {
    canvas.ResetClip(all);
    window.m_PaintManager.PaintInto(canvas, all);
    canvas.Pixels();  // waits for GDI to finish the batch
  }
  std::printf("full repaint 847x567: %.3f ms\n", (NowMs() - start) / kRounds);
}

void BenchIdle(const wchar_t* what) {
  const double cpu = ProcessCpuMs();
  const double start = NowMs();
  while (NowMs() - start < 10000) {
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      ::TranslateMessage(&msg);
      ::DispatchMessageW(&msg);
    }
    ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 1000, QS_ALLINPUT);
  }
  const double used = ProcessCpuMs() - cpu;
  std::printf("idle 10 s, %ls: %.1f ms CPU (%.2f%%)\n", what, used, used / 100.0);
}

}  // namespace

int main() {
  BenchWindow window;
  if (!window.Create(nullptr, L"bench", 0x10CE0000, 0x100, 0, 0, 0, 0)) return 1;
  ::UpdateWindow(window.GetHWND());
  BenchBuild(window.m_PaintManager);
  BenchRepaint(window);
  CControlUI* gif = window.m_PaintManager.FindControl(L"gallery_gif");
  if (gif) gif->SetVisible(false);
  BenchIdle(L"nothing animated");
  if (gif) gif->SetVisible(true);
  BenchIdle(L"GIF playing");
  ::DestroyWindow(window.GetHWND());
  return 0;
}
