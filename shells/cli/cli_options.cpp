#include "cli_options.h"

#include <cstdlib>

namespace {

bool ParseInt(const std::string& s, int lo, int hi, int& out) {
    if (s.empty()) return false;
    char* end = nullptr;
    long v = std::strtol(s.c_str(), &end, 10);
    if (*end != '\0' || v < lo || v > hi) return false;
    out = static_cast<int>(v);
    return true;
}

bool ParseOnOff(const std::string& s, bool& out) {
    if (s == "on" || s == "1" || s == "yes") return out = true, true;
    if (s == "off" || s == "0" || s == "no") return out = false, true;
    return false;
}

}  // namespace

bool ApplyCliSetting(const std::string& name, const std::string& value, CliOptions& o, std::string& error) {
    auto bad = [&]() {
        error = "invalid value '" + value + "' for " + name;
        return false;
    };
    if (name == "angle") {
        if (value == "deg") return o.angleMode = 0, true;
        if (value == "rad") return o.angleMode = 1, true;
        if (value == "grad") return o.angleMode = 2, true;
        return bad();
    }
    if (name == "base") {
        if (value == "dec") return o.radix = 10, true;
        if (value == "hex") return o.radix = 16, true;
        if (value == "oct") return o.radix = 8, true;
        if (value == "bin") return o.radix = 2, true;
        return bad();
    }
    if (name == "bits") {
        int b;
        if (!ParseInt(value, 8, 32, b) || (b != 8 && b != 16 && b != 32)) return bad();
        return o.bitWidth = b, true;
    }
    if (name == "notation") {
        if (value == "norm") return o.notationKey = kNotationNorm, true;
        if (value == "fix") return o.notationKey = kNotationFix, true;
        if (value == "sci") return o.notationKey = kNotationSci, true;
        if (value == "frac") return o.notationKey = kNotationFrac, true;
        return bad();
    }
    if (name == "fix") return ParseInt(value, 0, 10, o.fixDigits) ? true : bad();
    if (name == "fraction") {
        if (value == "3") return o.fractionLevel = 0, true;
        if (value == "6") return o.fractionLevel = 1, true;
        if (value == "9") return o.fractionLevel = 2, true;
        return bad();
    }
    if (name == "format") {
        if (value == "us") return o.outputMode = "English (US)", true;
        if (value == "uk") return o.outputMode = "English (UK)", true;
        if (value == "european") return o.outputMode = "European", true;
        return bad();
    }
    if (name == "precise") return ParseOnOff(value, o.precise) ? true : bad();
    if (name == "matrix") return ParseOnOff(value, o.matrix) ? true : bad();
    if (name == "engine") return ParseOnOff(value, o.engineText) ? true : bad();
    error = "unknown setting '" + name + "'";
    return false;
}

bool ParseCliOptions(int argc, char** argv, CliOptions& o, std::string& error) {
    for (int i = 1; i < argc; ++i) {
        std::string a = argv[i];
        auto value = [&](std::string& out) {
            if (i + 1 >= argc) {
                error = "missing value for " + a;
                return false;
            }
            out = argv[++i];
            return true;
        };
        if (a == "--help" || a == "-h") {
            o.help = true;
        } else if (a == "--version") {
            o.version = true;
        } else if (a == "--precise") {
            o.precise = true;
        } else if (a == "--matrix") {
            o.matrix = true;
        } else if (a == "--engine") {
            o.engineText = true;
        } else if (a == "--set") {
            std::string v;
            if (!value(v)) return false;
            size_t eq = v.find('=');
            if (eq == std::string::npos || eq == 0) {
                error = "--set needs NAME=VALUE";
                return false;
            }
            o.registers.emplace_back(v.substr(0, eq), v.substr(eq + 1));
        } else if (a == "--angle" || a == "--base" || a == "--bits" || a == "--notation" || a == "--fix" ||
                   a == "--fraction" || a == "--format") {
            std::string v;
            if (!value(v) || !ApplyCliSetting(a.substr(2), v, o, error)) return false;
        } else if (a == "--convert") {
            o.command = "convert";
            for (int k = 0; k < 3; ++k) {
                std::string v;
                if (!value(v)) return false;
                o.commandArgs.push_back(v);
            }
        } else if (a == "--units" || a == "--constants") {
            o.command = a.substr(2);
            const int most = a == "--units" ? 1 : 2;
            while (static_cast<int>(o.commandArgs.size()) < most && i + 1 < argc && argv[i + 1][0] != '-')
                o.commandArgs.emplace_back(argv[++i]);
        } else if (a == "--tex" || a == "--roots") {
            o.command = a.substr(2);
            std::string v;
            if (!value(v)) return false;
            o.commandArgs.push_back(v);
        } else if (a == "--tex-png") {
            o.command = "tex-png";
            for (int k = 0; k < 2; ++k) {
                std::string v;
                if (!value(v)) return false;
                o.commandArgs.push_back(v);
            }
        } else if (a == "--loan" || a == "--mortgage") {
            o.command = a.substr(2);
            for (int k = 0, n = a == "--loan" ? 5 : 3; k < n; ++k) {
                std::string v;
                if (!value(v)) return false;
                o.commandArgs.push_back(v);
            }
        } else if (a == "--tvm") {
            o.command = "tvm";
            while (i + 1 < argc && std::string(argv[i + 1]).find('=') != std::string::npos &&
                   std::string(argv[i + 1]).rfind("--", 0) != 0)
                o.commandArgs.emplace_back(argv[++i]);
        } else if (a == "--csv") {
            o.csv = true;
        } else if (a == "--begin") {
            o.begin = true;
        } else if (a == "--group") {
            if (!value(o.group)) return false;
        } else if (a == "--update-currency") {
            o.command = "update-currency";
        } else if (a == "--currency-url") {
            if (!value(o.currencyUrl)) return false;
        } else if (a == "--") {
            for (++i; i < argc; ++i) o.expressions.emplace_back(argv[i]);
        } else if (a.size() > 1 && a[0] == '-' && a[1] == '-') {
            error = "unknown option " + a;
            return false;
        } else {
            o.expressions.push_back(a);
        }
    }
    if ((o.csv && o.command != "loan" && o.command != "mortgage") || (o.begin && o.command != "tvm")) {
        error = o.csv ? "--csv goes with --loan or --mortgage" : "--begin goes with --tvm";
        return false;
    }
    return true;
}

