// The control records of every editing widget, one row per widget, and the
// six maps built from them, each connected to its family's handler.

#include "ControlTables.h"

#include "LyrForm.h"
#include "SysExFrame.h"
#include "TPrograms.h"
#include "ui_LyrForm.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QSlider>

#include <cstddef>

namespace {

constexpr quint8 No = 0xFF;      // field not used
constexpr quint8 Id = 0xFF;      // command: the handler knows the widget itself
constexpr quint8 Voice = ComVoiceVariation;
constexpr quint8 Organ = ComOrganVariation;
constexpr quint8 Inv = 0xFF;     // scale -1: the pan dials send 64 - value

// What picks one of a parameter's copies in the program.
enum class Pick { Once, Layer, Band, SetupItem, Drawbar, Bit };

// Every parameter a record may carry, in runs of equal shape; width is the
// bytes one value stores (the morphing switch stores the three layers' modes).
struct ParamRun
{
    quint8 command, first, last;
    Pick pick;
    quint8 width;
};

const ParamRun paramRuns[] = {
    //  command  params      picked by         width
    { Voice,   0,   16,  Pick::Layer,      1 },
    { Voice,   17,  17,  Pick::Once,       3 },
    { Voice,   18,  19,  Pick::Layer,      1 },
    { Voice,   21,  21,  Pick::SetupItem,  1 },
    { Voice,   22,  22,  Pick::Once,       1 },
    { Voice,   23,  27,  Pick::Once,       2 },
    { Voice,   28,  29,  Pick::Once,       1 },
    { Voice,   30,  33,  Pick::Once,       2 },
    { Voice,   34,  35,  Pick::Once,       1 },
    { Voice,   36,  36,  Pick::Band,       1 },
    { Voice,   37,  39,  Pick::Band,       2 },
    { Voice,   40,  42,  Pick::Once,       1 },
    { Voice,   43,  47,  Pick::Once,       2 },
    { Voice,   48,  48,  Pick::Once,       1 },
    { Voice,   49,  52,  Pick::Once,       2 },
    { Voice,   53,  56,  Pick::Once,       1 },
    { Voice,   57,  62,  Pick::Once,       2 },
    { Voice,   63,  65,  Pick::Once,       1 },
    { Voice,   66,  67,  Pick::Once,       2 },
    { Voice,   68,  69,  Pick::Once,       1 },
    { Voice,   70,  75,  Pick::Once,       2 },
    { Voice,   77,  78,  Pick::Once,       2 },
    { Voice,   79,  79,  Pick::Once,       1 },
    { Voice,   80,  80,  Pick::Once,       2 },
    { Voice,   81,  87,  Pick::Once,       1 },
    { Voice,   89,  99,  Pick::Once,       1 },
    { Voice,   101, 108, Pick::Once,       1 },
    { Voice,   109, 109, Pick::Bit,        1 },
    { Voice,   110, 110, Pick::Layer,      1 },
    { Organ,   0,   1,   Pick::Once,       1 },
    { Organ,   2,   2,   Pick::Drawbar,    1 },
    { Organ,   3,   38,  Pick::Once,       1 },
    { Organ,   39,  39,  Pick::Bit,        1 },
    { Organ,   40,  40,  Pick::Once,       1 },
};

// How many copies each pick chooses from, as the records hold them.
constexpr int Layers = sizeof(TProgram::volume);
constexpr int Bands = sizeof(TInsert::eqType);
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
    //  widget                                  part  command  param  index  offset  scale
    // Edit page
    { &U::volDial1,                             0,    Voice,   1,     No,    0,      1 },
    { &U::volDial2,                             1,    Voice,   1,     No,    0,      1 },
    { &U::volDial3,                             2,    Voice,   1,     No,    0,      1 },
    { &U::reverbSendDial1,                      0,    Voice,   2,     No,    0,      1 },
    { &U::reverbSendDial2,                      1,    Voice,   2,     No,    0,      1 },
    { &U::reverbSendDial3,                      2,    Voice,   2,     No,    0,      1 },
    { &U::shiftDial1,                           0,    Voice,   3,     No,    48,     1 },
    { &U::shiftDial2,                           1,    Voice,   3,     No,    48,     1 },
    { &U::shiftDial3,                           2,    Voice,   3,     No,    48,     1 },
    { &U::tuneDial1,                            0,    Voice,   4,     No,    64,     1 },
    { &U::tuneDial2,                            1,    Voice,   4,     No,    64,     1 },
    { &U::tuneDial3,                            2,    Voice,   4,     No,    64,     1 },
    { &U::panDial1,                             0,    Voice,   5,     No,    64,     Inv },
    { &U::panDial2,                             1,    Voice,   5,     No,    64,     Inv },
    { &U::panDial3,                             2,    Voice,   5,     No,    64,     Inv },
    { &U::chorusSendDial1,                      0,    Voice,   6,     No,    0,      1 },
    { &U::chorusSendDial2,                      1,    Voice,   6,     No,    0,      1 },
    { &U::chorusSendDial3,                      2,    Voice,   6,     No,    0,      1 },
    { &U::attackDial1,                          0,    Voice,   11,    No,    0,      1 },
    { &U::attackDial2,                          1,    Voice,   11,    No,    0,      1 },
    { &U::attackDial3,                          2,    Voice,   11,    No,    0,      1 },
    { &U::decayDial1,                           0,    Voice,   12,    No,    0,      1 },
    { &U::decayDial2,                           1,    Voice,   12,    No,    0,      1 },
    { &U::decayDial3,                           2,    Voice,   12,    No,    0,      1 },
    { &U::resoDial1,                            0,    Voice,   13,    No,    0,      1 },
    { &U::resoDial2,                            1,    Voice,   13,    No,    0,      1 },
    { &U::resoDial3,                            2,    Voice,   13,    No,    0,      1 },
    { &U::releaseDial1,                         0,    Voice,   14,    No,    0,      1 },
    { &U::releaseDial2,                         1,    Voice,   14,    No,    0,      1 },
    { &U::releaseDial3,                         2,    Voice,   14,    No,    0,      1 },
    { &U::cutOffDial1,                          0,    Voice,   15,    No,    0,      1 },
    { &U::cutOffDial2,                          1,    Voice,   15,    No,    0,      1 },
    { &U::cutOffDial3,                          2,    Voice,   15,    No,    0,      1 },
    { &U::dynFiltDial1,                         0,    Voice,   16,    No,    0,      1 },
    { &U::dynFiltDial2,                         1,    Voice,   16,    No,    0,      1 },
    { &U::dynFiltDial3,                         2,    Voice,   16,    No,    0,      1 },
    { &U::insertReverbDial,                     No,   Voice,   77,    No,    0,      1 },
    { &U::insertChorusDial,                     No,   Voice,   78,    No,    0,      1 },
    // Insert page
    { &U::compressorAttackDial,                 No,   Voice,   23,    No,    0,      1 },
    { &U::compressorReleaseDial,                No,   Voice,   24,    No,    0,      1 },
    { &U::compressorRatioDial,                  No,   Voice,   25,    No,    0,      1 },
    { &U::compressorThresholdDial,              No,   Voice,   26,    No,    0,      1 },
    { &U::compressorMakeUpGainDial,             No,   Voice,   27,    No,    0,      1 },
    { &U::distorsorBrightInDial,                No,   Voice,   30,    No,    0,      1 },
    { &U::distorsorDriveDial,                   No,   Voice,   31,    No,    0,      1 },
    { &U::distorsorBrightOutDial,               No,   Voice,   32,    No,    0,      1 },
    { &U::distorsorLevelDial,                   No,   Voice,   33,    No,    0,      1 },
    { &U::eqLowBandFreqDial,                    No,   Voice,   37,    0,     0,      1 },
    { &U::eqMidLowBandFreqDial,                 No,   Voice,   37,    1,     0,      1 },
    { &U::eqMidHighBandFreqDial,                No,   Voice,   37,    2,     0,      1 },
    { &U::eqHighBandFreqDial,                   No,   Voice,   37,    3,     0,      1 },
    { &U::eqLowBandQDial,                       No,   Voice,   38,    0,     0,      1 },
    { &U::eqMidLowBandQDial,                    No,   Voice,   38,    1,     0,      1 },
    { &U::eqMidHighBandQDial,                   No,   Voice,   38,    2,     0,      1 },
    { &U::eqHighBandQDial,                      No,   Voice,   38,    3,     0,      1 },
    { &U::eqLowBandGainDial,                    No,   Voice,   39,    0,     0,      1 },
    { &U::eqMidLowBandGainDial,                 No,   Voice,   39,    1,     0,      1 },
    { &U::eqMidHighBandGainDial,                No,   Voice,   39,    2,     0,      1 },
    { &U::eqHighBandGainDial,                   No,   Voice,   39,    3,     0,      1 },
    { &U::modDryWetDial,                        No,   Voice,   43,    No,    0,      1 },
    { &U::modDepthDial,                         No,   Voice,   44,    No,    0,      1 },
    { &U::modRateDial,                          No,   Voice,   45,    No,    0,      1 },
    { &U::modDelayDial,                         No,   Voice,   46,    No,    0,      1 },
    { &U::modFeedbackDial,                      No,   Voice,   47,    No,    0,      1 },
    { &U::modFastRateDial,                      No,   Voice,   49,    No,    0,      1 },
    { &U::modAccelerationTimeDial,              No,   Voice,   50,    No,    0,      1 },
    { &U::modBrakeTimeDial,                     No,   Voice,   51,    No,    0,      1 },
    { &U::modDirectovityDial,                   No,   Voice,   52,    No,    0,      1 },
    { &U::modMicAngleDial,                      No,   Voice,   53,    No,    0,      1 },
    { &U::wahFreqDial,                          No,   Voice,   57,    No,    0,      1 },
    { &U::wahResonanceDial,                     No,   Voice,   58,    No,    0,      1 },
    { &U::wahSensitivityDial,                   No,   Voice,   59,    No,    0,      1 },
    { &U::wahDecayDial,                         No,   Voice,   60,    No,    0,      1 },
    { &U::wahLfoAmountDial,                     No,   Voice,   61,    No,    0,      1 },
    { &U::wahLfoRateDial,                       No,   Voice,   62,    No,    0,      1 },
    { &U::tremoloDepthDial,                     No,   Voice,   66,    No,    0,      1 },
    { &U::tremoloRateDial,                      No,   Voice,   67,    No,    0,      1 },
    { &U::delayLevelDial,                       No,   Voice,   70,    No,    0,      1 },
    { &U::delayCutoffDial,                      No,   Voice,   71,    No,    0,      1 },
    { &U::delayTimeDial,                        No,   Voice,   72,    No,    0,      1 },
    { &U::delayFeedbackDial,                    No,   Voice,   73,    No,    0,      1 },
    { &U::delayDampingDial,                     No,   Voice,   74,    No,    0,      1 },
    { &U::insertLevelDial,                      No,   Voice,   75,    No,    0,      1 },
    { &U::insertGainDial,                       No,   Voice,   80,    No,    0,      1 },
    { &U::hqDistorsorBiasDial,                  No,   Voice,   82,    No,    0,      1 },
    { &U::hqDistorsorDriveDial,                 No,   Voice,   85,    No,    0,      1 },
    { &U::hqDistorsorBrightnessDial,            No,   Voice,   86,    No,    0,      1 },
    { &U::hqDistorsorLevelDial,                 No,   Voice,   87,    No,    0,      1 },
    // Organ and Rotary pages
    { &U::organVolumeDial,                      No,   Organ,   1,     No,    0,      1 },
    { &U::organKeyClickDial,                    No,   Organ,   10,    No,    0,      1 },
    { &U::organReverbDial,                      No,   Organ,   11,    No,    0,      1 },
    { &U::organChorusDial,                      No,   Organ,   12,    No,    0,      1 },
    { &U::organDirectSoundLevelDial,            No,   Organ,   13,    No,    0,      1 },
    { &U::organReflectionIntensityDial,         No,   Organ,   14,    No,    0,      1 },
    { &U::organReflectionDelayTimeDial,         No,   Organ,   15,    No,    0,      1 },
    { &U::organHighRotorVolumeDial,             No,   Organ,   16,    No,    0,      1 },
    { &U::organHighRotorHPDial,                 No,   Organ,   17,    No,    0,      1 },
    { &U::organHighRotorSlowSpeedDial,          No,   Organ,   18,    No,    0,      1 },
    { &U::organHighRotorFastSpeedDial,          No,   Organ,   19,    No,    0,      1 },
    { &U::organHighRotorAccTimeDial,            No,   Organ,   20,    No,    0,      1 },
    { &U::organHighRotorDecTimeDial,            No,   Organ,   21,    No,    0,      1 },
    { &U::organHighRotorBrakeTimeDial,          No,   Organ,   22,    No,    0,      1 },
    { &U::organHighRotorAMDepthDial,            No,   Organ,   23,    No,    0,      1 },
    { &U::organHighRotorFMDepthDial,            No,   Organ,   24,    No,    0,      1 },
    { &U::organHighRotorDriveAmountDial,        No,   Organ,   25,    No,    0,      1 },
    { &U::organHighRotorDriveLPDial,            No,   Organ,   26,    No,    0,      1 },
    { &U::organLowRotorVolumeDial,              No,   Organ,   27,    No,    0,      1 },
    { &U::organLowRotorLPDial,                  No,   Organ,   28,    No,    0,      1 },
    { &U::organLowRotorSlowSpeedDial,           No,   Organ,   29,    No,    0,      1 },
    { &U::organLowRotorFastSpeedDial,           No,   Organ,   30,    No,    0,      1 },
    { &U::organLowRotorAccTimeDial,             No,   Organ,   31,    No,    0,      1 },
    { &U::organLowRotorDecTimeDial,             No,   Organ,   32,    No,    0,      1 },
    { &U::organLowRotorBrakeTimeDial,           No,   Organ,   33,    No,    0,      1 },
    { &U::organLowRotorAMDepthDial,             No,   Organ,   34,    No,    0,      1 },
    { &U::organLowRotorFMDepthDial,             No,   Organ,   35,    No,    0,      1 },
    { &U::organLowRotorDriveAmountDial,         No,   Organ,   36,    No,    0,      1 },
    { &U::organLowRotorDriveLPDial,             No,   Organ,   37,    No,    0,      1 },
    { &U::organShiftDial,                       No,   Organ,   40,    No,    48,     1 },
    // Chorus/Reverb page
    { &U::reverbHDampDial,                      No,   Voice,   90,    No,    0,      1 },
    { &U::reverbHighShelfGainDial,              No,   Voice,   91,    No,    0,      1 },
    { &U::reverbHighShelfFreqDial,              No,   Voice,   92,    No,    0,      1 },
    { &U::reverbPreHpFilterDial,                No,   Voice,   93,    No,    0,      1 },
    { &U::reverbTimeDial,                       No,   Voice,   95,    No,    0,      1 },
    { &U::reverbFeedbackDial,                   No,   Voice,   96,    No,    0,      1 },
    { &U::reverbPreDelayTimeDial,               No,   Voice,   97,    No,    0,      1 },
    { &U::reverbPreLPFilterDial,                No,   Voice,   98,    No,    0,      1 },
    { &U::reverbLevelDial,                      No,   Voice,   99,    No,    0,      1 },
    { &U::chorusPreLpFilterDial,                No,   Voice,   103,   No,    0,      1 },
    { &U::chorusFeedbackDial,                   No,   Voice,   104,   No,    0,      1 },
    { &U::chorusDelayDial,                      No,   Voice,   105,   No,    0,      1 },
    { &U::chorusRateDial,                       No,   Voice,   106,   No,    0,      1 },
    { &U::chorusDepthDial,                      No,   Voice,   107,   No,    0,      1 },
    { &U::chorusLevelDial,                      No,   Voice,   108,   No,    0,      1 },
    // Main page: the volumes are setup items; the GM reverb knobs send NRPN
    { &U::mainVolDial,                          No,   Voice,   21,    4,     0,      1 },
    { &U::gmVolDial,                            No,   Voice,   21,    5,     0,      1 },
    { &U::reverbGmTimeDial,                     No,   Id,      No,    No,    No,     1 },
    { &U::reverbGmHDampDial,                    No,   Id,      No,    No,    No,     1 },
    { &U::reverbGmPreHpFilterDial,              No,   Id,      No,    No,    No,     1 },
    { &U::reverbGmPreLPFilterDial,              No,   Id,      No,    No,    No,     1 },
    { &U::reverbGmHighShelfFreqDial,            No,   Id,      No,    No,    No,     1 },
    { &U::reverbGmHighShelfGainDial,            No,   Id,      No,    No,    No,     1 },
    { &U::reverbGmPreDelayTimeDial,             No,   Id,      No,    No,    No,     1 },
    { &U::reverbGmErDial,                       No,   Id,      No,    No,    No,     1 },
    { &U::reverbGmLevelDial,                    No,   Id,      No,    No,    No,     1 },
};

