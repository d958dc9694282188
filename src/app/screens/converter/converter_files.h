// The converter screens' remembered state as text files: per group the units of the three boxes and the
// favourite units, and the favourite groups. Numbers are decimal, each followed by one blank.
//
// Box history ("/unitConverterHistory_v15.dat", "/currencyHistory_v15.dat"): kGroupSlots triples "%d %d %d ",
// group by group. Favourite units ("/favoriteUnits_v19.txt", "/favoriteCurrency_v19.txt"): for each of the
// kGroupSlots groups the number of favourites, then their unit indices. Favourite groups
// ("/favoriteGroups_v19.txt"): the number, then the group indices.
//
// Reading never fails: a short file leaves the remaining groups at their defaults, a long one has its tail
// ignored, and a number that is not an integer, is negative or lies beyond the list capacities gives the
// default of its place. A favourite count outside 0..kMaxFavourites ends the read (what follows cannot be
// aligned), leaving the groups after it without favourites.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

inline constexpr int kGroupSlots = 200;     // groups with remembered state
inline constexpr int kUnitBoxes = 3;        // unit boxes of the screen
inline constexpr int kMaxFavourites = 10;   // favourites per list
inline constexpr int kMaxUnitIndex = 610;   // unit list capacity: indices are below it
inline constexpr int kMaxGroupIndex = 200;  // group list capacity

using BoxUnits = std::array<int, kUnitBoxes>;
using BoxHistory = std::array<BoxUnits, kGroupSlots>;
using FavouriteTable = std::array<std::vector<int>, kGroupSlots>;

// Every group's boxes on the units 0, 1 and 2.
BoxHistory DefaultBoxHistory();
std::string EncodeBoxHistory(const BoxHistory& history);
// A bad index gives its box's default (box k: unit k).
BoxHistory DecodeBoxHistory(std::string_view text);

std::string EncodeFavouriteTable(const FavouriteTable& table);
// Indices at or beyond kMaxUnitIndex, and repeats, are dropped.
FavouriteTable DecodeFavouriteTable(std::string_view text);

std::string EncodeFavouriteList(const std::vector<int>& list);
// Indices at or beyond kMaxGroupIndex, and repeats, are dropped; a bad count gives an empty list.
std::vector<int> DecodeFavouriteList(std::string_view text);

// Moves index to the front of list (removing it first if present); a list longer than kMaxFavourites loses
// its last entry.
void AddFavourite(std::vector<int>& list, int index);
// Removes the entry at position (nothing when out of range). Returns true when one was removed.
bool RemoveFavouriteAt(std::vector<int>& list, int position);
