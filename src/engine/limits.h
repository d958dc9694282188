// Fixed sizes of the engine's text buffers and value stacks. Texts of kEngineTextSize characters or more,
// and expressions that would need more than kValueStackSize stacked values or open groups, fail with the
// engine's syntax error (-1) instead of being cut or overrunning anything.
#pragma once

// Bytes of an engine text buffer, terminator included: a text holds at most kEngineTextSize - 1 characters.
constexpr int kEngineTextSize = 4096;

// Entries of a value stack and of a group stack.
constexpr int kValueStackSize = 1024;