const Row<QComboBox> comboBoxRows[] = {
    //  widget                                  part  command  param  index  offset  scale
    { &U::modulationComboBox1,                  0,    Voice,   110,   No,    0,      1 },
    { &U::modulationComboBox2,                  1,    Voice,   110,   No,    0,      1 },
    { &U::modulationComboBox3,                  2,    Voice,   110,   No,    0,      1 },
    { &U::colorComboBox,                        No,   Id,      No,    No,    No,     1 },
    { &U::distorsorTypeComboBox,                No,   Voice,   29,    No,    0,      1 },
    { &U::eqLowBandComboBox,                    No,   Voice,   36,    0,     0,      1 },
    { &U::eqMidLowBandComboBox,                 No,   Voice,   36,    1,     0,      1 },
    { &U::eqMidHighBandComboBox,                No,   Voice,   36,    2,     0,      1 },
    { &U::eqHighBandComboBox,                   No,   Voice,   36,    3,     0,      1 },
    { &U::modTypeComboBox,                      No,   Voice,   41,    No,    0,      1 },
    { &U::modWaveComboBox,                      No,   Voice,   42,    No,    0,      1 },
    { &U::wahTypeComboBox,                      No,   Voice,   55,    No,    0,      1 },
    { &U::wahFilterComboBox,                    No,   Voice,   56,    No,    0,      1 },
    { &U::tremoloTypeComboBox,                  No,   Voice,   64,    No,    0,      1 },
    { &U::tremoloShapeComboBox,                 No,   Voice,   65,    No,    0,      1 },
    { &U::delayTypeComboBox,                    No,   Voice,   69,    No,    0,      1 },
    { &U::insertConfigurationComboBox,          No,   Voice,   79,    No,    0,      1 },
    { &U::hqDistorsorTypeComboBox,              No,   Voice,   84,    No,    0,      1 },
    { &U::insertSlot1ComboBox,                  No,   Id,      No,    No,    No,     1 },
    { &U::insertSlot2ComboBox,                  No,   Id,      No,    No,    No,     1 },
    { &U::organPercussionTypeComboBox,          No,   Organ,   4,     No,    0,      1 },
    { &U::organPercussionDecayComboBox,         No,   Organ,   5,     No,    0,      1 },
    { &U::organPercussionLevelComboBox,         No,   Organ,   6,     No,    0,      1 },
    { &U::organVibratoChorusTypeComboBox,       No,   Organ,   8,     No,    0,      1 },
    { &U::organSlowFastComboBox,                No,   Organ,   9,     No,    0,      1 },
    { &U::reverbSizeComboBox,                   No,   Voice,   89,    No,    0,      1 },
    { &U::reverbTypeComboBox,                   No,   Voice,   94,    No,    0,      1 },
    { &U::chorusWaveComboBox,                   No,   Voice,   101,   No,    0,      1 },
    { &U::chorusTypeComboBox,                   No,   Voice,   102,   No,    0,      1 },
    { &U::reverbPresetComboBox,                 No,   Id,      No,    No,    No,     1 },
    { &U::chorusPresetComboBox,                 No,   Id,      No,    No,    No,     1 },
    { &U::reverbGmSizeComboBox,                 No,   Id,      No,    No,    No,     1 },
    { &U::reverbGmTypeComboBox,                 No,   Id,      No,    No,    No,     1 },
};

