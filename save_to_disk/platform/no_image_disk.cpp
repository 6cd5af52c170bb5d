// The shipping images carry no disk-image binding: the virtual notebook's
// first disk is an image that only the test machine has, and the image
// binding's file streams import C run-time functions that Windows 95 and
// NT 4.0 lack. OpenFirstDisk then calls Windows, on the 32-bit Wine too.
#include "save_to_disk/platform/save_file_disk.h"

std::unique_ptr<SaveFileDisk> MakeImageDisk(const std::string&) { return nullptr; }
