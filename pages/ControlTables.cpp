// The control records of every editing widget, one row per widget, and the
// six maps built from them, each connected to its family's handler.

#include "ControlTables.h"

#include "EditStores.h"
#include "LyrForm.h"
#include "Parameters.h"
#include "RefreshRows.h"
#include "SysExFrame.h"
#include "TPrograms.h"
#include "ui_LyrForm.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QSlider>

#include <cstddef>

namespace {

namespace V = VoiceParam;
namespace O = OrganParam;
namespace Item = SetupItem;
namespace Src = ControlSource;

constexpr quint8 No = 0xFF;      // field not used
constexpr quint8 Id = 0xFF;      // command: the handler knows the widget itself
constexpr quint8 Voice = ComVoiceVariation;
constexpr quint8 Organ = ComOrganVariation;
constexpr quint8 Inv = 0xFF;     // scale -1: the pan dials send PanCentre - value

// What picks one of a parameter's copies in the program.
enum class Pick { Once, Layer, Band, Setup, Drawbar, Bit };

// Every parameter a record may carry, in runs of equal shape; width is the
// bytes one value stores (the morphing switch stores the three layers' modes).
struct ParamRun
{
    quint8 command, first, last;
    Pick pick;
    quint8 width;
};

const ParamRun paramRuns[] = {
    //  command  params                                           picked by      width
    { Voice,   V::enable,              V::dynFilter,              Pick::Layer,   1 },
    { Voice,   V::morphing,            V::morphing,               Pick::Once,    3 },
    { Voice,   V::insertOn,            V::sustain,                Pick::Layer,   1 },
    { Voice,   V::setupVolume,         V::setupVolume,            Pick::Setup,   1 },
    { Voice,   V::compressorOn,        V::compressorOn,           Pick::Once,    1 },
    { Voice,   V::compressorAttack,    V::compressorMakeUpGain,   Pick::Once,    2 },
    { Voice,   V::distortionOn,        V::distortionType,         Pick::Once,    1 },
    { Voice,   V::distortionBrightIn,  V::distortionLevel,        Pick::Once,    2 },
    { Voice,   V::feedToRotary,        V::eqOn,                   Pick::Once,    1 },
    { Voice,   V::eqType,              V::eqType,                 Pick::Band,    1 },
    { Voice,   V::eqFreq,              V::eqGain,                 Pick::Band,    2 },
    { Voice,   V::modulationOn,        V::modulationWave,         Pick::Once,    1 },
    { Voice,   V::modulationDryWet,    V::modulationFeedback,     Pick::Once,    2 },
    { Voice,   V::rotarySpeed,         V::rotarySpeed,            Pick::Once,    1 },
    { Voice,   V::rotaryFastRate,      V::rotaryDirectivity,      Pick::Once,    2 },
    { Voice,   V::rotaryMicAngle,      V::wahFilter,              Pick::Once,    1 },
    { Voice,   V::wahFreq,             V::wahLfoRate,             Pick::Once,    2 },
    { Voice,   V::tremoloOn,           V::tremoloShape,           Pick::Once,    1 },
    { Voice,   V::tremoloDepth,        V::tremoloRate,            Pick::Once,    2 },
    { Voice,   V::delayOn,             V::delayType,              Pick::Once,    1 },
    { Voice,   V::delayLevel,          V::insertLevel,            Pick::Once,    2 },
    { Voice,   V::insertReverbSend,    V::insertChorusSend,       Pick::Once,    2 },
    { Voice,   V::insertConfig,        V::insertConfig,           Pick::Once,    1 },
    { Voice,   V::insertGain,          V::insertGain,             Pick::Once,    2 },
    { Voice,   V::hqDistortionOn,      V::hqDistortionLevel,      Pick::Once,    1 },
    { Voice,   V::reverbSize,          V::reverbLevel,            Pick::Once,    1 },
    { Voice,   V::chorusWave,          V::chorusLevel,            Pick::Once,    1 },
    { Voice,   V::morphControl,        V::morphControl,           Pick::Bit,     1 },
    { Voice,   V::modulationControl,   V::modulationControl,      Pick::Layer,   1 },
    { Organ,   O::on,                  O::volume,                 Pick::Once,    1 },
    { Organ,   O::drawbar,             O::drawbar,                Pick::Drawbar, 1 },
    { Organ,   O::percussionOn,        O::driveOn,                Pick::Once,    1 },
    { Organ,   O::rotaryControl,       O::rotaryControl,          Pick::Bit,     1 },
    { Organ,   O::shift,               O::shift,                  Pick::Once,    1 },
};

// How many drawbars the drawbar parameter chooses from.
constexpr int Drawbars = sizeof(TDrawbar::bar);

const ParamRun* runOf(quint8 command, quint8 param)
{
    for (const ParamRun& run : paramRuns)
        if (run.command == command && param >= run.first && param <= run.last)
            return &run;
    return nullptr;
}

// One widget and its record.
template <class W>
struct Row
{
    W* Ui_LyrForm::*widget;
    quint8 part, command, param, index, offset, scale;
};

using U = Ui_LyrForm;

const Row<QMyDial> dialRows[] = {
    //  widget                              part          command param                      index               offset     scale
    // Edit page
    { &U::volDial1,                         0,            Voice,  V::volume,                 No,                 0,         1 },
    { &U::volDial2,                         1,            Voice,  V::volume,                 No,                 0,         1 },
    { &U::volDial3,                         2,            Voice,  V::volume,                 No,                 0,         1 },
    { &U::reverbSendDial1,                  0,            Voice,  V::reverbSend,             No,                 0,         1 },
    { &U::reverbSendDial2,                  1,            Voice,  V::reverbSend,             No,                 0,         1 },
    { &U::reverbSendDial3,                  2,            Voice,  V::reverbSend,             No,                 0,         1 },
    { &U::shiftDial1,                       0,            Voice,  V::octave,                 No,                 ShiftZero, 1 },
    { &U::shiftDial2,                       1,            Voice,  V::octave,                 No,                 ShiftZero, 1 },
    { &U::shiftDial3,                       2,            Voice,  V::octave,                 No,                 ShiftZero, 1 },
    { &U::tuneDial1,                        0,            Voice,  V::tune,                   No,                 TuneZero,  1 },
    { &U::tuneDial2,                        1,            Voice,  V::tune,                   No,                 TuneZero,  1 },
    { &U::tuneDial3,                        2,            Voice,  V::tune,                   No,                 TuneZero,  1 },
    { &U::panDial1,                         0,            Voice,  V::pan,                    No,                 PanCentre, Inv },
    { &U::panDial2,                         1,            Voice,  V::pan,                    No,                 PanCentre, Inv },
    { &U::panDial3,                         2,            Voice,  V::pan,                    No,                 PanCentre, Inv },
    { &U::chorusSendDial1,                  0,            Voice,  V::chorusSend,             No,                 0,         1 },
    { &U::chorusSendDial2,                  1,            Voice,  V::chorusSend,             No,                 0,         1 },
    { &U::chorusSendDial3,                  2,            Voice,  V::chorusSend,             No,                 0,         1 },
    { &U::attackDial1,                      0,            Voice,  V::attack,                 No,                 0,         1 },
    { &U::attackDial2,                      1,            Voice,  V::attack,                 No,                 0,         1 },
    { &U::attackDial3,                      2,            Voice,  V::attack,                 No,                 0,         1 },
    { &U::decayDial1,                       0,            Voice,  V::decay,                  No,                 0,         1 },
    { &U::decayDial2,                       1,            Voice,  V::decay,                  No,                 0,         1 },
    { &U::decayDial3,                       2,            Voice,  V::decay,                  No,                 0,         1 },
    { &U::resoDial1,                        0,            Voice,  V::resonance,              No,                 0,         1 },
    { &U::resoDial2,                        1,            Voice,  V::resonance,              No,                 0,         1 },
    { &U::resoDial3,                        2,            Voice,  V::resonance,              No,                 0,         1 },
    { &U::releaseDial1,                     0,            Voice,  V::release,                No,                 0,         1 },
    { &U::releaseDial2,                     1,            Voice,  V::release,                No,                 0,         1 },
    { &U::releaseDial3,                     2,            Voice,  V::release,                No,                 0,         1 },
    { &U::cutOffDial1,                      0,            Voice,  V::cutOff,                 No,                 0,         1 },
    { &U::cutOffDial2,                      1,            Voice,  V::cutOff,                 No,                 0,         1 },
    { &U::cutOffDial3,                      2,            Voice,  V::cutOff,                 No,                 0,         1 },
    { &U::dynFiltDial1,                     0,            Voice,  V::dynFilter,              No,                 0,         1 },
    { &U::dynFiltDial2,                     1,            Voice,  V::dynFilter,              No,                 0,         1 },
    { &U::dynFiltDial3,                     2,            Voice,  V::dynFilter,              No,                 0,         1 },
    { &U::insertReverbDial,                 WholeProgram, Voice,  V::insertReverbSend,       No,                 0,         1 },
    { &U::insertChorusDial,                 WholeProgram, Voice,  V::insertChorusSend,       No,                 0,         1 },
    // Insert page
    { &U::compressorAttackDial,             WholeProgram, Voice,  V::compressorAttack,       No,                 0,         1 },
    { &U::compressorReleaseDial,            WholeProgram, Voice,  V::compressorRelease,      No,                 0,         1 },
    { &U::compressorRatioDial,              WholeProgram, Voice,  V::compressorRatio,        No,                 0,         1 },
    { &U::compressorThresholdDial,          WholeProgram, Voice,  V::compressorThreshold,    No,                 0,         1 },
    { &U::compressorMakeUpGainDial,         WholeProgram, Voice,  V::compressorMakeUpGain,   No,                 0,         1 },
    { &U::distorsorBrightInDial,            WholeProgram, Voice,  V::distortionBrightIn,     No,                 0,         1 },
    { &U::distorsorDriveDial,               WholeProgram, Voice,  V::distortionDrive,        No,                 0,         1 },
    { &U::distorsorBrightOutDial,           WholeProgram, Voice,  V::distortionBrightOut,    No,                 0,         1 },
    { &U::distorsorLevelDial,               WholeProgram, Voice,  V::distortionLevel,        No,                 0,         1 },
    { &U::eqLowBandFreqDial,                WholeProgram, Voice,  V::eqFreq,                 0,                  0,         1 },
    { &U::eqMidLowBandFreqDial,             WholeProgram, Voice,  V::eqFreq,                 1,                  0,         1 },
    { &U::eqMidHighBandFreqDial,            WholeProgram, Voice,  V::eqFreq,                 2,                  0,         1 },
    { &U::eqHighBandFreqDial,               WholeProgram, Voice,  V::eqFreq,                 3,                  0,         1 },
    { &U::eqLowBandQDial,                   WholeProgram, Voice,  V::eqQ,                    0,                  0,         1 },
    { &U::eqMidLowBandQDial,                WholeProgram, Voice,  V::eqQ,                    1,                  0,         1 },
    { &U::eqMidHighBandQDial,               WholeProgram, Voice,  V::eqQ,                    2,                  0,         1 },
    { &U::eqHighBandQDial,                  WholeProgram, Voice,  V::eqQ,                    3,                  0,         1 },
    { &U::eqLowBandGainDial,                WholeProgram, Voice,  V::eqGain,                 0,                  0,         1 },
    { &U::eqMidLowBandGainDial,             WholeProgram, Voice,  V::eqGain,                 1,                  0,         1 },
    { &U::eqMidHighBandGainDial,            WholeProgram, Voice,  V::eqGain,                 2,                  0,         1 },
    { &U::eqHighBandGainDial,               WholeProgram, Voice,  V::eqGain,                 3,                  0,         1 },
    { &U::modDryWetDial,                    WholeProgram, Voice,  V::modulationDryWet,       No,                 0,         1 },
    { &U::modDepthDial,                     WholeProgram, Voice,  V::modulationDepth,        No,                 0,         1 },
    { &U::modRateDial,                      WholeProgram, Voice,  V::modulationRate,         No,                 0,         1 },
    { &U::modDelayDial,                     WholeProgram, Voice,  V::modulationDelay,        No,                 0,         1 },
    { &U::modFeedbackDial,                  WholeProgram, Voice,  V::modulationFeedback,     No,                 0,         1 },
    { &U::modFastRateDial,                  WholeProgram, Voice,  V::rotaryFastRate,         No,                 0,         1 },
    { &U::modAccelerationTimeDial,          WholeProgram, Voice,  V::rotaryAcceleration,     No,                 0,         1 },
    { &U::modBrakeTimeDial,                 WholeProgram, Voice,  V::rotaryBrake,            No,                 0,         1 },
    { &U::modDirectovityDial,               WholeProgram, Voice,  V::rotaryDirectivity,      No,                 0,         1 },
    { &U::modMicAngleDial,                  WholeProgram, Voice,  V::rotaryMicAngle,         No,                 0,         1 },
    { &U::wahFreqDial,                      WholeProgram, Voice,  V::wahFreq,                No,                 0,         1 },
    { &U::wahResonanceDial,                 WholeProgram, Voice,  V::wahResonance,           No,                 0,         1 },
    { &U::wahSensitivityDial,               WholeProgram, Voice,  V::wahSensitivity,         No,                 0,         1 },
    { &U::wahDecayDial,                     WholeProgram, Voice,  V::wahDecay,               No,                 0,         1 },
    { &U::wahLfoAmountDial,                 WholeProgram, Voice,  V::wahLfoAmount,           No,                 0,         1 },
    { &U::wahLfoRateDial,                   WholeProgram, Voice,  V::wahLfoRate,             No,                 0,         1 },
    { &U::tremoloDepthDial,                 WholeProgram, Voice,  V::tremoloDepth,           No,                 0,         1 },
    { &U::tremoloRateDial,                  WholeProgram, Voice,  V::tremoloRate,            No,                 0,         1 },
    { &U::delayLevelDial,                   WholeProgram, Voice,  V::delayLevel,             No,                 0,         1 },
    { &U::delayCutoffDial,                  WholeProgram, Voice,  V::delayCutOff,            No,                 0,         1 },
    { &U::delayTimeDial,                    WholeProgram, Voice,  V::delayTime,              No,                 0,         1 },
    { &U::delayFeedbackDial,                WholeProgram, Voice,  V::delayFeedback,          No,                 0,         1 },
    { &U::delayDampingDial,                 WholeProgram, Voice,  V::delayDamping,           No,                 0,         1 },
    { &U::insertLevelDial,                  WholeProgram, Voice,  V::insertLevel,            No,                 0,         1 },
    { &U::insertGainDial,                   WholeProgram, Voice,  V::insertGain,             No,                 0,         1 },
    { &U::hqDistorsorBiasDial,              WholeProgram, Voice,  V::hqDistortionBias,       No,                 0,         1 },
    { &U::hqDistorsorDriveDial,             WholeProgram, Voice,  V::hqDistortionDrive,      No,                 0,         1 },
    { &U::hqDistorsorBrightnessDial,        WholeProgram, Voice,  V::hqDistortionBrightness, No,                 0,         1 },
    { &U::hqDistorsorLevelDial,             WholeProgram, Voice,  V::hqDistortionLevel,      No,                 0,         1 },
    // Organ and Rotary pages
    { &U::organVolumeDial,                  WholeProgram, Organ,  O::volume,                 No,                 0,         1 },
    { &U::organKeyClickDial,                WholeProgram, Organ,  O::keyClick,               No,                 0,         1 },
    { &U::organReverbDial,                  WholeProgram, Organ,  O::reverbSend,             No,                 0,         1 },
    { &U::organChorusDial,                  WholeProgram, Organ,  O::chorusSend,             No,                 0,         1 },
    { &U::organDirectSoundLevelDial,        WholeProgram, Organ,  O::directLevel,            No,                 0,         1 },
    { &U::organReflectionIntensityDial,     WholeProgram, Organ,  O::reflectionIntensity,    No,                 0,         1 },
    { &U::organReflectionDelayTimeDial,     WholeProgram, Organ,  O::reflectionDelay,        No,                 0,         1 },
    { &U::organHighRotorVolumeDial,         WholeProgram, Organ,  O::highRotorVolume,        No,                 0,         1 },
    { &U::organHighRotorHPDial,             WholeProgram, Organ,  O::highRotorHighPass,      No,                 0,         1 },
    { &U::organHighRotorSlowSpeedDial,      WholeProgram, Organ,  O::highRotorSlowSpeed,     No,                 0,         1 },
    { &U::organHighRotorFastSpeedDial,      WholeProgram, Organ,  O::highRotorFastSpeed,     No,                 0,         1 },
    { &U::organHighRotorAccTimeDial,        WholeProgram, Organ,  O::highRotorAcceleration,  No,                 0,         1 },
    { &U::organHighRotorDecTimeDial,        WholeProgram, Organ,  O::highRotorDeceleration,  No,                 0,         1 },
    { &U::organHighRotorBrakeTimeDial,      WholeProgram, Organ,  O::highRotorBrake,         No,                 0,         1 },
    { &U::organHighRotorAMDepthDial,        WholeProgram, Organ,  O::highRotorAmDepth,       No,                 0,         1 },
    { &U::organHighRotorFMDepthDial,        WholeProgram, Organ,  O::highRotorFmDepth,       No,                 0,         1 },
    { &U::organHighRotorDriveAmountDial,    WholeProgram, Organ,  O::highRotorDrive,         No,                 0,         1 },
    { &U::organHighRotorDriveLPDial,        WholeProgram, Organ,  O::highRotorDriveLowPass,  No,                 0,         1 },
    { &U::organLowRotorVolumeDial,          WholeProgram, Organ,  O::lowRotorVolume,         No,                 0,         1 },
    { &U::organLowRotorLPDial,              WholeProgram, Organ,  O::lowRotorLowPass,        No,                 0,         1 },
    { &U::organLowRotorSlowSpeedDial,       WholeProgram, Organ,  O::lowRotorSlowSpeed,      No,                 0,         1 },
    { &U::organLowRotorFastSpeedDial,       WholeProgram, Organ,  O::lowRotorFastSpeed,      No,                 0,         1 },
    { &U::organLowRotorAccTimeDial,         WholeProgram, Organ,  O::lowRotorAcceleration,   No,                 0,         1 },
    { &U::organLowRotorDecTimeDial,         WholeProgram, Organ,  O::lowRotorDeceleration,   No,                 0,         1 },
    { &U::organLowRotorBrakeTimeDial,       WholeProgram, Organ,  O::lowRotorBrake,          No,                 0,         1 },
    { &U::organLowRotorAMDepthDial,         WholeProgram, Organ,  O::lowRotorAmDepth,        No,                 0,         1 },
    { &U::organLowRotorFMDepthDial,         WholeProgram, Organ,  O::lowRotorFmDepth,        No,                 0,         1 },
    { &U::organLowRotorDriveAmountDial,     WholeProgram, Organ,  O::lowRotorDrive,          No,                 0,         1 },
    { &U::organLowRotorDriveLPDial,         WholeProgram, Organ,  O::lowRotorDriveLowPass,   No,                 0,         1 },
    { &U::organShiftDial,                   WholeProgram, Organ,  O::shift,                  No,                 ShiftZero, 1 },
    // Chorus/Reverb page
    { &U::reverbHDampDial,                  WholeProgram, Voice,  V::reverbHfDamping,        No,                 0,         1 },
    { &U::reverbHighShelfGainDial,          WholeProgram, Voice,  V::reverbHighShelfGain,    No,                 0,         1 },
    { &U::reverbHighShelfFreqDial,          WholeProgram, Voice,  V::reverbHighShelfFreq,    No,                 0,         1 },
    { &U::reverbPreHpFilterDial,            WholeProgram, Voice,  V::reverbPreHighPass,      No,                 0,         1 },
    { &U::reverbTimeDial,                   WholeProgram, Voice,  V::reverbTime,             No,                 0,         1 },
    { &U::reverbFeedbackDial,               WholeProgram, Voice,  V::reverbFeedback,         No,                 0,         1 },
    { &U::reverbPreDelayTimeDial,           WholeProgram, Voice,  V::reverbPreDelay,         No,                 0,         1 },
    { &U::reverbPreLPFilterDial,            WholeProgram, Voice,  V::reverbPreLowPass,       No,                 0,         1 },
    { &U::reverbLevelDial,                  WholeProgram, Voice,  V::reverbLevel,            No,                 0,         1 },
    { &U::chorusPreLpFilterDial,            WholeProgram, Voice,  V::chorusPreLowPass,       No,                 0,         1 },
    { &U::chorusFeedbackDial,               WholeProgram, Voice,  V::chorusFeedback,         No,                 0,         1 },
    { &U::chorusDelayDial,                  WholeProgram, Voice,  V::chorusDelay,            No,                 0,         1 },
    { &U::chorusRateDial,                   WholeProgram, Voice,  V::chorusRate,             No,                 0,         1 },
    { &U::chorusDepthDial,                  WholeProgram, Voice,  V::chorusDepth,            No,                 0,         1 },
    { &U::chorusLevelDial,                  WholeProgram, Voice,  V::chorusLevel,            No,                 0,         1 },
    // Main page: the volumes are setup items; the GM reverb knobs send NRPN
    { &U::mainVolDial,                      WholeProgram, Voice,  V::setupVolume,            Item::masterVolume, 0,         1 },
    { &U::gmVolDial,                        WholeProgram, Voice,  V::setupVolume,            Item::gmVolume,     0,         1 },
    { &U::reverbGmTimeDial,                 WholeProgram, Id,     No,                        No,                 No,        1 },
    { &U::reverbGmHDampDial,                WholeProgram, Id,     No,                        No,                 No,        1 },
    { &U::reverbGmPreHpFilterDial,          WholeProgram, Id,     No,                        No,                 No,        1 },
    { &U::reverbGmPreLPFilterDial,          WholeProgram, Id,     No,                        No,                 No,        1 },
    { &U::reverbGmHighShelfFreqDial,        WholeProgram, Id,     No,                        No,                 No,        1 },
    { &U::reverbGmHighShelfGainDial,        WholeProgram, Id,     No,                        No,                 No,        1 },
    { &U::reverbGmPreDelayTimeDial,         WholeProgram, Id,     No,                        No,                 No,        1 },
    { &U::reverbGmErDial,                   WholeProgram, Id,     No,                        No,                 No,        1 },
    { &U::reverbGmLevelDial,                WholeProgram, Id,     No,                        No,                 No,        1 },
};

const Row<QComboBox> comboBoxRows[] = {
    //  widget                              part          command param                      index               offset     scale
    { &U::modulationComboBox1,              0,            Voice,  V::modulationControl,      No,                 0,         1 },
    { &U::modulationComboBox2,              1,            Voice,  V::modulationControl,      No,                 0,         1 },
    { &U::modulationComboBox3,              2,            Voice,  V::modulationControl,      No,                 0,         1 },
    { &U::colorComboBox,                    WholeProgram, Id,     No,                        No,                 No,        1 },
    { &U::distorsorTypeComboBox,            WholeProgram, Voice,  V::distortionType,         No,                 0,         1 },
    { &U::eqLowBandComboBox,                WholeProgram, Voice,  V::eqType,                 0,                  0,         1 },
    { &U::eqMidLowBandComboBox,             WholeProgram, Voice,  V::eqType,                 1,                  0,         1 },
    { &U::eqMidHighBandComboBox,            WholeProgram, Voice,  V::eqType,                 2,                  0,         1 },
    { &U::eqHighBandComboBox,               WholeProgram, Voice,  V::eqType,                 3,                  0,         1 },
    { &U::modTypeComboBox,                  WholeProgram, Voice,  V::modulationType,         No,                 0,         1 },
    { &U::modWaveComboBox,                  WholeProgram, Voice,  V::modulationWave,         No,                 0,         1 },
    { &U::wahTypeComboBox,                  WholeProgram, Voice,  V::wahType,                No,                 0,         1 },
    { &U::wahFilterComboBox,                WholeProgram, Voice,  V::wahFilter,              No,                 0,         1 },
    { &U::tremoloTypeComboBox,              WholeProgram, Voice,  V::tremoloType,            No,                 0,         1 },
    { &U::tremoloShapeComboBox,             WholeProgram, Voice,  V::tremoloShape,           No,                 0,         1 },
    { &U::delayTypeComboBox,                WholeProgram, Voice,  V::delayType,              No,                 0,         1 },
    { &U::insertConfigurationComboBox,      WholeProgram, Voice,  V::insertConfig,           No,                 0,         1 },
    { &U::hqDistorsorTypeComboBox,          WholeProgram, Voice,  V::hqDistortionType,       No,                 0,         1 },
    { &U::insertSlot1ComboBox,              WholeProgram, Id,     No,                        No,                 No,        1 },
    { &U::insertSlot2ComboBox,              WholeProgram, Id,     No,                        No,                 No,        1 },
    { &U::organPercussionTypeComboBox,      WholeProgram, Organ,  O::percussionType,         No,                 0,         1 },
    { &U::organPercussionDecayComboBox,     WholeProgram, Organ,  O::percussionDecay,        No,                 0,         1 },
    { &U::organPercussionLevelComboBox,     WholeProgram, Organ,  O::percussionLevel,        No,                 0,         1 },
    { &U::organVibratoChorusTypeComboBox,   WholeProgram, Organ,  O::vibratoType,            No,                 0,         1 },
    { &U::organSlowFastComboBox,            WholeProgram, Organ,  O::rotarySpeed,            No,                 0,         1 },
    { &U::reverbSizeComboBox,               WholeProgram, Voice,  V::reverbSize,             No,                 0,         1 },
    { &U::reverbTypeComboBox,               WholeProgram, Voice,  V::reverbType,             No,                 0,         1 },
    { &U::chorusWaveComboBox,               WholeProgram, Voice,  V::chorusWave,             No,                 0,         1 },
    { &U::chorusTypeComboBox,               WholeProgram, Voice,  V::chorusType,             No,                 0,         1 },
    { &U::reverbPresetComboBox,             WholeProgram, Id,     No,                        No,                 No,        1 },
    { &U::chorusPresetComboBox,             WholeProgram, Id,     No,                        No,                 No,        1 },
    { &U::reverbGmSizeComboBox,             WholeProgram, Id,     No,                        No,                 No,        1 },
    { &U::reverbGmTypeComboBox,             WholeProgram, Id,     No,                        No,                 No,        1 },
};

const Row<QCheckBox> checkBoxRows[] = {
    //  widget                              part          command param                      index               offset     scale
    { &U::enableCheckBox1,                  0,            Voice,  V::enable,                 No,                 0,         1 },
    { &U::enableCheckBox2,                  1,            Voice,  V::enable,                 No,                 0,         1 },
    { &U::enableCheckBox3,                  2,            Voice,  V::enable,                 No,                 0,         1 },
    { &U::insertCheckBox1,                  0,            Voice,  V::insertOn,               No,                 0,         1 },
    { &U::insertCheckBox2,                  1,            Voice,  V::insertOn,               No,                 0,         1 },
    { &U::insertCheckBox3,                  2,            Voice,  V::insertOn,               No,                 0,         1 },
    { &U::sustainCheckBox1,                 0,            Voice,  V::sustain,                No,                 0,         1 },
    { &U::sustainCheckBox2,                 1,            Voice,  V::sustain,                No,                 0,         1 },
    { &U::sustainCheckBox3,                 2,            Voice,  V::sustain,                No,                 0,         1 },
    { &U::morphingOnOffCheckBox,            WholeProgram, Voice,  V::morphing,               No,                 0,         1 },
    { &U::morphingSustainCheckBox,          WholeProgram, Voice,  V::morphControl,           Src::sustain,       0,         1 },
    { &U::morphingModWheelCheckBox,         WholeProgram, Voice,  V::morphControl,           Src::modWheel,      0,         1 },
    { &U::morphingAftertouchCheckBox,       WholeProgram, Voice,  V::morphControl,           Src::aftertouch,    0,         1 },
    { &U::morphingSustainToggleCheckBox,    WholeProgram, Voice,  V::morphControl,           Src::sustainToggle, 0,         1 },
    { &U::compressorOnOffCheckBox,          WholeProgram, Voice,  V::compressorOn,           No,                 0,         1 },
    { &U::distorsorOnOffCheckBox,           WholeProgram, Voice,  V::distortionOn,           No,                 0,         1 },
    { &U::feedToRotaryCheckBox,             WholeProgram, Voice,  V::feedToRotary,           No,                 0,         1 },
    { &U::eqOnOffCheckBox,                  WholeProgram, Voice,  V::eqOn,                   No,                 0,         1 },
    { &U::modOnOffCheckBox,                 WholeProgram, Voice,  V::modulationOn,           No,                 0,         1 },
    { &U::modSlowFastCheckBox,              WholeProgram, Voice,  V::rotarySpeed,            No,                 0,         1 },
    { &U::wahOnOffCheckBox,                 WholeProgram, Voice,  V::wahOn,                  No,                 0,         1 },
    { &U::tremoloOnOffCheckBox,             WholeProgram, Voice,  V::tremoloOn,              No,                 0,         1 },
    { &U::delayOnOffCheckBox,               WholeProgram, Voice,  V::delayOn,                No,                 0,         1 },
    { &U::hqDistorsorCheckBox,              WholeProgram, Voice,  V::hqDistortionOn,         No,                 0,         1 },
    { &U::hqDistorsorBoostCheckBox,         WholeProgram, Voice,  V::hqDistortionBoost,      No,                 0,         1 },
    { &U::organOnOffCheckBox,               WholeProgram, Organ,  O::on,                     No,                 0,         1 },
    { &U::organPercussionOnOffCheckBox,     WholeProgram, Organ,  O::percussionOn,           No,                 0,         1 },
    { &U::organVibratoChorusOnOffCheckBox,  WholeProgram, Organ,  O::vibratoOn,              No,                 0,         1 },
    { &U::organDriveCheckBox,               WholeProgram, Organ,  O::driveOn,                No,                 0,         1 },
    { &U::organRotarySustainCheckBox,       WholeProgram, Organ,  O::rotaryControl,          Src::sustain,       0,         1 },
    { &U::organRotaryModWheelCheckBox,      WholeProgram, Organ,  O::rotaryControl,          Src::modWheel,      0,         1 },
    { &U::organRotaryAftertouchCheckBox,    WholeProgram, Organ,  O::rotaryControl,          Src::aftertouch,    0,         1 },
    { &U::organRotarySustainToggleCheckBox, WholeProgram, Organ,  O::rotaryControl,          Src::sustainToggle, 0,         1 },
};

// The low end sends param, the high end the parameter in index.
const Row<QMyRangeSlider> rangeSliderRows[] = {
    //  widget                              part          command param                      index               offset     scale
    { &U::rangeSlider1,                     0,            Voice,  V::keyLow,                 V::keyHigh,         0,         1 },
    { &U::rangeSlider2,                     1,            Voice,  V::keyLow,                 V::keyHigh,         0,         1 },
    { &U::rangeSlider3,                     2,            Voice,  V::keyLow,                 V::keyHigh,         0,         1 },
    { &U::veloRangeSlider1,                 0,            Voice,  V::velocityLow,            V::velocityHigh,    0,         1 },
    { &U::veloRangeSlider2,                 1,            Voice,  V::velocityLow,            V::velocityHigh,    0,         1 },
    { &U::veloRangeSlider3,                 2,            Voice,  V::velocityLow,            V::velocityHigh,    0,         1 },
};

const Row<QLineEdit> lineEditRows[] = {
    //  widget                              part          command param                      index               offset     scale
    { &U::rangeLowLineEdit1,                0,            Voice,  V::keyLow,                 No,                 0,         1 },
    { &U::rangeLowLineEdit2,                1,            Voice,  V::keyLow,                 No,                 0,         1 },
    { &U::rangeLowLineEdit3,                2,            Voice,  V::keyLow,                 No,                 0,         1 },
    { &U::rangeHighLineEdit1,               0,            Voice,  V::keyHigh,                No,                 0,         1 },
    { &U::rangeHighLineEdit2,               1,            Voice,  V::keyHigh,                No,                 0,         1 },
    { &U::rangeHighLineEdit3,               2,            Voice,  V::keyHigh,                No,                 0,         1 },
    { &U::veloLowLineEdit1,                 0,            Voice,  V::velocityLow,            No,                 0,         1 },
    { &U::veloLowLineEdit2,                 1,            Voice,  V::velocityLow,            No,                 0,         1 },
    { &U::veloLowLineEdit3,                 2,            Voice,  V::velocityLow,            No,                 0,         1 },
    { &U::veloHighLineEdit1,                0,            Voice,  V::velocityHigh,           No,                 0,         1 },
    { &U::veloHighLineEdit2,                1,            Voice,  V::velocityHigh,           No,                 0,         1 },
    { &U::veloHighLineEdit3,                2,            Voice,  V::velocityHigh,           No,                 0,         1 },
};

// A drawbar slider's part is its drawbar.
const Row<QSlider> sliderRows[] = {
    //  widget                              part          command param                      index               offset     scale
    { &U::drawbar1Slider,                   0,            Organ,  O::drawbar,                No,                 0,         1 },
    { &U::drawbar2Slider,                   1,            Organ,  O::drawbar,                No,                 0,         1 },
    { &U::drawbar3Slider,                   2,            Organ,  O::drawbar,                No,                 0,         1 },
    { &U::drawbar4Slider,                   3,            Organ,  O::drawbar,                No,                 0,         1 },
    { &U::drawbar5Slider,                   4,            Organ,  O::drawbar,                No,                 0,         1 },
    { &U::drawbar6Slider,                   5,            Organ,  O::drawbar,                No,                 0,         1 },
    { &U::drawbar7Slider,                   6,            Organ,  O::drawbar,                No,                 0,         1 },
    { &U::drawbar8Slider,                   7,            Organ,  O::drawbar,                No,                 0,         1 },
    { &U::drawbar9Slider,                   8,            Organ,  O::drawbar,                No,                 0,         1 },
};

// The family's map from its rows; in debug builds a record that does not fit
// stops the start.
template <class W, std::size_t N>
QHash<W*, TControl> recordsOf(const Ui_LyrForm* ui, const Row<W> (&rows)[N], ControlFamily family)
{
    QHash<W*, TControl> map;
    map.reserve(int(N));
    for (const Row<W>& row : rows) {
        const TControl record { row.part, row.command, row.param, row.index, row.offset, row.scale };
        Q_ASSERT_X(controlFits(family, record), "control tables", qPrintable((ui->*row.widget)->objectName()));
        Q_ASSERT_X(storedWhereShown(ui, family, ui->*row.widget, record), "control tables: stored elsewhere than shown",
                   qPrintable((ui->*row.widget)->objectName()));
        map.insert(ui->*row.widget, record);
    }
    return map;
}

template <class W, class Signal, class Slot>
void connectEach(const QHash<W*, TControl>& map, Signal signal, LyrForm* window, Slot slot)
{
    for (auto it = map.keyBegin(); it != map.keyEnd(); ++it)
        QObject::connect(*it, signal, window, slot);
}

} // namespace

