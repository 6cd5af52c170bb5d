// What an engine shows and writes around its work: the program shows its
// messages in message boxes and ends itself on a setup failure; the command-line
// tool writes the texts to standard error; tests record them.
#pragma once

#include <string>

class PlacementHost {
public:
    virtual ~PlacementHost() = default;
    // A message of the string table, by id (placement_messages.h).
    virtual void ShowMessage(unsigned id) = 0;
    // One piece of the progress text the engine writes to standard output.
    virtual void WriteOutput(const std::string& text) = 0;
    // Ends the whole program (a failed volume setup ends it with status 1).
    virtual void EndProgram(int status) = 0;
    // Console interrupts are ignored while a move rewrites the volume.
    virtual void IgnoreInterrupts(bool ignore) = 0;
};
