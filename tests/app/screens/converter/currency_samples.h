// Currency feed bodies for the tests. The reference-rate document follows the published layout of the
// European Central Bank's daily euro foreign exchange reference rates: a gesmes:Envelope with a subject
// and sender, a Cube holding one Cube per day (attribute time) holding one Cube per currency (attributes
// currency and rate, the units of the currency per euro). The figures are made up.
#pragma once

#include <string>

inline const std::string kReferenceRatesXml =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    "<gesmes:Envelope xmlns:gesmes=\"http://www.gesmes.org/xml/2002-08-01\" "
    "xmlns=\"http://www.ecb.int/vocabulary/2002-08-01/eurofxref\">\n"
    "\t<gesmes:subject>Reference rates</gesmes:subject>\n"
    "\t<gesmes:Sender>\n"
    "\t\t<gesmes:name>European Central Bank</gesmes:name>\n"
    "\t</gesmes:Sender>\n"
    "\t<Cube>\n"
    "\t\t<Cube time='2024-05-17'>\n"
    "\t\t\t<Cube currency='USD' rate='1.0870'/>\n"
    "\t\t\t<Cube currency='JPY' rate='169.21'/>\n"
    "\t\t\t<Cube currency='GBP' rate='0.85550'/>\n"
    "\t\t\t<Cube currency='CHF' rate=\"0.9880\"/>\n"
    "\t\t\t<Cube currency='XAB' rate='2.5'/>\n"
    "\t\t</Cube>\n"
    "\t</Cube>\n"
    "</gesmes:Envelope>\n";

// A table in the converter's own grammar, with the US dollar as its base.
inline const std::string kNativeTable =
    "#Date 2024-06-01\n"
    "#Begin Currency 0\n"
    "US_dollar   USD  !\n"
    "Euro        EUR  1.25  0 USD\n"
    "Pound       GBP  1.5   0 USD\n"
    "#End\n";

inline const std::string kHtmlNotFound =
    "<!DOCTYPE html>\n<html><head><title>404 Not Found</title></head>\n"
    "<body><h1>Not Found</h1><p>The requested URL was not found on this server.</p></body></html>\n";