bool controlFits(ControlFamily family, const TControl& c)
{
    if (c.command == Id)
        return true;
    const ParamRun* run = runOf(c.command, c.param);
    if (!run)
        return false;
    // The index of a range slider is no selector: it names the high end's
    // parameter, stored per layer like the low end.
    const ParamRun* high = family == ControlFamily::RangeSlider ? runOf(c.command, c.index) : nullptr;
    const bool indexFree = family == ControlFamily::RangeSlider ? high && high->pick == Pick::Layer : c.index == No;
    switch (run->pick) {
    case Pick::Once:
        return c.part == WholeProgram && indexFree;
    case Pick::Layer:
        return c.part < Layers && indexFree;
    case Pick::Drawbar:
        return c.part < Drawbars && indexFree;
    case Pick::Band:
        return c.part == WholeProgram && c.index < EqBands;
    case Pick::Setup:
        return c.part == WholeProgram && (c.index == Item::masterVolume || c.index == Item::gmVolume);
    case Pick::Bit:
        // One of sustain, modulation wheel, aftertouch and sustain toggle.
        return c.part == WholeProgram && c.index != 0 && c.index <= Src::sustainToggle
               && (c.index & (c.index - 1)) == 0;
    }
    return false;
}

int controlWidth(const TControl& record)
{
    const ParamRun* run = record.command == Id ? nullptr : runOf(record.command, record.param);
    return run ? run->width : 0;
}