std::string CliHelpText() {
    return R"(orvcalc - the Orvane Calculator in a terminal

usage:
  orvcalc [options] EXPRESSION...   evaluate each expression, print one result line each
  orvcalc [options]                 interactive: read lines from the terminal (with line editing and
                                    history) or from a pipe, print one result line per line

Expressions are typed as on the calculator: 2(3), .5, 3i, 2√(9), sin(30)+2^3^2, fnInt(x^2,x,0,3),
gcd(12,18,27), RT(3,27); * / - stand for × ÷ −, and ans is the previous result. The decimal point is
typed as "." in every output format.

options:
  --angle deg|rad|grad        angle mode (default deg)
  --base dec|hex|oct|bin      radix of input and output (default dec); in a radix other than dec the
                              Base Conversion rules apply (literals re-expressed at the bit width)
  --bits 8|16|32              bit width for the radix modes (default 8)
  --notation norm|fix|sci|frac   (default norm)
  --fix N                     decimals in FIX notation, 0..10 (default 4)
  --fraction 3|6|9            largest FRAC denominator 10^N (default 3)
  --format us|uk|european     output format (default us)
  --precise                   print the full extended-precision value instead of the display text: the
                              real part, and for a complex result a blank, the imaginary part and "i",
                              each with 99 digits, e.g. "1.4142...E0"
  --set NAME=VALUE            before evaluating, store a value in a register (VA, VB, ..., LIST): a real,
                              or a matrix written [[1,2],[3,4]]; repeatable
  --matrix                    evaluate with the matrix path, e.g.
                              orvcalc --set VA=[[2,1],[1,2]] --matrix "inv(VA)*VA"
  --engine                    read expressions as engine text, bypassing the input line
  --verbose                   print the number library's internal diagnostics on standard error
  --help, --version

catalogue commands (over the shipped data files):
  --convert VALUE FROM TO [--group NAME]
                              convert VALUE (a number or an expression) from one unit or currency to
                              another, given by name or symbol (any case; blanks ignored; common spellings
                              such as °C, gallon, mpg, kph, sq m, m² and plurals), e.g. --convert 1 mi m,
                              --convert 100 USD EUR; a name that means several units lists them
  --units [GROUP]             list the unit groups, or the units of a group with their symbols
  --update-currency [--currency-url URL]
                              download the currency table (default: the European Central Bank's daily
                              reference rates; also $ORVCALC_CURRENCY_URL or the settings file's
                              CurrencyFeedURL), check it and store it in the documents folder, where
                              --convert and the currency converter then use it; prints its date and
                              number of currencies (exit status 1 when nothing was stored)
  --constants [GROUP [SUBGROUP]]
                              browse the constants library: the constants with their values and the text
                              each would insert into the input line

formula and equation commands:
  --tex EXPRESSION            print the TeX markup the formula view shows for the expression
  --tex-png FILE EXPRESSION   render that formula and write it as a PNG image
  --roots "a b c ..."         the roots of the polynomial with these coefficients (highest power first,
                              degree 1 to 4): exact forms and decimals for degrees 1 and 2, decimals for the
                              real roots of degrees 3 and 4, as the equation solver shows them
  --solve "a b c ..." [--tex]  the equation solver's "=" for a polynomial of degree 1 to 4 (at most five
                              coefficients typed as on its screen: integers, decimals, fractions such as
                              -3/4): one result line each, plain or as the TeX the solver shows
  --solve-system "a1 ... aN b" ... [--tex]
                              the solver's N linear equations a1*X_1 + ... + aN*X_N = b, one list per
                              equation: the unknowns as fractions and decimals, or the solver's alert

