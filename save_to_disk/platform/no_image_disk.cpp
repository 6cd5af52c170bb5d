// The shipping images carry no disk-image binding: the virtual notebook, whose
// first disk is an image, exists only in the build that runs here, and the
// image binding's file streams import C run-time functions that Windows 95
// and NT 4.0 lack. OpenFirstDisk then calls Windows.
#include "save_to_disk/platform/save_file_disk.h"

std::unique_ptr<SaveFileDisk> MakeImageDisk(const std::string&) { return nullptr; }
