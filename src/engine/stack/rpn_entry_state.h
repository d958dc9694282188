// Entry state of the key-by-key calculators (RPN and immediate mode). The stack machine drives it as
// digits are typed; the result formatter reads it to show every decimal typed so far, trailing zeros
// included.
#pragma once

// -1 no entry in progress, 0 typing the integer part, 2 typing the fractional part, 3 the top entry is pi
// from "PI", 1 (immediate mode only) an operator was the last key. Initially -1.
extern int imoderpn_status;

// Number of digits typed after the decimal point of the entry being typed. Initially 0.
extern double factor;
