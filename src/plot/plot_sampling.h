// Sampling the plotted functions: every graph holds f at x = m_From, m_From + m_StepX, ... up to m_To,
// evaluated on the engine's double path (fnex) in radians. Where f is undefined (the engine reports an
// error, or the value is not finite) no sample is stored; at each edge of a defined stretch the edge is
// narrowed by bisection to kGraphEdgeTolerance and stored as a sample, so that a curve ends exactly where
// its function does (sqrt(x) starts at x = 0 to within 1e-10). After a stretch start found that way the
// walk goes on at that start + m_StepX. A graph holds at most kGraphMaxSamples samples: the walk stops
// when it is full.
//
// Every call leaves the engine in radians with the variable named as the last sampled graph's (so that a
// caller's fnex of a function text at a go-to x agrees with the curve) and with no error code set.
#pragma once

// Appends a graph and samples it over the current range. expression: engine text (from the entry line's
// parsed output) in the variable `variable` (null or empty: "x"); it is standardized first (function
// calls of the executor such as fnInt are computed). red, green, blue: 0 ... 255 (clamped).
// Returns kErrNone, or the engine error code that makes the expression unusable: kErrSyntax for an empty
// text or one the converter rejects, kErrCallSyntax for a text of kEngineTextSize characters or more, or
// the code of a failed standardization. The graph is appended in every case (m_Count grows by one), an
// unusable one without samples, so graph indices follow the caller's function numbers.
int AddGraph(const char* expression, const char* variable, int red, int green, int blue);

// Samples every graph again over the current range (after a go-to, or when the rectangle changed).
void ReCalculate();

// Evaluates graph `index` (0 ... m_Count - 1) at x as its samples are evaluated. Returns false, leaving y
// unchanged, for a bad index, an unusable expression or an x where the function is undefined.
bool GraphValueAt(int index, double x, double& y);
