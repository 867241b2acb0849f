#include "report/win32/spooler.h"

#include <winspool.h>

#include <algorithm>
#include <cstring>
#include <cwchar>

namespace ormind {

void handle_traits::Printer::Free(Handle handle) { ClosePrinter(handle); }

namespace {

PrinterHandle OpenPrinterByName(const std::wstring& name) {
  HANDLE printer = nullptr;
  std::wstring writable = name;  // the call takes a non-const name
  if (!OpenPrinterW(writable.data(), &printer, nullptr)) return PrinterHandle();
  return PrinterHandle(printer);
}

}  // namespace

std::optional<std::vector<uint8_t>> QuerySpooler(const TSpoolerCall& call) {
  DWORD needed = 0;
  SetLastError(ERROR_SUCCESS);
  // Success with no buffer: there is nothing to report (no printer installed).
  if (call(nullptr, 0, &needed)) return std::vector<uint8_t>();
  if (GetLastError() != ERROR_INSUFFICIENT_BUFFER || needed == 0) return std::nullopt;
  std::vector<uint8_t> record(needed);
  if (!call(record.data(), needed, &needed)) return std::nullopt;
  return record;
}

std::wstring StringInRecord(const wchar_t* text, const std::vector<uint8_t>& record) {
  const auto* begin = reinterpret_cast<const uint8_t*>(record.data());
  const auto* end = begin + record.size();
  const auto* at = reinterpret_cast<const uint8_t*>(text);
  if (text == nullptr || at < begin || at >= end) return std::wstring();
  const size_t room = static_cast<size_t>(end - at) / sizeof(wchar_t);
  return std::wstring(text, wcsnlen(text, room));
}

std::vector<std::wstring> EnumerateSpooledPrinters() {
  DWORD count = 0;
  const auto record = QuerySpooler([&count](BYTE* buffer, DWORD size, DWORD* needed) {
    return EnumPrintersW(PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS, nullptr, 4, buffer, size,
                         needed, &count);
  });
  std::vector<std::wstring> printers;
  if (!record || record->empty()) return printers;
  // Never more entries than the record can hold.
  count = std::min<DWORD>(count, DWORD(record->size() / sizeof(PRINTER_INFO_4W)));
  const auto* info = reinterpret_cast<const PRINTER_INFO_4W*>(record->data());
  for (DWORD i = 0; i < count; ++i) {
    std::wstring name = StringInRecord(info[i].pPrinterName, *record);
    if (!name.empty()) printers.push_back(std::move(name));
  }
  return printers;
}

std::wstring PrinterPort(const std::wstring& printerName) {
  const PrinterHandle printer = OpenPrinterByName(printerName);
  if (!printer) return std::wstring();
  const auto record = QuerySpooler([&printer](BYTE* buffer, DWORD size, DWORD* needed) {
    return GetPrinterW(printer.Get(), 2, buffer, size, needed);
  });
  if (!record || record->size() < sizeof(PRINTER_INFO_2W)) return std::wstring();
  const auto* info = reinterpret_cast<const PRINTER_INFO_2W*>(record->data());
  return StringInRecord(info->pPortName, *record);
}

std::wstring DefaultPrinterName() {
  DWORD size = 0;
  GetDefaultPrinterW(nullptr, &size);
  if (size == 0) return std::wstring();
  std::wstring name(size, L'\0');
  if (!GetDefaultPrinterW(name.data(), &size)) return std::wstring();
  name.resize(wcsnlen(name.c_str(), name.size()));
  return name;
}

std::wstring PrinterDriverPath(const std::wstring& printerName) {
  const PrinterHandle printer = OpenPrinterByName(printerName);
  if (!printer) return std::wstring();
  const auto record = QuerySpooler([&printer](BYTE* buffer, DWORD size, DWORD* needed) {
    return GetPrinterDriverW(printer.Get(), nullptr, 2, buffer, size, needed);
  });
  if (!record || record->size() < sizeof(DRIVER_INFO_2W)) return std::wstring();
  const auto* info = reinterpret_cast<const DRIVER_INFO_2W*>(record->data());
  return StringInRecord(info->pDriverPath, *record);
}

GlobalHandle PrinterDeviceMode(const std::wstring& printerName) {
  const PrinterHandle printer = OpenPrinterByName(printerName);
  if (!printer) return GlobalHandle();
  std::wstring name = printerName;
  const LONG size = DocumentPropertiesW(nullptr, printer.Get(), name.data(), nullptr, nullptr, 0);
  if (size < LONG(sizeof(DEVMODEW))) return GlobalHandle();
  GlobalHandle memory(GlobalAlloc(GHND, size_t(size)));
  const GlobalLocked<DEVMODEW> mode(memory.Get());
  if (mode.Get() == nullptr ||
      DocumentPropertiesW(nullptr, printer.Get(), name.data(), mode.Get(), nullptr,
                          DM_OUT_BUFFER) != IDOK) {
    return GlobalHandle();
  }
  return memory;
}

std::vector<int32_t> PrinterCapabilityCodes(const std::wstring& printerName,
                                            const std::wstring& port, WORD capability,
                                            const DEVMODEW* mode) {
  const int count = DeviceCapabilitiesW(printerName.c_str(), port.c_str(), capability, nullptr, mode);
  if (count <= 0) return {};
  std::vector<WORD> codes(static_cast<size_t>(count));
  if (DeviceCapabilitiesW(printerName.c_str(), port.c_str(), capability,
                          reinterpret_cast<LPWSTR>(codes.data()), mode) != count) {
    return {};
  }
  return std::vector<int32_t>(codes.begin(), codes.end());
}

bool MergeDeviceMode(const std::wstring& printerName, DEVMODEW* mode) {
  const PrinterHandle printer = OpenPrinterByName(printerName);
  if (!printer || mode == nullptr) return false;
  std::wstring name = printerName;
  // The answer is as large as the driver's own device mode, which is what `mode` was made from.
  const LONG size = DocumentPropertiesW(nullptr, printer.Get(), name.data(), nullptr, nullptr, 0);
  if (size < LONG(sizeof(DEVMODEW)) || size > LONG(mode->dmSize) + mode->dmDriverExtra) {
    return false;
  }
  std::vector<uint8_t> answer(static_cast<size_t>(size));
  auto* merged = reinterpret_cast<DEVMODEW*>(answer.data());
  if (DocumentPropertiesW(nullptr, printer.Get(), name.data(), merged, mode,
                          DM_IN_BUFFER | DM_OUT_BUFFER) != IDOK) {
    return false;
  }
  std::memcpy(mode, merged, answer.size());
  return true;
}

}  // namespace ormind
