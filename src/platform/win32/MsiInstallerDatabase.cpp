#include "platform/win32/MsiInstallerDatabase.h"

#include <windows.h>

#include <msi.h>

#include <array>

#include "platform/win32/WideChars.h"

namespace tovrel::win32 {
namespace {

constexpr DWORD kValueUnits = 1024;
using Buffer = std::array<wchar_t, kValueUnits + 1>;

WideText Text(const Buffer& buffer) {
  return FromWide(buffer.data());
}

ComponentPath PathIfInstalled(INSTALLSTATE state, const Buffer& buffer) {
  const auto result = static_cast<InstallState>(state);
  const bool installed = result == InstallState::kLocal || result == InstallState::kSource;
  return {result, installed ? Text(buffer) : WideText()};
}

}  // namespace

std::optional<WideText> MsiInstallerDatabase::EnumProducts(std::uint32_t index) const {
  Buffer code{};
  if (MsiEnumProductsW(index, code.data()) != ERROR_SUCCESS) return std::nullopt;
  return Text(code);
}

std::optional<WideText> MsiInstallerDatabase::EnumComponents(std::uint32_t index) const {
  Buffer code{};
  if (MsiEnumComponentsW(index, code.data()) != ERROR_SUCCESS) return std::nullopt;
  return Text(code);
}

ComponentPath MsiInstallerDatabase::GetComponentPath(WideView product, WideView component) const {
  const WideText product_code(product);
  const WideText component_code(component);
  Buffer path{};
  DWORD size = kValueUnits;
  return PathIfInstalled(
      MsiGetComponentPathW(AsWide(product_code), AsWide(component_code), path.data(), &size), path);
}

ComponentPath MsiInstallerDatabase::LocateComponent(WideView component) const {
  const WideText component_code(component);
  Buffer path{};
  DWORD size = kValueUnits;
  return PathIfInstalled(MsiLocateComponentW(AsWide(component_code), path.data(), &size), path);
}

std::optional<WideText> MsiInstallerDatabase::GetProductCode(WideView component) const {
  const WideText component_code(component);
  Buffer product{};
  if (MsiGetProductCodeW(AsWide(component_code), product.data()) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  return Text(product);
}

std::optional<WideText> MsiInstallerDatabase::GetProductInfo(WideView product,
                                                             WideView property) const {
  const WideText product_code(product);
  const WideText property_name(property);
  Buffer value{};
  DWORD size = kValueUnits;
  if (MsiGetProductInfoW(AsWide(product_code), AsWide(property_name), value.data(), &size) !=
      ERROR_SUCCESS) {
    return std::nullopt;
  }
  return Text(value);
}

}  // namespace tovrel::win32
