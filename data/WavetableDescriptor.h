#pragma once

// The wavetable voice descriptor: the line-oriented text that names the voices
// of a sound set, shipped for the module's own voices and carried inside every
// soundbank file. Voice lines start with "$", drum-set lines with "!"; every
// other line is a comment to the parser.
//
//   $,bank,pch,family,<17 numbers the module uses>,name
//   !,index,pch,<2 numbers the module uses>,name
//
// Blanks and tabs may stand around the commas. Numbers are decimal of any
// length and kept by their low 8 bits; names are cut to 14 bytes of UTF-8.

#include <QtGlobal>

class QIODevice;
struct TGmWavetable;

// Zeroes table and fills it from the descriptor text on device (open and
// readable), tagging every voice with soundbank index sbk. Voice lines go to
// families 0..11, drum sets to family 12, at most 251 per family; lines beyond
// that are dropped. The caller judges the result by the counts. Nothing at all
// when device or table is null.
void extractWavetable(QIODevice* device, TGmWavetable* table, unsigned char sbk);
// The same for size bytes of text in memory; null data or a size below 1 is
// an empty text. Nothing when table is null.
void extractWavetable(const unsigned char* data, int size, TGmWavetable* table, unsigned char sbk);
