#include "TGmChannel.h"

TGmChannel gmData[GmChannelCount];
TGmChannel* pGmData = gmData;
