// Word and white-space helpers of the data-file grammar.
#pragma once

#include <string>

namespace unit_text {

// Removes leading white space (as std::isspace judges it), in place.
void trimLeft(std::string& text);
// Removes trailing white space, in place.
void trimRight(std::string& text);
// Moves the first blank-separated word of line into word and leaves the rest (without its leading blanks)
// in line. Returns 0, with word empty, when the line holds no word.
int findWord(std::string& word, std::string& line);
// Turns every underscore into a blank: names are single words in the files.
std::string underscoresToBlanks(std::string text);
// Replaces each character of `from` found in text by a blank, then trims both ends.
void blankAndTrim(std::string& text, const char* from);
// Case-insensitive comparison of ASCII letters.
bool equalsNoCase(const std::string& a, const std::string& b);
// True when text begins with prefix, letters compared without regard to case.
bool startsWithNoCase(const std::string& text, const std::string& prefix);
// Reads a decimal integer the way atoi does (leading blanks, sign, digits; 0 when none), clamped to int.
int parseInt(const std::string& word);
// Reads a number the way atof does (0 when the word does not start with one).
double parseDouble(const std::string& word);

}  // namespace unit_text