bool storedWhereShown(const Ui_LyrForm* ui, ControlFamily family, const QWidget* widget, const TControl& record)
{
    const pages::StoredField stored = pages::storedField(family, record);
    if (stored.offset >= 0 && stored.width != controlWidth(record))
        return false;
    bool shown = false, same = true;
    pages::forEachShowRow([&](const pages::ShowRow& row) {
        const QWidget* w = row.kind == pages::ShowRow::Dial    ? static_cast<const QWidget*>(ui->*row.dial)
                           : row.kind == pages::ShowRow::Check ? static_cast<const QWidget*>(ui->*row.check)
                                                               : static_cast<const QWidget*>(ui->*row.combo);
        if (w != widget)
            return;
        shown = true;
        const bool word = row.shown == pages::Shown::Word;
        const bool bits = row.kind == pages::ShowRow::Check || row.shown == pages::Shown::BitIndex;
        same = same && stored.offset == row.offset && word == (stored.width == 2) && (!bits || stored.mask == row.mask);
    });
    if (shown)
        return same;
    const bool shownByRows = family == ControlFamily::Dial || family == ControlFamily::ComboBox
                             || family == ControlFamily::CheckBox;
    return !shownByRows || stored.offset < 0;
}

void LyrForm::mapDials()
{
    dialMap = recordsOf(ui, dialRows, ControlFamily::Dial);
    connectEach(dialMap, &QMyAbstractSlider::valueChanged, this, &LyrForm::onDialValueChanged);
}

