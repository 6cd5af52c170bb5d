// Installs the virtual notebook's driver as a kernel-driver service (started
// with the system, so a fresh Wine server brings it back) and removes it.
#pragma once

inline constexpr char kDriverServiceName[] = "VirtualNotebook";
inline constexpr char kDriverFileName[] = "virtualnotebook.sys";

// Installs the driver that lies beside this program, or points an existing
// service at it, starts it and waits until its control device opens.
// Idempotent: a running driver is left running.
bool InstallDriverService();

// Stops and deletes the service; true also when it was not installed.
bool RemoveDriverService();
