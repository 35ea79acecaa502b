#include "functions/network_sequence.h"

namespace functions {

namespace {

const wchar_t kChecking[] = L"检测中...";
const wchar_t kRepairing[] = L"修复中...";
const wchar_t kRepaired[] = L"已修复";
const wchar_t kGood[] = L"正常";
const wchar_t kNotConnected[] = L"网络未连接，请检查网线或WIFI连接";
const wchar_t kWebGood[] = L"上网正常";
const wchar_t kWebFault[] = L"无法正常上网";
const wchar_t kDnsFault[] = L"DNS解析异常";

// The address row's fault. A repeat in the section of the adapter the check chose is named as
// a conflict on that adapter; one under a VPN's or a virtual machine's adapter is not the
// user's network, and keeps the general text.
std::wstring AddressFaultText(const std::string& listing, const std::string& adapterAddress) {
  for (const ArpSection& section : ReadArpListing(listing))
    if (section.repeatedAddress && !adapterAddress.empty() && section.interfaceAddress == adapterAddress)
      return L"IP地址冲突（网卡 " + std::wstring(adapterAddress.begin(), adapterAddress.end()) + L"）";
  return L"IP地址异常";
}

}  // namespace

void NetworkSequence::ShowReady() {
  display_.SetCheckButton(true, true);
  display_.SetRepairButton(false, true);
  display_.SetBackEnabled(true);
}

void NetworkSequence::BeginCheck() {
  display_.SetCheckButton(true, false);
  display_.SetBackEnabled(false);
}

void NetworkSequence::BeginRepair() {
  display_.SetRepairButton(true, false);
  display_.SetBackEnabled(false);
}

bool NetworkSequence::CheckAdapterRow(const AdapterInfo& adapter) {
  const std::string& status = adapter.connectionStatus;
  if (status == "2") {
    display_.ShowRowStatus(NetworkRow::kAdapter, kGood, RowLook::kGood);
    return true;
  }
  const wchar_t* text = status == "7"   ? kNotConnected
                        : status == "0" ? L"物理网卡适配器被禁用"
                                        : L"物理网卡适配器状态异常";
  display_.ShowRowStatus(NetworkRow::kAdapter, text, RowLook::kFault);
  return false;
}

bool NetworkSequence::CheckRow(NetworkRow row, bool (NetworkSequence::*probe)(const AdapterInfo&),
                               const AdapterInfo& adapter, const wchar_t* good,
                               const wchar_t* fault) {
  display_.ShowRowStatus(row, kChecking, RowLook::kRunning);
  pauses_.sleep(pauses_.stepMs);
  bool ok = (this->*probe)(adapter);
  display_.ShowRowStatus(row, ok ? good : fault, ok ? RowLook::kGood : RowLook::kFault);
  return ok;
}

bool NetworkSequence::ProbeDhcp(const AdapterInfo& adapter) {
  std::string address = tools_.GetAdapterAddress(adapter.interfaceIndex);
  return tools_.IsServiceRunning("Dhcp") && tools_.IsDhcpConfigured(adapter.guid, address);
}

bool NetworkSequence::CheckAddress(const AdapterInfo& adapter) {
  display_.ShowRowStatus(NetworkRow::kAddress, kChecking, RowLook::kRunning);
  pauses_.sleep(pauses_.stepMs);
  return ShowAddressVerdict(adapter, kGood);
}

bool NetworkSequence::ShowAddressVerdict(const AdapterInfo& adapter, const wchar_t* good) {
  const std::string listing = tools_.ArpListing();
  if (ArpListingFreeOfConflicts(listing)) {
    display_.ShowRowStatus(NetworkRow::kAddress, good, RowLook::kGood);
    return true;
  }
  display_.ShowRowStatus(NetworkRow::kAddress,
                         AddressFaultText(listing, tools_.GetAdapterAddress(adapter.interfaceIndex)),
                         RowLook::kFault);
  return false;
}

bool NetworkSequence::ProbeDns(const AdapterInfo&) { return tools_.CanResolveNames(); }

bool NetworkSequence::ProbeProxy(const AdapterInfo&) {
  ProxySettings proxy = tools_.ReadProxySettings();
  return proxy.enable != 1 || tools_.IsProxyWorking(proxy.server);
}

bool NetworkSequence::ProbeWeb(const AdapterInfo&) { return tools_.CanReachWeb(); }

void NetworkSequence::RunCheck() {
  flags_ = NetworkFlags{};
  display_.ShowRowStatus(NetworkRow::kAdapter, kChecking, RowLook::kRunning);
  AdapterInfo adapter;
  if (!tools_.FindPhysicalAdapter(adapter)) {
    display_.ShowRowStatus(NetworkRow::kAdapter, L"未找到物理网卡适配器，检测终止",
                           RowLook::kFault);
    flags_.adapterOk = false;
    display_.SetCheckButton(true, true);
    display_.SetBackEnabled(true);
    return;
  }
  flags_.adapterOk = CheckAdapterRow(adapter);
  if (!flags_.adapterOk) display_.SetCheckButton(false, false);

  flags_.dhcpOk =
      CheckRow(NetworkRow::kDhcp, &NetworkSequence::ProbeDhcp, adapter, kGood, L"DHCP异常");
  flags_.addressOk = CheckAddress(adapter);
  flags_.dnsOk =
      CheckRow(NetworkRow::kDns, &NetworkSequence::ProbeDns, adapter, kGood, kDnsFault);
  flags_.proxyOk =
      CheckRow(NetworkRow::kProxy, &NetworkSequence::ProbeProxy, adapter, kGood, L"代理服务器异常");
  // The web row is a verdict only: nothing repairs "the internet" directly, so it does not
  // bring up the repair button on its own.
  flags_.webOk =
      CheckRow(NetworkRow::kWeb, &NetworkSequence::ProbeWeb, adapter, kWebGood, kWebFault);

  display_.SetBackEnabled(true);
  bool faults = !flags_.dhcpOk || !flags_.addressOk || !flags_.dnsOk || !flags_.proxyOk;
  if (faults || !flags_.adapterOk) {
    display_.SetCheckButton(false, true);
    display_.SetRepairButton(true, true);
  } else {
    display_.SetCheckButton(true, true);
  }
}

template <typename Repair>
void NetworkSequence::RepairRow(NetworkRow row, bool ok, Repair repair,
                                bool (NetworkSequence::*probe)(const AdapterInfo&), const AdapterInfo& adapter,
                                const wchar_t* fault) {
  if (ok || !display_.HasRow(row)) return;
  display_.ShowRowStatus(row, kRepairing, RowLook::kRunning);
  repair();
  const bool now = (this->*probe)(adapter);
  display_.ShowRowStatus(row, now ? kRepaired : fault, now ? RowLook::kGood : RowLook::kFault);
}

bool NetworkSequence::ProbeAdapterUp(const AdapterInfo&) {
  AdapterInfo again;
  return tools_.FindPhysicalAdapter(again) && again.connectionStatus == "2";
}

void NetworkSequence::RepairDhcp(const AdapterInfo& adapter) {
  if (flags_.dhcpOk || !display_.HasRow(NetworkRow::kDhcp)) return;
  display_.ShowRowStatus(NetworkRow::kDhcp, kRepairing, RowLook::kRunning);
  if (!tools_.IsServiceRunning("Dhcp")) tools_.StartServiceAndWait("Dhcp");
  // A stopped service may have been the whole fault. A static address reads as configured,
  // so only a DHCP adapter still without a lease is asked to fetch one.
  if (!tools_.IsDhcpConfigured(adapter.guid, tools_.GetAdapterAddress(adapter.interfaceIndex)))
    tools_.RenewLease(adapter.connectionName);
  // Looked at again: a server that does not answer leaves the adapter without a lease.
  bool ok = ProbeDhcp(adapter);
  display_.ShowRowStatus(NetworkRow::kDhcp, ok ? kRepaired : L"DHCP异常",
                         ok ? RowLook::kGood : RowLook::kFault);
}

void NetworkSequence::RepairDns(const AdapterInfo& adapter) {
  if (flags_.dnsOk || !display_.HasRow(NetworkRow::kDns)) return;
  display_.ShowRowStatus(NetworkRow::kDns, kRepairing, RowLook::kRunning);
  DnsSettings kept = tools_.ReadDnsSettings(adapter.guid);
  // Settings that cannot be kept could not be put back: they are left as they are.
  if (kept.read) {
    tools_.SetPublicDns(adapter.connectionName);
    if (tools_.CanResolveNames()) {
      display_.ShowRowStatus(NetworkRow::kDns, kRepaired, RowLook::kGood);
      return;
    }
    // The public server did not help: the fault lies elsewhere (a captive portal, a
    // firewall, a company network with its own names), where the user's servers are needed.
    tools_.RestoreDnsSettings(adapter.connectionName, adapter.guid, kept);
  }
  display_.ShowRowStatus(NetworkRow::kDns, kDnsFault, RowLook::kFault);
}

void NetworkSequence::RunRepair() {
  AdapterInfo adapter;
  if (!tools_.FindPhysicalAdapter(adapter)) {
    display_.ShowRowStatus(NetworkRow::kAdapter, L"未找到物理网卡适配器", RowLook::kFault);
    display_.ShowPrompt(L"未找到物理网卡适配器",
                        L"未找到物理网卡适配器，无法进行修复，请检查硬件是否正常");
    display_.SetRepairButton(true, true);
    display_.SetBackEnabled(true);
    return;
  }
  if (adapter.connectionStatus == "7") {
    // Nothing here can plug in a cable: the user is asked to, and the repair stays on offer.
    display_.ShowRowStatus(NetworkRow::kAdapter, kNotConnected, RowLook::kFault);
    display_.ShowPrompt(L"网络未连接", L"检测到网络未连接，请插好网线或连接WIFI后点击确定");
    display_.SetBackEnabled(true);
    display_.SetCheckButton(false, true);
    display_.SetRepairButton(true, true);
    return;
  }
  RepairRow(NetworkRow::kAdapter, flags_.adapterOk, [&] { tools_.EnableAdapter(adapter.connectionName); },
            &NetworkSequence::ProbeAdapterUp, adapter, L"物理网卡适配器状态异常");
  RepairDhcp(adapter);
  if (!flags_.addressOk && display_.HasRow(NetworkRow::kAddress)) {
    display_.ShowRowStatus(NetworkRow::kAddress, kRepairing, RowLook::kRunning);
    tools_.RenewAddress();
    ShowAddressVerdict(adapter, kRepaired);
  }
  RepairDns(adapter);
  RepairRow(NetworkRow::kProxy, flags_.proxyOk, [&] { tools_.DisableProxy(); }, &NetworkSequence::ProbeProxy,
            adapter, L"代理服务器异常");
  if (!flags_.webOk && display_.HasRow(NetworkRow::kWeb)) {
    display_.ShowRowStatus(NetworkRow::kWeb, kChecking, RowLook::kRunning);
    bool web = tools_.CanReachWeb();
    display_.ShowRowStatus(NetworkRow::kWeb, web ? kWebGood : kWebFault,
                           web ? RowLook::kGood : RowLook::kFault);
  }
  display_.SetBackEnabled(true);
  display_.SetCheckButton(true, true);
  display_.SetRepairButton(false, true);
}

}  // namespace functions
