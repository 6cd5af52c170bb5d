// Pressmon's command line.
#pragma once

enum class PressmonCommand { Install, Remove, Debug, Dispatch };

// The first argument after the program name, after '-' or '/', in any case:
// "install", "remove" or "debug". Anything else hands the program to the
// service control manager.
PressmonCommand ParsePressmonCommand(int argc, const char* const* argv);