const Row<QCheckBox> checkBoxRows[] = {
    //  widget                                  part  command  param  index  offset  scale
    { &U::enableCheckBox1,                      0,    Voice,   0,     No,    0,      1 },
    { &U::enableCheckBox2,                      1,    Voice,   0,     No,    0,      1 },
    { &U::enableCheckBox3,                      2,    Voice,   0,     No,    0,      1 },
    { &U::insertCheckBox1,                      0,    Voice,   18,    No,    0,      1 },
    { &U::insertCheckBox2,                      1,    Voice,   18,    No,    0,      1 },
    { &U::insertCheckBox3,                      2,    Voice,   18,    No,    0,      1 },
    { &U::sustainCheckBox1,                     0,    Voice,   19,    No,    0,      1 },
    { &U::sustainCheckBox2,                     1,    Voice,   19,    No,    0,      1 },
    { &U::sustainCheckBox3,                     2,    Voice,   19,    No,    0,      1 },
    { &U::morphingOnOffCheckBox,                No,   Voice,   17,    No,    0,      1 },
    { &U::morphingSustainCheckBox,              No,   Voice,   109,   1,     0,      1 },
    { &U::morphingModWheelCheckBox,             No,   Voice,   109,   2,     0,      1 },
    { &U::morphingAftertouchCheckBox,           No,   Voice,   109,   4,     0,      1 },
    { &U::morphingSustainToggleCheckBox,        No,   Voice,   109,   8,     0,      1 },
    { &U::compressorOnOffCheckBox,              No,   Voice,   22,    No,    0,      1 },
    { &U::distorsorOnOffCheckBox,               No,   Voice,   28,    No,    0,      1 },
    { &U::feedToRotaryCheckBox,                 No,   Voice,   34,    No,    0,      1 },
    { &U::eqOnOffCheckBox,                      No,   Voice,   35,    No,    0,      1 },
    { &U::modOnOffCheckBox,                     No,   Voice,   40,    No,    0,      1 },
    { &U::modSlowFastCheckBox,                  No,   Voice,   48,    No,    0,      1 },
    { &U::wahOnOffCheckBox,                     No,   Voice,   54,    No,    0,      1 },
    { &U::tremoloOnOffCheckBox,                 No,   Voice,   63,    No,    0,      1 },
    { &U::delayOnOffCheckBox,                   No,   Voice,   68,    No,    0,      1 },
    { &U::hqDistorsorCheckBox,                  No,   Voice,   81,    No,    0,      1 },
    { &U::hqDistorsorBoostCheckBox,             No,   Voice,   83,    No,    0,      1 },
    { &U::organOnOffCheckBox,                   No,   Organ,   0,     No,    0,      1 },
    { &U::organPercussionOnOffCheckBox,         No,   Organ,   3,     No,    0,      1 },
    { &U::organVibratoChorusOnOffCheckBox,      No,   Organ,   7,     No,    0,      1 },
    { &U::organDriveCheckBox,                   No,   Organ,   38,    No,    0,      1 },
    { &U::organRotarySustainCheckBox,           No,   Organ,   39,    1,     0,      1 },
    { &U::organRotaryModWheelCheckBox,          No,   Organ,   39,    2,     0,      1 },
    { &U::organRotaryAftertouchCheckBox,        No,   Organ,   39,    4,     0,      1 },
    { &U::organRotarySustainToggleCheckBox,     No,   Organ,   39,    8,     0,      1 },
};

