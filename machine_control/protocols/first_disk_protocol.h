// The virtual notebook's first hard disk, named in the registry: the REG_SZ
// value FirstDisk of HKEY_LOCAL_MACHINE\Software\VirtualNotebook holds the
// full Windows path of a disk image. machinesim writes and deletes it; the
// save-to-disk utility's disk layer, finding it, works on that image instead
// of the machine's own disk.
#pragma once

inline constexpr char kVirtualNotebookKey[] = "Software\\VirtualNotebook";
inline constexpr char kFirstDiskValue[] = "FirstDisk";
