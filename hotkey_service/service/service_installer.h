// Pressmon's own installer: -install and -remove against the service control
// manager, each reported on the console.
#pragma once

void InstallService();
void RemoveService();
