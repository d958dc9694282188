#!/usr/bin/env python3
"""Independent reference values for test_finance.

Evaluates the standard spreadsheet definitions of PV, FV, PMT, NPER, RATE, SLN, SYD, DB, NPV and IRR in
Python's decimal arithmetic at 50 digits (closed forms; RATE and IRR by bisection to 1e-30), so the
expected values in the test tables do not come from the code under test. Rates here are per period as
the spreadsheet takes them; the tests pass annual percent and periods per year (rate% = r * ppy * 100).
Run it and paste the printed rows into the tables when a row is added.
"""
from decimal import Decimal as D, getcontext

getcontext().prec = 50


def growth(r, n):
    return (1 + r) ** n if n == int(n) else ((1 + r).ln() * n).exp()


def fv(r, n, pmt, pv, t):
    if r == 0:
        return -pv - n * pmt
    w = growth(r, n)
    return -(pv * w + pmt * (1 + r * t) * (w - 1) / r)


def pv(r, n, pmt, fvv, t):
    if r == 0:
        return -fvv - n * pmt
    w = growth(r, n)
    return -(fvv + pmt * (1 + r * t) * (w - 1) / r) / w


def pmt(r, n, pvv, fvv, t):
    if r == 0:
        return -(pvv + fvv) / n
    w = growth(r, n)
    return -(pvv * w + fvv) * r / ((1 + r * t) * (w - 1))


def nper(r, pm, pvv, fvv, t):
    b = pm * (1 + r * t)
    return ((b - fvv * r) / (b + pvv * r)).ln() / (1 + r).ln()


def bisect(f, lo, hi):
    flo = f(lo)
    for _ in range(200):
        mid = (lo + hi) / 2
        fm = f(mid)
        if (fm > 0) == (flo > 0):
            lo, flo = mid, fm
        else:
            hi = mid
    return (lo + hi) / 2


def rate(n, pm, pvv, fvv, t, lo, hi):
    return bisect(lambda r: pvv * growth(r, n) + pm * (1 + r * t) * (growth(r, n) - 1) / r + fvv, lo, hi)


def db(cost, salvage, life, period, month):
    rt = 1 - (salvage / cost) ** (D(1) / life)
    rt = rt.quantize(D("0.001"))  # spreadsheet DB rounds the rate to 3 places
    total = D(0)
    for p in range(1, period + 1):
        if p == 1:
            dep = cost * rt * month / 12
        elif p == life + 1:
            dep = (cost - total) * rt * (12 - month) / 12
        else:
            dep = (cost - total) * rt
        total += dep
    return dep


def npv(r, flows):
    return sum(v / (1 + r) ** (i + 1) for i, v in enumerate(flows))


def irr(v0, flows, lo, hi):
    return bisect(lambda r: v0 + npv(r, flows), lo, hi)


def g(x):
    return "%.17g" % x


# rate% / ppy / nper / pmt / pv / fv / type, as the test table's TVM scenarios.
SCENARIOS = [
    ("6", "12", "60", "-200", "10000", "0", 0),
    ("6", "12", "60", "-200", "10000", "0", 1),
    ("4.5", "1", "30", "-1000", "0", "50000", 0),
    ("12", "4", "12.5", "100", "-2000", "500", 1),
    ("0.000001", "12", "360", "-1000", "0", "0", 0),
    ("-3", "12", "24", "-100", "1000", "0", 0),
]


def main():
    for ratep, ppy, n, pm, pvv, fvv, t in SCENARIOS:
        r = D(ratep) / D(ppy) / 100
        n, pm, pvv, fvv = D(n), D(pm), D(pvv), D(fvv)
        print("scenario", ratep, ppy, n, pm, pvv, fvv, t)
        print("  FV ", g(fv(r, n, pm, pvv, t)))
        print("  PV ", g(pv(r, n, pm, fvv, t)))
        print("  PMT", g(pmt(r, n, pvv, fvv, t)))
        try:
            print("  NPER", g(nper(r, pm, pvv, fvv, t)))
        except Exception as exc:  # no count for these flows
            print("  NPER -", exc)

    # RATE: nper, pmt, pv, fv, ppy, type; the root is reported as annual percent.
    for n, pm, pvv, fvv, ppy, t, lo, hi in [
        ("48", "-250", "10000", "0", "12", 0, "0.0000001", "0.5"),
        ("48", "-250", "10000", "0", "12", 1, "0.0000001", "0.5"),
        ("10", "0", "-1000", "2000", "1", 0, "0.0000001", "0.5"),
        ("10", "0", "-1000", "900", "12", 0, "-0.5", "-0.0000001"),
        ("10", "0", "-1000", "900", "1", 0, "-0.5", "-0.0000001"),
    ]:
        ppyd = D(ppy)
        root = rate(D(n), D(pm), D(pvv), D(fvv), t, D(lo), D(hi))
        print("RATE", n, pm, pvv, fvv, ppy, t, g(root * ppyd * 100))

    print("SLN", g((D(30000) - D(7500)) / D(10)))
    print("SYD", g((D(30000) - D(7500)) * (10 - 3 + 1) * 2 / (D(10) * 11)))
    for args in [(1000000, 100000, 6, 1, 7), (1000000, 100000, 6, 2, 7), (1000000, 100000, 6, 6, 7),
                 (1000000, 100000, 6, 7, 7), (2500, 300, 4, 3, 12)]:
        c, s, life, p, mo = args
        print("DB", args, g(db(D(c), D(s), life, p, mo)))

    print("NPV", g(npv(D("0.1"), [D(-10000), D(3000), D(4200), D(6800)])))
    print("NPV", g(npv(D("0.08"), [D(8000), D(9200), D(10000), D(12000), D(14500)]) - 40000))
    print("IRR", g(irr(D(-70000), [D(12000), D(15000), D(18000), D(21000), D(26000)], D(0), D(1)) * 100))
    print("IRR", g(irr(D(-100), [D(30), D(20), D(10)], D("-0.99"), D(0)) * 100))
    print("IRR", g(irr(D(-100), [D(50)], D("-0.99"), D(0)) * 100))
    print("IRR", g(irr(D(-100), [D(30), D(-10), D(50)], D("-0.99"), D(0)) * 100))

    # Mortgage monthly payments: amount, annual percent, years -> PMT at rate / 1200 over years * 12.
    for amount, ratep, years in [(10000, "6", "5"), (250000, "4.5", "30"), (10000, "6", "2.5"), (1000, "12", "1")]:
        print("MORT", amount, ratep, years, g(-pmt(D(ratep) / 1200, D(years) * 12, D(amount), D(0), 0)))


if __name__ == "__main__":
    main()