// The low end sends param, the high end the parameter in index.
const Row<QMyRangeSlider> rangeSliderRows[] = {
    //  widget                                  part  command  param  index  offset  scale
    { &U::rangeSlider1,                         0,    Voice,   7,     8,     0,      1 },
    { &U::rangeSlider2,                         1,    Voice,   7,     8,     0,      1 },
    { &U::rangeSlider3,                         2,    Voice,   7,     8,     0,      1 },
    { &U::veloRangeSlider1,                     0,    Voice,   9,     10,    0,      1 },
    { &U::veloRangeSlider2,                     1,    Voice,   9,     10,    0,      1 },
    { &U::veloRangeSlider3,                     2,    Voice,   9,     10,    0,      1 },
};

const Row<QLineEdit> lineEditRows[] = {
    //  widget                                  part  command  param  index  offset  scale
    { &U::rangeLowLineEdit1,                    0,    Voice,   7,     No,    0,      1 },
    { &U::rangeLowLineEdit2,                    1,    Voice,   7,     No,    0,      1 },
    { &U::rangeLowLineEdit3,                    2,    Voice,   7,     No,    0,      1 },
    { &U::rangeHighLineEdit1,                   0,    Voice,   8,     No,    0,      1 },
    { &U::rangeHighLineEdit2,                   1,    Voice,   8,     No,    0,      1 },
    { &U::rangeHighLineEdit3,                   2,    Voice,   8,     No,    0,      1 },
    { &U::veloLowLineEdit1,                     0,    Voice,   9,     No,    0,      1 },
    { &U::veloLowLineEdit2,                     1,    Voice,   9,     No,    0,      1 },
    { &U::veloLowLineEdit3,                     2,    Voice,   9,     No,    0,      1 },
    { &U::veloHighLineEdit1,                    0,    Voice,   10,    No,    0,      1 },
    { &U::veloHighLineEdit2,                    1,    Voice,   10,    No,    0,      1 },
    { &U::veloHighLineEdit3,                    2,    Voice,   10,    No,    0,      1 },
};

