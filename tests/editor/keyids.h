#pragma once

// The key ids of the settings the editor's tests name, as the key table
// numbers them.
inline constexpr int InputLevel1 = 1, Phantom1 = 9, HeadAmp1 = 17, LowCut1 = 25, LowCut3 = 27, InputGain1 = 41,
                     Priority1 = 49, Override3 = 59, OutputLevel = 73, OutputGain = 74, MuteChange = 75, Noma = 80,
                     OnlyType = 83, KeyLock = 84, Threshold = 85;
