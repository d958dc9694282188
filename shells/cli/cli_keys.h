// orvcalc --keys: the whole application run headlessly on a stream of key codes.
//
//   orvcalc --keys "K1 K2 ..." [--category ID] [--landscape] [--home DIR] [--answer N]
//
// Starts the application as its delegate does (settings, input modes, the display's state and history
// files from the documents folder DIR, by default $ORVCALC_HOME or the XDG data folder), selects the
// category, feeds every key through the main controller's router, letting the run loop's delayed calls
// run out between keys, terminates as the application does (saving its files) and prints the final
// state as one JSON object. A key is a key code (a number), a caption of the key tables ("sin", "=",
// "M+"; "*", "/", "-" and "ENTER" stand for the keys ×, ÷, − and ENTER), "pick:N" (row N of the list or
// menu the keys opened) or "post:NAME[:N]" (post the notification NAME, with the number N as object).
// Alerts are answered with button N of --answer (default 0, the first button).
//
// The object: "category" (the current category id), "inputMode" ("string", "basic", "rpn"), "input"
// and "caret" (the input line in UTF-8 with the display's own characters, and the caret's object index),
// "result", "indicators" ("shift", "equal" as booleans; "mode", "base", "notation", "memory",
// "expression", "bitWidth" as their texts, null when not shown), "operator" (basic mode's pending
// operator), "stack" (the RPN stack lines, level 2 then level 1; empty texts outside RPN mode),
// "history" ("<expression> = <result>", newest first), "memories" (M1..M5 of the display category),
// "alerts" (title, message, buttons, the answer and its button), "posted" (notification names in order),
// "urls" (addresses handed to the mail program), "screen" and "list" (what the controller has open).
#pragma once

#include <ostream>

// True when argv asks for --keys (the other options of orvcalc do not apply then).
bool IsKeysInvocation(int argc, char** argv);

// Runs it; returns the exit status (0, or 2 for a usage error reported on err).
int RunKeys(int argc, char** argv, std::ostream& out, std::ostream& err);
