// The learner check's truth of which word is the most used: the word counts of a
// corpus that neither the builder nor the program reads.
#pragma once

#include <set>
#include <string>
#include <string_view>
#include <unordered_map>

// "word,count" lines: the counts of a word listed more than once add up; a line without a
// word, a comma and a whole positive count is skipped.
std::unordered_map<std::string, double> parseUsage(std::string_view text);

// The word of a group that is clearly the most used: counted at least `minimum` times and
// at least twice as often as every other word of the group. An empty string when none is.
std::string clearlyMostUsed(const std::set<std::string>& group, const std::unordered_map<std::string, double>& usage,
                            double minimum);
