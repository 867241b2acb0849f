#include "platform/resource_bytes.h"

namespace ormind {

std::span<const std::uint8_t> ResourceBytes(HMODULE module, const wchar_t* name, const wchar_t* type) {
  HRSRC found = FindResourceW(module, name, type);
  HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
  const void* data = loaded ? LockResource(loaded) : nullptr;
  if (!data) return {};
  return {static_cast<const std::uint8_t*>(data), SizeofResource(module, found)};
}

}  // namespace ormind