void LyrForm::mapComboBoxes()
{
    comboBoxMap = recordsOf(ui, comboBoxRows, ControlFamily::ComboBox);
    connectEach(comboBoxMap, &QComboBox::currentIndexChanged, this, &LyrForm::onComboBoxIndexChanged);
}

void LyrForm::mapLineEdits()
{
    lineEditMap = recordsOf(ui, lineEditRows, ControlFamily::LineEdit);
    connectEach(lineEditMap, &QLineEdit::returnPressed, this, &LyrForm::onLineEditReturnPressed);
}

void LyrForm::initCheckBoxes()
{
    checkBoxMap = recordsOf(ui, checkBoxRows, ControlFamily::CheckBox);
    connectEach(checkBoxMap, &QCheckBox::stateChanged, this, &LyrForm::onCheckBoxStateChanged);
}

void LyrForm::initRangeSliders()
{
    rangeSliderMap = recordsOf(ui, rangeSliderRows, ControlFamily::RangeSlider);
    connectEach(rangeSliderMap, &QMyRangeSlider::lowValueChange, this, &LyrForm::onRangeSliderLowValueChanged);
    connectEach(rangeSliderMap, &QMyRangeSlider::highValueChange, this, &LyrForm::onRangeSliderHighValueChanged);
}

void LyrForm::initSliders()
{
    sliderMap = recordsOf(ui, sliderRows, ControlFamily::Slider);
    connectEach(sliderMap, &QAbstractSlider::valueChanged, this, &LyrForm::onSliderValueChanged);
}
