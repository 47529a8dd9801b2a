// The learner check's truth of the most used word: what it reads of a corpus's counts, and
// when one word of a group stands out clearly enough to be expected first.
#include "usage_truth.h"

#include <gtest/gtest.h>

TEST(UsageTruth, ReadsWholeCountsAndAddsUpRepeatedWords) {
  const auto usage = parseUsage("告诉,300\n告诉,200\n,5\nno count\nab,1x\nc,d,7\n高速,0\n哥哥,\n一,-3\n");
  EXPECT_EQ(usage.size(), 2u);
  EXPECT_EQ(usage.at("告诉"), 500);
  EXPECT_EQ(usage.at("c,d"), 7);  // the count is after the last comma
}

TEST(UsageTruth, ExpectsAWordOnlyWhenItIsUsedTwiceAsOftenAsAnyOther) {
  const auto usage = parseUsage("告诉,500\n高速,250\n缟素,10\n哥哥,499\n各个,300\n一声,19\n");
  const struct {
    std::set<std::string> group;
    const char* expected;
  } cases[] = {
      {{"告诉", "高速", "缟素"}, "告诉"},  // exactly twice the next
      {{"哥哥", "各个"}, ""},              // less than twice
      {{"一声", "医生"}, ""},              // too rarely counted to tell, though the other has no count
      {{"告诉", "未知"}, "告诉"},          // a word the corpus lacks counts as never used
      {{"未知", "不详"}, ""},
  };
  for (const auto& c : cases) EXPECT_EQ(clearlyMostUsed(c.group, usage, 20), c.expected) << c.expected;
}
