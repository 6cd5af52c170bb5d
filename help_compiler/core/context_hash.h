// Jumps and |CONTEXT name topics by the hash of a context string. The
// sources give context numbers; each number stands for the string
// ContextName gives.
#pragma once

#include <cstdint>
#include <string>

// "IDH_50400" for 0x50400.
std::string ContextName(uint32_t context);

// WinHelp's hash of a context string of letters, digits, '.' and '_'
// (letters in either case alike).
int32_t ContextHash(const std::string& name);
