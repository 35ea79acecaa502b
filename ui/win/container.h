#pragma once

#include <memory>
#include <vector>

#include "ui/win/control.h"
#include "ui/win/scroll_bar.h"

namespace DuiLib {

// A control that owns children. The plain container gives every child in the flow its
// whole inner rectangle; floating children sit at their "pos" with their fixed size. The
// layouts (layouts.h) line the flow up instead.
class CContainerUI : public CControlUI {
 public:
  CContainerUI();
  ~CContainerUI() override;

  static constexpr ControlKind<CContainerUI> kKind{L"Container"};
  std::wstring GetClass() const override;
  CControlUI* GetInterface(const std::wstring& name) override;

  // The container owns what it is given from here on; null is refused.
  bool Add(CControlUI* control);
  // Index 0 puts the child first; an index past the end appends.
  bool AddAt(CControlUI* control, int index);
  bool Remove(CControlUI* control, bool keepAlive = false);
  // Removed children are destroyed unless keepAlive, which hands them back to the caller.
  bool RemoveAt(int index, bool keepAlive = false);
  void RemoveAll();
  int GetCount() const;
  CControlUI* GetItemAt(int index) const;
  int GetItemIndex(CControlUI* control) const;

  void SetInset(RECT inset);
  void EnableScrollBar(bool vertical);
  CScrollBarUI* GetVerticalScrollBar() const;
  void SetScrollPos(int pos);
  int GetScrollPos() const;

  void SetPos(RECT rect) override;
  void SetVisible(bool visible = true) override;
  void SetInternVisible(bool visible = true) override;
  void SetManager(CPaintManagerUI* manager, CControlUI* parent) override;
  bool ApplyAttribute(std::string_view name, std::string_view value) override;
  void DoEvent(TEventUI& event) override;
  void DoPaint(Canvas& canvas, const RECT& dirty) override;
  CControlUI* FindControlAt(POINT point) override;
  CControlUI* FindControlByName(const std::wstring& name) override;
  void ForEach(void (*visit)(CControlUI*, void*), void* context) override;

 protected:
  // Places the children in the flow inside `inner`; returns the content height, for the
  // scroll bar. The plain container stacks nothing: every child gets all of `inner`.
  virtual int ArrangeFlow(const RECT& inner, int scrollOffset);
  void ArrangeFloats(const RECT& inner);
  RECT InnerRect() const;
  void ApplyScrollBarDefaults();

  std::vector<std::unique_ptr<CControlUI>> items_;
  RECT inset_{0, 0, 0, 0};
  std::unique_ptr<CScrollBarUI> vscroll_;
  bool scrollDefaultsApplied_ = false;
};

}  // namespace DuiLib
