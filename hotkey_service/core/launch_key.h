// The per-key launch configuration: where it lives and which mode it selects.
#pragma once

#include <cstddef>

// Registry strings of the launch configuration are read into 80-byte buffers.
inline constexpr std::size_t kLaunchValueSize = 80;

// Writes registryKey followed by a backslash and keyDigit into path. False,
// leaving path alone, when the result would not fit in kLaunchValueSize bytes.
bool BuildLaunchKeyPath(const char* registryKey, char keyDigit, char (&path)[kLaunchValueSize]);

// A "Tag" of "IMMEDIATE" in any case selects immediate mode.
bool IsImmediateTag(const char* tag);
