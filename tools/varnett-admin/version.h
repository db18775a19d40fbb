// varnett-admin's version, the same as Varnett.exe's: the two ship together.
// Read by the program and by its version resource.
#pragma once

#define VARNETT_ADMIN_VERSION "2.3"
#define VARNETT_ADMIN_VERSION_NUMBERS 2, 3, 0, 0

#ifdef __cplusplus
namespace varnett {
inline constexpr char kVersion[] = VARNETT_ADMIN_VERSION;
}  // namespace varnett
#endif
