// Commanding the audio player "AudioRack32" from a play-station key.
#pragma once

#include "hotkey_service/shell/pressmon_context.h"

void ControlAudioPlayer(const PressmonContext& context, int keyNumber);