// A drawbar slider's part is its drawbar.
const Row<QSlider> sliderRows[] = {
    //  widget                                  part  command  param  index  offset  scale
    { &U::drawbar1Slider,                       0,    Organ,   2,     No,    0,      1 },
    { &U::drawbar2Slider,                       1,    Organ,   2,     No,    0,      1 },
    { &U::drawbar3Slider,                       2,    Organ,   2,     No,    0,      1 },
    { &U::drawbar4Slider,                       3,    Organ,   2,     No,    0,      1 },
    { &U::drawbar5Slider,                       4,    Organ,   2,     No,    0,      1 },
    { &U::drawbar6Slider,                       5,    Organ,   2,     No,    0,      1 },
    { &U::drawbar7Slider,                       6,    Organ,   2,     No,    0,      1 },
    { &U::drawbar8Slider,                       7,    Organ,   2,     No,    0,      1 },
    { &U::drawbar9Slider,                       8,    Organ,   2,     No,    0,      1 },
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
        return c.part == No && indexFree;
    case Pick::Layer:
        return c.part < Layers && indexFree;
    case Pick::Drawbar:
        return c.part < Drawbars && indexFree;
    case Pick::Band:
        return c.part == No && c.index < Bands;
    case Pick::SetupItem:
        return c.part == No
               && (c.index == offsetof(TSetup, masterVolume) || c.index == offsetof(TSetup, gmVolume));
    case Pick::Bit:
        // One of sustain, modulation wheel, aftertouch and sustain toggle.
        return c.part == No && c.index != 0 && c.index <= 8 && (c.index & (c.index - 1)) == 0;
    }
    return false;
}

int controlWidth(const TControl& record)
{
    const ParamRun* run = record.command == Id ? nullptr : runOf(record.command, record.param);
    return run ? run->width : 0;
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
