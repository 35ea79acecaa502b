#pragma once
#include <string>

// How the network check and repair show themselves. The sub-page implements it over its
// controls; every call comes from the worker thread that runs the sequence.
namespace functions {

// The six aspects in the order of their rows.
enum class NetworkRow { kAdapter = 0, kDhcp, kAddress, kDns, kProxy, kWeb };
constexpr int kNetworkRowCount = 6;

enum class RowLook { kRunning, kGood, kFault };

class NetworkDisplay {
 public:
  virtual ~NetworkDisplay() = default;

  // False when the row's status label is missing; the repair skips such rows.
  virtual bool HasRow(NetworkRow row) const = 0;
  virtual void ShowRowStatus(NetworkRow row, const std::wstring& text, RowLook look) = 0;
  virtual void SetCheckButton(bool shown, bool enabled) = 0;
  virtual void SetRepairButton(bool shown, bool enabled) = 0;
  virtual void SetBackEnabled(bool enabled) = 0;
  // The program's prompt in its OK-only mode, modal; returns when it is closed.
  virtual void ShowPrompt(const std::wstring& title, const std::wstring& message) = 0;
};

}  // namespace functions
