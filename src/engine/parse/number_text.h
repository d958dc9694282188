// Reading number tokens of engine text.
#pragma once

// True when strtod in the "C" locale consumes all of token (and token is not empty); then *value (when not
// null) is strtod's value. The user's locale (a decimal comma, say) never changes how engine text reads.
bool ParseNumberToken(const char* token, double* value);
