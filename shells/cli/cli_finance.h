// The terminal calculator's finance commands, over the models of the loan, mortgage and TVM screens.
//
// Numbers are plain decimal numbers ("1000", "-1", "6.5", "1e3"); anything else is a usage error (message
// on err, status 2). The form's own refusal of the inputs prints the screen's alert text ("Input Error:
// Please check input again!") on err with status 1.
#pragma once

#include <ostream>
#include <string>
#include <vector>

// --loan AMOUNT RATE PPY NPER PMT [--csv]: the loan result screen - its four summary lines, a blank line
// and the table with aligned columns; with csv only the table, as comma-separated values.
int RunLoan(const std::vector<std::string>& args, bool csv, std::ostream& out, std::ostream& err);

// --mortgage AMOUNT RATE YEARS [--csv]: the mortgage result screen, as RunLoan prints the loan's.
int RunMortgage(const std::vector<std::string>& args, bool csv, std::ostream& out, std::ostream& err);

// --tvm solve=FIELD NPER=... RATE=... PV=... PMT=... FV=... PPY=... [--begin]: the text the TVM screen
// writes into the solved box. FIELD is one of NPER, RATE, PV, PMT, FV (any letter case, as are the names
// of the values); every value but the solved one is needed. When the calculation rejects the inputs the
// screen's "0.00" is still printed, the reason goes to err and the status is 1.
int RunTvm(const std::vector<std::string>& args, bool begin, std::ostream& out, std::ostream& err);
