#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>

#include "ui/control_geometry.h"
#include "ui/win/canvas.h"
#include "ui/win/ui_events.h"
#include "ui/win/ui_lock.h"

namespace DuiLib {

class CPaintManagerUI;

// The name a control class answers to in GetInterface. Each class declares its own as
// kKind; the class in the type lets ControlAs refuse, at compile time, a class that has
// only inherited its base's, whose lookup would hand back the base as the derived class.
template <typename Control>
struct ControlKind {
  const wchar_t* name;
};

// A control without a native window. Its state is guarded by the UI lock (ui_lock.h), so
// every public operation may be called from any thread; events and painting come from the
// paint manager on the UI thread.
// A control that places a native window of another thread (the browser control) must move
// it with SWP_ASYNCWINDOWPOS: SetPos runs under the UI lock, and a synchronous SetWindowPos
// would wait for a thread that may itself be waiting for the lock.
class CControlUI {
 public:
  CControlUI();
  virtual ~CControlUI();
  CControlUI(const CControlUI&) = delete;
  CControlUI& operator=(const CControlUI&) = delete;

  static constexpr ControlKind<CControlUI> kKind{L"Control"};
  virtual std::wstring GetClass() const;
  // The control itself when it is of the kind `name` ("Control", "Button"...), else null.
  virtual CControlUI* GetInterface(const std::wstring& name);

  std::wstring GetName() const;
  void SetName(const std::wstring& name);
  std::wstring GetText() const;
  virtual void SetText(const std::wstring& text);

  // Visible means shown by its own flag and by its parent's (SetInternVisible).
  bool IsVisible() const;
  virtual void SetVisible(bool visible = true);
  virtual void SetInternVisible(bool visible = true);
  bool IsEnabled() const;
  virtual void SetEnabled(bool enabled = true);
  bool IsMouseEnabled() const;
  void SetMouseEnabled(bool enabled);

  RECT GetPos() const;
  // Places the control; containers lay out their children inside. Layout calls it too,
  // so a floating control returns to its "pos" at the next layout pass.
  virtual void SetPos(RECT rect);
  bool IsFloat() const;
  void SetFloat(bool floating = true);
  int GetFixedWidth() const;
  int GetFixedHeight() const;
  void SetFixedWidth(int width);
  void SetFixedHeight(int height);
  POINT GetFixedXY() const;
  ControlGeometry GetGeometry() const;

  uint32_t GetBkColor() const;
  void SetBkColor(uint32_t argb);
  void SetBkImage(const std::wstring& image);
  std::wstring GetBkImage() const;
  void SetBorderColor(uint32_t argb);

  // Attribute names and values as in a layout file, so a run-time change and a layout line
  // mean the same. Unknown names and bad values change nothing.
  void SetAttribute(const std::wstring& name, const std::wstring& value);
  // The same in the layout file's UTF-8; false when the name is not an attribute of this kind.
  virtual bool ApplyAttribute(std::string_view name, std::string_view value);

  void Invalidate();
  void NeedUpdate();        // this control's size or children changed: lay out again
  void NeedParentUpdate();  // this control's place in its parent changed

  // Whether a press gives this control the keyboard focus (the text box).
  virtual bool IsFocusable() const { return false; }
  virtual void DoEvent(TEventUI& event);
  virtual void DoPaint(Canvas& canvas, const RECT& dirty);

  CPaintManagerUI* GetManager() const;
  CControlUI* GetParent() const;
  virtual void SetManager(CPaintManagerUI* manager, CControlUI* parent);

  // The deepest visible control under `point` that takes the mouse, or null.
  virtual CControlUI* FindControlAt(POINT point);
  // This control or a descendant named `name` (exact), or null.
  virtual CControlUI* FindControlByName(const std::wstring& name);
  // Calls `visit` for this control and every descendant, parents first.
  virtual void ForEach(void (*visit)(CControlUI*, void*), void* context);

 protected:
  virtual void PaintBkColor(Canvas& canvas);
  virtual void PaintBkImage(Canvas& canvas);
  virtual void PaintStatusImage(Canvas& canvas);
  virtual void PaintText(Canvas& canvas);
  virtual void PaintBorder(Canvas& canvas);
  // Draws an image attribute over this control; false when it names no usable picture.
  bool DrawImage(Canvas& canvas, const std::string& attribute, size_t frame = 0);
  // Pictures and colours of later kinds are set on the UI lock like everything else.
  void SetString(std::string* field, const std::wstring& value);

  // For a member that only changes how the control looks: set under the UI lock, and the
  // control repainted unless the value was already there.
  template <typename Field, typename Value>
  void SetAndInvalidateIfChanged(Field& field, Value&& value) {
    UiGuard guard;
    if (field == value) return;
    field = std::forward<Value>(value);
    Invalidate();
  }
  // The same for setters that have always repainted even when given the value already
  // there (and for members, such as RECTs, that have no ==).
  template <typename Field, typename Value>
  void SetAndInvalidate(Field& field, Value&& value) {
    UiGuard guard;
    field = std::forward<Value>(value);
    Invalidate();
  }

  CPaintManagerUI* manager_ = nullptr;
  CControlUI* parent_ = nullptr;
  std::wstring name_;
  std::wstring text_;
  RECT pos_{0, 0, 0, 0};
  ControlGeometry geometry_;
  bool visible_ = true;
  bool internVisible_ = true;
  bool enabled_ = true;
  bool mouseEnabled_ = true;
  uint32_t bkColor_ = 0;
  uint32_t borderColor_ = 0;
  int borderSize_ = 1;
  std::string bkImage_;
};

// `control` as a T when it is of T's kind, else null (and null for null).
template <typename T>
T* ControlAs(CControlUI* control) {
  static_assert(std::is_same_v<decltype(T::kKind), const ControlKind<T>>,
                "the class declares no kKind of its own");
  return control ? static_cast<T*>(control->GetInterface(T::kKind.name)) : nullptr;
}

bool RectsIntersect(const RECT& a, const RECT& b);

}  // namespace DuiLib
