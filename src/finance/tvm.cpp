#include "finance/tvm.h"

#include <algorithm>
#include <climits>
#include <cmath>

#include "finance/fnroot.h"
#include "numeric/errors.h"

namespace {

constexpr double kEps = 1e-12;

double Reject() {
    SetErrorCode(kErrInvalidFinance);
    return 0.0;
}

// Overflow, a negative base raised to a fractional power or a zero divisor must not reach the display as
// a result.
double Checked(double value) {
    return std::isfinite(value) ? value : Reject();
}

// w = (1 + r)^n and w - 1. Through log1p/expm1 the small rates of monthly periods keep all their digits in
// the annuity factor (w - 1) / r; a base at or below zero takes pow, which still handles whole n.
struct Growth {
    double w;
    double wm1;
};
Growth GrowthOver(double r, double n) {
    if (r > -1.0) {
        const double l = n * std::log1p(r);
        return {std::exp(l), std::expm1(l)};
    }
    const double w = std::pow(1.0 + r, n);
    return {w, w - 1.0};
}

// Factor of payments at the beginning of each period: they earn one period more.
double TypeFactor(double r, int type) {
    return type != 0 ? 1.0 + r : 1.0;
}

}  // namespace

double CTVMCalc::FVcalc(double rate, double nper, double pmt, double pv, double ppy, int type) {
    if (!(ppy > 0.0 && nper > 0.0)) return Reject();
    if (std::fabs(rate) <= kEps) return Checked(-pv - nper * pmt);
    const double r = rate / (ppy * 100.0);
    if (std::fabs(r) < kEps) return Reject();
    const Growth g = GrowthOver(r, nper);
    return Checked(-pv * g.w - pmt * g.wm1 / r * TypeFactor(r, type));
}

double CTVMCalc::PVcalc(double rate, double nper, double pmt, double fv, double ppy, int type) {
    if (!(rate >= 0.0 && ppy > 0.0 && nper > 0.0)) return Reject();
    if (rate <= kEps) return Checked(-fv - nper * pmt);
    const double r = rate / (ppy * 100.0);
    const Growth g = GrowthOver(r, nper);
    // Answering 0 here as if it were a present value would be a wrong result shown as a right one.
    if (std::fabs(r) < kEps || std::fabs(g.w) < kEps) return Reject();
    return Checked((-fv - pmt * g.wm1 / r * TypeFactor(r, type)) / g.w);
}

double CTVMCalc::PMTcalc(double rate, double nper, double pv, double fv, double ppy, int type) {
    if (ppy == 0.0 || nper == 0.0) return Reject();
    const double n = std::fabs(nper);
    if (std::fabs(rate) <= kEps) {
        if (n < kEps) return Reject();
        return Checked((-pv - fv) / n);
    }
    const double r = rate / (std::fabs(ppy) * 100.0);
    const Growth g = GrowthOver(r, n);
    if (std::fabs(g.wm1) < kEps) return Reject();
    const double pmt = r * (-pv * g.w - fv) / (g.wm1 * TypeFactor(r, type));
    if (std::fabs(pmt) < kEps) return Reject();
    return Checked(pmt);
}

double CTVMCalc::NPERcalc(double rate, double pmt, double pv, double fv, double ppy, int type) {
    if (pv * fv > 0.0) return Reject();
    if (std::fabs(rate) <= kEps) {
        if (std::fabs(pmt) < kEps) return Reject();
        return Checked((pv + fv) / -pmt);
    }
    const double r = rate / (ppy * 100.0);
    // At such a rate ln D and ln(1 + r) are both lost in rounding and their quotient is noise.
    if (std::fabs(r) < kEps) return Reject();
    const double b = pmt * TypeFactor(r, type);
    const double c = pv * r + b;
    if (c == 0.0) return Reject();
    const double d = (b - fv * r) / c;
    if (!(d > 0.0)) return Reject();
    // ln D taken as log1p(D - 1), with D - 1 formed exactly from the flows instead of by subtraction.
    return Checked(std::log1p(-r * (pv + fv) / c) / std::log1p(r));
}

double CTVMCalc::fnTVM(double x, void* /*context*/) {
    const double r = x / 100.0 / m_dbPPERY;
    const Growth g = GrowthOver(r, m_dbNPER);
    return m_dbPV * g.w + m_dbPMT * (1.0 + r * m_bType) * g.wm1 / r + m_dbFV;
}

double CTVMCalc::YRATECalc(double nper, double pmt, double pv, double fv, double ppy, int type) {
    m_dbNPER = nper;
    m_dbPMT = pmt;
    m_dbPV = pv;
    m_dbFV = fv;
    m_dbPPERY = ppy;
    m_bType = type != 0 ? 1 : 0;
    if (std::fabs(pv + nper * pmt + fv) < kEps) return 0.0;
    double x = fnroot(kEps, 999.0, fnTVM);
    if (GetErrorCode() != 0) {
        SetErrorCode(0);
        // Below -100 % per period there is no rate: 1 + r turns negative, (1 + r)^n flips sign with the
        // parity of n, and the end of the interval would hide the real root or bracket a meaningless one.
        // With fewer than about 10 periods a year -999 % lies there, so the search stops at -100 % instead.
        const double lowest = ppy > 0.0 ? std::max(-999.0, -100.0 * ppy) : -999.0;
        x = fnroot(lowest, -kEps, fnTVM);
    }
    return x;
}

double CTVMCalc::SLNcalc(double cost, double salvage, double life) {
    if (!(life > 0.0)) return Reject();
    return Checked((cost - salvage) / life);
}

double CTVMCalc::SYDcalc(double cost, double salvage, double life, double period) {
    if (!(life > 0.0)) return Reject();
    return Checked((cost - salvage) * (life - period + 1.0) * 2.0 / (life * (life + 1.0)));
}

double CTVMCalc::DBcalc(double cost, double salvage, double life, double period, double month) {
    if (!(cost > 0.0 && life > 0.0 && period > 0.0 && period <= life + 1.0)) return Reject();
    const double rate = Format(1.0 - std::pow(salvage / cost, 1.0 / life), 3);
    if (!std::isfinite(rate)) return Reject();  // a negative salvage has no fractional root

    const double limit = cost - salvage;
    const long long last = period >= 9.0e18 ? LLONG_MAX : static_cast<long long>(period);
    double d = cost * rate * month / 12.0;
    double accumulated = d;
    for (long long k = 2; k <= last; ++k) {
        d = (cost - accumulated) * rate;
        const double next = accumulated + d;
        if (next > limit) return Checked(d * (12.0 - month) / 12.0);
        // Once the sum stops moving every later period repeats this one, so a life of millions of periods
        // ends here instead of looping through all of them.
        if (next == accumulated || !std::isfinite(d)) break;
        accumulated = next;
    }
    return Checked(d);
}
