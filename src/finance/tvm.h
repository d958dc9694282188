// Time value of money and depreciation.
//
// Rates are annual percentages (6 means 6 %) over `ppy` periods per year, so the periodic rate is
// r = rate / (ppy * 100). `type` is 1 (any non-zero value) for payments at the beginning of each period and
// 0 for payments at the end. Money received is positive and money paid out negative, so that at a zero
// rate PV + NPER * PMT + FV = 0. Every operation returns a double; a rejected input - and any input whose
// result would not be a finite number - sets the engine error code to -51 ("Invalid parameters") and
// returns 0. Callers: the TVM screen and the engine's finance functions.
#pragma once

#include "finance/format.h"

class CTVMCalc {
  public:
    CTVMCalc() = default;
    virtual ~CTVMCalc() = default;

    // The finance calculators' rounding (finance::Format).
    static double Format(double value, int places) { return finance::Format(value, places); }

    // Future value. Rejected unless ppy > 0 and nper > 0, and for a rate so small against ppy that the
    // periodic rate is below 1e-12 (a rate within 1e-12 of 0 uses the zero-rate form instead).
    static double FVcalc(double rate, double nper, double pmt, double pv, double ppy, int type);

    // Present value. Rejected unless rate >= 0, ppy > 0 and nper > 0, and (as FVcalc) for a periodic rate
    // below 1e-12 that is not itself within 1e-12 of 0.
    static double PVcalc(double rate, double nper, double pmt, double fv, double ppy, int type);

    // Payment per period over |nper| periods (ppy is used as |ppy|). Rejected when ppy or nper is 0, when
    // the growth factor over the periods is within 1e-12 of 1, and when the payment's magnitude is below
    // 1e-12 at a non-zero rate.
    static double PMTcalc(double rate, double nper, double pv, double fv, double ppy, int type);

    // Number of periods. Rejected when pv and fv have the same sign (product > 0), at a zero rate when
    // |pmt| < 1e-12, and when the payments cannot reach fv (no positive logarithm argument).
    static double NPERcalc(double rate, double pmt, double pv, double fv, double ppy, int type);

    // Annual rate in percent that balances the flows, found by fnroot between 1e-12 and 999 and, failing
    // that, between -999 (or -100 % per period, -100 * ppy, when that is higher) and -1e-12. Returns 0 at
    // once when the flows balance at a zero rate. When neither search finds a root the error code stays -12
    // ("Root not found") and the result is 0. Not reentrant: the equation reads its data from static fields.
    static double YRATECalc(double nper, double pmt, double pv, double fv, double ppy, int type);

    // Straight-line depreciation per period: (cost - salvage) / life. Rejected if life <= 0.
    static double SLNcalc(double cost, double salvage, double life);

    // Sum-of-years'-digits depreciation of `period` (not range-checked). Rejected if life <= 0.
    static double SYDcalc(double cost, double salvage, double life, double period);

    // Fixed-declining-balance depreciation of `period` when the first period has `month` months (12 for a
    // full year). The rate is 1 - (salvage / cost)^(1 / life) rounded to 3 places. Once the accumulated
    // depreciation passes cost - salvage that period is scaled by (12 - month) / 12. Rejected unless
    // cost > 0, life > 0 and 0 < period <= life + 1.
    static double DBcalc(double cost, double salvage, double life, double period, double month);

  private:
    // The rate equation of YRATECalc at annual rate x percent, over the stored flows.
    static double fnTVM(double x, void* context);

    static inline double m_dbNPER = 0.0;
    static inline double m_dbPMT = 0.0;
    static inline double m_dbPV = 0.0;
    static inline double m_dbFV = 0.0;
    static inline double m_dbPPERY = 0.0;
    static inline signed char m_bType = 0;
};
