#pragma once
// What the page printer asks the print spooler (winspool), with every call checked. The
// spooler answers in records whose strings point into the same buffer: each query asks for the
// size first, then for the record in a buffer of that size, and every string is copied with
// the buffer's end as its bound.
#include "report/win32/windows_api.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/handles.h"

namespace ormind {

namespace handle_traits {
struct Printer {
  using Handle = HANDLE;
  static constexpr Handle Invalid() { return nullptr; }
  static void Free(Handle handle);  // ClosePrinter
};
}  // namespace handle_traits
// A printer opened with OpenPrinterW.
using PrinterHandle = UniqueHandle<handle_traits::Printer>;

// One spooler query in the two-call form: called with (null, 0, &needed) for the size, then
// with a buffer of that size. Returns the record's bytes; none when either call fails.
using TSpoolerCall = std::function<BOOL(BYTE* buffer, DWORD size, DWORD* needed)>;
std::optional<std::vector<uint8_t>> QuerySpooler(const TSpoolerCall& call);

// The string `text` points to, read up to its terminator but never past the end of `record`;
// empty when `text` is null or outside the record.
std::wstring StringInRecord(const wchar_t* text, const std::vector<uint8_t>& record);

// The installed printers (local and connected), in the spooler's order, names only: the
// spooler's own list (level 4), which opens no connection and so never waits for a print
// server that is offline. Empty when none is installed or the spooler does not answer.
std::vector<std::wstring> EnumerateSpooledPrinters();
// The port of one printer (its level-2 information); empty when it cannot be read.
std::wstring PrinterPort(const std::wstring& printerName);
// The default printer's name; empty when there is none.
std::wstring DefaultPrinterName();
// The driver file's path from the driver information (level 2); empty on any failure.
std::wstring PrinterDriverPath(const std::wstring& printerName);
// The printer's own device mode (DocumentPropertiesW), in movable memory; none on failure.
GlobalHandle PrinterDeviceMode(const std::wstring& printerName);
// The codes the driver lists for `capability` (DeviceCapabilitiesW with DC_PAPERS or DC_BINS,
// both arrays of WORD); empty on failure.
std::vector<int32_t> PrinterCapabilityCodes(const std::wstring& printerName,
                                            const std::wstring& port, WORD capability,
                                            const DEVMODEW* mode);
// Hands `mode`'s public fields to the driver (DocumentPropertiesW with DM_IN_BUFFER |
// DM_OUT_BUFFER) and takes back its answer in place, so that the driver's private part follows
// and values it cannot do are corrected. False, with `mode` as it was, when the driver refuses.
bool MergeDeviceMode(const std::wstring& printerName, DEVMODEW* mode);

}  // namespace ormind
