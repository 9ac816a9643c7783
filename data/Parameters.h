#pragma once

// The parameter numbers the module takes, one enum per command: a control
// record's param, the handler that stores it and the frame that carries it
// all name a parameter here. The values are the module's and never change.

#include "TPrograms.h"

#include <QtGlobal>

#include <cstddef>

// Voice variation (command 0x21). The layer parameters carry the layer as
// their voice byte, the others the whole program or an equaliser band.
namespace VoiceParam {
enum Value : quint8 {
    enable = 0,
    volume = 1,
    reverbSend = 2,
    octave = 3,
    tune = 4,
    pan = 5,
    chorusSend = 6,
    keyLow = 7,
    keyHigh = 8,
    velocityLow = 9,
    velocityHigh = 10,
    attack = 11,
    decay = 12,
    resonance = 13,
    release = 14,
    cutOff = 15,
    dynFilter = 16,
    morphing = 17,
    insertOn = 18,
    sustain = 19,
    loadProgram = 20,
    setupVolume = 21,           // the voice byte is the SetupItem
    compressorOn = 22,
    compressorAttack = 23,
    compressorRelease = 24,
    compressorRatio = 25,
    compressorThreshold = 26,
    compressorMakeUpGain = 27,
    distortionOn = 28,
    distortionType = 29,
    distortionBrightIn = 30,
    distortionDrive = 31,
    distortionBrightOut = 32,
    distortionLevel = 33,
    feedToRotary = 34,
    eqOn = 35,
    eqType = 36,                // the voice byte is the band
    eqFreq = 37,
    eqQ = 38,
    eqGain = 39,
    modulationOn = 40,
    modulationType = 41,
    modulationWave = 42,
    modulationDryWet = 43,
    modulationDepth = 44,
    modulationRate = 45,
    modulationDelay = 46,
    modulationFeedback = 47,
    rotarySpeed = 48,
    rotaryFastRate = 49,
    rotaryAcceleration = 50,
    rotaryBrake = 51,
    rotaryDirectivity = 52,
    rotaryMicAngle = 53,
    wahOn = 54,
    wahType = 55,
    wahFilter = 56,
    wahFreq = 57,
    wahResonance = 58,
    wahSensitivity = 59,
    wahDecay = 60,
    wahLfoAmount = 61,
    wahLfoRate = 62,
    tremoloOn = 63,
    tremoloType = 64,
    tremoloShape = 65,
    tremoloDepth = 66,
    tremoloRate = 67,
    delayOn = 68,
    delayType = 69,
    delayLevel = 70,
    delayCutOff = 71,
    delayTime = 72,
    delayFeedback = 73,
    delayDamping = 74,
    insertLevel = 75,
    insertReverbSend = 77,
    insertChorusSend = 78,
    insertConfig = 79,
    insertGain = 80,
    hqDistortionOn = 81,
    hqDistortionBias = 82,
    hqDistortionBoost = 83,
    hqDistortionType = 84,
    hqDistortionDrive = 85,
    hqDistortionBrightness = 86,
    hqDistortionLevel = 87,
    reverbSize = 89,
    reverbHfDamping = 90,
    reverbHighShelfGain = 91,
    reverbHighShelfFreq = 92,
    reverbPreHighPass = 93,
    reverbType = 94,
    reverbTime = 95,
    reverbFeedback = 96,
    reverbPreDelay = 97,
    reverbPreLowPass = 98,
    reverbLevel = 99,
    chorusWave = 101,
    chorusType = 102,
    chorusPreLowPass = 103,
    chorusFeedback = 104,
    chorusDelay = 105,
    chorusRate = 106,
    chorusDepth = 107,
    chorusLevel = 108,
    morphControl = 109,         // the ControlSource mask
    modulationControl = 110,
};
}

// Organ variation (command 0x29). The drawbar carries its bar as the voice
// byte, every other parameter the whole program.
namespace OrganParam {
enum Value : quint8 {
    on = 0,
    volume = 1,
    drawbar = 2,
    percussionOn = 3,
    percussionType = 4,
    percussionDecay = 5,
    percussionLevel = 6,
    vibratoOn = 7,
    vibratoType = 8,
    rotarySpeed = 9,
    keyClick = 10,
    reverbSend = 11,
    chorusSend = 12,
    directLevel = 13,
    reflectionIntensity = 14,
    reflectionDelay = 15,
    highRotorVolume = 16,
    highRotorHighPass = 17,
    highRotorSlowSpeed = 18,
    highRotorFastSpeed = 19,
    highRotorAcceleration = 20,
    highRotorDeceleration = 21,
    highRotorBrake = 22,
    highRotorAmDepth = 23,
    highRotorFmDepth = 24,
    highRotorDrive = 25,
    highRotorDriveLowPass = 26,
    lowRotorVolume = 27,
    lowRotorLowPass = 28,
    lowRotorSlowSpeed = 29,
    lowRotorFastSpeed = 30,
    lowRotorAcceleration = 31,
    lowRotorDeceleration = 32,
    lowRotorBrake = 33,
    lowRotorAmDepth = 34,
    lowRotorFmDepth = 35,
    lowRotorDrive = 36,
    lowRotorDriveLowPass = 37,
    driveOn = 38,
    rotaryControl = 39,         // the ControlSource mask
    shift = 40,
};
}

// GM channel variation (command 0x2E): the channel is the voice byte.
namespace GmParam {
enum Value : quint8 {
    volume = 1,
    reverb = 2,
    shift = 3,
    tune = 4,
    pan = 5,
    chorus = 6,
    cutoff = 15,
    mute = 111,
    solo = 112,
    pitch = 113,
};
}

// Setup variation: item i is byte i of the setup block.
namespace SetupItem {
enum Value : quint8 {
    usbDevice1 = offsetof(TSetup, usbDevice1),
    usbDevice2 = offsetof(TSetup, usbDevice2),
    usbHost = offsetof(TSetup, usbHost),
    midiClassic = offsetof(TSetup, midiClassic),
    masterVolume = offsetof(TSetup, masterVolume),
    gmVolume = offsetof(TSetup, gmVolume),
    usbHostChannel = offsetof(TSetup, usbHostChannel),
    midiChannel = offsetof(TSetup, midiChannel),
};
}
