#pragma once
// The bytes of a resource linked into a module: empty when there is none.
#include <windows.h>

#include <cstdint>
#include <span>

namespace ormind {

std::span<const std::uint8_t> ResourceBytes(HMODULE module, const wchar_t* name, const wchar_t* type);

}  // namespace ormind