plots (functions of x in radians, drawn as the plot screen draws them; 1 red, 2 green, 3 yellow):
  --plot OUT.png|OUT.svg "F1" ["F2" ["F3"]] [--size WxH] [--scale PIXELS] [--center X,Y]
                              write the plot as a picture: WxH pixels (default 640x480), PIXELS per unit
                              (8 to 96, default 10), the point X,Y at the centre (default 0,0), e.g.
                              orvcalc --plot waves.svg 'sin(x)' '1/x' --scale 20; a function that cannot be
                              plotted is reported and the others are still drawn (exit status 1)
finance commands (the loan, mortgage and TVM screens):
  --loan AMOUNT RATE PPY NPER PMT [--csv]
                              a loan of AMOUNT at RATE percent a year, PPY payments a year, NPER payments
                              of PMT each (-1: work the payment out): the summary lines and the table
                              period by period; --csv prints the table alone as comma-separated values
  --mortgage AMOUNT RATE YEARS [--csv]
                              a mortgage's monthly payment and its months by year, with year totals
  --tvm solve=FIELD NPER=N RATE=R PV=V PMT=P FV=F PPY=Y [--begin]
                              solve FIELD (NPER, RATE, PV, PMT or FV) from the other values as the TVM
                              screen does and print its box; --begin: payments at the beginning of each
                              period. A refused input prints the screen's 0 and ends with status 1
  Inputs the loan and mortgage forms refuse end with "Input Error: Please check input again!" on
  standard error and status 1.

the whole calculator, run headlessly on the words of its actions (prints what it shows as one JSON object:
display, keyboards, lists, screens, tooltip, alerts, notifications):
  --keys "W1 W2 ..." [--category ID] [--landscape] [--home DIR] [--answer N]
                              files in DIR (default the documents folder); alerts not answered by a word
                              get button N (default 0). The words (a value may be "quoted"):
      N | CAPTION             key code N, or the key with that caption ("1 + 2 =", "sin", "M+")
      pick:N                  row N of the open list or menu          close  the list closes
      post:NAME[:N]           a notification (with the number N)
      touch:KB:SLOT           a tap on a key; KB is mode, pad (slot 20: the enter key), land, landpad
      down:KB:SLOT up:KB:SLOT cancel:KB:SLOT     a finger down, up inside the key, or off the key
      hold:KB:SLOT:SECONDS    down, the time passing, up (a hold gives the shifted function; backspace
                              and the caret keys repeat every 0.1 s)
      swipe:POSITION          the key pages scroll to POSITION (0..11)
      tap:[SCREEN/]ELEMENT    a tap on a screen's element (tap:display/mode touches the display's angle
                              indicator; also base, notation, memory, expression, bitwidth, history,
                              shift, left, right, input, result)
      text:[SCREEN/]FIELD=T   text typed into a field          value:[SCREEN/]CONTROL=X  a slider, segment
      list:[SCREEN/]LIST:N    a row of a screen's list         keypad:[SCREEN/]N  a screen keypad's key
      answer:N                the next alert's answer (-1: dismissed)
      rotate:portrait|landscape   wait:SECONDS   category:ID   option:N (0 settings, 1 introduction,
                              2 help, 3 about)   type:TEXT (desktop keyboard)   paste:TEXT   back
      Between words 0.35 s pass while no finger is down (delayed calls run); a word that cannot act
      (no such screen or key) is reported and the run ends with status 1.

exit status: 0 when every line evaluated, 1 when any line ended in an error (its message is still
printed on its line), 2 for a usage error.
)";
}

std::string CliSessionHelpText() {
    return R"(Type an expression and press Enter; ans (or VRE) is the previous result.
Commands:
  :angle deg|rad|grad   :base dec|hex|oct|bin   :bits 8|16|32
  :notation norm|fix|sci|frac   :fix N   :fraction 3|6|9   :format us|uk|european
  :precise on|off   :matrix on|off   :engine on|off
  :set NAME=VALUE       store a real or a matrix [[1,2],[3,4]] in a register
  :help                 this text
  :quit                 end the session
)";
}
