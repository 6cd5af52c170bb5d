// Commanding the audio player "AudioRack32" from a play-station key.
#pragma once

void ControlAudioPlayer(int keyNumber);
