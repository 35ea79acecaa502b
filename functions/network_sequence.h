#pragma once
#include <utility>

#include "functions/network_display.h"
#include "functions/network_operations.h"
#include "functions/network_pauses.h"

// The network check and repair, one step after another, told to a display that it does not
// know the controls of. The sub-page starts RunCheck or RunRepair on a worker thread of its
// own after calling the matching Begin on the UI thread.
namespace functions {

// true = no fault. Written by the check, read by the repair; the buttons that Begin disables
// keep the two from running together.
struct NetworkFlags {
  bool adapterOk = true;
  bool dhcpOk = true;
  bool addressOk = true;
  bool dnsOk = true;
  bool proxyOk = true;
  bool webOk = true;
};

class NetworkSequence {
 public:
  NetworkSequence(NetworkOperations& tools, NetworkDisplay& display, NetworkFlags& flags,
                  NetworkPauses pauses = {})
      : tools_(tools), display_(display), flags_(flags), pauses_(std::move(pauses)) {}

  // The buttons of a freshly opened sub-page.
  void ShowReady();
  // On the UI thread, before the worker starts: the disabled buttons are the only guard
  // against a second run.
  void BeginCheck();
  void BeginRepair();

  void RunCheck();
  void RunRepair();

 private:
  bool CheckAdapterRow(const AdapterInfo& adapter);
  // Shows "检测中...", waits, runs the probe and shows its verdict; returns the verdict.
  bool CheckRow(NetworkRow row, bool (NetworkSequence::*probe)(const AdapterInfo&),
                const AdapterInfo& adapter, const wchar_t* good, const wchar_t* fault);
  bool ProbeDhcp(const AdapterInfo& adapter);
  bool CheckAddress(const AdapterInfo& adapter);
  // Reads `arp -a` and shows the address row: `good`, or the fault, naming the chosen adapter
  // when its own section holds the conflict. Returns whether the listing is free of conflicts.
  bool ShowAddressVerdict(const AdapterInfo& adapter, const wchar_t* good);
  bool ProbeDns(const AdapterInfo& adapter);
  bool ProbeProxy(const AdapterInfo& adapter);
  bool ProbeWeb(const AdapterInfo& adapter);
  // The service started and a missing lease asked for, then looked at again.
  void RepairDhcp(const AdapterInfo& adapter);
  // The public server, looked at again; what the adapter had is put back when names still
  // do not resolve.
  void RepairDns(const AdapterInfo& adapter);
  // "修复中...", the repair, then the aspect looked at again: "已修复" only when it is good
  // now, the row's fault text otherwise.
  template <typename Repair>
  void RepairRow(NetworkRow row, bool ok, Repair repair, bool (NetworkSequence::*probe)(const AdapterInfo&),
                 const AdapterInfo& adapter, const wchar_t* fault);
  bool ProbeAdapterUp(const AdapterInfo& adapter);

  NetworkOperations& tools_;
  NetworkDisplay& display_;
  NetworkFlags& flags_;
  NetworkPauses pauses_;
};

}  // namespace functions
